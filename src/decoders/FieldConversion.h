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
    if (text.size() == 2 || text.size() == 4) {
        int value = 0;
        int all = 0;
        for (const char c : text) {
            const int digit = hexDigit(c);
            all |= digit;
            value = value * 16 + digit;
        }
        if (all >= 0) {
            return value;
        }
    }
    return convertAnyField(text);
}

}  // namespace decoders
