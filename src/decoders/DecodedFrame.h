// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace decoders {

// A plain description of what the decoders made of one frame, beside the report text:
// the values and state names that the report lines leave out. An item stays empty when
// its field was not decoded.
struct ChannelValue {
    std::uint8_t raw = 0;
    double value = 0.0;
    std::uint8_t status = 0;
    std::string statusName;
};

struct StatusWordValue {
    std::uint16_t word = 0;
    // The printed values of the status block's item lines, in report order; shorter than
    // the full block when a getter failed part-way.
    std::vector<std::string> items;
};

struct SunSensorValue {
    std::uint8_t status = 0;
    std::string statusName;
    std::int32_t c = 0;
    std::int32_t d = 0;
};

struct DecodedFrame {
    std::optional<ChannelValue> sMeter, batteryVoltage, batteryCurrent, bus33Voltage,
        solarCellVoltage;
    std::optional<std::uint16_t> uplinkCommand;
    std::optional<StatusWordValue> statusWord;
    std::optional<SunSensorValue> sunSensor;
    std::optional<ChannelValue> batteryTemperature, communicationTemperature;
};

}  // namespace decoders
