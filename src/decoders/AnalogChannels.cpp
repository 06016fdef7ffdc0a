// SPDX-License-Identifier: MIT
#include "decoders/AnalogChannels.h"

#include <array>

#include "decoders/Formatting.h"

namespace decoders {
namespace {

using S = space::SatelliteStatus;
using P = ProgramState;
using Fr = DecodedFrame;

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

constexpr Health N = Health::Normal, L = Health::Limit, F = Health::Fault;

}  // namespace

// Each row: names; conversion, classification and the health of each state code; report
// layout; where the values live.
// clang-format off
const std::array<AnalogChannel, analogChannelCount> analogChannels{{
    {{"S meter",           "s_meter",                   ""},
     {Conversion::ConverterReading, 0.0,    0.0,    false, sMeterStatus,                   {L, N, L, F}},
     {"S Meter =",                    "\t\t\t", 3, "",             "\r\n\r\n"},
     {&P::fieldH0, &P::rawH0, &S::sMeterRaw, &S::sMeter, &S::sMeterStatus, &S::getSMeterStatus, &Fr::sMeter}},
    {{"Battery voltage",   "battery_voltage",           "V"},
     {Conversion::DoubledReading,   0.0,    0.0,    false, batteryVoltageStatus,           {N, L, L, F}},
     {"Battery Voltage =",            "\t\t",   3, " [V]",         "\r\n\r\n"},
     {&P::fieldH1, &P::rawH1, &S::batteryVoltageRaw, &S::batteryVoltage, &S::batteryVoltageStatus, &S::getBatteryVoltageStatus, &Fr::batteryVoltage}},
    {{"Battery current",   "battery_current",           "A"},
     {Conversion::FallingReading,   0.3451, 0.2251, true,  batteryCurrentStatus,           {N, F, N, F}},
     {"Battery Current =",            "\t\t",   3, " [A]",         "\r\n\r\n"},
     {&P::fieldH2, &P::rawH2, &S::batteryCurrentRaw, &S::batteryCurrent, &S::batteryCurrentStatus, &S::getBatteryCurrentStatus, &Fr::batteryCurrent}},
    {{"3.3 V bus",         "bus_3v3_voltage",           "V"},
     {Conversion::DoubledReading,   0.0,    0.0,    false, bus33VoltageStatus,             {N, L, L, F}},
     {"3.3V Bus Voltage =",           "\t\t",   3, " [V]",         "\r\n\r\n"},
     {&P::fieldH3, &P::rawH3, &S::bus33VoltageRaw, &S::bus33Voltage, &S::bus33VoltageStatus, &S::getBus33VoltageStatus, &Fr::bus33Voltage}},
    {{"Solar cell",        "solar_cell_voltage",        "V"},
     {Conversion::DoubledReading,   0.0,    0.0,    true,  solarCellVoltageStatus,         {N, N, F, F}},
     {"Solar Cell Voltage =",         "\t\t",   3, " [V]",         "\r\n"},
     {&P::fieldH4, &P::rawH4, &S::solarCellVoltageRaw, &S::solarCellVoltage, &S::solarCellVoltageStatus, &S::getSolarCellVoltageStatus, &Fr::solarCellVoltage}},
    {{"EPS temperature",   "eps_circuit_temperature",   "C"},
     {Conversion::FallingCode,      84.132, 0.4559, false, epsTemperatureStatus,           {N, L, L, F}},
     {"Temperature of EPS Circuit =", "\t",     1, degreesCelsius, "\r\n\r\n"},
     {&P::fieldE, &P::rawE, &S::batteryTemperatureRaw, &S::batteryTemperature, &S::batteryTemperatureStatus, &S::getBatteryTemperatureStatus, &Fr::batteryTemperature}},
    {{"Comm. temperature", "communication_temperature", "C"},
     {Conversion::FallingCode,      86.607, 0.475,  false, communicationTemperatureStatus, {N, L, L, F}},
     {"Communication Temperature =",  "\t",     1, degreesCelsius, "\r\n\r\n"},
     {&P::fieldF, &P::rawF, &S::communicationTemperatureRaw, &S::communicationTemperature, &S::communicationTemperatureStatus, &S::getCommunicationTemperatureStatus, &Fr::communicationTemperature}},
}};
// clang-format on

}  // namespace decoders

namespace decoders {

double channelValue(const AnalogChannel& channel, std::uint8_t raw,
                    const space::SatelliteStatus& record) {
    // Division first, then multiplication, as the converter's calibration was made.
    const double x = raw / record.fullScaleCode * record.fullScaleVoltage;
    const ChannelMeaning& meaning = channel.meaning;
    switch (meaning.conversion) {
        case Conversion::ConverterReading:
            return x;
        case Conversion::DoubledReading:
            return x + x;
        case Conversion::FallingReading:
            return meaning.offset - x * meaning.slope;
        case Conversion::FallingCode:
            return meaning.offset - static_cast<double>(raw) * meaning.slope;
    }
    return x;
}

namespace {

ChannelTexts textsOf(const AnalogChannel& channel) {
    ChannelTexts texts;
    space::SatelliteStatus record;
    const ReportLayout& report = channel.report;
    for (std::size_t code = 0; code < 256; ++code) {
        const auto raw = static_cast<std::uint8_t>(code);
        const double value = channelValue(channel, raw, record);
        texts.value[code] = value;
        texts.valueText[code] = formatFixed(value, report.decimals) + std::string(report.unit);
        std::string& line = texts.reportLine[code];
        line.append(report.label).append(report.tabs).append(texts.valueText[code]).append("\t\t");
        appendHex(line, raw, 2);
        line.append(report.lineEnd);
        texts.tableValue[code] = formatSignificant(value, 6);
        texts.shortestValue[code] = formatShortest(value);
        if (!channel.meaning.readsDayNight) {
            texts.state[code] = channel.meaning.classify({raw, value, false, 0.0});
        }
    }
    for (std::size_t status = 0; status < texts.stateName.size(); ++status) {
        record.*channel.places.status = static_cast<std::uint8_t>(status);
        texts.stateName[status] = (record.*channel.places.statusName)();
    }
    return texts;
}

}  // namespace

const std::array<ChannelTexts, analogChannelCount>& allChannelTexts() {
    static const std::array<ChannelTexts, analogChannelCount> all = [] {
        std::array<ChannelTexts, analogChannelCount> texts;
        for (std::size_t c = 0; c < analogChannelCount; ++c) {
            texts[c] = textsOf(analogChannels[c]);
        }
        return texts;
    }();
    return all;
}

}  // namespace decoders
