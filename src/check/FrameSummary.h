// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "check/CheckOperation.h"
#include "check/FrameFields.h"
#include "decoders/FieldConversion.h"
#include "decoders/ProgramState.h"

namespace check {

using decoders::Health;

// One line of a frame's description: "Battery voltage", "4.218 [V]", "UpperLimit", Limit.
// Texts are code page 932, like the report.
struct SummaryLine {
    std::string label;
    std::string value;
    std::string state;
    Health health;
};

// The items of a Check that carry a classification or a named state, in frame order: the
// five power and radio channels, the two temperatures, the memory status and the sun
// sensor. An item whose field was not decoded is NotCopied, with empty texts.
std::vector<SummaryLine> summarizeCheck(const CheckOutcome& outcome);

// One field decoded as its box stands, before Check, on a copy of the program state: the
// program state itself does not change. The other boxes count as the Check would count
// them (the solar cell reads H1's battery voltage, the sun sensor B's power flag and both
// C and D). For A and B the lines give the word, for B also its flags.
std::vector<SummaryLine> previewField(const decoders::ProgramState& state, const FrameTexts& boxes,
                                      std::size_t field);

// How a box's text will be read: whether it is a clean number of the field's width, and
// the hexadecimal value the decoders will see ("00" for "zz", "FF" for "1FF").
struct FieldReading {
    bool clean;
    std::string readAs;
};
FieldReading readField(std::size_t field, std::string_view text);
// The first half of that alone: whether the text is a clean number of the field's width.
inline bool isCleanField(std::size_t field, std::string_view text) {
    static_assert(std::all_of(frameFields.begin(), frameFields.end(),
                              [](const FrameField& f) { return f.digits == 2 || f.digits == 4; }));
    const auto digits = static_cast<std::size_t>(frameFields[field].digits);
    if (text.size() != digits) {
        return false;
    }
    // All bytes are looked at, without a branch for each.
    int all = decoders::hexDigit(text[0]) | decoders::hexDigit(text[1]);
    if (digits == 4) {
        all |= decoders::hexDigit(text[2]) | decoders::hexDigit(text[3]);
    }
    return all >= 0;
}

}  // namespace check
