// SPDX-License-Identifier: MIT
#include "check/Session.h"

#include "decoders/TextWriter.h"

namespace check {
namespace {

// The record emptied for the next Check, keeping what it allocated.
CheckRecord& reused(CheckRecord& record) {
    record.decoded = {};
    record.decodingError.reset();
    return record;
}

// The same for a Check that leaves the decoded items as they are: empty.
CheckRecord& emptied(CheckRecord& record) {
    record.decodingError.reset();
    return record;
}

}  // namespace

Session::Session(Notifier& notifier, Clock clock, History history, Report report,
                 DecodedItems items)
    : notifier(notifier), clock(std::move(clock)), keeping(history), report(report), items(items) {}

const CheckRecord& Session::check(const Frame& frame) {
    lastBlockStart = result.size();
    const std::time_t time = frame.time ? *frame.time : clock();
    const std::time_t heading = frame.heading == Heading::CheckTime ? clock() : time;
    CheckRecord& record = keeping == History::Kept        ? checks.emplace_back()
                          : items == DecodedItems::Filled ? reused(latest)
                                                          : emptied(latest);
    for (std::size_t i = 0; i < fieldCount; ++i) {
        decoders::assignText(record.texts[i], frame.texts[i]);
    }
    record.origin = frame.origin;
    appendCheck(state, report == Report::Written ? &result : nullptr, record, time, notifier,
                heading, items);
    for (const Listener& listener : listeners) {
        listener(record);
    }
    return record;
}

void Session::clear() {
    result.clear();
    lastBlockStart = 0;
    clearFieldCopies(state);
}

std::vector<SummaryLine> Session::preview(const FrameTexts& boxes, std::size_t field,
                                          bool daylight) const {
    if (!daylight) {
        return previewField(state, boxes, field);
    }
    decoders::ProgramState view = state;
    view.dayNightMode = 'd';
    return previewField(view, boxes, field);
}

std::string_view Session::lastBlock() const {
    return std::string_view(result).substr(std::min(lastBlockStart, result.size()));
}

void Session::addListener(Listener listener) {
    listeners.push_back(std::move(listener));
}

}  // namespace check
