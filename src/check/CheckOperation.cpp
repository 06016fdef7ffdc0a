// SPDX-License-Identifier: MIT
#include "check/CheckOperation.h"

#include <array>

#include "decoders/Analyzer.h"
#include "decoders/Formatting.h"
#include "space/Exception.h"

namespace check {
namespace {

using decoders::formatHex;

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
    std::tm utc{};
    gmtime_r(&now, &utc);
    std::array<char, 64> text{};
    const std::size_t length = std::strftime(text.data(), text.size(), "%Y-%m-%d %H:%M:%S", &utc);
    resultText += "Input at ";
    resultText.append(text.data(), length);
    resultText += "UTC\r\n\r\n";
}

std::string frameEcho(const decoders::ProgramState& s) {
    auto two = [](std::uint8_t raw) { return " " + formatHex(raw, 2); };
    auto four = [](std::int32_t raw) {
        return " " + formatHex(static_cast<std::uint32_t>(raw), 4);
    };
    return "VOKA" + two(s.rawH0) + two(s.rawH1) + two(s.rawH2) + two(s.rawH3) + two(s.rawH4) +
           four(s.rawA) + four(s.rawB) + two(s.rawC) + two(s.rawD) + two(s.rawE) + two(s.rawF);
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

    resultText += "CW Code = \t\t" + frameEcho(state) + "\r\n";
    resultText += separatorLine;
    return outcome;
}

void clearFieldCopies(decoders::ProgramState& state) {
    for (const FrameField& field : frameFields) {
        (state.*field.copy).clear();
    }
}

}  // namespace check
