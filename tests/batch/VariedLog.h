// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdio>
#include <ctime>
#include <random>
#include <string>

#include "check/UtcTime.h"

// A generated log of frames of every kind a log can hold: every field width, lower case,
// "-", negative and overlong values, "0x", letters that are no digits, status words of
// every memory status (3 has no name), FFFF, lines with each form of time and without one,
// tabs and runs of blanks, the day changing. The same seed gives the same log.
class VariedLog {
  public:
    // Without oddities, every field is a clean number of its width, no status word fails and
    // every line is a frame: the frames that a working station logs.
    explicit VariedLog(unsigned seed, bool oddities = true) : random(seed), odd(oddities) {}

    std::string lines(int count) {
        std::string log;
        for (int i = 0; i < count; ++i) {
            log += line();
            log += '\n';
        }
        return log;
    }

  private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }

    std::string hex(unsigned long long value, int width, bool lower = false) {
        std::array<char, 24> text{};
        std::snprintf(text.data(), text.size(), lower ? "%0*llx" : "%0*llX", width, value);
        return text.data();
    }

    std::string cleanField(int width) {
        const unsigned long long value = static_cast<unsigned long long>(below(1 << (4 * width)));
        return hex(value, width, odd && below(10) == 0);
    }

    std::string oddField(int width) {
        switch (below(9)) {
            case 0:
                return "-";
            case 1:
                return hex(static_cast<unsigned long long>(below(1 << 24)), width + 3);
            case 2:
                return "-" + hex(static_cast<unsigned long long>(below(300) + 1), 1);
            case 3:
                return hex(static_cast<unsigned long long>(below(16)), 1);
            case 4:
                return "0x" + hex(static_cast<unsigned long long>(below(256)), 2);
            case 5:
                return "FFFF";
            case 6: {
                static constexpr std::array<const char*, 8> odd{
                    "zz", "G1", "1G", "+7", "80000000", "-80000000", "7FFFFFFF", "FFFFFFFFFF"};
                return odd[static_cast<std::size_t>(below(8))];
            }
            case 7:  // memory status 3, which has no name
                return hex(static_cast<unsigned long long>(below(16) << 12 | 0x18 | below(8)), 4);
            default:
                return hex(static_cast<unsigned long long>(below(1 << 16)), 2);
        }
    }

    std::string statusWord() {
        // Memory status (bits 3 and 4) 3 has no name: a working station never sends it.
        auto word = static_cast<unsigned>(below(1 << 16));
        if (!odd && (word >> 3 & 3) == 3) {
            word &= ~(1U << 4);
        }
        return hex(word, 4);
    }

    std::string timeText() {
        time += below(4) == 0 ? below(2) * 86400 + below(7200) : 1;
        const check::UtcTime utc = check::toUtc(time);
        std::array<char, 32> text{};
        const int form = below(odd ? 4 : 3);
        if (form == 3) {
            return "";  // a line without a time: the clock's
        }
        std::snprintf(text.data(), text.size(),
                      form == 0   ? "%04lld-%02d-%02d %02d:%02d:%02d "
                      : form == 1 ? "%04lld-%02d-%02dT%02d:%02d:%02dZ "
                                  : "%04lld-%02d-%02dt%02d:%02d:%02dz ",
                      utc.year, utc.month, utc.day, utc.hour, utc.minute, utc.second);
        return text.data();
    }

    std::string line() {
        if (odd && below(200) == 0) {
            return below(2) == 0 ? "" : "# a comment";
        }
        static constexpr std::array<int, 11> widths{2, 2, 2, 2, 2, 4, 4, 2, 2, 2, 2};
        std::string text = timeText();
        text += std::array<const char*, 4>{"VOKA ", "VOKA ", "voka ", ""}[below(4)];
        const char* blank = odd ? std::array<const char*, 4>{" ", " ", "\t", "  "}[below(4)] : " ";
        for (std::size_t field = 0; field < widths.size(); ++field) {
            const bool isOdd = odd && below(4) == 0;
            text += field == 6 && !isOdd ? statusWord()
                    : isOdd              ? oddField(widths[field])
                                         : cleanField(widths[field]);
            text += field + 1 < widths.size() ? blank : "";
        }
        if (odd && below(200) == 0) {
            text += " 99";  // a twelfth field: a bad line
        }
        return text;
    }

    std::mt19937 random;
    bool odd;
    std::time_t time = 1262401445;
};
