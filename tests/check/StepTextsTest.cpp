// SPDX-License-Identifier: MIT
// The CSV's cells and the JSON's members of each step are kept by what the step depends on.
// Frames that change one field at a time, so that a step's key often stays while another
// changes, must still give what the writers write afresh.
#include "check/writers/StepTexts.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <random>
#include <string>

#include "check/CheckFixture.h"
#include "check/Session.h"
#include "check/writers/CsvWriter.h"
#include "check/writers/JsonWriter.h"

namespace {

using check::FrameTexts;

// A field's next text: mostly a clean number of its width, sometimes empty, overlong,
// negative or a status word that fails.
std::string nextText(std::mt19937& random, std::size_t field) {
    static constexpr std::array<const char*, 6> odd{"", "-1", "1FF", "FFFF", "0x80", "zz"};
    if (random() % 5 == 0) {
        return odd.at(random() % odd.size());
    }
    const int digits = check::frameFields.at(field).digits;
    const unsigned value = random() % (digits == 2 ? 0x100U : 0x10000U);
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "%0*X", digits, value);
    return text.data();
}

std::string written(check::StepTexts::WriteStep write, const decoders::DecodedFrame& frame) {
    std::string text;
    {
        decoders::TextWriter out(text);
        for (const check::DecodeStep& step : check::decodePlan) {
            write(out, step, frame);
        }
    }
    return text;
}

TEST(StepTexts, GiveWhatTheWritersWriteAfresh) {
    SilentNotifier quiet;
    check::Session session(
        quiet, [] { return fixedTime; }, check::Session::History::NotKept,
        check::Session::Report::NotWritten);
    const std::array<check::StepTexts::WriteStep, 2> writers{check::writeCsvStepCells,
                                                             check::writeJsonStep};
    std::array<check::StepTexts, 2> kept{check::StepTexts(writers[0]),
                                         check::StepTexts(writers[1])};
    std::mt19937 random(11);
    FrameTexts texts = exampleFrame;
    for (int frame = 0; frame < 5000; ++frame) {
        const std::size_t field = random() % check::fieldCount;
        texts.at(field) = nextText(random, field);
        const decoders::DecodedFrame& decoded = session.check({texts, {}, {}}).decoded;
        for (std::size_t w = 0; w < writers.size(); ++w) {
            std::string text;
            {
                decoders::TextWriter out(text);
                kept.at(w).writeSteps(out, decoded);
            }
            ASSERT_EQ(text, written(writers.at(w), decoded))
                << "writer " << w << ", frame " << frame << ", field " << field;
        }
    }
}

}  // namespace
