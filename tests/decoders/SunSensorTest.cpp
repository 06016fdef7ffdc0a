// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "DecoderFixture.h"

namespace {

class SunSensor : public DecoderFixture {
  protected:
    std::string decode(std::uint8_t power, const char* c, const char* d) {
        result.clear();
        state.lastSunSensorPower = power;
        state.fieldC = c;
        state.fieldD = d;
        analyzer.analyzeSunSensor();
        return result;
    }
};

TEST_F(SunSensor, ClassifiesBlankPairsInAnyOrderAndShowsWholeSignedValues) {
    const struct {
        std::uint8_t power;
        const char* c;
        const char* d;
        const char* name;
        const char* values;
        std::uint8_t rawC, rawD;
    } cases[] = {
        {1, "90", "8F", "ImageBrank", "144, 143", 0x90, 0x8F},
        {1, "8F", "90", "ImageBrank", "143, 144", 0x8F, 0x90},
        {1, "8F", "8F", "ImageBrank", "143, 143", 0x8F, 0x8F},
        {1, "A6", "A7", "ImageBrank", "166, 167", 0xA6, 0xA7},
        {1, "C0", "C0", "ImageBrank", "192, 192", 0xC0, 0xC0},
        {1, "D9", "D8", "ImageBrank", "217, 216", 0xD9, 0xD8},
        {1, "8f", "90", "ImageBrank", "143, 144", 0x8F, 0x90},
        {1, "8F", "A6", "ImageAcquiring", "143, 166", 0x8F, 0xA6},  // pairs of two levels
        {1, "5A", "3C", "ImageAcquiring", "90, 60", 0x5A, 0x3C},
        {0, "5A", "3C", "Off", "90, 60", 0x5A, 0x3C},
        {0, "90", "8F", "Off", "144, 143", 0x90, 0x8F},
        {1, "18F", "90", "ImageBrank", "399, 144", 0x8F, 0x90},
        {1, "-71", "90", "ImageBrank", "-113, 144", 0x8F, 0x90},
        {1, "zz", "", "ImageAcquiring", "0, 0", 0, 0},
    };
    for (const auto& c : cases) {
        const std::string expected =
            std::string("Sun Sensor Status =\t\t") + c.name + "\t\t" + c.values + "\r\n\r\n";
        EXPECT_EQ(decode(c.power, c.c, c.d), expected) << c.c << " " << c.d;
        EXPECT_EQ(state.rawC, c.rawC) << c.c;
        EXPECT_EQ(state.rawD, c.rawD) << c.d;
        EXPECT_EQ(decoded.sunSensor->statusName, c.name);
    }
}

}  // namespace
