// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "check/CheckOperation.h"

namespace batch {

// A line of a log that was skipped, or whose frame met a decoding error or a message of
// the decoders, and why (code page 932, as the decoders word it).
struct LineProblem {
    long line;
    std::string reason;
};

// The frames of one log decoded as consecutive Checks of a run of their own, for the views
// that show a pass: every record, and each line that veskar-decode would report.
struct PassLog {
    std::string name;
    std::vector<check::CheckRecord> records;
    std::vector<LineProblem> problems;
    std::optional<std::string> readError;  // the log could not be read, and why
    bool cancelled = false;
};

// Reads a log line by line; a line without a time is timed by the clock, as veskar-decode
// times it. Stops early, marked cancelled, once cancel is set.
PassLog readPassLog(std::istream& log, const std::string& name, const check::Clock& clock,
                    const std::atomic<bool>* cancel = nullptr);
PassLog readPassLogFile(const std::string& path, const check::Clock& clock,
                        const std::atomic<bool>* cancel = nullptr);

// A record as a line of a frame log that reads back to the same Check:
// "2010-01-02 03:04:05 VOKA 86 A6 - ...". Nothing when a field's text cannot be one token
// of a log line (it holds a blank, or is "-" or starts with "#"); why goes to reason.
std::optional<std::string> frameLogLine(const check::CheckRecord& record, std::string* reason);

// The analysis block of records[index] as the Check appended it: the records replayed in
// order from a fresh run, since a block also shows values carried from earlier frames.
std::string replayedBlock(const std::vector<check::CheckRecord>& records, std::size_t index);

}  // namespace batch
