// SPDX-License-Identifier: MIT
#include "decoders/Formatting.h"

#include <array>
#include <charconv>

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

DecimalText::DecimalText(std::int32_t value) {
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    size = static_cast<std::size_t>(result.ptr - digits.data());
}

void appendHex(std::string& text, std::uint32_t value, int minDigits) {
    text.append(HexText(value, minDigits).view());
}

std::string formatHex(std::uint32_t value, int minDigits) {
    std::string text;
    appendHex(text, value, minDigits);
    return text;
}

}  // namespace decoders
