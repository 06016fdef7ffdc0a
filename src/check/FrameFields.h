// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "decoders/ProgramState.h"

namespace check {

// The eleven fields of a beacon frame after the word VOKA, in frame order.
struct FrameField {
    const char* name;
    int digits;  // the width the field is meant to have; enforced nowhere
    std::string decoders::ProgramState::*copy;
};

constexpr std::size_t fieldCount = 11;

// Where each field stands in frame order.
namespace field {
enum : std::size_t { H0, H1, H2, H3, H4, A, B, C, D, E, F };
}  // namespace field

// clang-format off
inline constexpr std::array<FrameField, fieldCount> frameFields{{
    {"H0", 2, &decoders::ProgramState::fieldH0},
    {"H1", 2, &decoders::ProgramState::fieldH1},
    {"H2", 2, &decoders::ProgramState::fieldH2},
    {"H3", 2, &decoders::ProgramState::fieldH3},
    {"H4", 2, &decoders::ProgramState::fieldH4},
    {"A",  4, &decoders::ProgramState::fieldA},
    {"B",  4, &decoders::ProgramState::fieldB},
    {"C",  2, &decoders::ProgramState::fieldC},
    {"D",  2, &decoders::ProgramState::fieldD},
    {"E",  2, &decoders::ProgramState::fieldE},
    {"F",  2, &decoders::ProgramState::fieldF},
}};
// clang-format on

// The texts of one frame as typed, in frame order (code-page-932 bytes).
using FrameTexts = std::array<std::string, fieldCount>;

// The same texts as a source hands them to a Check, which copies what it keeps: views of
// the boxes' texts or of a log's line, which must stay as they are until the Check returns.
class FieldTexts {
  public:
    FieldTexts() = default;
    // cppcheck-suppress noExplicitConstructor ; a frame is made from its texts' views
    FieldTexts(const FrameTexts& texts) {  // NOLINT(google-explicit-constructor)
        for (std::size_t i = 0; i < fieldCount; ++i) {
            views[i] = texts[i];
        }
    }
    FieldTexts(const FrameTexts&& texts) = delete;  // views of a temporary would dangle

    std::string_view operator[](std::size_t i) const { return views[i]; }
    void set(std::size_t i, std::string_view text) { views[i] = text; }
    void set(std::size_t i, std::string&& text) = delete;  // a view of a temporary would dangle
    static constexpr std::size_t size() { return fieldCount; }

    // Copies of the texts, to keep.
    FrameTexts copies() const {
        FrameTexts texts;
        for (std::size_t i = 0; i < fieldCount; ++i) {
            texts[i] = views[i];
        }
        return texts;
    }

  private:
    std::array<std::string_view, fieldCount> views{};
};

}  // namespace check
