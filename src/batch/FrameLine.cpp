// SPDX-License-Identifier: MIT
#include "batch/FrameLine.h"

#include <vector>

#include "check/UtcTime.h"

namespace batch {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The line's tokens, in a list that each call reuses, so that a line allocates nothing.
std::vector<std::string_view>& tokensOf(std::string_view line) {
    thread_local std::vector<std::string_view> tokens;
    tokens.clear();
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && isBlank(line[at])) {
            ++at;
        }
        const std::size_t start = at;
        while (at < line.size() && !isBlank(line[at])) {
            ++at;
        }
        if (at > start) {
            tokens.push_back(line.substr(start, at - start));
        }
    }
    return tokens;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

// Whether text follows a pattern in which '9' stands for any digit; letters match in
// either case ("2010-01-02t03:04:05z" is as good as the upper-case form).
bool matches(std::string_view text, std::string_view pattern) {
    if (text.size() != pattern.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (pattern[i] == '9' ? !isDigit(text[i]) : upper(text[i]) != pattern[i]) {
            return false;
        }
    }
    return true;
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
    return check::fromUtc({number(date, 0, 4), number(date, 5, 2), number(date, 8, 2),
                           number(time, 0, 2), number(time, 3, 2), second});
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

constexpr std::string_view datePattern = "9999-99-99";
constexpr std::string_view clockPattern = "99:99:99";

// Takes a leading time off the tokens; a token that starts like a date must be a whole time.
std::variant<std::optional<std::time_t>, BadLine> takeTime(std::vector<std::string_view>& tokens) {
    if (tokens.empty()) {
        return std::optional<std::time_t>{};
    }
    const std::string_view first = tokens.front();
    const bool dateAlone = matches(first, datePattern);
    const bool startsWithDate = first.size() > datePattern.size() &&
                                matches(first.substr(0, datePattern.size()), datePattern) &&
                                upper(first[datePattern.size()]) == 'T';
    if (!dateAlone && !startsWithDate) {
        return std::optional<std::time_t>{};
    }
    std::optional<std::time_t> time;
    std::size_t used = 1;
    if (dateAlone && tokens.size() > 1 && matches(tokens[1], clockPattern)) {
        time = timeOf(first, tokens[1]);
        used = 2;
    } else if (startsWithDate && matches(first, "9999-99-99T99:99:99Z")) {
        time = timeOf(first.substr(0, 10), first.substr(11, 8));
    }
    if (!time) {
        return BadLine{"malformed time (give YYYY-MM-DD HH:MM:SS or YYYY-MM-DDTHH:MM:SSZ in UTC)"};
    }
    tokens.erase(tokens.begin(), tokens.begin() + static_cast<std::ptrdiff_t>(used));
    return time;
}

}  // namespace

FrameLine readFrameLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    // A NUL would end the field's text early in the decoders ("A6\0" read as A6).
    if (line.find('\0') != std::string_view::npos) {
        return BadLine{"NUL byte in the line"};
    }
    std::vector<std::string_view>& tokens = tokensOf(line);
    if (tokens.empty() || tokens.front().front() == '#') {
        return NoFrame{};
    }
    LoggedFrame frame;
    auto time = takeTime(tokens);
    if (auto* bad = std::get_if<BadLine>(&time)) {
        return *bad;
    }
    frame.time = std::get<std::optional<std::time_t>>(time);
    if (!tokens.empty() && equalsIgnoringCase(tokens.front(), "VOKA")) {
        tokens.erase(tokens.begin());
    }
    if (tokens.size() != check::fieldCount) {
        return BadLine{"expected 11 fields (H0 H1 H2 H3 H4 A B C D E F), found " +
                       std::to_string(tokens.size())};
    }
    for (std::size_t i = 0; i < check::fieldCount; ++i) {
        if (tokens[i] != "-") {
            frame.texts[i] = tokens[i];
        }
    }
    return frame;
}

}  // namespace batch
