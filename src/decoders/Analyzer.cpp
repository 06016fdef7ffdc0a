// SPDX-License-Identifier: MIT
#include "decoders/Analyzer.h"

#include "decoders/AnalogChannels.h"
#include "decoders/FieldConversion.h"
#include "decoders/Formatting.h"

namespace decoders {
namespace {

// "dかnを指定して下さい．" (give d or n) in code page 932.
constexpr const char* askForDayOrNight =
    "d\x82\xA9n\x82\xF0\x8E\x77\x92\xE8\x82\xB5\x82\xC4\x89\xBA\x82\xB3\x82\xA2\x81\x44";

}  // namespace

Analyzer::Analyzer(ProgramState& state, std::string& resultText, Notifier& notifier,
                   DecodedFrame* decoded)
    : state(state), resultText(&resultText), notifier(notifier), decoded(decoded) {}

Analyzer::Analyzer(ProgramState& state, TextWriter* report, Notifier& notifier,
                   DecodedFrame* decoded)
    : state(state), writer(report), notifier(notifier), decoded(decoded) {}

void Analyzer::analyzeSMeter() {
    analyzeChannel(sMeterChannel);
}

void Analyzer::analyzeBatteryVoltage() {
    state.lastBatteryVoltage = analyzeChannel(batteryVoltageChannel);
}

void Analyzer::analyzeBatteryCurrent() {
    analyzeChannel(batteryCurrentChannel);
}

void Analyzer::analyzeBus33Voltage() {
    analyzeChannel(bus33VoltageChannel);
}

void Analyzer::analyzeSolarCellVoltage() {
    analyzeChannel(solarCellVoltageChannel);
}

void Analyzer::analyzeBatteryTemperature() {
    analyzeChannel(batteryTemperatureChannel);
}

void Analyzer::analyzeCommunicationTemperature() {
    analyzeChannel(communicationTemperatureChannel);
}

int Analyzer::askForDayNightMode() const {
    if (writer != nullptr) {
        writer->settle();  // a message box may let the dialog read the result text
    }
    notifier.showMessage(askForDayOrNight);
    return 255;
}

// The state of a channel whose state depends on day or night. Kept apart from
// analyzeChannel, whose other channels then need no reading on the stack.
std::uint8_t Analyzer::stateByDayOrNight(const AnalogChannel& channel, std::uint8_t raw,
                                         double value) const {
    return channel.meaning.classify({raw, value, getDayNightMode() != 0, state.lastBatteryVoltage});
}

// Decodes one analog channel, appends its line and gives its engineering value. What the
// code gives was made once per run from the record's conversion and getters.
double Analyzer::analyzeChannel(const AnalogChannel& channel) {
    const ChannelPlaces& places = channel.places;
    const auto raw = static_cast<std::uint8_t>(convertField(state.*places.field));
    const ChannelTexts& texts = textsOfChannel(channel);
    const double value = texts.value[raw];
    const std::uint8_t status =
        channel.meaning.readsDayNight ? stateByDayOrNight(channel, raw, value) : texts.state[raw];
    state.*places.rawSlot = raw;
    report(texts.reportLine[raw]);
    if (decoded != nullptr) {
        decoded->*places.decoded = ChannelValue{raw, value, status, texts.stateName.at(status)};
    }
    return value;
}

}  // namespace decoders
