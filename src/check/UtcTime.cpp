// SPDX-License-Identifier: MIT
#include "check/UtcTime.h"

#include <array>
#include <utility>

namespace check {
namespace {

constexpr long long secondsPerDay = 86400;

// Days since 1970-01-01 of a civil date, and back (Howard Hinnant's algorithms).
long long daysFromCivil(long long year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void civilFromDays(long long days, UtcTime& utc) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long shiftedMonth = (5 * dayOfYear + 2) / 153;
    utc.day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    utc.month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    utc.year = yearOfEra + era * 400 + (utc.month <= 2 ? 1 : 0);
}

int daysInMonth(long long year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

void appendNumber(std::string& text, long long value, int digits) {
    if (value < 0) {
        text += '-';
        value = -value;
    }
    const std::string number = std::to_string(value);
    if (static_cast<int>(number.size()) < digits) {
        text.append(static_cast<std::size_t>(digits) - number.size(), '0');
    }
    text += number;
}

// Whole days since 1970 and the seconds into the last of them, also before 1970.
std::pair<long long, long long> daysAndSeconds(std::time_t time) {
    const long long seconds = time;
    long long days = seconds / secondsPerDay;
    long long rest = seconds % secondsPerDay;
    if (rest < 0) {
        rest += secondsPerDay;
        --days;
    }
    return {days, rest};
}

}  // namespace

UtcTime toUtc(std::time_t time) {
    const auto [days, rest] = daysAndSeconds(time);
    UtcTime utc{};
    civilFromDays(days, utc);
    utc.hour = static_cast<int>(rest / 3600);
    utc.minute = static_cast<int>(rest / 60 % 60);
    utc.second = static_cast<int>(rest % 60);
    return utc;
}

std::optional<std::time_t> fromUtc(const UtcTime& u) {
    const bool valid = u.month >= 1 && u.month <= 12 && u.day >= 1 &&
                       u.day <= daysInMonth(u.year, u.month) && u.hour >= 0 && u.hour <= 23 &&
                       u.minute >= 0 && u.minute <= 59 && u.second >= 0 && u.second <= 59;
    if (!valid) {
        return std::nullopt;
    }
    return static_cast<std::time_t>(daysFromCivil(u.year, u.month, u.day) * secondsPerDay +
                                    u.hour * 3600LL + u.minute * 60LL + u.second);
}

void writeUtc(decoders::TextWriter& text, std::time_t time, char between) {
    // Frames come seconds apart: the text up to the minute is kept, and only the seconds are
    // written anew.
    thread_local long long cachedMinute = 0;  // minutes since 1970
    thread_local char cachedBetween = 0;
    thread_local std::string cachedText;  // "YYYY-MM-DD HH:MM:"
    const auto [days, rest] = daysAndSeconds(time);
    const long long minute = days * 1440 + rest / 60;
    if (cachedText.empty() || minute != cachedMinute || between != cachedBetween) {
        UtcTime utc{};
        civilFromDays(days, utc);
        cachedText.clear();
        appendNumber(cachedText, utc.year, 4);
        cachedText += '-';
        appendNumber(cachedText, utc.month, 2);
        cachedText += '-';
        appendNumber(cachedText, utc.day, 2);
        cachedText += between;
        appendNumber(cachedText, rest / 3600, 2);
        cachedText += ':';
        appendNumber(cachedText, rest / 60 % 60, 2);
        cachedText += ':';
        cachedMinute = minute;
        cachedBetween = between;
    }
    text.add(cachedText);
    text.addTwoDigits(static_cast<unsigned>(rest % 60));
}

void appendUtc(std::string& text, std::time_t time) {
    decoders::TextWriter writer(text, 32);
    writeUtc(writer, time);
}

}  // namespace check
