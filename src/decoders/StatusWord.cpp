// SPDX-License-Identifier: MIT
// Fields A and B: the uplink command word and the status word with its eleven items.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "decoders/Analyzer.h"
#include "decoders/FieldConversion.h"
#include "decoders/Formatting.h"
#include "decoders/StatusItems.h"
#include "space/Exception.h"
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

static_assert(decltype(StatusWordValue::items)::capacity == statusItemCount);

// What an item prints for one code, made once by the record's own getters: its report line,
// its number and name, or the decoding error its getter raises.
struct ItemText {
    std::string line;
    std::uint8_t value = 0;
    std::string name;
    std::optional<std::string> error;

    StatusItemValue valueOf(std::uint8_t code) const { return {code, value, name}; }
};
using ItemTexts = std::array<ItemText, 8>;  // an item has at most 3 bits

ItemText itemText(const StatusItem& item, std::uint8_t code) {
    S record;
    record.*item.field = item.mapping != nullptr ? item.mapping[code] : code;
    ItemText text;
    text.value = record.*item.field;
    try {
        text.name = item.name != nullptr ? (record.*item.name)() : "";
    } catch (const space::Exception& error) {
        text.error = error.message;
        return text;
    }
    text.line.append(item.label)
        .append(item.separator)
        .append(text.valueOf(code).printed())
        .append("\r\n");
    return text;
}

const std::array<ItemTexts, statusItemCount>& itemTexts() {
    static const std::array<ItemTexts, statusItemCount> texts = [] {
        std::array<ItemTexts, statusItemCount> all;
        for (std::size_t i = 0; i < statusItemCount; ++i) {
            for (unsigned code = 0; code <= statusItems[i].mask; ++code) {
                all[i][code] = itemText(statusItems[i], static_cast<std::uint8_t>(code));
            }
        }
        return all;
    }();
    return texts;
}

// The low 16 bits of a field's value; of four typed digits the first two are the high byte.
std::uint16_t wordOf(std::int32_t value) {
    return static_cast<std::uint16_t>(value & 0xFFFF);
}

}  // namespace

void Analyzer::analyzeUplinkCommand() {
    const std::uint16_t word = wordOf(convertField(state.fieldA));
    state.rawA = word;
    report("\r\n");
    if (decoded != nullptr) {
        decoded->uplinkCommand = word;
    }
}

namespace {

// All that a status word gives, made from the item texts above: its report lines up to the
// first item whose code has no name, its items, and the sun sensor power flag if reached.
struct WordBlock {
    std::string text;
    InlineList<StatusItemValue, statusItemCount> items;
    std::optional<std::uint8_t> sunSensorPower;
    const std::string* error = nullptr;  // the message of the item without a name
};

// Fills the block in place, so that its text keeps what it allocated.
void fillBlock(WordBlock& block, std::uint16_t word) {
    block.text.clear();
    block.items = {};
    block.sunSensorPower.reset();
    block.error = nullptr;
    block.text.append("<VOKA-I Status>\t\t\t\t").append(HexText(word, 4).view()).append("\r\n");
    for (std::size_t i = 0; i < statusItemCount; ++i) {
        const StatusItem& item = statusItems[i];
        const ItemText& text = itemTexts()[i][codeOf(item, word)];
        if (text.error) {
            block.error = &*text.error;
            return;
        }
        if (item.field == &S::sunSensorPower) {
            block.sunSensorPower = text.value;
        }
        block.text.append(text.line);
        block.items.push_back(text.valueOf(codeOf(item, word)));
    }
    block.text.append("\r\n");
}

// The block of a word. A pass sends the same status word frame after frame, so the latest
// block is kept.
const WordBlock& blockOfWord(std::uint16_t word) {
    thread_local std::optional<std::uint16_t> latestWord;
    thread_local WordBlock latest;
    if (latestWord != word) {
        latestWord.reset();  // a block left half-filled is no word's
        fillBlock(latest, word);
        latestWord = word;
    }
    return latest;
}

}  // namespace

// The block: a heading with the word, then each item's line, as far as the items have names.
void Analyzer::analyzeStatusWord() {
    const std::int32_t value = convertField(state.fieldB);
    const std::uint16_t word = wordOf(value);
    state.rawB = value;
    const WordBlock& block = blockOfWord(word);
    report(block.text);
    if (block.sunSensorPower) {
        state.lastSunSensorPower = *block.sunSensorPower;
    }
    if (decoded != nullptr) {
        decoded->statusWord = StatusWordValue{value, word, block.items};
    }
    if (block.error != nullptr) {
        throw space::Exception(*block.error);
    }
}

}  // namespace decoders
