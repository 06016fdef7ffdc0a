// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace batch {

// A line split at its blanks (spaces and tabs): its first tokens, as views of the line, and
// how many it has in all.
struct LineTokens {
    // The most tokens a frame line has: a date, a clock, VOKA and the eleven fields.
    static constexpr std::size_t kept = 14;

    std::array<std::string_view, kept> first;
    std::size_t count = 0;
    std::size_t taken = 0;  // how many of the first have been read off the front
    bool hasNul = false;    // whether the line holds a NUL byte

    std::size_t left() const { return count - taken; }
    std::string_view front() const { return first[taken]; }
    std::string_view operator[](std::size_t i) const { return first[taken + i]; }
};

LineTokens tokensOf(std::string_view line);

}  // namespace batch
