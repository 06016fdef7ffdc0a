// SPDX-License-Identifier: MIT
#include "morse/MorseCode.h"

#include <string>
#include <utility>

namespace morse {
namespace {

Symbol symbolFrom(char letter, std::string_view code) {
    Symbol symbol{letter, 0, {}};
    for (const char element : code) {
        if (symbol.units > 0) {
            ++symbol.units;  // the gap inside the character
        }
        const int length = element == '-' ? 3 : 1;
        for (int i = 0; i < length; ++i) {
            symbol.keyDown.push_back(symbol.units++);
        }
    }
    return symbol;
}

std::string_view codeOf(char letter) {
    constexpr std::pair<char, std::string_view> codes[] = {
        {'0', "-----"}, {'1', ".----"}, {'2', "..---"}, {'3', "...--"}, {'4', "....-"},
        {'5', "....."}, {'6', "-...."}, {'7', "--..."}, {'8', "---.."}, {'9', "----."},
        {'A', ".-"},    {'B', "-..."},  {'C', "-.-."},  {'D', "-.."},   {'E', "."},
        {'F', "..-."},  {'V', "...-"},  {'O', "---"},   {'K', "-.-"}};
    for (const auto& [symbol, code] : codes) {
        if (symbol == letter) {
            return code;
        }
    }
    return {};
}

std::vector<Symbol> makeSymbols() {
    std::vector<Symbol> all;
    for (const char letter : std::string_view("0123456789ABCDEFVOK")) {
        all.push_back(symbolFrom(letter, codeOf(letter)));
    }
    return all;
}

std::vector<Slot> makeFrameSlots() {
    std::vector<Slot> slots;
    for (std::size_t i = 0; i < frameWord.size(); ++i) {
        const int gap = i + 1 == frameWord.size() ? wordSpace : characterGap;
        slots.push_back({{symbolIndex(frameWord[i])}, -1, gap});
    }
    std::vector<int> hex;
    for (std::size_t i = 0; i < hexSymbolCount; ++i) {
        hex.push_back(static_cast<int>(i));
    }
    for (std::size_t field = 0; field < fieldCount; ++field) {
        for (int digit = 0; digit < fieldWidths[field]; ++digit) {
            const bool last = digit + 1 == fieldWidths[field];
            slots.push_back({hex, static_cast<int>(field), last ? wordSpace : characterGap});
        }
    }
    slots.back().gapAfter = 0;
    return slots;
}

}  // namespace

const std::vector<Symbol>& symbols() {
    static const std::vector<Symbol> all = makeSymbols();
    return all;
}

int symbolIndex(char letter) {
    const std::vector<Symbol>& all = symbols();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].letter == letter) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const std::vector<Slot>& frameSlots() {
    static const std::vector<Slot> slots = makeFrameSlots();
    return slots;
}

int unitsOf(std::string_view text) {
    int units = 0;
    bool afterCharacter = false;
    for (const char c : text) {
        if (c == ' ') {
            units += wordSpace;
            afterCharacter = false;
            continue;
        }
        const int index = symbolIndex(c);
        if (index < 0) {
            continue;
        }
        units += (afterCharacter ? characterGap : 0) + symbols()[index].units;
        afterCharacter = true;
    }
    return units;
}

int longestFrameUnits() {
    std::string text(frameWord);
    for (const int width : fieldWidths) {
        text += ' ' + std::string(static_cast<std::size_t>(width), '0');
    }
    return unitsOf(text);
}

}  // namespace morse
