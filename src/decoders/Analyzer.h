// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "decoders/DecodedFrame.h"
#include "decoders/Notifier.h"
#include "decoders/ProgramState.h"
#include "decoders/TextWriter.h"

namespace decoders {

struct AnalogChannel;

// The decoders of the frame fields. Each reads its field copy from the program state,
// stores its raw value there, and appends its report lines to the result text. A decoder
// is only called for a field that is filled in. When given a DecodedFrame, each also fills
// its item there.
class Analyzer {
  public:
    Analyzer(ProgramState& state, std::string& resultText, Notifier& notifier,
             DecodedFrame* decoded = nullptr);
    // The same through the caller's writer on the result text. Without one (nullptr) the
    // decoders only fill the DecodedFrame, for outputs that do not show the report.
    Analyzer(ProgramState& state, TextWriter* report, Notifier& notifier, DecodedFrame* decoded);

    void analyzeSMeter();
    void analyzeBatteryVoltage();
    void analyzeBatteryCurrent();
    void analyzeBus33Voltage();
    void analyzeSolarCellVoltage();
    void analyzeUplinkCommand();
    // Throws space::Exception for a status word whose memory status has no name; the lines
    // appended before the failure stay.
    void analyzeStatusWord();
    void analyzeSunSensor();
    void analyzeBatteryTemperature();
    void analyzeCommunicationTemperature();

    // 1 daylight, 0 eclipse; any other setting is reported to the operator and gives 255.
    int getDayNightMode() const {
        if (state.dayNightMode == 'd') {
            return 1;
        }
        return state.dayNightMode == 'n' ? 0 : askForDayNightMode();
    }

  private:
    double analyzeChannel(const AnalogChannel& channel);
    [[gnu::noinline]] std::uint8_t stateByDayOrNight(const AnalogChannel& channel,
                                                     std::uint8_t raw, double value) const;
    int askForDayNightMode() const;
    [[gnu::always_inline]] void report(std::string_view text) {
        if (writer != nullptr) {
            writer->add(text);
        } else if (resultText != nullptr) {
            resultText->append(text);
        }
    }
    // Appends at most `most` bytes that write(char* to) writes (see TextWriter::write).
    template <typename Write>
    void reportWritten(std::size_t most, Write&& write) {
        if (writer != nullptr) {
            writer->write(most, write);
        } else if (resultText != nullptr) {
            TextWriter(*resultText, most).write(most, write);
        }
    }

    ProgramState& state;
    std::string* resultText = nullptr;
    TextWriter* writer = nullptr;
    Notifier& notifier;
    DecodedFrame* decoded;
};

}  // namespace decoders
