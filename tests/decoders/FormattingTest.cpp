// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <cstdint>
#include <cstdio>

#include "decoders/Formatting.h"

namespace {

using decoders::formatFixed;
using decoders::formatHex;

TEST(Formatting, FixedNotationRoundsAsPrintfDoes) {
    for (double value : {0.0, 1.7025882352941176, 4.2178823529411765, -0.3839, 0.0015, 0.0025,
                         25.7768, 59.9693, -32.1225, 0.05, 1e10, -0.0004}) {
        for (int decimals : {1, 3}) {
            std::array<char, 64> expected{};
            std::snprintf(expected.data(), expected.size(), "%2.*f", decimals, value);
            EXPECT_EQ(formatFixed(value, decimals), expected.data()) << value;
        }
    }
}

TEST(Formatting, FixedNotationIgnoresTheLocale) {
    // Qt sets the locale from the environment; a decimal comma must not reach the report.
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "no locale with a decimal comma on this machine";
    }
    EXPECT_EQ(formatFixed(1.5, 3), "1.500");
    std::setlocale(LC_NUMERIC, before.c_str());
}

TEST(Formatting, HexIsUpperCaseAndZeroPaddedToAMinimum) {
    EXPECT_EQ(formatHex(0x5, 2), "05");
    EXPECT_EQ(formatHex(0xAB, 2), "AB");
    EXPECT_EQ(formatHex(0, 4), "0000");
    EXPECT_EQ(formatHex(0x2B75, 4), "2B75");
    EXPECT_EQ(formatHex(0x12345, 4), "12345");
    EXPECT_EQ(formatHex(0xFFFFFFFF, 4), "FFFFFFFF");
    EXPECT_EQ(formatHex(0xFFFF, 4), "FFFF");
    EXPECT_EQ(formatHex(0x10000, 4), "10000");
    EXPECT_EQ(formatHex(0x100, 2), "100");
}

// Bytes come from a table, other numbers are written digit by digit: both as printf's "%d".
TEST(Formatting, DecimalIsPrintfsAcrossTheTablesEdges) {
    for (const std::int32_t value :
         {INT32_MIN, -256, -1, 0, 9, 10, 99, 100, 255, 256, 1000, INT32_MAX}) {
        std::array<char, 16> expected{};
        std::snprintf(expected.data(), expected.size(), "%d", value);
        EXPECT_EQ(decoders::DecimalText(value).view(), expected.data()) << value;
    }
}

}  // namespace
