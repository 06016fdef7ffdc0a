// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
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

// How a channel's report line looks: "<label><tabs><value><unit>\t\t<hex><line end>".
struct ReportLayout {
    std::string_view label;
    std::string_view tabs;
    int decimals;
    std::string_view unit;  // code page 932
    std::string_view lineEnd;
};

// How a channel is named where its value leaves the report: the panel's label, the CSV
// column and JSON key, and the unit as plain text ("" for a number without unit).
struct ChannelNames {
    std::string_view panelLabel;
    std::string_view key;
    std::string_view unit;
};

// How the engineering value and the state follow from the raw code, and what each state
// code means for the satellite.
struct ChannelMeaning {
    Conversion conversion;
    double offset;
    double slope;
    // Whether the state depends on day or night (and then perhaps on the battery voltage of
    // the frame); a channel's state that does not depends on its code alone.
    bool readsDayNight;
    Classification classify;
    std::array<Health, 4> health;
};

// Where the channel's values live in the program state, the record and the decoded frame.
struct ChannelPlaces {
    std::string ProgramState::*field;
    std::uint8_t ProgramState::*rawSlot;
    std::uint8_t space::SatelliteStatus::*raw;
    double space::SatelliteStatus::*value;
    std::uint8_t space::SatelliteStatus::*status;
    std::string (space::SatelliteStatus::*statusName)() const;
    std::optional<ChannelValue> DecodedFrame::*decoded;
};

// One analog channel of the frame: everything the program knows of it, in one row of
// analogChannels.
struct AnalogChannel {
    ChannelNames names;
    ChannelMeaning meaning;
    ReportLayout report;
    ChannelPlaces places;
};

constexpr std::size_t analogChannelCount = 7;

// Every analog channel, in the panel's order: the five power and radio channels (H0 to H4),
// then the two temperatures (E and F).
extern const std::array<AnalogChannel, analogChannelCount> analogChannels;

// The channel's engineering value for a raw code, with the record's converter constants.
double channelValue(const AnalogChannel& channel, std::uint8_t raw,
                    const space::SatelliteStatus& record);

// A channel's values and texts depend on its raw code alone, so each of its 256 is made once
// per run, by the conversion and formatting above and the record's own getters, whatever
// the caller.

// Everything a channel's raw code gives, for all 256 codes, and the names of its four states.
struct ChannelTexts {
    std::array<double, 256> value{};  // with the record's converter constants
    // As the report prints it, unit included ("4.218 [V]").
    std::array<std::string, 256> valueText;
    // The whole report line with its line end ("Battery Voltage =\t\t4.218 [V]\t\tA6\r\n\r\n").
    std::array<std::string, 256> reportLine;
    std::array<std::string, 256> tableValue;     // to 6 significant digits ("4.21835")
    std::array<std::string, 256> shortestValue;  // the shortest text that reads back the same
    std::array<std::string, 4> stateName;        // as the record's getter gives each state
    // The state of each code, for a channel that does not read day or night: its state then
    // follows from its code alone.
    std::array<std::uint8_t, 256> state{};
};
// Made at first use.
const std::array<ChannelTexts, analogChannelCount>& allChannelTexts();

inline const ChannelTexts& textsOfChannel(const AnalogChannel& channel) {
    static const std::array<ChannelTexts, analogChannelCount>& all = allChannelTexts();
    return all[static_cast<std::size_t>(&channel - analogChannels.data())];
}

// The channels by name, for the decoders that the frame's fields call.
inline const AnalogChannel& sMeterChannel = analogChannels[0];
inline const AnalogChannel& batteryVoltageChannel = analogChannels[1];
inline const AnalogChannel& batteryCurrentChannel = analogChannels[2];
inline const AnalogChannel& bus33VoltageChannel = analogChannels[3];
inline const AnalogChannel& solarCellVoltageChannel = analogChannels[4];
inline const AnalogChannel& batteryTemperatureChannel = analogChannels[5];
inline const AnalogChannel& communicationTemperatureChannel = analogChannels[6];

}  // namespace decoders
