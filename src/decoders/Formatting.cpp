// SPDX-License-Identifier: MIT
#include "decoders/Formatting.h"

#include <array>
#include <charconv>
#include <cstring>

namespace decoders {

std::string formatFixed(double value, int decimals) {
    std::array<char, 400> buffer{};  // enough for any double in fixed notation
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    return {buffer.data(), result.ptr};
}

std::string formatSignificant(double value, int digits) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, digits);
    return {buffer.data(), result.ptr};
}

std::string formatShortest(double value) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return {buffer.data(), result.ptr};
}

// A byte, what most numbers of a frame are, comes from a table made at compile time: its
// three places (the unused ones left as they are) and how many of them it fills.
char* writeDecimal(char* to, std::int32_t value) {
    static constexpr auto bytes = [] {
        std::array<std::array<char, 4>, 256> texts{};
        for (int byte = 0; byte < 256; ++byte) {
            auto& text = texts[static_cast<std::size_t>(byte)];
            const int length = byte >= 100 ? 3 : byte >= 10 ? 2 : 1;
            for (int i = length - 1, rest = byte; i >= 0; --i, rest /= 10) {
                text[static_cast<std::size_t>(i)] = static_cast<char>('0' + rest % 10);
            }
            text[3] = static_cast<char>(length);
        }
        return texts;
    }();
    if (value >= 0 && value < 256) {
        const auto& text = bytes[static_cast<std::size_t>(value)];
        std::memcpy(to, text.data(), 3);
        return to + text[3];
    }
    return std::to_chars(to, to + 11, value).ptr;
}

DecimalText::DecimalText(std::int32_t value)
    : size(static_cast<std::size_t>(writeDecimal(digits.data(), value) - digits.data())) {}

void appendHex(std::string& text, std::uint32_t value, int minDigits) {
    text.append(HexText(value, minDigits).view());
}

std::string formatHex(std::uint32_t value, int minDigits) {
    std::string text;
    appendHex(text, value, minDigits);
    return text;
}

}  // namespace decoders
