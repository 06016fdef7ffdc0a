// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "check/Session.h"
#include "common/ExampleFrame.h"
#include "common/ScratchFolder.h"
#include "share/Station.h"

// A station with every field set, as the examples use it: Tokyo, no server enabled.
inline share::Station exampleStation() {
    share::StationForm form{"JA1ABC", "PM95uo", "35.6", "139.7", "99999", "437.375", {}, false};
    form.servers = share::offeredServers();
    return *share::checkStation(form).station;
}

// Checks of the example frame at the fixed time, kept in a Session's history.
class Checks {
  public:
    Checks() : session(notifier, [] { return fixedTime; }) {}
    const check::CheckRecord& check(const check::FrameTexts& texts,
                                    std::optional<std::time_t> time = std::nullopt) {
        return session.check(check::Frame{texts, time, {}});
    }
    const std::vector<check::CheckRecord>& history() const { return session.history(); }

  private:
    SilentNotifier notifier;
    check::Session session;
};

// A scratch folder of its own for each test, removed afterwards.
class ScratchFolder : public testing::Test {
  protected:
    void SetUp() override { dir = freshScratchFolder("veskar-share"); }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::filesystem::path dir;
};
