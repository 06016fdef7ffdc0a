// SPDX-License-Identifier: MIT
#include "check/FrameSummary.h"

#include <array>
#include <optional>

#include "check/DecodePlan.h"
#include "decoders/AnalogChannels.h"
#include "decoders/Analyzer.h"
#include "decoders/FieldConversion.h"
#include "decoders/Formatting.h"
#include "decoders/StatusItems.h"
#include "space/Exception.h"

namespace check {
namespace {

using decoders::AnalogChannel;
using decoders::DecodedFrame;

SummaryLine notCopied(std::string_view label) {
    return {std::string(label), "", "", Health::NotCopied};
}

SummaryLine channelLine(const AnalogChannel& channel, const DecodedFrame& frame) {
    const auto& value = frame.*channel.places.decoded;
    if (!value) {
        return notCopied(channel.names.panelLabel);
    }
    return {std::string(channel.names.panelLabel),
            decoders::textsOfChannel(channel).valueText[value->raw], std::string(value->statusName),
            channel.meaning.health[value->status]};
}

const decoders::StatusItem& memoryStatus = decoders::statusItems[decoders::memoryStatusItem];

// The memory status's code 3 has no name: the status word could not be decoded.
SummaryLine unnamedMemoryStatus() {
    return {std::string(memoryStatus.panelLabel), "code 3", "no name", Health::Fault};
}

SummaryLine memoryStatusLine(const DecodedFrame& frame, const std::optional<std::string>& error) {
    if (!frame.statusWord) {
        return notCopied(memoryStatus.panelLabel);
    }
    if (error) {
        return unnamedMemoryStatus();
    }
    return {std::string(memoryStatus.panelLabel), "",
            frame.statusWord->items[decoders::memoryStatusItem].printed(), Health::Normal};
}

SummaryLine sunSensorLine(const DecodedFrame& frame) {
    if (!frame.sunSensor) {
        return notCopied("Sun sensor");
    }
    const auto& sun = *frame.sunSensor;
    return {"Sun sensor", std::to_string(sun.c) + ", " + std::to_string(sun.d),
            std::string(sun.statusName), Health::Normal};
}

SummaryLine uplinkLine(const DecodedFrame& frame) {
    if (!frame.uplinkCommand) {
        return notCopied("Uplink command");
    }
    return {"Uplink command", decoders::formatHex(*frame.uplinkCommand, 4), "", Health::Normal};
}

// The status word and its flags, as far as they could be named.
std::vector<SummaryLine> statusWordLines(const DecodedFrame& frame,
                                         const std::optional<std::string>& error) {
    if (!frame.statusWord) {
        return {notCopied("Status word")};
    }
    std::vector<SummaryLine> lines{{"Status word", decoders::formatHex(frame.statusWord->word, 4),
                                    "", error ? Health::Fault : Health::Normal}};
    const auto& items = frame.statusWord->items;
    for (std::size_t i = 0; i < items.size(); ++i) {
        lines.push_back({std::string(decoders::statusItems[i].panelLabel), items[i].printed(), "",
                         Health::Normal});
    }
    if (error) {
        lines.push_back(unnamedMemoryStatus());
    }
    return lines;
}

struct Quiet : decoders::Notifier {
    void showMessage(const std::string& /*cp932Text*/) override {}
};

// Runs the steps of the plan that a Check would run for one field, on a copy of the state.
CheckOutcome decodeAlone(decoders::ProgramState scratch, const FrameTexts& boxes,
                         const DecodeStep& step) {
    CheckOutcome preview;
    const unsigned filled = filledFields(boxes);
    if (!isFilled(step, filled)) {
        return preview;
    }
    for (std::size_t i = 0; i < fieldCount; ++i) {
        scratch.*frameFields[i].copy = boxes[i];
    }
    std::string ignored;
    Quiet quiet;
    decoders::Analyzer analyzer(scratch, ignored, quiet, &preview.decoded);
    try {
        if (step.reads && isFilled(decodePlan[*step.reads], filled)) {
            (analyzer.*decodePlan[*step.reads].decode)();
        }
        (analyzer.*step.decode)();
    } catch (const space::Exception& error) {
        preview.decodingError = error.message;
    }
    return preview;
}

}  // namespace

std::vector<SummaryLine> summarizeCheck(const CheckOutcome& outcome) {
    std::vector<SummaryLine> lines;
    lines.reserve(decoders::analogChannelCount + 2);
    for (const AnalogChannel& channel : decoders::analogChannels) {
        lines.push_back(channelLine(channel, outcome.decoded));
    }
    lines.push_back(memoryStatusLine(outcome.decoded, outcome.decodingError));
    lines.push_back(sunSensorLine(outcome.decoded));
    return lines;
}

std::vector<SummaryLine> previewField(const decoders::ProgramState& state, const FrameTexts& boxes,
                                      std::size_t field) {
    const DecodeStep& step = decodePlan[stepOf(field)];
    const CheckOutcome preview = decodeAlone(state, boxes, step);
    switch (step.kind) {
        case ItemKind::Channel:
            return {channelLine(*step.channel, preview.decoded)};
        case ItemKind::UplinkCommand:
            return {uplinkLine(preview.decoded)};
        case ItemKind::StatusWord:
            return statusWordLines(preview.decoded, preview.decodingError);
        case ItemKind::SunSensor:
            return {sunSensorLine(preview.decoded)};
    }
    return {};
}

FieldReading readField(std::size_t field, std::string_view text) {
    const auto digits = static_cast<std::size_t>(frameFields[field].digits);
    const bool clean = isCleanField(field, text);
    const auto value = static_cast<std::uint32_t>(decoders::convertField(text));
    const std::uint32_t mask = digits == 4 ? 0xFFFF : 0xFF;
    return {clean, decoders::formatHex(value & mask, static_cast<int>(digits))};
}

}  // namespace check
