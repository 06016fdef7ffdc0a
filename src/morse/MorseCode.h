// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

namespace morse {

// Timing in units: a dot and the gap inside a character last one unit, a dash three, the
// gap between characters three and the word space between fields seven.
constexpr int characterGap = 3;
constexpr int wordSpace = 7;

// One symbol the beacon sends, as the units of its key-down time.
struct Symbol {
    char letter;
    int units;                 // from the first key-down to the last key-up, in units
    std::vector<int> keyDown;  // the units during which the key is down
};

// The sixteen hexadecimal digits 0-9, A-F (indices 0-15), then V, O and K; the A of VOKA is
// the hexadecimal A.
constexpr std::size_t hexSymbolCount = 16;
const std::vector<Symbol>& symbols();

// The index of a letter in symbols(), or -1.
int symbolIndex(char letter);

// The frame after the word VOKA: eleven fields of these widths.
constexpr std::size_t fieldCount = 11;
constexpr std::array<int, fieldCount> fieldWidths{2, 2, 2, 2, 2, 4, 4, 2, 2, 2, 2};
constexpr std::string_view frameWord = "VOKA";

// One character position of a frame: which symbols may stand there, the field it belongs
// to (-1 for the word VOKA) and the gap, in units, that follows it.
struct Slot {
    std::vector<int> allowed;
    int field;
    int gapAfter;
};

// The 30 slots of a whole frame: V, O, K, A, then the 26 digits of the fields.
const std::vector<Slot>& frameSlots();

// Units of key-down and key-up a text of characters and spaces takes (for the generator and
// for the longest frame a speed allows).
int unitsOf(std::string_view text);

// The longest a frame can last, in units (every digit a zero).
int longestFrameUnits();

}  // namespace morse
