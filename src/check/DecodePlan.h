// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "check/FrameFields.h"
#include "decoders/AnalogChannels.h"
#include "decoders/Analyzer.h"
#include "decoders/DecodedFrame.h"

namespace check {

// What a step of the plan decodes.
enum class ItemKind { Channel, UplinkCommand, StatusWord, SunSensor };

// One decoder of the Check: the fields it needs filled in, the step whose values it reads
// (it runs after that one, and not at all when that one failed), and the decoder itself.
struct DecodeStep {
    ItemKind kind;
    const decoders::AnalogChannel* channel;  // the channel of a Channel step
    unsigned needs;                          // bit 1 << field of each field it needs
    std::optional<std::size_t> reads;        // index of the step it reads in decodePlan
    void (decoders::Analyzer::*decode)();
};

constexpr std::size_t decodeStepCount = 10;

// The decoders in frame order, as both the Check and the preview of one box run them.
extern const std::array<DecodeStep, decodeStepCount> decodePlan;

// The index in decodePlan of the step that decodes a field (C and D share one).
std::size_t stepOf(std::size_t field);

// The fields filled in, as bits 1 << field.
unsigned filledFields(const FrameTexts& texts);

// Whether every field the step needs is filled in.
inline bool isFilled(const DecodeStep& step, unsigned filled) {
    return (step.needs & ~filled) == 0;
}

// A field's raw value as the frame echo shows it, when the field was decoded in the frame
// (B whole, not masked; C and D their low bytes).
std::optional<std::uint32_t> rawValue(const decoders::DecodedFrame& frame, std::size_t field);

}  // namespace check
