// SPDX-License-Identifier: MIT
#include "check/CheckOperation.h"

#include <array>

#include "check/UtcTime.h"
#include "decoders/Analyzer.h"
#include "decoders/Formatting.h"
#include "space/Exception.h"

namespace check {
namespace {

using decoders::appendHex;

constexpr const char* separatorLine =
    "------------------------------------------------------------------------\r\n";

void decodeStatusAndSunSensor(decoders::Analyzer& analyzer, const decoders::ProgramState& state,
                              std::string& resultText, CheckOutcome& outcome) {
    try {
        analyzer.analyzeStatusWord();
    } catch (const space::Exception& error) {
        resultText += error.message + "\r\n\r\n";
        outcome.decodingError = error.message;
        return;  // this frame's power flag was never stored, so the sun sensor cannot be read
    }
    if (!state.fieldC.empty() && !state.fieldD.empty()) {
        analyzer.analyzeSunSensor();
    }
}

using decoders::Analyzer;

void runIfFilled(Analyzer& analyzer, const std::string& field, void (Analyzer::*decode)()) {
    if (!field.empty()) {
        (analyzer.*decode)();
    }
}

// The decoders in frame order; the solar cell reads the battery voltage decoded before it,
// the sun sensor the power flag of the status word decoded before it.
void runDecoders(Analyzer& analyzer, const decoders::ProgramState& state, std::string& resultText,
                 CheckOutcome& outcome) {
    runIfFilled(analyzer, state.fieldH0, &Analyzer::analyzeSMeter);
    runIfFilled(analyzer, state.fieldH1, &Analyzer::analyzeBatteryVoltage);
    runIfFilled(analyzer, state.fieldH2, &Analyzer::analyzeBatteryCurrent);
    runIfFilled(analyzer, state.fieldH3, &Analyzer::analyzeBus33Voltage);
    runIfFilled(analyzer, state.fieldH4, &Analyzer::analyzeSolarCellVoltage);
    runIfFilled(analyzer, state.fieldA, &Analyzer::analyzeUplinkCommand);
    if (!state.fieldB.empty()) {
        decodeStatusAndSunSensor(analyzer, state, resultText, outcome);
    }
    runIfFilled(analyzer, state.fieldE, &Analyzer::analyzeBatteryTemperature);
    runIfFilled(analyzer, state.fieldF, &Analyzer::analyzeCommunicationTemperature);
}

}  // namespace

std::time_t systemClock() {
    return std::time(nullptr);
}

void appendInputHeading(std::string& resultText, std::time_t now) {
    resultText += "Input at ";
    appendUtc(resultText, now);
    resultText += "UTC\r\n\r\n";
}

std::string frameEcho(const decoders::ProgramState& s) {
    std::string echo = "VOKA";
    auto add = [&echo](auto raw, int digits) {
        echo += ' ';
        appendHex(echo, static_cast<std::uint32_t>(raw), digits);
    };
    add(s.rawH0, 2), add(s.rawH1, 2), add(s.rawH2, 2), add(s.rawH3, 2), add(s.rawH4, 2);
    add(s.rawA, 4), add(s.rawB, 4);
    add(s.rawC, 2), add(s.rawD, 2), add(s.rawE, 2), add(s.rawF, 2);
    return echo;
}

CheckOutcome runCheck(decoders::ProgramState& state, std::string& resultText,
                      const FrameTexts& texts, const Clock& clock, decoders::Notifier& notifier) {
    for (std::size_t i = 0; i < fieldCount; ++i) {
        state.*frameFields[i].copy = texts[i];
    }
    appendInputHeading(resultText, clock());

    CheckOutcome outcome;
    decoders::Analyzer analyzer(state, resultText, notifier, &outcome.decoded);
    runDecoders(analyzer, state, resultText, outcome);

    resultText += "CW Code = \t\t";
    resultText += frameEcho(state);
    resultText += "\r\n";
    resultText += separatorLine;
    return outcome;
}

void clearFieldCopies(decoders::ProgramState& state) {
    for (const FrameField& field : frameFields) {
        (state.*field.copy).clear();
    }
}

}  // namespace check
