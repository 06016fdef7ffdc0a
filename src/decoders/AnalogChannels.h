// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "decoders/DecodedFrame.h"
#include "decoders/ProgramState.h"
#include "space/SatelliteStatus.h"

namespace decoders {

// How a channel's engineering value follows from its raw code. The converter reading x is
// raw / fullScaleCode * fullScaleVoltage.
enum class Conversion {
    ConverterReading,  // x
    DoubledReading,    // x + x
    FallingReading,    // offset - x * slope
    FallingCode,       // offset - raw * slope
};

// What a channel's classification looks at.
struct ChannelReading {
    std::uint8_t raw;
    double value;
    bool daylight;
    double lastBatteryVoltage;
};

using Classification = std::uint8_t (*)(const ChannelReading&);

// One analog channel of the frame: one report line "<label><tabs><value><unit>\t\t<hex>".
struct AnalogChannel {
    std::string_view label;
    std::string_view tabs;
    Conversion conversion;
    double offset;
    double slope;
    int decimals;
    std::string_view unit;
    std::string_view lineEnd;
    bool readsDayNight;
    Classification classify;
    std::string ProgramState::*field;
    std::uint8_t ProgramState::*rawSlot;
    std::uint8_t space::SatelliteStatus::*raw;
    double space::SatelliteStatus::*value;
    std::uint8_t space::SatelliteStatus::*status;
    std::string (space::SatelliteStatus::*statusName)() const;
    std::optional<ChannelValue> DecodedFrame::*decoded;
};

// The channel's engineering value for a raw code, with the record's converter constants.
double channelValue(const AnalogChannel& channel, std::uint8_t raw,
                    const space::SatelliteStatus& record);

// The value as the report prints it, unit included ("4.218 [V]"). It depends on the raw
// code alone, so each of a channel's 256 texts is formatted once per run.
const std::string& channelValueText(const AnalogChannel& channel, std::uint8_t raw);

extern const AnalogChannel sMeterChannel;
extern const AnalogChannel batteryVoltageChannel;
extern const AnalogChannel batteryCurrentChannel;
extern const AnalogChannel bus33VoltageChannel;
extern const AnalogChannel solarCellVoltageChannel;
extern const AnalogChannel batteryTemperatureChannel;
extern const AnalogChannel communicationTemperatureChannel;

}  // namespace decoders
