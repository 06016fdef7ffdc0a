// SPDX-License-Identifier: MIT
#pragma once

#include <ctime>
#include <functional>
#include <optional>
#include <string>

#include "check/Frame.h"
#include "check/FrameFields.h"
#include "decoders/DecodedFrame.h"
#include "decoders/Notifier.h"
#include "decoders/ProgramState.h"

namespace check {

// Gives the current time; the program passes the system clock, tests a fixed one.
using Clock = std::function<std::time_t()>;
std::time_t systemClock();

// One Check: the texts it was given, where they came from, what the decoders made of
// them (with the Check's time) and the message of a decoding error met on the way.
struct CheckRecord {
    FrameTexts texts;
    FrameOrigin origin;
    decoders::DecodedFrame decoded;
    std::optional<std::string> decodingError;
};
using CheckOutcome = CheckRecord;

// The Check: copies the texts into the field copies, then appends one analysis block to
// resultText: the heading, the lines of every filled-in field in frame order, the frame echo
// and the separator. A decoding error does not stop it: its message becomes a line of the
// block, the sun sensor (which needs the lost power flag) is skipped and the rest goes on.
CheckOutcome runCheck(decoders::ProgramState& state, std::string& resultText,
                      const FrameTexts& texts, const Clock& clock, decoders::Notifier& notifier);

// Whether a Check fills its record's decoded items. An output that only shows the report
// reads none of them.
enum class DecodedItems { Filled, NotFilled };

// The same Check for a record that already holds its texts and origin, at a given time.
// Without a result text (nullptr) it only decodes, for outputs that do not show the report.
// The heading shows headingTime when given, and time otherwise.
void appendCheck(decoders::ProgramState& state, std::string* resultText, CheckRecord& record,
                 std::time_t time, decoders::Notifier& notifier,
                 std::optional<std::time_t> headingTime = {},
                 DecodedItems items = DecodedItems::Filled);

// Clear empties the field copies; raw values and carried values stay.
void clearFieldCopies(decoders::ProgramState& state);

// Appends "VOKA 86 A6 ..." from the raw values, as the echo line prints them.
void appendFrameEcho(std::string& text, const decoders::ProgramState& state);

}  // namespace check
