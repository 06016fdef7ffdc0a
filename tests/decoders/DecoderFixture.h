// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decoders/Analyzer.h"

// Records what the decoders would show in a message box.
class RecordingNotifier : public decoders::Notifier {
  public:
    void showMessage(const std::string& cp932Text) override { messages.push_back(cp932Text); }
    std::vector<std::string> messages;
};

// A fresh program state, an empty result and an analyzer over them.
class DecoderFixture : public testing::Test {
  protected:
    decoders::ProgramState state;
    std::string result;
    RecordingNotifier notifier;
    decoders::DecodedFrame decoded;
    decoders::Analyzer analyzer{state, result, notifier, &decoded};
};
