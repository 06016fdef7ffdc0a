// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/ExampleFrame.h"
#include "decoders/Analyzer.h"

// A fresh program state, an empty result and an analyzer over them.
class DecoderFixture : public testing::Test {
  protected:
    decoders::ProgramState state;
    std::string result;
    RecordingNotifier notifier;
    decoders::DecodedFrame decoded;
    decoders::Analyzer analyzer{state, result, notifier, &decoded};
};
