// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "check/CheckOperation.h"
#include "check/Frame.h"
#include "check/FrameSummary.h"
#include "decoders/Notifier.h"
#include "decoders/ProgramState.h"

namespace check {

using Notifier = decoders::Notifier;

// One run of the program: the program state (field copies, raw values, carried values),
// the result text and the history of the run's Checks. Every source of frames (the boxes,
// a log, a recording) feeds a Session; every output reads its records.
class Session {
  public:
    using Listener = std::function<void(const CheckRecord&)>;
    // A batch run over a long log keeps no history, so its memory stays flat.
    enum class History { Kept, NotKept };
    // An output other than the report (CSV, JSON) needs no report text.
    enum class Report { Written, NotWritten };

    // A run that only writes the report (items NotFilled) leaves the records' decoded items
    // empty.
    explicit Session(Notifier& notifier, Clock clock = systemClock, History history = History::Kept,
                     Report report = Report::Written, DecodedItems items = DecodedItems::Filled);

    // Appends one analysis block for the frame, timed by the frame's own time when it has
    // one and by the clock otherwise, and tells every listener. The heading shows the
    // clock's time instead when the frame asks for Heading::CheckTime.
    const CheckRecord& check(const Frame& frame);

    // Empties the result text and the field copies; raw values and carried values stay.
    void clear();

    // One box decoded as it stands, as the Check would decode it, without changing the state;
    // in daylight, for a view that does not take the built-in eclipse setting.
    std::vector<SummaryLine> preview(const FrameTexts& boxes, std::size_t field,
                                     bool daylight = false) const;

    // The result text, which the dialog lets the operator edit.
    std::string& resultText() { return result; }
    const std::string& resultText() const { return result; }
    // The block the latest Check appended, as long as nothing changed the text since.
    std::string_view lastBlock() const;

    const std::vector<CheckRecord>& history() const { return checks; }
    void addListener(Listener listener);

    const decoders::ProgramState& programState() const { return state; }

  private:
    decoders::ProgramState state;
    std::string result;
    std::size_t lastBlockStart = 0;
    std::vector<CheckRecord> checks;
    CheckRecord latest;
    std::vector<Listener> listeners;
    Notifier& notifier;
    Clock clock;
    History keeping;
    Report report;
    DecodedItems items;
};

}  // namespace check
