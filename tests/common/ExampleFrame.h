// SPDX-License-Identifier: MIT
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "check/FrameFields.h"
#include "decoders/Notifier.h"

// The full frame of the worked example, as typed.
inline const check::FrameTexts exampleFrame{"86",   "A6", "00", "7F", "C0", "1234",
                                            "2B75", "90", "8F", "80", "80"};

// 2010-01-02 03:04:05 UTC: the time the tests' clocks are fixed at.
constexpr std::time_t fixedTime = 1262401445;

// Records what the decoders would show in a message box.
class RecordingNotifier : public decoders::Notifier {
  public:
    void showMessage(const std::string& cp932Text) override { messages.push_back(cp932Text); }
    std::vector<std::string> messages;
};

// Shows nothing.
class SilentNotifier : public decoders::Notifier {
  public:
    void showMessage(const std::string& /*cp932Text*/) override {}
};
