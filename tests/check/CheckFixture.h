// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include "check/CheckOperation.h"
#include "decoders/DecoderFixture.h"

// A fresh program state and an empty result, with a clock fixed at fixedTime.
class CheckFixture : public testing::Test {
  protected:
    check::CheckOutcome check(const check::FrameTexts& texts) {
        return check::runCheck(
            state, result, texts, [] { return fixedTime; }, notifier);
    }
    // The block of the latest Check: from its heading to the end of the result.
    std::string lastBlock() const { return result.substr(result.rfind("Input at ")); }

    decoders::ProgramState state;
    std::string result;
    RecordingNotifier notifier;
};

inline const std::string heading = "Input at 2010-01-02 03:04:05UTC\r\n\r\n";
inline const std::string separator = std::string(72, '-') + "\r\n";

inline std::string echo(const std::string& frame) {
    return "CW Code = \t\tVOKA " + frame + "\r\n";
}
