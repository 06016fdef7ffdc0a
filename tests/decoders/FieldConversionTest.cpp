// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <random>
#include <string>

#include "decoders/FieldConversion.h"

namespace {

struct Case {
    const char* text;
    std::int32_t value;
};

class FieldConversion : public testing::TestWithParam<Case> {};

// "3_0x1F": the row's number and its text's letters and digits, so that each row can be run
// alone with --gtest_filter.
std::string caseName(const testing::TestParamInfo<Case>& info) {
    std::string name = std::to_string(info.index) + "_";
    for (const char* c = info.param.text; *c != '\0'; ++c) {
        const bool plain =
            (*c >= '0' && *c <= '9') || (*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z');
        name += plain ? *c : '_';
    }
    return name;
}

TEST_P(FieldConversion, FollowsTheBase16Rule) {
    EXPECT_EQ(decoders::convertField(GetParam().text), GetParam().value)
        << "text \"" << GetParam().text << "\"";
}

INSTANTIATE_TEST_SUITE_P(Digits, FieldConversion,
                         testing::Values(Case{"86", 0x86}, Case{"ff", 0xFF}, Case{"aB", 0xAB},
                                         Case{"5", 5}, Case{"1FF", 0x1FF}, Case{"12345", 0x12345},
                                         Case{"7FFFFFFF", INT_MAX}),
                         caseName);

INSTANTIATE_TEST_SUITE_P(WhiteSpaceSignAndPrefix, FieldConversion,
                         testing::Values(Case{" \t\r\n\v\f1A", 0x1A}, Case{"+1F", 0x1F},
                                         Case{"-1", -1}, Case{"-71", -0x71}, Case{"0x1F", 0x1F},
                                         Case{"0X1f", 0x1F}, Case{"-0x10", -16}, Case{"0x", 0},
                                         Case{"0xZ", 0}, Case{"1 2", 1}, Case{"- 1", 0},
                                         Case{"+-1", 0}, Case{"0x0x1", 0}),
                         caseName);

INSTANTIATE_TEST_SUITE_P(NoDigits, FieldConversion,
                         testing::Values(Case{"", 0}, Case{"ZZ", 0}, Case{"G1", 0}, Case{"   ", 0},
                                         Case{"-", 0}, Case{"\x82\xA0", 0}),
                         caseName);

INSTANTIATE_TEST_SUITE_P(SaturatesAt32Bits, FieldConversion,
                         testing::Values(Case{"100000000", INT_MAX}, Case{"FFFFFFFF", INT_MAX},
                                         Case{"80000000", INT_MAX}, Case{"-80000000", INT_MIN},
                                         Case{"-80000001", INT_MIN},
                                         Case{"-FFFFFFFFFFFFFFFFFFFF", INT_MIN},
                                         Case{"FFFFFFFFFFFFFFFFFFFFFFFF1", INT_MAX},
                                         Case{"00000000000000000000000012", 0x12}),
                         caseName);

// Texts of the characters that matter (white space, signs, "0x", hex digits, others) in
// random order and length, checked against the C library's strtol (a 64-bit long here),
// clamped to 32 bits as the rule says.
TEST(FieldConversionAgainstStrtol, AgreeOnRandomTexts) {
    const std::string alphabet = " \t\n+-0xX0123456789abcdefABCDEFgGzZ\x82\xA0";
    std::mt19937 random(20261211);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 14);
    int fitting = 0;
    for (int i = 0; i < 200000; ++i) {
        std::string text;
        for (int n = length(random); n > 0; --n) {
            text += alphabet[pick(random)];
        }
        const long reference = std::strtol(text.c_str(), nullptr, 16);
        const bool fits = reference >= INT_MIN && reference <= INT_MAX;
        fitting += fits ? 1 : 0;
        const long expected = fits ? reference : reference > 0 ? INT_MAX : INT_MIN;
        ASSERT_EQ(decoders::convertField(text), expected) << "text \"" << text << "\"";
    }
    EXPECT_GT(fitting, 150000) << "most texts should fit 32 bits";
}

}  // namespace
