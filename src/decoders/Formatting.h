// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace decoders {

// printf's "%.Nf" in the C locale: the same digits and the same rounding, whatever locale
// the program runs in. The report's "%2.3lf" and "%2.1lf" never need their width of 2,
// since "0.0" is already longer.
std::string formatFixed(double value, int decimals);

// printf's "%.Ng": the value to N significant digits, trailing zeros dropped.
std::string formatSignificant(double value, int digits);

// The shortest text that reads back to the same double (std::to_chars without a format).
std::string formatShortest(double value);

// printf's "%0NX": upper-case hexadecimal, zero-padded to at least minDigits digits (at most
// 8), written at to; gives the end.
inline char* writeHex(char* to, std::uint32_t value, int minDigits) {
    static constexpr char digits[] = "0123456789ABCDEF";
    if (minDigits == 2 && value < 0x100) {  // the common cases: a byte, and a word
        to[0] = digits[value >> 4];
        to[1] = digits[value & 0xF];
        return to + 2;
    }
    if (minDigits == 4 && value < 0x10000) {
        to[0] = digits[value >> 12];
        to[1] = digits[(value >> 8) & 0xF];
        to[2] = digits[(value >> 4) & 0xF];
        to[3] = digits[value & 0xF];
        return to + 4;
    }
    int count = 1;
    while (count < 8 && (value >> (4 * count)) != 0) {
        ++count;
    }
    count = std::max(count, std::min(minDigits, 8));
    for (int i = count - 1; i >= 0; --i, value >>= 4) {
        to[i] = digits[value & 0xF];
    }
    return to + count;
}

// The same, made without allocating.
class HexText {
  public:
    HexText(std::uint32_t value, int minDigits)
        : size(static_cast<std::size_t>(writeHex(digits.data(), value, minDigits) -
                                        digits.data())) {}
    std::string_view view() const { return {digits.data(), size}; }

  private:
    std::array<char, 8> digits{};
    std::size_t size;
};

// printf's "%d": at most 11 bytes written at to; gives the end.
char* writeDecimal(char* to, std::int32_t value);

// The same, made without allocating.
class DecimalText {
  public:
    explicit DecimalText(std::int32_t value);
    std::string_view view() const { return {digits.data(), size}; }

  private:
    std::array<char, 12> digits{};  // "-2147483648"
    std::size_t size;
};

std::string formatHex(std::uint32_t value, int minDigits);
void appendHex(std::string& text, std::uint32_t value, int minDigits);

}  // namespace decoders
