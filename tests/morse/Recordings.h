// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "BeaconSignal.h"
#include "common/ScratchFolder.h"

namespace morse::testing {

// Skips a test whose recordings take long to decode, in the sanitized build.
#define SKIP_LONG_RECORDINGS_WHEN_SANITIZED() \
    if (VESKAR_SHORT_RECORDINGS_ONLY)         \
    GTEST_SKIP() << "long recording, in the plain build only"

// Two known frames, used across the tests.
inline const generator::FrameText firstFrame{"86",   "A6", "00", "7F", "C0", "1234",
                                             "2B75", "90", "8F", "80", "80"};
inline const generator::FrameText secondFrame{"3C",   "5E", "F1", "09", "DA", "0B7E",
                                              "C3A4", "6D", "21", "E8", "4F"};

// A scratch folder per test, removed afterwards.
class ScratchFolder : public ::testing::Test {
  protected:
    void SetUp() override { dir = freshScratchFolder("veskar-morse"); }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // A short, clean recording of the frames at 8 kHz, fast to make and to decode.
    static generator::Signal quickSignal() {
        generator::Signal signal;
        signal.sampleRate = 8000;
        signal.wpm = 30;
        signal.toneHz = 900;
        signal.leadSeconds = 0.5;
        signal.tailSeconds = 0.5;
        return signal;
    }

    std::string write(const std::string& name, const generator::Signal& signal,
                      const std::vector<generator::FrameText>& frames, int format,
                      int channels = 1) {
        const generator::Recording recording = generator::generate(signal, frames);
        const std::string path = (dir / name).string();
        generator::writeAudio(path, recording.samples, signal.sampleRate, format, channels);
        return path;
    }

    std::filesystem::path dir;
};

}  // namespace morse::testing
