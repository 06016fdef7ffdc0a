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

std::string formatHex(std::uint32_t value, int minDigits) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), digits[value % 16]);
        value /= 16;
    } while (value != 0);
    if (static_cast<int>(text.size()) < minDigits) {
        text.insert(0, static_cast<std::size_t>(minDigits) - text.size(), '0');
    }
    return text;
}

}  // namespace decoders
