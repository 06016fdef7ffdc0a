// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "batch/BatchDecoder.h"
#include "check/CheckFixture.h"
#include "check/writers/CsvWriter.h"

namespace {

constexpr std::time_t now = 1300000000;  // 2011-03-13 07:06:40 UTC, for lines without a time

std::string passLog() {
    std::ifstream log(VESKAR_TEST_DATA "/pass.log", std::ios::binary);
    return {std::istreambuf_iterator<char>(log), {}};
}

// The dialog's Checks for the frames of pass.log, one after another on one program state.
class PassAsChecks : public CheckFixture {
  protected:
    std::string checksAt(std::time_t time, const check::FrameTexts& texts) {
        std::string block;
        check::runCheck(
            state, block, texts, [time] { return time; }, notifier);
        return block;
    }
    std::string wholePass() {
        std::string pass = checksAt(fixedTime, exampleFrame);
        pass +=
            checksAt(1262401505, {"FF", "", "78", "", "80", "", "0000", "5A", "3C", "35", "38"});
        pass += checksAt(1262401625, {"", "", "", "", "", "", "FFFF", "5A", "3C", "00", "FF"});
        return pass;
    }
};

struct Decoded {
    std::string out, errors;
    long skipped;
};

// Decodes the logs in the format of that name ("report", "csv", "json").
Decoded decode(std::string_view format, const std::vector<std::string>& logs) {
    std::ostringstream out, errors;
    batch::BatchDecoder decoder(*check::findOutputFormat(format), out, errors, [] { return now; });
    for (std::size_t i = 0; i < logs.size(); ++i) {
        std::istringstream log(logs[i]);
        decoder.decodeLog(log, "log" + std::to_string(i + 1));
    }
    decoder.finish();
    return {out.str(), errors.str(), decoder.skippedLines()};
}

TEST_F(PassAsChecks, ReportIsTheDialogsBlocksByteForByte) {
    const Decoded run = decode("report", {passLog()});
    EXPECT_EQ(run.out, wholePass());
    EXPECT_EQ(run.errors,
              "log1:6: expected 11 fields (H0 H1 H2 H3 H4 A B C D E F), found 4\n"
              "log1:7: memoryStatus error @ getMemoryStatus\n");
    EXPECT_EQ(run.skipped, 1);
}

TEST_F(PassAsChecks, StateCarriesFromOneLogToTheNext) {
    const std::string log = passLog();
    const std::size_t third = log.find("2010-01-02 03:06:05");
    const Decoded run = decode("report", {log.substr(0, third), log.substr(third)});
    EXPECT_EQ(run.out, wholePass());
    EXPECT_NE(run.errors.find("log2:2: memoryStatus error"), std::string::npos);
}

TEST_F(PassAsChecks, LineWithoutATimeTakesTheClockAndLfOrCrLfBothWork) {
    const Decoded run = decode("report", {"86 - - - - - - - - - -\r\n86 - - - - - - - - - -"});
    const std::string block = checksAt(now, {"86"});
    EXPECT_EQ(run.out, block + block);
}

TEST(Csv, HeaderNamesEveryColumnOnce) {
    const std::string& header = check::csvHeader();
    EXPECT_EQ(header.substr(0, 36), "time_utc,H0,H1,H2,H3,H4,A,B,C,D,E,F,");
    EXPECT_EQ(std::count(header.begin(), header.end(), ','), 40);
    EXPECT_EQ(header.substr(header.size() - 2), "\r\n");
}

TEST(Csv, RowsCarryValuesNamesAndEmptyCellsForFieldsNotDecoded) {
    const Decoded run = decode("csv", {passLog()});
    std::istringstream rows(run.out);
    std::string header, first, second, third, rest;
    std::getline(rows, header);
    std::getline(rows, first);
    std::getline(rows, second);
    std::getline(rows, third);
    EXPECT_FALSE(std::getline(rows, rest));
    EXPECT_EQ(first,
              "2010-01-02T03:04:05,0x86,0xA6,0x00,0x7F,0xC0,0x1234,0x2B75,0x90,0x8F,0x80,0x80,"
              "1.70259,Low,4.21835,UpperLimit,0.3451,DischargeFault,"
              "3.22729,Normal,4.87906,EclipseFault,"
              "ON,Ax.25,NotMonitor,Read,10,Complete,Complete,Not yet,ON,Manual,175,"
              "ImageBrank,144,143,25.7768,Normal,25.807,Normal,\r");
    EXPECT_EQ(second.substr(0, 65),
              "2010-01-02T03:05:05,0xFF,,0x78,,0x80,,0x0000,0x5A,0x3C,0x35,0x38,");
    EXPECT_NE(second.find(",Off,90,60,"), std::string::npos);
    EXPECT_EQ(third.substr(0, 50), "2010-01-02T03:07:05,,,,,,,0xFFFF,,,0x00,0xFF,,,,,,");
    EXPECT_NE(third.find(",ON,SRLL,NotMonitor,,,,,,,,,,,,84.132,"), std::string::npos);
    EXPECT_EQ(third.substr(third.size() - 38), ",memoryStatus error @ getMemoryStatus\r");
}

// Spreadsheets show what they read: six significant digits, without the noise of binary
// fractions, and no cell that a spreadsheet would turn into a number by mistake.
TEST(Csv, OpensCleanlyInASpreadsheet) {
    const Decoded run = decode("csv", {"00 FF 79 7F C0 - 0086 - - 35 38\n"
                                       "2010-01-02 03:04:05 43 E4 00 7F C0 43E4 0000 - - 35 38"});
    const auto rows = run.out.substr(run.out.find("\r\n") + 2);
    EXPECT_NE(rows.find(",0x00,0xFF,0x79,0x7F,0xC0,,0x0086,"), std::string::npos);
    EXPECT_NE(rows.find(",6.48,UpperLimit,-0.000971388,"), std::string::npos)
        << "0.3451 - 121 / 255 * 3.24 * 0.2251 to six digits";
    EXPECT_NE(rows.find("2010-01-02T03:04:05,0x43,0xE4,"), std::string::npos);
    EXPECT_NE(rows.find(",0x43E4,0x0000,"), std::string::npos);
}

}  // namespace
