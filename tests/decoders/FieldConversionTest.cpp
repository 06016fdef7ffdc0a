// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <climits>

#include "decoders/FieldConversion.h"

namespace {

struct Case {
    const char* text;
    std::int32_t value;
};

class FieldConversion : public testing::TestWithParam<Case> {};

TEST_P(FieldConversion, FollowsTheBase16Rule) {
    EXPECT_EQ(decoders::convertField(GetParam().text), GetParam().value)
        << "text \"" << GetParam().text << "\"";
}

INSTANTIATE_TEST_SUITE_P(Digits, FieldConversion,
                         testing::Values(Case{"86", 0x86}, Case{"ff", 0xFF}, Case{"aB", 0xAB},
                                         Case{"5", 5}, Case{"1FF", 0x1FF}, Case{"12345", 0x12345},
                                         Case{"7FFFFFFF", INT_MAX}));

INSTANTIATE_TEST_SUITE_P(WhiteSpaceSignAndPrefix, FieldConversion,
                         testing::Values(Case{" \t\r\n\v\f1A", 0x1A}, Case{"+1F", 0x1F},
                                         Case{"-1", -1}, Case{"-71", -0x71}, Case{"0x1F", 0x1F},
                                         Case{"0X1f", 0x1F}, Case{"-0x10", -16}, Case{"0x", 0},
                                         Case{"0xZ", 0}, Case{"1 2", 1}, Case{"- 1", 0},
                                         Case{"+-1", 0}, Case{"0x0x1", 0}));

INSTANTIATE_TEST_SUITE_P(NoDigits, FieldConversion,
                         testing::Values(Case{"", 0}, Case{"ZZ", 0}, Case{"G1", 0}, Case{"   ", 0},
                                         Case{"-", 0}, Case{"\x82\xA0", 0}));

INSTANTIATE_TEST_SUITE_P(SaturatesAt32Bits, FieldConversion,
                         testing::Values(Case{"100000000", INT_MAX}, Case{"FFFFFFFF", INT_MAX},
                                         Case{"80000000", INT_MAX}, Case{"-80000000", INT_MIN},
                                         Case{"-80000001", INT_MIN},
                                         Case{"-FFFFFFFFFFFFFFFFFFFF", INT_MIN},
                                         Case{"FFFFFFFFFFFFFFFFFFFFFFFF1", INT_MAX},
                                         Case{"00000000000000000000000012", 0x12}));

}  // namespace
