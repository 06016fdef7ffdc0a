// SPDX-License-Identifier: MIT
#include "decoders/AnalogChannels.h"

#include <array>

#include "decoders/Formatting.h"

namespace decoders {
namespace {

using S = space::SatelliteStatus;
using P = ProgramState;
using F = DecodedFrame;

// State codes, each in the order of its getter's names.

std::uint8_t sMeterStatus(const ChannelReading& r) {  // Low, Nominal, High
    return r.raw <= 134 ? 0 : r.raw <= 140 ? 1 : 2;
}

std::uint8_t batteryVoltageStatus(const ChannelReading& r) {  // Normal, UpperLimit, LowerLimit
    if (3.5 < r.value && r.value < 4.2) {
        return 0;
    }
    return r.value >= 4.2 ? 1 : 2;
}

// ChargeNormal, ChargeFault, DischargeNormal, DischargeFault: in daylight the battery should
// charge, in eclipse it should discharge.
std::uint8_t batteryCurrentStatus(const ChannelReading& r) {
    if (r.daylight) {
        return r.value > 0.0 ? 0 : 2;
    }
    return r.value < 0.0 ? 1 : 3;
}

std::uint8_t bus33VoltageStatus(const ChannelReading& r) {  // Normal, UpperLimit, LowerLimit
    return (r.raw >= 127 && r.raw <= 140) ? 0 : r.raw >= 141 ? 1 : 2;
}

// DaylightNormal, EclipseNormal, DaylightFault, EclipseFault: in eclipse the cells must stay
// below the battery.
std::uint8_t solarCellVoltageStatus(const ChannelReading& r) {
    if (r.daylight) {
        return (r.raw > 188 && r.raw < 193) ? 0 : 2;
    }
    return r.value < r.lastBatteryVoltage ? 1 : 3;
}

std::uint8_t epsTemperatureStatus(const ChannelReading& r) {  // Normal, Upper, Lower, Fault
    if (r.value >= -30.0 && r.value <= 60.0) {
        return 0;
    }
    if (r.value > 60.0) {
        return 1;
    }
    return r.value < -40.0 ? 2 : 3;
}

std::uint8_t communicationTemperatureStatus(const ChannelReading& r) {  // Normal, Upper, Lower
    if (r.value >= -40.0 && r.value <= 60.0) {
        return 0;
    }
    return r.value > 60.0 ? 1 : 2;
}

constexpr std::string_view degreesCelsius = " [\x81\x8E]";  // " [℃]" in code page 932

}  // namespace

// clang-format off
//                                           label                           tabs        conversion                    offset  slope   dec unit        line end      day/night classification
const AnalogChannel sMeterChannel{           "S Meter =",                    "\t\t\t",   Conversion::ConverterReading, 0.0,    0.0,    3,  "",         "\r\n\r\n",   false,    sMeterStatus,
    &P::fieldH0, &P::rawH0, &S::sMeterRaw, &S::sMeter, &S::sMeterStatus, &S::getSMeterStatus, &F::sMeter};
const AnalogChannel batteryVoltageChannel{   "Battery Voltage =",            "\t\t",     Conversion::DoubledReading,   0.0,    0.0,    3,  " [V]",     "\r\n\r\n",   false,    batteryVoltageStatus,
    &P::fieldH1, &P::rawH1, &S::batteryVoltageRaw, &S::batteryVoltage, &S::batteryVoltageStatus, &S::getBatteryVoltageStatus, &F::batteryVoltage};
const AnalogChannel batteryCurrentChannel{   "Battery Current =",            "\t\t",     Conversion::FallingReading,   0.3451, 0.2251, 3,  " [A]",     "\r\n\r\n",   true,     batteryCurrentStatus,
    &P::fieldH2, &P::rawH2, &S::batteryCurrentRaw, &S::batteryCurrent, &S::batteryCurrentStatus, &S::getBatteryCurrentStatus, &F::batteryCurrent};
const AnalogChannel bus33VoltageChannel{     "3.3V Bus Voltage =",           "\t\t",     Conversion::DoubledReading,   0.0,    0.0,    3,  " [V]",     "\r\n\r\n",   false,    bus33VoltageStatus,
    &P::fieldH3, &P::rawH3, &S::bus33VoltageRaw, &S::bus33Voltage, &S::bus33VoltageStatus, &S::getBus33VoltageStatus, &F::bus33Voltage};
const AnalogChannel solarCellVoltageChannel{ "Solar Cell Voltage =",         "\t\t",     Conversion::DoubledReading,   0.0,    0.0,    3,  " [V]",     "\r\n",       true,     solarCellVoltageStatus,
    &P::fieldH4, &P::rawH4, &S::solarCellVoltageRaw, &S::solarCellVoltage, &S::solarCellVoltageStatus, &S::getSolarCellVoltageStatus, &F::solarCellVoltage};
const AnalogChannel batteryTemperatureChannel{"Temperature of EPS Circuit =", "\t",      Conversion::FallingCode,      84.132, 0.4559, 1,  degreesCelsius, "\r\n\r\n", false,    epsTemperatureStatus,
    &P::fieldE, &P::rawE, &S::batteryTemperatureRaw, &S::batteryTemperature, &S::batteryTemperatureStatus, &S::getBatteryTemperatureStatus, &F::batteryTemperature};
const AnalogChannel communicationTemperatureChannel{"Communication Temperature =", "\t", Conversion::FallingCode,      86.607, 0.475,  1,  degreesCelsius, "\r\n\r\n", false,    communicationTemperatureStatus,
    &P::fieldF, &P::rawF, &S::communicationTemperatureRaw, &S::communicationTemperature, &S::communicationTemperatureStatus, &S::getCommunicationTemperatureStatus, &F::communicationTemperature};
// clang-format on

}  // namespace decoders

namespace decoders {

double channelValue(const AnalogChannel& channel, std::uint8_t raw,
                    const space::SatelliteStatus& record) {
    // Division first, then multiplication, as the converter's calibration was made.
    const double x = raw / record.fullScaleCode * record.fullScaleVoltage;
    switch (channel.conversion) {
        case Conversion::ConverterReading:
            return x;
        case Conversion::DoubledReading:
            return x + x;
        case Conversion::FallingReading:
            return channel.offset - x * channel.slope;
        case Conversion::FallingCode:
            return channel.offset - static_cast<double>(raw) * channel.slope;
    }
    return x;
}

const std::string& channelValueText(const AnalogChannel& channel, std::uint8_t raw) {
    using Texts = std::array<std::string, 256>;
    static const std::array<const AnalogChannel*, 7> channels{&sMeterChannel,
                                                              &batteryVoltageChannel,
                                                              &batteryCurrentChannel,
                                                              &bus33VoltageChannel,
                                                              &solarCellVoltageChannel,
                                                              &batteryTemperatureChannel,
                                                              &communicationTemperatureChannel};
    static const std::array<Texts, 7> texts = [] {
        std::array<Texts, 7> all;
        const space::SatelliteStatus record;
        for (std::size_t c = 0; c < channels.size(); ++c) {
            for (std::size_t code = 0; code < 256; ++code) {
                const double value =
                    channelValue(*channels[c], static_cast<std::uint8_t>(code), record);
                all[c][code] =
                    formatFixed(value, channels[c]->decimals) + std::string(channels[c]->unit);
            }
        }
        return all;
    }();
    for (std::size_t c = 0; c < channels.size(); ++c) {
        if (channels[c] == &channel) {
            return texts[c][raw];
        }
    }
    static const std::string none;
    return none;
}

}  // namespace decoders
