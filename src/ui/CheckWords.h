// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <string>

#include "check/CheckOperation.h"

namespace ui {

// A decoding error in plain words before the system's message: "The status word could not
// be decoded: memoryStatus error @ getMemoryStatus".
QString decodingErrorInWords(const std::string& message);

// One short sentence on a Check for the screen reader: "Check at 03:04:05 UTC: 2 faults, 3
// at a limit", or the decoding error in plain words. The time is that of the newest block's
// heading in resultText.
QString checkAnnouncement(const std::string& resultText, const check::CheckOutcome& outcome);

}  // namespace ui
