// SPDX-License-Identifier: MIT
#pragma once

#include <ctime>
#include <string>

#include "check/CheckOperation.h"
#include "decoders/ProgramState.h"

namespace batch {

// The CSV header row, with its CR LF.
const std::string& csvHeader();

// One frame's row, with its CR LF: the time, the raw values echoed for the fields decoded
// in this frame, every engineering value as the shortest text that reads back to the same
// double, every state name, and the decoding error. Cells of fields not decoded stay empty.
std::string csvRow(std::time_t time, const check::CheckOutcome& outcome,
                   const decoders::ProgramState& state);

}  // namespace batch
