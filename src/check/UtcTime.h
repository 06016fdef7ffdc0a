// SPDX-License-Identifier: MIT
#pragma once

#include <ctime>
#include <optional>
#include <string>

#include "decoders/TextWriter.h"

namespace check {

// A calendar date and time of day in UTC.
struct UtcTime {
    long long year;
    int month, day, hour, minute, second;
};

// Conversions between seconds since 1970 and the proleptic Gregorian calendar in UTC,
// without the C library's time zone or locale.
UtcTime toUtc(std::time_t time);
// Nothing for a date or time of day that does not exist (2010-02-30, 24:00:00).
std::optional<std::time_t> fromUtc(const UtcTime& utc);

// Appends "YYYY-MM-DD HH:MM:SS".
void appendUtc(std::string& text, std::time_t time);
// The same with another character between date and time ('T' for ISO 8601).
void writeUtc(decoders::TextWriter& text, std::time_t time, char between = ' ');

}  // namespace check
