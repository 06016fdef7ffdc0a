// SPDX-License-Identifier: MIT
#pragma once

#include <csignal>

namespace batch {

// SIGINT, SIGTERM and SIGHUP: the signals that end a run early.
const sigset_t& endingSignals();

// On one of those signals, removes the registered temporary file and then ends the program
// by that same signal (the shell then reports 130, 143 or 129).
void installSignalCleanup();

// The temporary file to remove on such a signal: name in the folder open as folder. An empty
// name registers nothing.
void removeOnSignal(int folder, const char* name);

// Whether one of those signals is waiting (blocked).
bool endingSignalPending();

}  // namespace batch
