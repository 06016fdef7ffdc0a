// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace decoders {

// The value of each byte as a hexadecimal digit, or -1.
inline constexpr std::array<std::int8_t, 256> hexDigits = [] {
    std::array<std::int8_t, 256> digits{};
    for (int c = 0; c < 256; ++c) {
        digits[c] = c >= '0' && c <= '9'   ? static_cast<std::int8_t>(c - '0')
                    : c >= 'a' && c <= 'f' ? static_cast<std::int8_t>(c - 'a' + 10)
                    : c >= 'A' && c <= 'F' ? static_cast<std::int8_t>(c - 'A' + 10)
                                           : std::int8_t{-1};
    }
    return digits;
}();

inline int hexDigit(char c) {
    return hexDigits[static_cast<unsigned char>(c)];
}

// Converts a frame field's text as strtol does with base 16, but to a signed 32-bit value
// whatever the width of long: leading white space, one optional sign, an optional "0x",
// then hexadecimal digits up to the first other character. No digits give 0; a magnitude
// beyond 32 bits saturates to INT32_MAX (INT32_MIN with a minus sign). Never fails, and
// does not depend on the locale.
std::int32_t convertField(std::string_view text);

// The same for any text; convertField reads a plain field of two or four digits itself.
std::int32_t convertAnyField(std::string_view text);

inline std::int32_t convertField(std::string_view text) {
    // Two or four digits, each looked at without a branch: a byte that is not one makes
    // `all` negative.
    if (text.size() == 2 || text.size() == 4) {
        const auto digit = [text](std::size_t i) {
            return static_cast<unsigned>(hexDigit(text[i]));
        };
        unsigned all = digit(0) | digit(1);
        unsigned value = digit(0) << 4 | digit(1);
        if (text.size() == 4) {
            all |= digit(2) | digit(3);
            value = value << 8 | digit(2) << 4 | digit(3);
        }
        if (all < 16) {
            return static_cast<std::int32_t>(value);
        }
    }
    return convertAnyField(text);
}

}  // namespace decoders
