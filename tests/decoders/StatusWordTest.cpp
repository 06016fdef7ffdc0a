// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "DecoderFixture.h"
#include "space/Exception.h"

namespace {

// The status block for a word and the eleven printed values.
std::string block(const std::string& hex, const std::vector<std::string>& v) {
    return "<VOKA-I Status>\t\t\t\t" + hex + "\r\n" + "FM Transmitter Power =\t" + v[0] + "\r\n" +
           "Protocol =\t\t\t" + v[1] + "\r\n" + "Operation Mode =\t\t" + v[2] + "\r\n" +
           "Memory Status =\t\t" + v[3] + "\r\n" + "Packet Interval =\t\t" + v[4] + "\r\n" +
           "Sensor Flag =\t\t" + v[5] + "\r\n" + "Antenna Flag =\t\t" + v[6] + "\r\n" +
           "Paddle Flag =\t\t" + v[7] + "\r\n" + "Sun Sensor Power Flag =\t" + v[8] + "\r\n" +
           "Sun Sensor Mode =\t\t" + v[9] + "\r\n" + "Sun Sensor Threshold Value =\t" + v[10] +
           "\r\n\r\n";
}

std::vector<std::string> printedItems(const decoders::DecodedFrame& decoded) {
    std::vector<std::string> printed;
    for (const decoders::StatusItemValue& item : decoded.statusWord->items) {
        printed.push_back(item.printed());
    }
    return printed;
}

const std::vector<std::string> allZero{"OFF", "Ax.25",     "TNCMonitor", "NoAccess",
                                       "2",   "Acquiring", "Not yet",    "Not yet",
                                       "OFF", "Manual",    "150"};

struct WordCase {
    const char* text;
    const char* heading;
    std::vector<std::string> values;
    std::int32_t rawB;
    std::uint8_t sunSensorPower;
};

class StatusWord : public DecoderFixture {};

TEST_F(StatusWord, DecodesTheElevenItems) {
    const WordCase cases[] = {
        {"2B75",
         "2B75",
         {"ON", "Ax.25", "NotMonitor", "Read", "10", "Complete", "Complete", "Not yet", "ON",
          "Manual", "175"},
         0x2B75,
         1},
        {"0000", "0000", allZero, 0, 0},
        {"8000", "8000", allZero, 0x8000, 0},  // bit 15 is not decoded
        {"zz", "0000", allZero, 0, 0},
        {"B6C5",
         "B6C5",
         {"ON", "Ax.25", "NotMonitor", "NoAccess", "25", "Acquiring", "Complete", "Complete", "OFF",
          "Auto", "175"},
         0xB6C5,
         0},
        {"12345",
         "2345",  // the items use the low word, rawB keeps the whole value
         {"ON", "Ax.25", "NotMonitor", "NoAccess", "5", "Complete", "Complete", "Not yet", "OFF",
          "Manual", "175"},
         0x12345,
         0},
        {"7FE0",
         "7FE0",
         {"OFF", "Ax.25", "TNCMonitor", "NoAccess", "30", "Complete", "Complete", "Complete", "ON",
          "Auto", "225"},
         0x7FE0,
         1},
    };
    for (const WordCase& c : cases) {
        result.clear();
        state.lastSunSensorPower = 7;
        state.fieldB = c.text;
        analyzer.analyzeStatusWord();
        EXPECT_EQ(result, block(c.heading, c.values)) << c.text;
        EXPECT_EQ(state.rawB, c.rawB) << c.text;
        EXPECT_EQ(state.lastSunSensorPower, c.sunSensorPower) << c.text;
        EXPECT_EQ(printedItems(decoded), c.values) << c.text;
    }
}

TEST_F(StatusWord, MemoryStatusThreeFailsAfterTheFirstThreeLines) {
    const struct {
        const char* text;
        const char* heading;
        std::vector<std::string> firstThree;
        std::int32_t rawB;
    } cases[] = {
        {"0018", "0018", {"OFF", "Ax.25", "TNCMonitor"}, 0x18},
        {"1F", "001F", {"ON", "SRLL", "NotMonitor"}, 0x1F},
        {"FFFF", "FFFF", {"ON", "SRLL", "NotMonitor"}, 0xFFFF},
        {"-1", "FFFF", {"ON", "SRLL", "NotMonitor"}, -1},
    };
    for (const auto& c : cases) {
        result = "before\r\n";
        state.lastSunSensorPower = 1;
        state.fieldB = c.text;
        try {
            analyzer.analyzeStatusWord();
            FAIL() << c.text << " decoded without an error";
        } catch (const space::Exception& error) {
            EXPECT_EQ(error.message, "memoryStatus error @ getMemoryStatus");
        }
        std::vector<std::string> values = c.firstThree;
        values.resize(11);
        const std::string whole = block(c.heading, values);
        EXPECT_EQ(result, "before\r\n" + whole.substr(0, whole.find("Memory Status"))) << c.text;
        EXPECT_EQ(state.rawB, c.rawB) << "rawB is set before the failure";
        EXPECT_EQ(state.lastSunSensorPower, 1) << "the earlier flag stays";
    }
}

TEST_F(StatusWord, UplinkCommandAddsOneEmptyLineAndKeepsTheLowWord) {
    const struct {
        const char* text;
        std::int32_t rawA;
    } cases[] = {{"1234", 0x1234}, {"12345", 0x2345}, {"-1", 0xFFFF}, {"zz", 0}, {"ab", 0xAB}};
    for (const auto& c : cases) {
        result = "x";
        state.fieldA = c.text;
        analyzer.analyzeUplinkCommand();
        EXPECT_EQ(result, "x\r\n") << c.text;
        EXPECT_EQ(state.rawA, c.rawA) << c.text;
        EXPECT_EQ(decoded.uplinkCommand, c.rawA) << c.text;
    }
}

}  // namespace
