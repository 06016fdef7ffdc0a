// SPDX-License-Identifier: MIT
#pragma once

// How many times operator new has been called in this program so far, for how many bytes.
struct Allocated {
    long count;
    long long bytes;
};
Allocated allocated();
