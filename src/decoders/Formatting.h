// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace decoders {

// printf's "%.Nf" in the C locale: the same digits and the same rounding, whatever locale
// the program runs in. The report's "%2.3lf" and "%2.1lf" never need their width of 2,
// since "0.0" is already longer.
std::string formatFixed(double value, int decimals);

// printf's "%0NX": upper-case hexadecimal, zero-padded to at least minDigits digits.
std::string formatHex(std::uint32_t value, int minDigits);
void appendHex(std::string& text, std::uint32_t value, int minDigits);

}  // namespace decoders
