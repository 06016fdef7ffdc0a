// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "share/ShareFixture.h"
#include "share/SidsForm.h"

namespace {

TEST(SidsForm, FieldsOfTheExampleFrame) {
    Checks checks;
    const auto result = share::sidsForm(exampleStation(), checks.check(exampleFrame), "1.0.0.1");
    ASSERT_TRUE(result.form) << result.notSent;
    const std::string frame = "VOKA 86 A6 00 7F C0 1234 2B75 90 8F 80 80";
    EXPECT_EQ(result.form->frame, frame);
    std::vector<std::pair<std::string, std::string>> fields;
    for (const share::FormField& field : result.form->fields) {
        fields.emplace_back(field.name, field.value);
    }
    const std::vector<std::pair<std::string, std::string>> expected{
        {"noradID", "99999"},
        {"source", "JA1ABC"},
        {"timestamp", "2010-01-02T03:04:05.000Z"},
        {"frame",
         "564F4B412038362041362030302037462043302031323334203242373520393020384620383020"
         "3830"},
        {"locator", "longLat"},
        {"longitude", "139.7E"},
        {"latitude", "35.6N"},
        {"version", "1.0.0.1"}};
    EXPECT_EQ(fields, expected);
    EXPECT_EQ(share::formBody(result.form->fields),
              "noradID=99999&source=JA1ABC&timestamp=2010-01-02T03%3A04%3A05.000Z&frame=" +
                  expected[3].second +
                  "&locator=longLat&longitude=139.7E&latitude=35.6N&version=1.0.0.1");
}

TEST(SidsForm, TheFrameIsSentInUpperCaseWithTheFramesOwnTime) {
    Checks checks;
    check::FrameTexts lower = exampleFrame;
    lower[0] = "8a";
    lower[6] = "2b75";
    const auto result = share::sidsForm(exampleStation(), checks.check(lower, fixedTime + 60), "1");
    ASSERT_TRUE(result.form);
    EXPECT_EQ(result.form->frame, "VOKA 8A A6 00 7F C0 1234 2B75 90 8F 80 80");
    EXPECT_EQ(result.form->timestamp, "2010-01-02T03:05:05.000Z");
}

struct NotSentCase {
    const char* name;
    std::size_t field;
    const char* text;
    const char* reason;
};

class FrameNotSent : public testing::TestWithParam<NotSentCase> {};

TEST_P(FrameNotSent, SaysWhy) {
    Checks checks;
    check::FrameTexts texts = exampleFrame;
    texts[GetParam().field] = GetParam().text;
    const auto result = share::sidsForm(exampleStation(), checks.check(texts), "1");
    EXPECT_FALSE(result.form);
    EXPECT_EQ(result.notSent, GetParam().reason);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(SidsForm, FrameNotSent, testing::Values(
    NotSentCase{"FieldNotCopied", 8, "",    "field D was not copied"},
    NotSentCase{"FieldTooShort",  5, "123", "field A reads \"123\", not 4 hexadecimal digits"},
    NotSentCase{"FieldNotHex",    0, "8G",  "field H0 reads \"8G\", not 2 hexadecimal digits"}),
    [](const testing::TestParamInfo<NotSentCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST(SidsForm, Encoding) {
    EXPECT_EQ(share::formEncoded("A z-._*~+&=/:%\xE3\x81\x82"),
              "A+z-._*%7E%2B%26%3D%2F%3A%25%E3%81%82");
    EXPECT_EQ(share::hemisphereText(-33.9, 'N', 'S'), "33.9S");
    EXPECT_EQ(share::hemisphereText(-56.25, 'E', 'W'), "56.25W");
    EXPECT_EQ(share::hemisphereText(0, 'E', 'W'), "0.0E");
    EXPECT_EQ(share::hemisphereText(11, 'E', 'W'), "11.0E");
}

}  // namespace
