// SPDX-License-Identifier: MIT
#include "morse/RecordingTime.h"

#include <array>
#include <cstdio>

namespace morse {
namespace {

struct Civil {
    int year, month, day, hour, minute, second;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether text has the shape of pattern, where '9' stands for any digit.
bool shaped(std::string_view text, std::string_view pattern) {
    if (text.size() != pattern.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (pattern[i] == '9' ? !isDigit(text[i]) : text[i] != pattern[i]) {
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

bool isLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysIn(int year, int month) {
    constexpr std::array<int, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeap(year) ? 29 : days[static_cast<std::size_t>(month - 1)];
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t daysFromEpoch(int year, int month, int day) {
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return static_cast<std::int64_t>(era) * 146097 + dayOfEra - 719468;
}

std::optional<UtcSeconds> secondsOf(const Civil& c) {
    if (c.month < 1 || c.month > 12 || c.day < 1 || c.day > daysIn(c.year, c.month) ||
        c.hour > 23 || c.minute > 59 || c.second > 59) {
        return std::nullopt;
    }
    return daysFromEpoch(c.year, c.month, c.day) * 86400 + c.hour * 3600 + c.minute * 60 + c.second;
}

// "YYYY-MM-DD?HH?MM?SS" with the given separators between the time's parts.
std::optional<UtcSeconds> dateAndTime(std::string_view text, char timeSeparator) {
    const std::string pattern =
        std::string("9999-99-99T99") + timeSeparator + "99" + timeSeparator + "99";
    if (!shaped(text, pattern)) {
        return std::nullopt;
    }
    return secondsOf({number(text, 0, 4), number(text, 5, 2), number(text, 8, 2),
                      number(text, 11, 2), number(text, 14, 2), number(text, 17, 2)});
}

}  // namespace

std::optional<UtcSeconds> parseUtc(std::string_view text) {
    if (text.empty() || text.back() != 'Z') {
        return std::nullopt;
    }
    return dateAndTime(text.substr(0, text.size() - 1), ':');
}

std::optional<UtcSeconds> startFromFileName(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    constexpr std::string_view prefix = "satnogs_";
    if (name.substr(0, prefix.size()) != prefix) {
        return std::nullopt;
    }
    name.remove_prefix(prefix.size());
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string_view::npos) {
        name = name.substr(0, dot);
    }
    const std::size_t underscore = name.find('_');
    if (underscore == 0 || underscore == std::string_view::npos) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < underscore; ++i) {
        if (!isDigit(name[i])) {
            return std::nullopt;  // the observation's number
        }
    }
    return dateAndTime(name.substr(underscore + 1), '-');
}

std::string formatUtc(UtcSeconds seconds) {
    std::int64_t days = seconds / 86400;
    std::int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    // The inverse of daysFromEpoch.
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), "%04lld-%02lld-%02lldT%02lld:%02lld:%02lldZ",
                  static_cast<long long>(year), static_cast<long long>(month),
                  static_cast<long long>(day), static_cast<long long>(rest / 3600),
                  static_cast<long long>(rest / 60 % 60), static_cast<long long>(rest % 60));
    return text.data();
}

}  // namespace morse
