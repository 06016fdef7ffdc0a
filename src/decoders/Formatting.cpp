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

void appendHex(std::string& text, std::uint32_t value, int minDigits) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::array<char, 8> buffer{};  // filled from the end; eight digits hold 32 bits
    auto* first = buffer.end();
    do {
        *--first = digits[value % 16];
        value /= 16;
    } while (value != 0);
    const auto count = static_cast<int>(buffer.end() - first);
    if (count < minDigits) {
        text.append(static_cast<std::size_t>(minDigits - count), '0');
    }
    text.append(first, buffer.end());
}

std::string formatHex(std::uint32_t value, int minDigits) {
    std::string text;
    appendHex(text, value, minDigits);
    return text;
}

}  // namespace decoders
