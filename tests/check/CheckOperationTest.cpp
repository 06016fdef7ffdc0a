// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "CheckFixture.h"

namespace {

using check::FrameTexts;

const std::string powerLines =
    "S Meter =\t\t\t1.703\t\t86\r\n\r\n"
    "Battery Voltage =\t\t4.218 [V]\t\tA6\r\n\r\n"
    "Battery Current =\t\t0.345 [A]\t\t00\r\n\r\n"
    "3.3V Bus Voltage =\t\t3.227 [V]\t\t7F\r\n\r\n"
    "Solar Cell Voltage =\t\t4.879 [V]\t\tC0\r\n";

const std::string statusBlock2B75 =
    "<VOKA-I Status>\t\t\t\t2B75\r\n"
    "FM Transmitter Power =\tON\r\n"
    "Protocol =\t\t\tAx.25\r\n"
    "Operation Mode =\t\tNotMonitor\r\n"
    "Memory Status =\t\tRead\r\n"
    "Packet Interval =\t\t10\r\n"
    "Sensor Flag =\t\tComplete\r\n"
    "Antenna Flag =\t\tComplete\r\n"
    "Paddle Flag =\t\tNot yet\r\n"
    "Sun Sensor Power Flag =\tON\r\n"
    "Sun Sensor Mode =\t\tManual\r\n"
    "Sun Sensor Threshold Value =\t175\r\n"
    "\r\n";

const std::string temperatureLines =
    "Temperature of EPS Circuit =\t25.8 [\x81\x8E]\t\t80\r\n\r\n"
    "Communication Temperature =\t25.8 [\x81\x8E]\t\t80\r\n\r\n";

const FrameTexts fullFrame{"86", "A6", "00", "7F", "C0", "1234", "2B75", "90", "8F", "80", "80"};

class Check : public CheckFixture {};

TEST_F(Check, WithEveryBoxEmptyRightAfterStart) {
    const auto outcome = check({});
    EXPECT_EQ(result, heading + echo("00 00 00 00 00 0000 0000 00 00 00 00") + separator);
    EXPECT_FALSE(outcome.decodingError);
}

TEST_F(Check, PowerChannelsGiveTheQuotedLines) {
    check({"86", "A6", "00", "7F", "C0"});
    EXPECT_EQ(result,
              heading + powerLines + echo("86 A6 00 7F C0 0000 0000 00 00 00 00") + separator);
}

TEST_F(Check, FullFrameGivesTheWholeBlock) {
    const auto outcome = check(fullFrame);
    EXPECT_EQ(result, heading + powerLines + "\r\n" + statusBlock2B75 +
                          "Sun Sensor Status =\t\tImageBrank\t\t144, 143\r\n\r\n" +
                          temperatureLines + echo("86 A6 00 7F C0 1234 2B75 90 8F 80 80") +
                          separator);
    EXPECT_FALSE(outcome.decodingError);
    EXPECT_EQ(outcome.decoded.sMeter->statusName, "Low");
    EXPECT_EQ(outcome.decoded.solarCellVoltage->statusName, "EclipseFault");
    EXPECT_EQ(outcome.decoded.sunSensor->statusName, "ImageBrank");
}

TEST_F(Check, BlocksFollowEachOtherAndOperatorTextWithoutLineBreak) {
    result = "operator note";
    check({"86"});
    check({"86"});
    const std::string block = heading + "S Meter =\t\t\t1.703\t\t86\r\n\r\n" +
                              echo("86 00 00 00 00 0000 0000 00 00 00 00") + separator;
    EXPECT_EQ(result, "operator note" + block + block);
}

TEST_F(Check, EchoKeepsRawValuesOfFieldsLeftEmptyAcrossChecksAndClear) {
    check(fullFrame);
    check::clearFieldCopies(state);
    for (const auto& field : check::frameFields) {
        EXPECT_TRUE((state.*field.copy).empty()) << field.name;
    }
    check({"FF"});
    EXPECT_EQ(lastBlock(), heading + "S Meter =\t\t\t3.240\t\tFF\r\n\r\n" +
                               echo("FF A6 00 7F C0 1234 2B75 90 8F 80 80") + separator);
    EXPECT_DOUBLE_EQ(state.lastBatteryVoltage, 166 / 255.0 * 3.24 * 2);
    EXPECT_EQ(state.lastSunSensorPower, 1);
}

TEST_F(Check, EchoShowsWhatEachFieldDecodedTo) {
    const struct {
        FrameTexts texts;
        const char* frame;
    } cases[] = {
        {{"1FF"}, "FF 00 00 00 00 0000 0000 00 00 00 00"},
        {{"-1"}, "FF 00 00 00 00 0000 0000 00 00 00 00"},
        {{"ZZ"}, "00 00 00 00 00 0000 0000 00 00 00 00"},
        {{"  "}, "00 00 00 00 00 0000 0000 00 00 00 00"},
        {{"", "", "", "", "", "12345"}, "00 00 00 00 00 2345 0000 00 00 00 00"},
        {{"", "", "", "", "", "", "12345"}, "00 00 00 00 00 2345 12345 00 00 00 00"},
        {{"", "", "", "", "", "", "FFFFFFFF"}, "00 00 00 00 00 2345 7FFFFFFF 00 00 00 00"},
        {{"", "", "", "", "", "", "-1"}, "00 00 00 00 00 2345 FFFFFFFF 00 00 00 00"},
    };
    for (const auto& c : cases) {
        check(c.texts);
        const std::string block = lastBlock();
        EXPECT_EQ(block.substr(block.find("CW Code")), echo(c.frame) + separator) << c.frame;
    }
}

TEST_F(Check, SunSensorNeedsBCAndD) {
    check({"", "", "", "", "", "", "", "5A", "3C"});
    EXPECT_EQ(lastBlock(), heading + echo("00 00 00 00 00 0000 0000 00 00 00 00") + separator)
        << "C and D without B decode nothing";
    check({"", "", "", "", "", "", "0800", "5A"});
    EXPECT_EQ(lastBlock().find("Sun Sensor Status"), std::string::npos) << "D missing";
    check({"", "", "", "", "", "", "0000", "5A", "3C"});
    EXPECT_NE(lastBlock().find("Sun Sensor Status =\t\tOff\t\t90, 60\r\n"), std::string::npos)
        << "bit 11 clear in this frame's status word turns the sensor off";
    EXPECT_EQ(state.rawC, 0x5A);
}

TEST_F(Check, DecodingErrorIsReportedAndTheBlockStillEnds) {
    check({"", "", "", "", "", "", "0800", "90", "8F"});  // power on, C and D 90 8F
    const auto outcome = check({"", "", "", "", "", "", "FFFF", "5A", "3C", "00", "FF"});
    EXPECT_EQ(outcome.decodingError, "memoryStatus error @ getMemoryStatus");
    EXPECT_EQ(lastBlock(), heading +
                               "<VOKA-I Status>\t\t\t\tFFFF\r\n"
                               "FM Transmitter Power =\tON\r\n"
                               "Protocol =\t\t\tSRLL\r\n"
                               "Operation Mode =\t\tNotMonitor\r\n"
                               "memoryStatus error @ getMemoryStatus\r\n\r\n"
                               "Temperature of EPS Circuit =\t84.1 [\x81\x8E]\t\t00\r\n\r\n"
                               "Communication Temperature =\t-34.5 [\x81\x8E]\t\tFF\r\n\r\n" +
                               echo("00 00 00 00 00 0000 FFFF 90 8F 00 FF") + separator);
    EXPECT_EQ(state.lastSunSensorPower, 1) << "the flag of the failed word was never stored";
    EXPECT_FALSE(outcome.decoded.sunSensor) << "the sun sensor was skipped";
}

TEST_F(Check, HeadingIsUtcWhateverTheTimeZone) {
    const char* before = std::getenv("TZ");
    const std::string saved = before != nullptr ? before : "";
    setenv("TZ", "Asia/Tokyo", 1);
    tzset();
    check({});
    if (before != nullptr) {
        setenv("TZ", saved.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
    EXPECT_EQ(result.substr(0, heading.size()), heading);
}

TEST_F(Check, CopiesTheTextsIntoTheFieldCopies) {
    check(fullFrame);
    for (std::size_t i = 0; i < check::fieldCount; ++i) {
        EXPECT_EQ(state.*check::frameFields[i].copy, fullFrame[i]) << check::frameFields[i].name;
    }
}

// A message box runs its own event loop, in which the dialog may read the result text: by
// then the text holds only what the Check has written so far.
class ReadingNotifier : public decoders::Notifier {
  public:
    explicit ReadingNotifier(const std::string& text) : text(text) {}
    void showMessage(const std::string& /*cp932Text*/) override { seen.push_back(text); }
    std::vector<std::string> seen;

  private:
    const std::string& text;
};

TEST_F(Check, AMessageShownMidCheckSeesOnlyWhatWasWritten) {
    state.dayNightMode = 'x';  // the battery current and the solar cell ask for d or n
    ReadingNotifier reading(result);
    check::runCheck(
        state, result, fullFrame, [] { return fixedTime; }, reading);
    ASSERT_EQ(reading.seen.size(), 2U);
    EXPECT_EQ(reading.seen[0], heading + powerLines.substr(0, powerLines.find("Battery Current")));
    for (const std::string& seen : reading.seen) {
        EXPECT_EQ(seen.find('\0'), std::string::npos);
        EXPECT_EQ(result.compare(0, seen.size(), seen), 0);
    }
}

}  // namespace
