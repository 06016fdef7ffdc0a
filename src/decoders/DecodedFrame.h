// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace decoders {

// What the decoders made of one frame, typed and self-sufficient: every raw value, every
// engineering value, every state as its code and its name. An item stays empty when its
// field was not decoded in this frame. The outputs (CSV, JSON, the panel, charts) read only
// this, never the program state.

// The names of states and items are views of texts made once per run, which live until the
// program ends, so that a decoded frame holds no text of its own and costs nothing to copy.

// An analog channel: the 8-bit code, the engineering value and the classification.
struct ChannelValue {
    std::uint8_t raw = 0;
    double value = 0.0;
    std::uint8_t status = 0;
    std::string_view statusName;
};

// One item of the status word: its code in the word, the number it stands for (the code
// itself, or the mapped value of a mapped item) and its name (empty for a numeric item).
struct StatusItemValue {
    std::uint8_t code = 0;
    std::uint8_t value = 0;
    std::string_view name;

    // What the report prints: the name, or the number.
    std::string printed() const { return name.empty() ? std::to_string(value) : std::string(name); }
};

// A list of at most N values that lives inside its owner, so that decoding a frame does not
// allocate.
template <typename Value, std::size_t N>
class InlineList {
  public:
    static constexpr std::size_t capacity = N;
    std::size_t size() const { return count; }
    bool empty() const { return count == 0; }
    const Value& operator[](std::size_t i) const { return values[i]; }
    const Value* begin() const { return values.data(); }
    const Value* end() const { return values.data() + count; }
    void push_back(const Value& value) { values.at(count++) = value; }

  private:
    std::array<Value, N> values{};
    std::size_t count = 0;
};

struct StatusWordValue {
    std::int32_t field = 0;  // B as converted, not masked; the echo and CSV show it whole
    std::uint16_t word = 0;  // the low 16 bits, which the items are read from
    // In the report's order; shorter than the full word when a getter failed part-way.
    InlineList<StatusItemValue, 11> items;
};

struct SunSensorValue {
    std::uint8_t status = 0;
    std::string_view statusName;
    std::int32_t c = 0;  // C and D as converted, shown whole and signed
    std::int32_t d = 0;
    std::uint8_t rawC = 0;  // their low bytes, which the classification reads
    std::uint8_t rawD = 0;
};

struct DecodedFrame {
    std::time_t time = 0;  // the Check's UTC time, as its heading shows it
    std::optional<ChannelValue> sMeter, batteryVoltage, batteryCurrent, bus33Voltage,
        solarCellVoltage;
    std::optional<std::uint16_t> uplinkCommand;
    std::optional<StatusWordValue> statusWord;
    std::optional<SunSensorValue> sunSensor;
    std::optional<ChannelValue> batteryTemperature, communicationTemperature;
};

// What an item's state means for the satellite.
enum class Health { Normal, Limit, Fault, NotCopied };

}  // namespace decoders
