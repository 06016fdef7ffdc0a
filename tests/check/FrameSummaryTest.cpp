// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "CheckFixture.h"
#include "check/FrameSummary.h"

namespace {

using check::Health;
using check::SummaryLine;

const check::FrameTexts fullFrame{"86",   "A6", "00", "7F", "C0", "1234",
                                  "2B75", "90", "8F", "80", "80"};

std::vector<std::string> states(const std::vector<SummaryLine>& lines) {
    std::vector<std::string> names;
    for (const SummaryLine& line : lines) {
        names.push_back(line.label + ": " + line.value + " " + line.state);
    }
    return names;
}

class FrameSummary : public CheckFixture {};

TEST_F(FrameSummary, NamesEveryClassifiedItemOfACheck) {
    const auto lines = check::summarizeCheck(check(fullFrame));
    EXPECT_EQ(states(lines), (std::vector<std::string>{
                                 "S meter: 1.703 Low",
                                 "Battery voltage: 4.218 [V] UpperLimit",
                                 "Battery current: 0.345 [A] DischargeFault",
                                 "3.3 V bus: 3.227 [V] Normal",
                                 "Solar cell: 4.879 [V] EclipseFault",
                                 "EPS temperature: 25.8 [\x81\x8E] Normal",
                                 "Comm. temperature: 25.8 [\x81\x8E] Normal",
                                 "Memory status:  Read",
                                 "Sun sensor: 144, 143 ImageBrank",
                             }));
    const std::vector<Health> health{Health::Limit,  Health::Limit,  Health::Fault,
                                     Health::Normal, Health::Fault,  Health::Normal,
                                     Health::Normal, Health::Normal, Health::Normal};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].health, health[i]) << lines[i].label;
    }
}

TEST_F(FrameSummary, FieldsLeftEmptyAreNotCopiedNotStale) {
    check(fullFrame);
    const auto lines = check::summarizeCheck(check({"", "", "", "", "", "", "FFFF"}));
    for (const SummaryLine& line : lines) {
        if (line.label == "Memory status") {
            EXPECT_EQ(line.health, Health::Fault);
        } else {
            EXPECT_EQ(line.health, Health::NotCopied) << line.label;
            EXPECT_EQ(line.value, "") << line.label;
        }
    }
}

TEST_F(FrameSummary, PreviewDecodesOneFieldWithoutTouchingTheProgramState) {
    check(fullFrame);
    const decoders::ProgramState before = state;
    check::FrameTexts boxes = fullFrame;
    boxes[check::field::H1] = "8A";
    EXPECT_EQ(states(check::previewField(state, boxes, check::field::H1)),
              std::vector<std::string>{"Battery voltage: 3.507 [V] Normal"});
    boxes[check::field::H4] = "80";  // 3.253 V, below this frame's 3.507 V battery
    EXPECT_EQ(check::previewField(state, boxes, check::field::H4)[0].state, "EclipseNormal");
    boxes[check::field::B] = "";
    EXPECT_EQ(check::previewField(state, boxes, check::field::C)[0].health, Health::NotCopied)
        << "without B the Check decodes neither C nor D";
    boxes[check::field::B] = "0000";  // sun sensor power off in this frame
    EXPECT_EQ(check::previewField(state, boxes, check::field::C)[0].state, "Off");
    const auto word = check::previewField(state, boxes, check::field::B);
    ASSERT_EQ(word.size(), 12U);
    EXPECT_EQ(word[0].value, "0000");
    EXPECT_EQ(word[9].label + "=" + word[9].value, "Sun sensor power=OFF");
    boxes[check::field::B] = "FFFF";
    EXPECT_EQ(check::previewField(state, boxes, check::field::B).back().health, Health::Fault);

    EXPECT_EQ(state.rawH1, before.rawH1);
    EXPECT_EQ(state.rawB, before.rawB);
    EXPECT_EQ(state.lastBatteryVoltage, before.lastBatteryVoltage);
    EXPECT_EQ(state.lastSunSensorPower, before.lastSunSensorPower);
    EXPECT_EQ(state.fieldH1, before.fieldH1);
}

TEST(FieldReading, SaysHowABoxWillBeRead) {
    const struct {
        std::size_t field;
        const char* text;
        bool clean;
        const char* readAs;
    } cases[] = {
        {check::field::H0, "8f", true, "8F"},      {check::field::H0, "8?", false, "08"},
        {check::field::H0, "1FF", false, "FF"},    {check::field::H0, "5", false, "05"},
        {check::field::H0, "zz", false, "00"},     {check::field::A, "2b75", true, "2B75"},
        {check::field::B, "12345", false, "2345"}, {check::field::B, "-1", false, "FFFF"},
        {check::field::F, " 80", false, "80"},
    };
    for (const auto& c : cases) {
        const check::FieldReading reading = check::readField(c.field, c.text);
        EXPECT_EQ(reading.clean, c.clean) << c.text;
        EXPECT_EQ(reading.readAs, c.readAs) << c.text;
    }
}

}  // namespace
