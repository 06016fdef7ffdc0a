// SPDX-License-Identifier: MIT
#include "check/Session.h"

namespace check {

Session::Session(Notifier& notifier, Clock clock, History history)
    : notifier(notifier), clock(std::move(clock)), keeping(history) {}

const CheckRecord& Session::check(const Frame& frame) {
    lastBlockStart = result.size();
    const std::time_t time = frame.time ? *frame.time : clock();
    CheckRecord record = runCheck(
        state, result, frame.texts, [time] { return time; }, notifier);
    record.origin = frame.origin;
    if (keeping == History::Kept) {
        checks.push_back(std::move(record));
    } else {
        latest = std::move(record);
    }
    const CheckRecord& checked = keeping == History::Kept ? checks.back() : latest;
    for (const Listener& listener : listeners) {
        listener(checked);
    }
    return checked;
}

void Session::clear() {
    result.clear();
    lastBlockStart = 0;
    clearFieldCopies(state);
}

std::vector<SummaryLine> Session::preview(const FrameTexts& boxes, std::size_t field) const {
    return previewField(state, boxes, field);
}

std::string_view Session::lastBlock() const {
    return std::string_view(result).substr(std::min(lastBlockStart, result.size()));
}

void Session::addListener(Listener listener) {
    listeners.push_back(std::move(listener));
}

}  // namespace check
