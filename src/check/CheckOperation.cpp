// SPDX-License-Identifier: MIT
#include "check/CheckOperation.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "check/DecodePlan.h"
#include "check/UtcTime.h"
#include "decoders/Analyzer.h"
#include "decoders/Formatting.h"
#include "decoders/TextWriter.h"
#include "space/Exception.h"

namespace check {
namespace {

constexpr std::string_view separatorLine =
    "------------------------------------------------------------------------\r\n";

// Every step whose fields are filled in, in frame order. A decoding error does not stop
// the Check: its message becomes a line of the block and the steps that read the failed one
// are skipped (the sun sensor cannot be read without this frame's power flag).
void runDecoders(decoders::Analyzer& analyzer, const FrameTexts& texts,
                 decoders::TextWriter* report, CheckOutcome& outcome) {
    const unsigned filled = filledFields(texts);
    std::array<bool, decodeStepCount> failed{};
    for (std::size_t i = 0; i < decodePlan.size(); ++i) {
        const DecodeStep& step = decodePlan[i];
        if (!isFilled(step, filled) || (step.reads && failed[*step.reads])) {
            continue;
        }
        try {
            (analyzer.*step.decode)();
        } catch (const space::Exception& error) {
            if (report != nullptr) {
                report->add(error.message);
                report->add("\r\n\r\n");
            }
            outcome.decodingError = error.message;
            failed[i] = true;
        }
    }
}

}  // namespace

std::time_t systemClock() {
    return std::time(nullptr);
}

namespace {

// "Input at YYYY-MM-DD HH:MM:SSUTC" and an empty line, always in UTC.
void writeInputHeading(decoders::TextWriter& report, std::time_t now) {
    report.add("Input at ");
    writeUtc(report, now);
    report.add("UTC\r\n\r\n");
}

void writeFrameEcho(decoders::TextWriter& echo, const decoders::ProgramState& s) {
    // "VOKA", then each field after a blank, in at most 8 digits.
    echo.write(4 + fieldCount * 9, [&s](char* to) {
        constexpr std::string_view word = "VOKA";
        to = std::copy(word.begin(), word.end(), to);
        auto add = [&to](auto raw, int digits) {
            *to++ = ' ';
            to = decoders::writeHex(to, static_cast<std::uint32_t>(raw), digits);
        };
        add(s.rawH0, 2), add(s.rawH1, 2), add(s.rawH2, 2), add(s.rawH3, 2), add(s.rawH4, 2);
        add(s.rawA, 4), add(s.rawB, 4);
        add(s.rawC, 2), add(s.rawD, 2), add(s.rawE, 2), add(s.rawF, 2);
        return to;
    });
}

}  // namespace

void appendFrameEcho(std::string& text, const decoders::ProgramState& state) {
    decoders::TextWriter echo(text);
    writeFrameEcho(echo, state);
}

void appendCheck(decoders::ProgramState& state, std::string* resultText, CheckRecord& record,
                 std::time_t time, decoders::Notifier& notifier,
                 std::optional<std::time_t> headingTime, DecodedItems items) {
    for (std::size_t i = 0; i < fieldCount; ++i) {
        decoders::assignText(state.*frameFields[i].copy, record.texts[i]);
    }
    record.decoded.time = time;
    decoders::DecodedFrame* decoded = items == DecodedItems::Filled ? &record.decoded : nullptr;
    if (resultText == nullptr) {
        decoders::Analyzer analyzer(state, nullptr, notifier, decoded);
        runDecoders(analyzer, record.texts, nullptr, record);
        return;
    }
    decoders::TextWriter report(*resultText);
    writeInputHeading(report, headingTime.value_or(time));
    decoders::Analyzer analyzer(state, &report, notifier, decoded);
    runDecoders(analyzer, record.texts, &report, record);
    report.add("CW Code = \t\t");
    writeFrameEcho(report, state);
    report.add("\r\n");
    report.add(separatorLine);
}

CheckOutcome runCheck(decoders::ProgramState& state, std::string& resultText,
                      const FrameTexts& texts, const Clock& clock, decoders::Notifier& notifier) {
    CheckOutcome outcome;
    outcome.texts = texts;
    appendCheck(state, &resultText, outcome, clock(), notifier);
    return outcome;
}

void clearFieldCopies(decoders::ProgramState& state) {
    for (const FrameField& field : frameFields) {
        (state.*field.copy).clear();
    }
}

}  // namespace check
