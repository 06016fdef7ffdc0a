// SPDX-License-Identifier: MIT
#include "check/FrameSummary.h"

#include <array>
#include <optional>

#include "decoders/AnalogChannels.h"
#include "decoders/Analyzer.h"
#include "decoders/FieldConversion.h"
#include "decoders/Formatting.h"
#include "space/Exception.h"

namespace check {
namespace {

using decoders::AnalogChannel;
using decoders::ChannelValue;
using decoders::DecodedFrame;
using HealthOfCode = std::array<Health, 4>;

constexpr Health N = Health::Normal, L = Health::Limit, F = Health::Fault;

// An analog item: its channel, where the frame keeps it, and what each state code means.
struct AnalogItem {
    const char* label;
    const AnalogChannel& channel;
    std::optional<ChannelValue> DecodedFrame::*decoded;
    HealthOfCode health;
};

// clang-format off
const std::array<AnalogItem, 7> analogItems{{
    {"S meter",                   decoders::sMeterChannel,                   &DecodedFrame::sMeter,                   {L, N, L, F}},
    {"Battery voltage",           decoders::batteryVoltageChannel,           &DecodedFrame::batteryVoltage,           {N, L, L, F}},
    {"Battery current",           decoders::batteryCurrentChannel,           &DecodedFrame::batteryCurrent,           {N, F, N, F}},
    {"3.3 V bus",                 decoders::bus33VoltageChannel,             &DecodedFrame::bus33Voltage,             {N, L, L, F}},
    {"Solar cell",                decoders::solarCellVoltageChannel,         &DecodedFrame::solarCellVoltage,         {N, N, F, F}},
    {"EPS temperature",           decoders::batteryTemperatureChannel,       &DecodedFrame::batteryTemperature,       {N, L, L, F}},
    {"Comm. temperature",         decoders::communicationTemperatureChannel, &DecodedFrame::communicationTemperature, {N, L, L, F}},
}};
// clang-format on

constexpr std::size_t memoryStatusItem = 3;  // the status block's line of the memory status

const std::array<const char*, 11> statusItemLabels{
    "FM transmitter power", "Protocol",        "Operation mode",      "Memory status",
    "Packet interval",      "Sensor flag",     "Antenna flag",        "Paddle flag",
    "Sun sensor power",     "Sun sensor mode", "Sun sensor threshold"};

SummaryLine notCopied(const char* label) {
    return {label, "", "", Health::NotCopied};
}

SummaryLine analogLine(const AnalogItem& item, const DecodedFrame& frame) {
    const std::optional<ChannelValue>& value = frame.*item.decoded;
    if (!value) {
        return notCopied(item.label);
    }
    return {item.label, decoders::channelValueText(item.channel, value->raw), value->statusName,
            item.health[value->status]};
}

SummaryLine memoryStatusLine(const DecodedFrame& frame, const std::optional<std::string>& error) {
    if (!frame.statusWord) {
        return notCopied("Memory status");
    }
    if (error) {
        return {"Memory status", "code 3", "no name", Health::Fault};
    }
    return {"Memory status", "", frame.statusWord->items[memoryStatusItem], Health::Normal};
}

SummaryLine sunSensorLine(const DecodedFrame& frame) {
    if (!frame.sunSensor) {
        return notCopied("Sun sensor");
    }
    const auto& sun = *frame.sunSensor;
    return {"Sun sensor", std::to_string(sun.c) + ", " + std::to_string(sun.d), sun.statusName,
            Health::Normal};
}

void addAnalogLines(std::vector<SummaryLine>& lines, const DecodedFrame& frame, std::size_t first,
                    std::size_t last) {
    for (std::size_t i = first; i <= last; ++i) {
        lines.push_back(analogLine(analogItems[i], frame));
    }
}

// The status word and its flags, as far as they could be named.
void addStatusWordLines(std::vector<SummaryLine>& lines, const DecodedFrame& frame,
                        const std::optional<std::string>& error) {
    if (!frame.statusWord) {
        return;
    }
    lines.push_back({"Status word", decoders::formatHex(frame.statusWord->word, 4), "",
                     error ? Health::Fault : Health::Normal});
    const auto& items = frame.statusWord->items;
    for (std::size_t i = 0; i < items.size(); ++i) {
        lines.push_back({statusItemLabels[i], items[i], "", Health::Normal});
    }
    if (error) {
        lines.push_back({"Memory status", "code 3", "no name", Health::Fault});
    }
}

struct Preview {
    DecodedFrame decoded;
    std::optional<std::string> error;
};

struct Quiet : decoders::Notifier {
    void showMessage(const std::string& /*cp932Text*/) override {}
};

// Runs the decoders that a Check would run for one field on a copy of the state.
Preview decodeAlone(decoders::ProgramState scratch, const FrameTexts& boxes, std::size_t field) {
    for (std::size_t i = 0; i < fieldCount; ++i) {
        scratch.*frameFields[i].copy = boxes[i];
    }
    Preview preview;
    std::string ignored;
    Quiet quiet;
    decoders::Analyzer analyzer(scratch, ignored, quiet, &preview.decoded);
    using A = decoders::Analyzer;
    static constexpr std::array<void (A::*)(), fieldCount> decoderOf{
        &A::analyzeSMeter,
        &A::analyzeBatteryVoltage,
        &A::analyzeBatteryCurrent,
        &A::analyzeBus33Voltage,
        &A::analyzeSolarCellVoltage,
        &A::analyzeUplinkCommand,
        &A::analyzeStatusWord,
        &A::analyzeSunSensor,
        &A::analyzeSunSensor,
        &A::analyzeBatteryTemperature,
        &A::analyzeCommunicationTemperature};
    const bool sunSensor = field == field::C || field == field::D;
    if (field == field::H4 && !scratch.fieldH1.empty()) {
        analyzer.analyzeBatteryVoltage();  // the solar cell compares with this frame's battery
    }
    // As in the Check, C and D are decoded only together, and only with B.
    const bool filled =
        sunSensor ? !scratch.fieldB.empty() && !scratch.fieldC.empty() && !scratch.fieldD.empty()
                  : !(scratch.*frameFields[field].copy).empty();
    if (!filled) {
        return preview;
    }
    try {
        if (sunSensor) {
            analyzer.analyzeStatusWord();  // for this frame's power flag
        }
        (analyzer.*decoderOf[field])();
    } catch (const space::Exception& error) {
        preview.error = error.message;
    }
    return preview;
}

}  // namespace

std::vector<SummaryLine> summarizeCheck(const CheckOutcome& outcome) {
    std::vector<SummaryLine> lines;
    addAnalogLines(lines, outcome.decoded, 0, 6);
    lines.push_back(memoryStatusLine(outcome.decoded, outcome.decodingError));
    lines.push_back(sunSensorLine(outcome.decoded));
    return lines;
}

std::vector<SummaryLine> previewField(const decoders::ProgramState& state, const FrameTexts& boxes,
                                      std::size_t field) {
    const Preview preview = decodeAlone(state, boxes, field);
    std::vector<SummaryLine> lines;
    if (field <= field::H4) {
        addAnalogLines(lines, preview.decoded, field, field);
    } else if (field == field::A) {
        if (preview.decoded.uplinkCommand) {
            lines.push_back({"Uplink command",
                             decoders::formatHex(*preview.decoded.uplinkCommand, 4), "",
                             Health::Normal});
        } else {
            lines.push_back(notCopied("Uplink command"));
        }
    } else if (field == field::B) {
        addStatusWordLines(lines, preview.decoded, preview.error);
        if (lines.empty()) {
            lines.push_back(notCopied("Status word"));
        }
    } else if (field <= field::D) {
        lines.push_back(sunSensorLine(preview.decoded));
    } else {
        // E and F follow the five power channels among the analog items.
        const std::size_t item = field - field::E + 5;
        addAnalogLines(lines, preview.decoded, item, item);
    }
    return lines;
}

FieldReading readField(std::size_t field, const std::string& text) {
    const auto digits = static_cast<std::size_t>(frameFields[field].digits);
    bool clean = text.size() == digits;
    for (const char c : text) {
        clean =
            clean && ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'));
    }
    const auto value = static_cast<std::uint32_t>(decoders::convertField(text));
    const std::uint32_t mask = digits == 4 ? 0xFFFF : 0xFF;
    return {clean, decoders::formatHex(value & mask, static_cast<int>(digits))};
}

}  // namespace check
