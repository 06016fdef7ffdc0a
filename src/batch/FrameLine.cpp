// SPDX-License-Identifier: MIT
#include "batch/FrameLine.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "check/UtcTime.h"

namespace batch {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The most tokens a frame line has: a date, a clock, VOKA and the eleven fields.
constexpr std::size_t mostTokens = 14;

// A line's first tokens and how many it has in all.
struct Tokens {
    std::array<std::string_view, mostTokens> first;
    std::size_t count = 0;
    std::size_t taken = 0;  // how many of the first have been read off the front

    std::size_t left() const { return count - taken; }
    std::string_view front() const { return first[taken]; }
    std::string_view operator[](std::size_t i) const { return first[taken + i]; }
};

// The first blank at or after at, or end. A line is read eight bytes at a time where it can:
// a byte of a word that equals the blank is found as a zero byte of the word XOR the blank
// in every byte; the lowest such byte found is always a true one.
const char* nextBlank(const char* at, const char* end) {
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t ones = 0x0101010101010101;
        constexpr std::uint64_t highs = 0x8080808080808080;
        const auto zeroBytes = [](std::uint64_t word) { return (word - ones) & ~word & highs; };
        for (; end - at >= 8; at += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, at, sizeof word);
            const std::uint64_t blanks =
                zeroBytes(word ^ (ones * ' ')) | zeroBytes(word ^ (ones * '\t'));
            if (blanks != 0) {
                return at + std::countr_zero(blanks) / 8;
            }
        }
    }
    while (at != end && !isBlank(*at)) {
        ++at;
    }
    return at;
}

Tokens tokensOf(std::string_view line) {
    Tokens tokens;
    const char* at = line.data();
    const char* const end = at + line.size();
    for (;;) {
        while (at != end && isBlank(*at)) {
            ++at;
        }
        if (at == end) {
            return tokens;
        }
        const char* start = at;
        at = nextBlank(at, end);
        if (tokens.count < mostTokens) {
            tokens.first[tokens.count] = {start, static_cast<std::size_t>(at - start)};
        }
        ++tokens.count;
    }
}

bool isDigit(char c) {
    return static_cast<unsigned char>(c - '0') < 10;
}

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

// Whether the text has digits at the given places and the separator between them.
template <std::size_t size>
bool digitsAround(std::string_view text, char separator, const std::array<int, size>& digits,
                  std::array<int, 2> separators) {
    bool all = text[static_cast<std::size_t>(separators[0])] == separator &&
               text[static_cast<std::size_t>(separators[1])] == separator;
    for (const int at : digits) {
        all = all && isDigit(text[static_cast<std::size_t>(at)]);
    }
    return all;
}

// "YYYY-MM-DD" at the start of text.
bool startsWithDate(std::string_view text) {
    return text.size() >= 10 && digitsAround(text, '-', std::array{0, 1, 2, 3, 5, 6, 8, 9}, {4, 7});
}

// "HH:MM:SS", the whole text.
bool isClock(std::string_view text) {
    return text.size() == 8 && digitsAround(text, ':', std::array{0, 1, 3, 4, 6, 7}, {2, 5});
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

bool equalsIgnoringCase(std::string_view text, std::string_view upperText) {
    if (text.size() != upperText.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (upper(text[i]) != upperText[i]) {
            return false;
        }
    }
    return true;
}

constexpr std::size_t dateSize = 10;

// Takes a leading time off the tokens; a token that starts like a date must be a whole time.
// False for a malformed time.
bool takeTime(Tokens& tokens, std::optional<std::time_t>& time) {
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
    // A NUL would end the field's text early in the decoders ("A6\0" read as A6).
    if (line.find('\0') != std::string_view::npos) {
        return bad("NUL byte in the line");
    }
    Tokens tokens = tokensOf(line);
    if (tokens.count == 0 || tokens.front().front() == '#') {
        return {LineRead::Kind::NoFrame, {}};
    }
    if (!takeTime(tokens, frame.time)) {
        return bad("malformed time (give YYYY-MM-DD HH:MM:SS or YYYY-MM-DDTHH:MM:SSZ in UTC)");
    }
    if (tokens.left() > 0 && equalsIgnoringCase(tokens.front(), "VOKA")) {
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
