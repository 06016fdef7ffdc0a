// SPDX-License-Identifier: MIT
// Fields A and B: the uplink command word and the status word with its eleven items.
#include <array>
#include <cstdint>
#include <string_view>

#include "decoders/Analyzer.h"
#include "decoders/FieldConversion.h"
#include "decoders/Formatting.h"
#include "space/SatelliteStatus.h"

namespace decoders {
namespace {

using S = space::SatelliteStatus;

constexpr std::array<std::uint8_t, 8> packetIntervals{2, 3, 5, 10, 15, 20, 25, 30};
constexpr std::array<std::uint8_t, 4> sunSensorThresholds{150, 175, 200, 225};

// One item packed into the status word: (word >> firstBit) & mask. An item with a getter
// prints its name; one without prints its (mapped) number.
struct StatusItem {
    std::string_view label;
    std::string_view separator;
    int firstBit;
    unsigned mask;
    std::uint8_t S::*field;
    const std::uint8_t* mapping;
    std::string (S::*name)() const;
};

// clang-format off
constexpr std::array<StatusItem, 11> statusItems{{
    //  label                          separator  bit mask field                      mapping                       name
    {"FM Transmitter Power =",         "\t",      0,  1, &S::FMTransmitterPower, nullptr,                    &S::getFMTransmitterPower},
    {"Protocol =",                     "\t\t\t",  1,  1, &S::protocol,           nullptr,                    &S::getProtocol},
    {"Operation Mode =",               "\t\t",    2,  1, &S::operatingMode,      nullptr,                    &S::getOperatingMode},
    {"Memory Status =",                "\t\t",    3,  3, &S::memoryStatus,       nullptr,                    &S::getMemoryStatus},
    {"Packet Interval =",              "\t\t",    5,  7, &S::packetInterval,     packetIntervals.data(),     nullptr},
    {"Sensor Flag =",                  "\t\t",    8,  1, &S::sensorFlag,         nullptr,                    &S::getSensorFlag},
    {"Antenna Flag =",                 "\t\t",    9,  1, &S::antennaFlag,        nullptr,                    &S::getAntennaFlag},
    {"Paddle Flag =",                  "\t\t",    10, 1, &S::paddleFlag,         nullptr,                    &S::getPaddleFlag},
    {"Sun Sensor Power Flag =",        "\t",      11, 1, &S::sunSensorPower,     nullptr,                    &S::getSunSensorPower},
    {"Sun Sensor Mode =",              "\t\t",    12, 1, &S::sunSensorMode,      nullptr,                    &S::getSunSensorMode},
    {"Sun Sensor Threshold Value =",   "\t",      13, 3, &S::sunSensorThreshold, sunSensorThresholds.data(), nullptr},
}};
// clang-format on

// Bit 15 is not decoded.
void decodeStatusWord(std::uint16_t word, S& record) {
    for (const StatusItem& item : statusItems) {
        const auto code = static_cast<std::uint8_t>((word >> item.firstBit) & item.mask);
        record.*item.field = item.mapping != nullptr ? item.mapping[code] : code;
    }
}

std::string printedValue(const StatusItem& item, const S& record) {
    return item.name != nullptr ? (record.*item.name)() : std::to_string(record.*item.field);
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

    if (decoded != nullptr) {
        decoded->statusWord = StatusWordValue{word, {}};
        decoded->statusWord->items.reserve(statusItems.size());
    }
    resultText += "<VOKA-I Status>\t\t\t\t";
    appendHex(resultText, word, 4);
    resultText += "\r\n";
    for (const StatusItem& item : statusItems) {
        const std::string printed = printedValue(item, record);
        if (item.field == &S::sunSensorPower) {
            state.lastSunSensorPower = record.sunSensorPower;
        }
        resultText += item.label;
        resultText += item.separator;
        resultText += printed;
        resultText += "\r\n";
        if (decoded != nullptr) {
            decoded->statusWord->items.push_back(printed);
        }
    }
    resultText += "\r\n";
}

}  // namespace decoders
