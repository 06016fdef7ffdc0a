// SPDX-License-Identifier: MIT
#include "check/Session.h"

#include <gtest/gtest.h>

#include "check/CheckFixture.h"
#include "check/DecodePlan.h"

namespace {

using check::Frame;
using check::FrameTexts;

class Session : public testing::Test {
  protected:
    RecordingNotifier notifier;
    check::Session session{notifier, [] { return fixedTime; }};
};

TEST_F(Session, KeepsEveryCheckWithItsTimeTextsFrameAndError) {
    const FrameTexts failing{"", "", "", "", "", "", "FFFF", "5A", "3C", "", ""};
    session.check(Frame{exampleFrame, {}, {}});
    session.check(Frame{failing, fixedTime + 60, {}});

    const auto& history = session.history();
    ASSERT_EQ(history.size(), 2U);
    EXPECT_EQ(history[0].decoded.time, fixedTime);
    EXPECT_EQ(history[0].texts, exampleFrame);
    EXPECT_EQ(history[0].decoded.sMeter->raw, 0x86);
    EXPECT_FALSE(history[0].decodingError);
    EXPECT_EQ(history[1].decoded.time, fixedTime + 60) << "a frame's own time wins";
    EXPECT_EQ(history[1].decodingError, "memoryStatus error @ getMemoryStatus");
    EXPECT_EQ(history[1].decoded.statusWord->field, 0xFFFF);
    EXPECT_FALSE(history[1].decoded.sunSensor);
}

TEST_F(Session, AppendsTheSameBlocksAsTheCheckOperation) {
    decoders::ProgramState state;
    std::string expected;
    for (const FrameTexts& texts : {exampleFrame, FrameTexts{"FF", "", "78"}}) {
        check::runCheck(
            state, expected, texts, [] { return fixedTime; }, notifier);
        session.check(Frame{texts, {}, {}});
        EXPECT_EQ(session.lastBlock(), expected.substr(expected.rfind("Input at ")));
    }
    EXPECT_EQ(session.resultText(), expected);
}

TEST_F(Session, TellsEveryListenerOfEveryCheckOnce) {
    std::vector<std::time_t> heard;
    session.addListener([&heard](const check::CheckRecord& r) { heard.push_back(r.decoded.time); });
    session.check(Frame{exampleFrame, {}, {}});
    session.check(Frame{exampleFrame, 5, {}});
    EXPECT_EQ(heard, (std::vector<std::time_t>{fixedTime, 5}));
}

TEST_F(Session, AFrameHeardEarlierKeepsItsTimeButTheHeadingShowsTheCheck) {
    const std::time_t heard = fixedTime - 3600;
    session.check(Frame{exampleFrame, heard, {}, check::Heading::CheckTime});
    EXPECT_EQ(session.history().back().decoded.time, heard);

    decoders::ProgramState state;
    std::string typed;
    check::runCheck(
        state, typed, exampleFrame, [] { return fixedTime; }, notifier);
    EXPECT_EQ(session.resultText(), typed) << "the block of a typed Check, at the Check's time";
}

TEST_F(Session, ClearEmptiesTheResultButKeepsRawAndCarriedValues) {
    session.check(Frame{exampleFrame, {}, {}});
    session.clear();
    EXPECT_TRUE(session.resultText().empty());
    EXPECT_TRUE(session.programState().fieldH0.empty());
    EXPECT_EQ(session.programState().rawH0, 0x86);
    EXPECT_EQ(session.programState().lastSunSensorPower, 1);
    EXPECT_EQ(session.history().size(), 1U) << "the run's history outlives Clear";
}

TEST(SessionWithoutHistory, KeepsOnlyTheLatestCheck) {
    SilentNotifier quiet;
    check::Session session(
        quiet, [] { return fixedTime; }, check::Session::History::NotKept);
    const check::CheckRecord& record = session.check(Frame{exampleFrame, {}, {}});
    EXPECT_TRUE(session.history().empty());
    EXPECT_EQ(record.decoded.sMeter->raw, 0x86);
}

// A run that only writes the report leaves the decoded items empty, and its report, its
// carried values and its errors are those of a run that fills them.
TEST(SessionWithoutDecodedItems, WritesTheSameReport) {
    SilentNotifier quiet;
    check::Session filled(quiet, [] { return fixedTime; });
    check::Session reportOnly(
        quiet, [] { return fixedTime; }, check::Session::History::NotKept,
        check::Session::Report::Written, check::DecodedItems::NotFilled);
    const FrameTexts failing{"", "", "", "", "", "", "FFFF", "5A", "3C", "", ""};
    for (const FrameTexts& texts : {exampleFrame, failing, exampleFrame}) {
        const check::CheckRecord& expected = filled.check(Frame{texts, {}, {}});
        const check::CheckRecord& record = reportOnly.check(Frame{texts, {}, {}});
        EXPECT_FALSE(record.decoded.sMeter);
        EXPECT_FALSE(record.decoded.statusWord);
        EXPECT_EQ(record.decoded.time, fixedTime);
        EXPECT_EQ(record.decodingError, expected.decodingError);
    }
    EXPECT_EQ(reportOnly.resultText(), filled.resultText());
    EXPECT_EQ(reportOnly.programState().lastSunSensorPower,
              filled.programState().lastSunSensorPower);
}

// The preview of a box and the Check of the same boxes follow one plan, so the panel line of
// a field while typing is the line the Check gives it.
struct PreviewCase {
    const char* name;
    FrameTexts boxes;
};

class PreviewMatchesCheck : public testing::TestWithParam<PreviewCase> {};

TEST_P(PreviewMatchesCheck, ForEveryItemOfThePanel) {
    SilentNotifier quiet;
    check::Session previewed(quiet, [] { return fixedTime; });
    check::Session checked(quiet, [] { return fixedTime; });
    const FrameTexts& boxes = GetParam().boxes;
    const auto lines = check::summarizeCheck(checked.check(Frame{boxes, {}, {}}));

    // The panel's lines: the seven channels, the memory status, the sun sensor.
    const std::array<std::size_t, 7> channelFields{
        check::field::H0, check::field::H1, check::field::H2, check::field::H3,
        check::field::H4, check::field::E,  check::field::F};
    for (std::size_t i = 0; i < channelFields.size(); ++i) {
        const auto preview = previewed.preview(boxes, channelFields[i]);
        ASSERT_EQ(preview.size(), 1U);
        EXPECT_EQ(preview[0].value, lines[i].value) << lines[i].label;
        EXPECT_EQ(preview[0].state, lines[i].state) << lines[i].label;
        EXPECT_EQ(preview[0].health, lines[i].health) << lines[i].label;
    }
    for (const std::size_t field : {check::field::C, check::field::D}) {
        const auto sun = previewed.preview(boxes, field);
        EXPECT_EQ(sun[0].state, lines[8].state);
        EXPECT_EQ(sun[0].health, lines[8].health);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Frames, PreviewMatchesCheck,
    testing::Values(PreviewCase{"Full", exampleFrame},
                    PreviewCase{"SolarCellWithBatteryOfThisFrame",
                                {"", "70", "", "", "60", "", "", "", "", "", ""}},
                    PreviewCase{"SunSensorWithoutB", {"", "", "", "", "", "", "", "90", "8F"}},
                    PreviewCase{"SunSensorWithFailingB",
                                {"", "", "", "", "", "", "FFFF", "5A", "3C", "", ""}},
                    PreviewCase{"Empty", {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
