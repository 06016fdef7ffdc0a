// SPDX-License-Identifier: MIT
#include "batch/SignalCleanup.h"

#include <fcntl.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <initializer_list>

namespace batch {
namespace {

// Read by the handler, so only plain data; changed with the signals blocked.
int registeredFolder = -1;
char registeredName[NAME_MAX + 1] = {};

void removeAndEnd(int signal) {
    if (registeredName[0] != '\0') {
        unlinkat(registeredFolder, registeredName, 0);
    }
    std::signal(signal, SIG_DFL);
    raise(signal);
}

}  // namespace

const sigset_t& endingSignals() {
    static const sigset_t signals = [] {
        sigset_t set;
        sigemptyset(&set);
        for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
            sigaddset(&set, signal);
        }
        return set;
    }();
    return signals;
}

void installSignalCleanup() {
    struct sigaction action = {};
    action.sa_handler = removeAndEnd;
    action.sa_mask = endingSignals();
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction before = {};
        sigaction(signal, nullptr, &before);
        if (before.sa_handler != SIG_IGN) {  // a run started with nohup or in the background
            sigaction(signal, &action, nullptr);
        }
    }
}

void removeOnSignal(int folder, const char* name) {
    sigset_t before;
    sigprocmask(SIG_BLOCK, &endingSignals(), &before);
    registeredFolder = folder;
    const std::size_t length = std::strlen(name);
    if (length < sizeof registeredName) {
        std::memcpy(registeredName, name, length + 1);
    } else {
        registeredName[0] = '\0';
    }
    sigprocmask(SIG_SETMASK, &before, nullptr);
}

bool endingSignalPending() {
    sigset_t pending;
    sigpending(&pending);
    const auto isPending = [&pending](int signal) { return sigismember(&pending, signal) == 1; };
    return isPending(SIGINT) || isPending(SIGTERM) || isPending(SIGHUP);
}

}  // namespace batch
