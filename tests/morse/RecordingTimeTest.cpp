// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "morse/RecordingTime.h"

namespace morse {
namespace {

TEST(RecordingTime, ParsesAndFormatsUtc) {
    EXPECT_EQ(parseUtc("1970-01-01T00:00:00Z"), 0);
    EXPECT_EQ(parseUtc("2010-01-02T03:04:05Z"), 1262401445);
    EXPECT_EQ(parseUtc("2024-02-29T23:59:59Z"), 1709251199);
    EXPECT_EQ(formatUtc(1262401445), "2010-01-02T03:04:05Z");
    EXPECT_EQ(formatUtc(1709251199), "2024-02-29T23:59:59Z");
    EXPECT_EQ(formatUtc(-1), "1969-12-31T23:59:59Z");
    for (const char* bad :
         {"", "2010-01-02T03:04:05", "2010-01-02 03:04:05Z", "2010-13-02T03:04:05Z",
          "2023-02-29T00:00:00Z", "2010-01-02T24:00:00Z", "2010-01-02T03:60:05Z",
          "2010-1-02T03:04:05Z", "x010-01-02T03:04:05Z"}) {
        EXPECT_FALSE(parseUtc(bad)) << bad;
    }
}

TEST(RecordingTime, StartComesFromASatnogsFileName) {
    EXPECT_EQ(startFromFileName("satnogs_8812345_2010-01-02T03-04-05.ogg"), 1262401445);
    EXPECT_EQ(startFromFileName("/data/passes/satnogs_1_2010-01-02T03-04-05.wav"), 1262401445);
    for (const char* other :
         {"pass.ogg", "satnogs_x1_2010-01-02T03-04-05.ogg", "satnogs__2010-01-02T03-04-05.ogg",
          "satnogs_12_2010-01-02T03:04:05.ogg", "satnogs_12_2010-01-32T03-04-05.ogg",
          "satnogs_12_2010-01-02T03-04-05x.ogg", "satnogs_12_2010-01-02T03-04-05.ogg/pass.ogg"}) {
        EXPECT_FALSE(startFromFileName(other)) << other;
    }
}

}  // namespace
}  // namespace morse
