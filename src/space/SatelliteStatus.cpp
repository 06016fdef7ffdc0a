// SPDX-License-Identifier: MIT
#include "space/SatelliteStatus.h"

#include <initializer_list>
#include <string_view>
#include <utility>

#include "space/Exception.h"

namespace space {
namespace {

// Names code 0 upwards; any code past the list has no name and raises the decoding error
// "<field> error @ <getter>".
std::string nameOf(std::uint8_t code, std::initializer_list<std::string_view> names,
                   std::string_view field, std::string_view getter) {
    if (code < names.size()) {
        return std::string(names.begin()[code]);
    }
    std::string message(field);
    message += " error @ ";
    message += getter;
    throw Exception(std::move(message));
}

}  // namespace

std::string SatelliteStatus::getSMeterStatus() const {
    return nameOf(sMeterStatus, {"Low", "Nominal", "High", "Fault"}, "sMeterStatus",
                  "getSMeterStatus");
}

std::string SatelliteStatus::getBatteryVoltageStatus() const {
    return nameOf(batteryVoltageStatus, {"Normal", "UpperLimit", "LowerLimit", "Fault"},
                  "batteryVoltageStatus", "getBatteryVoltageStatus");
}

std::string SatelliteStatus::getBatteryCurrentStatus() const {
    return nameOf(batteryCurrentStatus,
                  {"ChargeNormal", "ChargeFault", "DischargeNormal", "DischargeFault"},
                  "batteryCurrentStatus", "getBatteryCurrentStatus");
}

std::string SatelliteStatus::getBus33VoltageStatus() const {
    return nameOf(bus33VoltageStatus, {"Normal", "UpperLimit", "LowerLimit", "Fault"},
                  "bus33VoltageStatus", "getBus33VoltageStatus");
}

std::string SatelliteStatus::getSolarCellVoltageStatus() const {
    return nameOf(solarCellVoltageStatus,
                  {"DaylightNormal", "EclipseNormal", "DaylightFault", "EclipseFault"},
                  "solarCellVoltageStatus", "getSolarCellVoltageStatus");
}

std::string SatelliteStatus::getFMTransmitterPower() const {
    return nameOf(FMTransmitterPower, {"OFF", "ON"}, "FMTransmitterPower", "getFMTransmitterPower");
}

std::string SatelliteStatus::getProtocol() const {
    return nameOf(protocol, {"Ax.25", "SRLL"}, "protocol", "getProtocol");
}

std::string SatelliteStatus::getOperatingMode() const {
    return nameOf(operatingMode, {"TNCMonitor", "NotMonitor"}, "operatingMode", "getOperatingMode");
}

std::string SatelliteStatus::getMemoryStatus() const {
    return nameOf(memoryStatus, {"NoAccess", "Write", "Read"}, "memoryStatus", "getMemoryStatus");
}

std::string SatelliteStatus::getSensorFlag() const {
    return nameOf(sensorFlag, {"Acquiring", "Complete"}, "sensorFlag", "getSensorFlag");
}

std::string SatelliteStatus::getAntennaFlag() const {
    return nameOf(antennaFlag, {"Not yet", "Complete"}, "antennaFlag", "getAntennaFlag");
}

std::string SatelliteStatus::getPaddleFlag() const {
    return nameOf(paddleFlag, {"Not yet", "Complete"}, "paddleFlag", "getPaddleFlag");
}

std::string SatelliteStatus::getSunSensorPower() const {
    return nameOf(sunSensorPower, {"OFF", "ON"}, "sunSensorPower", "getSunSensorPower");
}

std::string SatelliteStatus::getSunSensorMode() const {
    return nameOf(sunSensorMode, {"Manual", "Auto"}, "sunSensorMode", "getSunSensorMode");
}

std::string SatelliteStatus::getSunSensorStatus() const {
    return nameOf(sunSensorStatus, {"ImageBrank", "ImageAcquiring", "Off"}, "sunSensorStatus",
                  "getSunSensorStatus");
}

std::string SatelliteStatus::getBatteryTemperatureStatus() const {
    return nameOf(batteryTemperatureStatus, {"Normal", "UpperLimit", "LowerLimit", "Fault"},
                  "batteryTemperatureStatus", "getBatteryTemperatureStatus");
}

std::string SatelliteStatus::getCommunicationTemperatureStatus() const {
    return nameOf(communicationTemperatureStatus, {"Normal", "UpperLimit", "LowerLimit", "Fault"},
                  "communicationTemperatureStatus", "getCommunicationTemperatureStatus");
}

}  // namespace space
