// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "space/Exception.h"
#include "space/SatelliteStatus.h"

namespace {

using space::SatelliteStatus;

TEST(SatelliteStatus, NewRecordHoldsZerosAndTheConverterConstants) {
    const SatelliteStatus r;
    for (std::uint8_t code : {r.sMeterRaw,
                              r.sMeterStatus,
                              r.batteryVoltageRaw,
                              r.batteryVoltageStatus,
                              r.batteryCurrentRaw,
                              r.batteryCurrentStatus,
                              r.bus33VoltageRaw,
                              r.bus33VoltageStatus,
                              r.solarCellVoltageRaw,
                              r.solarCellVoltageStatus,
                              r.FMTransmitterPower,
                              r.protocol,
                              r.operatingMode,
                              r.memoryStatus,
                              r.packetInterval,
                              r.sensorFlag,
                              r.antennaFlag,
                              r.paddleFlag,
                              r.sunSensorPower,
                              r.sunSensorMode,
                              r.sunSensorStatus,
                              r.sunSensorThreshold,
                              r.sunSensorCRaw,
                              r.sunSensorDRaw,
                              r.sunSensorBlankLevel,
                              r.sunSensorImageC,
                              r.sunSensorImageD,
                              r.batteryTemperatureRaw,
                              r.batteryTemperatureStatus,
                              r.communicationTemperatureRaw,
                              r.communicationTemperatureStatus}) {
        EXPECT_EQ(code, 0);
    }
    for (double value : {r.sMeter, r.batteryVoltage, r.batteryCurrent, r.bus33Voltage,
                         r.solarCellVoltage, r.batteryTemperature, r.communicationTemperature}) {
        EXPECT_EQ(value, 0.0);
    }
    EXPECT_EQ(r.uplinkCommand, 0);
    EXPECT_EQ(r.fullScaleVoltage, 3.24);
    EXPECT_EQ(r.fullScaleCode, 255.0);
}

struct GetterCase {
    std::uint8_t SatelliteStatus::*field;
    std::string (SatelliteStatus::*getter)() const;
    std::vector<std::string> names;
    std::string message;
};

class NameGetter : public testing::TestWithParam<GetterCase> {};

TEST_P(NameGetter, NamesEveryCodeOfItsTable) {
    const GetterCase& c = GetParam();
    SatelliteStatus record;
    for (std::size_t code = 0; code < c.names.size(); ++code) {
        record.*c.field = static_cast<std::uint8_t>(code);
        EXPECT_EQ((record.*c.getter)(), c.names[code]) << "code " << code;
    }
}

TEST_P(NameGetter, RaisesItsOwnMessageOneAboveTheTableAndAtTheTop) {
    const GetterCase& c = GetParam();
    for (std::size_t code : {c.names.size(), std::size_t{255}}) {
        SatelliteStatus record;
        record.*c.field = static_cast<std::uint8_t>(code);
        try {
            (void)(record.*c.getter)();
            FAIL() << c.message << ": no error for code " << code;
        } catch (const space::Exception& error) {
            EXPECT_EQ(error.message, c.message);
        }
        EXPECT_EQ(record.*c.field, code) << "a getter never changes the record";
    }
}

using S = SatelliteStatus;
const std::vector<std::string> limits{"Normal", "UpperLimit", "LowerLimit", "Fault"};

INSTANTIATE_TEST_SUITE_P(
    AllGetters, NameGetter,
    testing::Values(
        GetterCase{&S::sMeterStatus,
                   &S::getSMeterStatus,
                   {"Low", "Nominal", "High", "Fault"},
                   "sMeterStatus error @ getSMeterStatus"},
        GetterCase{&S::batteryVoltageStatus, &S::getBatteryVoltageStatus, limits,
                   "batteryVoltageStatus error @ getBatteryVoltageStatus"},
        GetterCase{&S::batteryCurrentStatus,
                   &S::getBatteryCurrentStatus,
                   {"ChargeNormal", "ChargeFault", "DischargeNormal", "DischargeFault"},
                   "batteryCurrentStatus error @ getBatteryCurrentStatus"},
        GetterCase{&S::bus33VoltageStatus, &S::getBus33VoltageStatus, limits,
                   "bus33VoltageStatus error @ getBus33VoltageStatus"},
        GetterCase{&S::solarCellVoltageStatus,
                   &S::getSolarCellVoltageStatus,
                   {"DaylightNormal", "EclipseNormal", "DaylightFault", "EclipseFault"},
                   "solarCellVoltageStatus error @ getSolarCellVoltageStatus"},
        GetterCase{&S::FMTransmitterPower,
                   &S::getFMTransmitterPower,
                   {"OFF", "ON"},
                   "FMTransmitterPower error @ getFMTransmitterPower"},
        GetterCase{
            &S::protocol, &S::getProtocol, {"Ax.25", "SRLL"}, "protocol error @ getProtocol"},
        GetterCase{&S::operatingMode,
                   &S::getOperatingMode,
                   {"TNCMonitor", "NotMonitor"},
                   "operatingMode error @ getOperatingMode"},
        GetterCase{&S::memoryStatus,
                   &S::getMemoryStatus,
                   {"NoAccess", "Write", "Read"},
                   "memoryStatus error @ getMemoryStatus"},
        GetterCase{&S::sensorFlag,
                   &S::getSensorFlag,
                   {"Acquiring", "Complete"},
                   "sensorFlag error @ getSensorFlag"},
        GetterCase{&S::antennaFlag,
                   &S::getAntennaFlag,
                   {"Not yet", "Complete"},
                   "antennaFlag error @ getAntennaFlag"},
        GetterCase{&S::paddleFlag,
                   &S::getPaddleFlag,
                   {"Not yet", "Complete"},
                   "paddleFlag error @ getPaddleFlag"},
        GetterCase{&S::sunSensorPower,
                   &S::getSunSensorPower,
                   {"OFF", "ON"},
                   "sunSensorPower error @ getSunSensorPower"},
        GetterCase{&S::sunSensorMode,
                   &S::getSunSensorMode,
                   {"Manual", "Auto"},
                   "sunSensorMode error @ getSunSensorMode"},
        GetterCase{&S::sunSensorStatus,
                   &S::getSunSensorStatus,
                   {"ImageBrank", "ImageAcquiring", "Off"},
                   "sunSensorStatus error @ getSunSensorStatus"},
        GetterCase{&S::batteryTemperatureStatus, &S::getBatteryTemperatureStatus, limits,
                   "batteryTemperatureStatus error @ getBatteryTemperatureStatus"},
        GetterCase{&S::communicationTemperatureStatus, &S::getCommunicationTemperatureStatus,
                   limits,
                   "communicationTemperatureStatus error @ getCommunicationTemperatureStatus"}),
    [](const testing::TestParamInfo<GetterCase>& info) {
        return info.param.message.substr(0, info.param.message.find(' '));  // "sMeterStatus"
    });

TEST(Exception, CopiesKeepTheMessage) {
    const space::Exception original("sMeterStatus error @ getSMeterStatus");
    const space::Exception copy = original;  // NOLINT(performance-unnecessary-copy-initialization)
    EXPECT_EQ(copy.message, "sMeterStatus error @ getSMeterStatus");
    EXPECT_EQ(original.message, copy.message);
}

}  // namespace
