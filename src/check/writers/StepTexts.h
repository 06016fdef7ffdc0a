// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "check/DecodePlan.h"
#include "decoders/DecodedFrame.h"
#include "decoders/TextWriter.h"

namespace check {

// What everything a step of the plan gives depends on, when that is a small number: a
// channel's code and state (its texts come from them alone), the uplink command, the status
// word, the sun sensor's state and its two values when they are bytes, as they nearly always
// are. 0 for a step not decoded in the frame; none for the rare sun sensor beyond bytes.
inline std::optional<std::uint32_t> stepKey(const DecodeStep& step,
                                            const decoders::DecodedFrame& frame) {
    switch (step.kind) {
        case ItemKind::Channel: {
            const auto& value = frame.*step.channel->places.decoded;
            if (!value) {
                return 0U;
            }
            if (value->status < 4) {  // a channel has four states
                return 1 + (value->status * 256U + value->raw);
            }
            break;
        }
        case ItemKind::UplinkCommand:
            return frame.uplinkCommand ? 1 + std::uint32_t{*frame.uplinkCommand} : 0U;
        case ItemKind::StatusWord:
            return frame.statusWord ? 1 + std::uint32_t{frame.statusWord->word} : 0U;
        case ItemKind::SunSensor: {
            const auto& sun = frame.sunSensor;
            if (!sun) {
                return 0U;
            }
            const auto isByte = [](std::int32_t value) { return value >= 0 && value < 256; };
            if (isByte(sun->c) && isByte(sun->d)) {
                return 1 + (std::uint32_t{sun->status} << 16 |
                            static_cast<std::uint32_t>(sun->c) << 8 |
                            static_cast<std::uint32_t>(sun->d));
            }
            break;
        }
    }
    return std::nullopt;
}

// The text a writer makes of each step, kept by the step's key, so that a frame's row or
// object is a copy of a few ready-made texts. A channel's are all made at its first frame (4
// states of 256 codes, or not decoded); of the other steps, whose values a pass sends the
// same frame after frame, the latest is kept.
class StepTexts {
  public:
    using WriteStep = void (*)(decoders::TextWriter& out, const DecodeStep& step,
                               const decoders::DecodedFrame& frame);
    explicit StepTexts(WriteStep write) : write(write) {}

    // Writes what every step of the plan gives for the frame, in order, as write would.
    void writeSteps(decoders::TextWriter& out, const decoders::DecodedFrame& frame);

  private:
    struct Text {
        std::optional<std::uint32_t> key;
        std::string text;
    };
    // Makes the step's texts (a channel's all, another step's for this key) and gives this
    // key's.
    const std::string& made(std::size_t stepIndex, std::uint32_t key,
                            const decoders::DecodedFrame& frame);
    std::vector<Text> everyChannelText(const DecodeStep& step) const;

    WriteStep write;
    std::array<std::vector<Text>, decodeStepCount> steps;
};

}  // namespace check
