// SPDX-License-Identifier: MIT
// Fields A and B: the uplink command word and the status word with its eleven items.
#include <array>
#include <cstdint>
#include <string_view>

#include "decoders/Analyzer.h"
#include "decoders/FieldConversion.h"
#include "decoders/Formatting.h"
#include "decoders/StatusItems.h"
#include "space/SatelliteStatus.h"

namespace decoders {
namespace {

using S = space::SatelliteStatus;

constexpr std::array<std::uint8_t, 8> packetIntervals{2, 3, 5, 10, 15, 20, 25, 30};
constexpr std::array<std::uint8_t, 4> sunSensorThresholds{150, 175, 200, 225};

}  // namespace

// clang-format off
const std::array<StatusItem, statusItemCount> statusItems{{
    // panel label            key                      label                          separator  bit mask field                 mapping                     name
    {"FM transmitter power", "fm_transmitter_power",  "FM Transmitter Power =",       "\t",      0,  1, &S::FMTransmitterPower, nullptr,                    &S::getFMTransmitterPower},
    {"Protocol",             "protocol",              "Protocol =",                   "\t\t\t",  1,  1, &S::protocol,           nullptr,                    &S::getProtocol},
    {"Operation mode",       "operation_mode",        "Operation Mode =",             "\t\t",    2,  1, &S::operatingMode,      nullptr,                    &S::getOperatingMode},
    {"Memory status",        "memory_status",         "Memory Status =",              "\t\t",    3,  3, &S::memoryStatus,       nullptr,                    &S::getMemoryStatus},
    {"Packet interval",      "packet_interval",       "Packet Interval =",            "\t\t",    5,  7, &S::packetInterval,     packetIntervals.data(),     nullptr},
    {"Sensor flag",          "sensor_flag",           "Sensor Flag =",                "\t\t",    8,  1, &S::sensorFlag,         nullptr,                    &S::getSensorFlag},
    {"Antenna flag",         "antenna_flag",          "Antenna Flag =",               "\t\t",    9,  1, &S::antennaFlag,        nullptr,                    &S::getAntennaFlag},
    {"Paddle flag",          "paddle_flag",           "Paddle Flag =",                "\t\t",    10, 1, &S::paddleFlag,         nullptr,                    &S::getPaddleFlag},
    {"Sun sensor power",     "sun_sensor_power_flag", "Sun Sensor Power Flag =",      "\t",      11, 1, &S::sunSensorPower,     nullptr,                    &S::getSunSensorPower},
    {"Sun sensor mode",      "sun_sensor_mode",       "Sun Sensor Mode =",            "\t\t",    12, 1, &S::sunSensorMode,      nullptr,                    &S::getSunSensorMode},
    {"Sun sensor threshold", "sun_sensor_threshold",  "Sun Sensor Threshold Value =", "\t",      13, 3, &S::sunSensorThreshold, sunSensorThresholds.data(), nullptr},
}};
// clang-format on

namespace {

// The code of each item in the word; bit 15 is not decoded.
std::uint8_t codeOf(const StatusItem& item, std::uint16_t word) {
    return static_cast<std::uint8_t>((word >> item.firstBit) & item.mask);
}

void decodeStatusWord(std::uint16_t word, S& record) {
    for (const StatusItem& item : statusItems) {
        const std::uint8_t code = codeOf(item, word);
        record.*item.field = item.mapping != nullptr ? item.mapping[code] : code;
    }
}

// The low 16 bits of a field's value; of four typed digits the first two are the high byte.
std::uint16_t wordOf(std::int32_t value) {
    return static_cast<std::uint16_t>(value & 0xFFFF);
}

}  // namespace

void Analyzer::analyzeUplinkCommand() {
    space::SatelliteStatus record;
    const std::uint16_t word = wordOf(convertField(state.fieldA));
    record.uplinkCommand = word;
    state.rawA = word;
    resultText += "\r\n";
    if (decoded != nullptr) {
        decoded->uplinkCommand = word;
    }
}

void Analyzer::analyzeStatusWord() {
    space::SatelliteStatus record;
    const std::int32_t value = convertField(state.fieldB);
    const std::uint16_t word = wordOf(value);
    decodeStatusWord(word, record);
    state.rawB = value;

    StatusWordValue typed{value, word, {}};
    if (decoded != nullptr) {
        decoded->statusWord = typed;
        decoded->statusWord->items.reserve(statusItems.size());
    }
    resultText += "<VOKA-I Status>\t\t\t\t";
    appendHex(resultText, word, 4);
    resultText += "\r\n";
    for (const StatusItem& item : statusItems) {
        const StatusItemValue itemValue{codeOf(item, word), record.*item.field,
                                        item.name != nullptr ? (record.*item.name)() : ""};
        if (item.field == &S::sunSensorPower) {
            state.lastSunSensorPower = record.sunSensorPower;
        }
        resultText += item.label;
        resultText += item.separator;
        resultText += itemValue.printed();
        resultText += "\r\n";
        if (decoded != nullptr) {
            decoded->statusWord->items.push_back(itemValue);
        }
    }
    resultText += "\r\n";
}

}  // namespace decoders
