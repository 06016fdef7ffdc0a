// SPDX-License-Identifier: MIT
#include "batch/FrameLine.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "batch/LineTokens.h"
#include "check/UtcTime.h"

namespace batch {
namespace {

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

// Whether the eight bytes from at read "dd?dd?dd", with the separator for ?, as "HH:MM:SS"
// does and the end of "YYYY-MM-DD". All eight are looked at in one word: the digits become
// 0 to 9 when XORed with '0', and only those stay below 0x80 when 0x76 is added.
bool isPairsOfDigits(const char* at, char separator) {
    constexpr std::uint64_t ones = 0x0101010101010101;
    constexpr std::uint64_t separators = 0x0000FF0000FF0000;  // bytes 2 and 5, read little-endian
    std::uint64_t word = 0;
    std::memcpy(&word, at, sizeof word);
    if constexpr (std::endian::native == std::endian::big) {
        word = __builtin_bswap64(word);
    }
    const std::uint64_t digits = (word ^ (ones * '0')) & ~separators;
    const bool allDigits = (((digits + ones * 0x76) | digits) & (ones * 0x80)) == 0;
    return allDigits &&
           (word & separators) == ((ones * static_cast<unsigned char>(separator)) & separators);
}

// "YYYY-MM-DD" at the start of text.
bool startsWithDate(std::string_view text) {
    return text.size() >= 10 && static_cast<unsigned char>(text[0] - '0') < 10 &&
           static_cast<unsigned char>(text[1] - '0') < 10 && isPairsOfDigits(text.data() + 2, '-');
}

// "HH:MM:SS", the whole text.
bool isClock(std::string_view text) {
    return text.size() == 8 && isPairsOfDigits(text.data(), ':');
}

int number(std::string_view text, std::size_t at, std::size_t digits) {
    int value = 0;
    for (std::size_t i = at; i < at + digits; ++i) {
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// "YYYY-MM-DD" and "HH:MM:SS", already of the right shape. A leap second, 23:59:60, is
// taken as 23:59:59: seconds since 1970 (and so the report's heading) have no room for it,
// and the frame stays in the minute and on the day it was logged.
std::optional<std::time_t> timeOf(std::string_view date, std::string_view time) {
    int second = number(time, 6, 2);
    if (second == 60 && time.substr(0, 5) == "23:59") {
        second = 59;
    }
    const int hour = number(time, 0, 2);
    const int minute = number(time, 3, 2);
    // A log gives the same date line after line: its start is kept with its text.
    thread_local bool known = false;
    thread_local std::array<char, 10> knownDate{};
    thread_local std::time_t knownStart = 0;
    if (!known || date != std::string_view(knownDate.data(), knownDate.size())) {
        const std::optional<std::time_t> start =
            check::fromUtc({number(date, 0, 4), number(date, 5, 2), number(date, 8, 2), 0, 0, 0});
        if (!start) {
            return std::nullopt;
        }
        std::copy(date.begin(), date.end(), knownDate.begin());
        knownStart = *start;
        known = true;
    }
    if (hour > 23 || minute > 59 || second > 59) {
        return std::nullopt;
    }
    return knownStart + std::time_t{hour} * 3600 + std::time_t{minute} * 60 + second;
}

// "VOKA" in any case. Setting bit 5 of a letter makes it lower case, and of the other bytes
// only those that differ from "voka" in bit 5 alone (the upper-case letters) become "voka".
bool isFrameWord(std::string_view text) {
    constexpr std::string_view word = "voka";
    if (text.size() != word.size()) {
        return false;
    }
    std::uint32_t bytes = 0;
    std::uint32_t expected = 0;
    std::memcpy(&bytes, text.data(), sizeof bytes);
    std::memcpy(&expected, word.data(), sizeof expected);
    return (bytes | 0x20202020U) == expected;
}

constexpr std::size_t dateSize = 10;

// Takes a leading time off the tokens; a token that starts like a date must be a whole time.
// False for a malformed time.
bool takeTime(LineTokens& tokens, std::optional<std::time_t>& time) {
    time.reset();
    if (tokens.left() == 0) {
        return true;
    }
    const std::string_view first = tokens.front();
    if (!startsWithDate(first) || (first.size() > dateSize && upper(first[dateSize]) != 'T')) {
        return true;
    }
    const std::string_view date = first.substr(0, dateSize);
    std::size_t used = 1;
    if (first.size() == dateSize) {
        if (tokens.left() > 1 && isClock(tokens[1])) {
            time = timeOf(date, tokens[1]);
            used = 2;
        }
    } else if (first.size() == dateSize + 10 && isClock(first.substr(dateSize + 1, 8)) &&
               upper(first.back()) == 'Z') {
        time = timeOf(date, first.substr(dateSize + 1, 8));
    }
    tokens.taken += used;
    return time.has_value();
}

LineRead bad(std::string reason) {
    return {LineRead::Kind::Bad, std::move(reason)};
}

}  // namespace

LineRead readFrameLine(std::string_view line, check::Frame& frame) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    LineTokens tokens = tokensOf(line);
    // A NUL would end the field's text early in the decoders ("A6\0" read as A6).
    if (tokens.hasNul) {
        return bad("NUL byte in the line");
    }
    if (tokens.count == 0 || tokens.front().front() == '#') {
        return {LineRead::Kind::NoFrame, {}};
    }
    if (!takeTime(tokens, frame.time)) {
        return bad("malformed time (give YYYY-MM-DD HH:MM:SS or YYYY-MM-DDTHH:MM:SSZ in UTC)");
    }
    if (tokens.left() > 0 && isFrameWord(tokens.front())) {
        ++tokens.taken;
    }
    if (tokens.left() != check::fieldCount) {
        return bad("expected 11 fields (H0 H1 H2 H3 H4 A B C D E F), found " +
                   std::to_string(tokens.left()));
    }
    for (std::size_t i = 0; i < check::fieldCount; ++i) {
        frame.texts.set(i, tokens[i] == "-" ? std::string_view{} : tokens[i]);
    }
    return {LineRead::Kind::Frame, {}};
}

}  // namespace batch
