// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "CheckFixture.h"
#include "check/SavedFile.h"

namespace {

TEST(SavedFile, EmptyResultIsTheEndOfFileMarkAlone) {
    EXPECT_EQ(check::savedFileBytes(""), std::string(1, '\x1A'));
}

class SavedFileOfACheck : public CheckFixture {};

TEST_F(SavedFileOfACheck, IsTheResultBytesUnchangedThenTheMark) {
    result = "note\r\n";
    check({"", "", "", "", "", "", "", "", "", "80"});
    const std::string bytes = check::savedFileBytes(result);
    EXPECT_EQ(bytes, result + '\x1A');
    EXPECT_NE(bytes.find("25.8 [\x81\x8E]"), std::string::npos) << "the degree sign stays CP932";
    EXPECT_EQ(bytes.find('\x1A'), bytes.size() - 1);
}

}  // namespace
