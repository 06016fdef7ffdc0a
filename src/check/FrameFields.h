// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <string>

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

}  // namespace check
