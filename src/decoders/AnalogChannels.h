// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>

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
    const char* label;
    const char* tabs;
    Conversion conversion;
    double offset;
    double slope;
    int decimals;
    const char* unit;
    const char* lineEnd;
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

extern const AnalogChannel sMeterChannel;
extern const AnalogChannel batteryVoltageChannel;
extern const AnalogChannel batteryCurrentChannel;
extern const AnalogChannel bus33VoltageChannel;
extern const AnalogChannel solarCellVoltageChannel;
extern const AnalogChannel batteryTemperatureChannel;
extern const AnalogChannel communicationTemperatureChannel;

}  // namespace decoders
