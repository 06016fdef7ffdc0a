// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "share/ReceptionReport.h"
#include "share/ShareFixture.h"

namespace {

class ReceptionReportTest : public testing::Test {
  protected:
    ReceptionReportTest() {
        check::FrameTexts partial = exampleFrame;
        partial[8] = "";
        input.station = &station;
        checks.check(exampleFrame);
        checks.check(partial, fixedTime + 60);
        input.frames = {&checks.history()[0], &checks.history()[1]};
        input.version = "1.0.0.1";
    }
    Checks checks;
    share::Station station = exampleStation();
    share::ReportInput input;
};

TEST_F(ReceptionReportTest, TextGivesTheStationAndEachFrame) {
    const std::string text = share::receptionReportText(input);
    for (const char* line : {
             "VOKA-I reception report\n",
             "Station:      JA1ABC\n",
             "Locator:      PM95uo\n",
             "Position:     35.6N 139.7E\n",
             "Frequency:    437.375 MHz\n",
             "Mode:         CW\n",
             "Satellite:    VOKA-I, NORAD 99999\n",
             "Frames:       2\n",
             "First:        2010-01-02 03:04:05 UTC\n",
             "Last:         2010-01-02 03:05:05 UTC\n",
             "Decoded with: Veskar 1.0.0.1\n",
             "\nFrame 1, 2010-01-02 03:04:05 UTC\n  VOKA 86 A6 00 7F C0 1234 2B75 90 8F 80 80\n",
             "\nFrame 2, 2010-01-02 03:05:05 UTC\n  VOKA 86 A6 00 7F C0 1234 2B75 90 -- 80 80\n",
             "  Sun sensor                not copied\n",
         }) {
        EXPECT_NE(text.find(line), std::string::npos) << "missing: " << line << "\nin:\n" << text;
    }
    EXPECT_NE(text.find("\u2103"), std::string::npos);  // temperatures in UTF-8
}

TEST_F(ReceptionReportTest, HtmlIsAPageOfTheSameContents) {
    station.callSign = "JA1<B>";  // never a call sign, but the page must stay a page
    const std::string html = share::receptionReportHtml(input);
    EXPECT_EQ(html.rfind("<!DOCTYPE html>\n", 0), 0U);
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(html.find("<tr><th>Station</th><td>JA1&lt;B&gt;</td></tr>"), std::string::npos);
    EXPECT_NE(html.find("<tr><th>Mode</th><td>CW</td></tr>"), std::string::npos);
    EXPECT_NE(html.find("<h2>Frame 2, 2010-01-02 03:05:05 UTC</h2>\n<p><code>VOKA 86 A6 00 7F C0 "
                        "1234 2B75 90 -- 80 80</code></p>"),
              std::string::npos);
    EXPECT_EQ(html.substr(html.size() - 16), "</body>\n</html>\n");
}

TEST_F(ReceptionReportTest, WithoutAStationItSaysSo) {
    input.station = nullptr;
    const std::string text = share::receptionReportText(input);
    EXPECT_NE(text.find("Station:      not set up\n"), std::string::npos);
    EXPECT_NE(text.find("Mode:         CW\n"), std::string::npos);
}

}  // namespace
