// SPDX-License-Identifier: MIT
#include "decoders/FieldConversion.h"

#include <limits>

namespace decoders {
namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// strtol takes "0x" as a prefix only when a hex digit follows; otherwise the "0" alone is
// the number. Either way the value is the same, so the prefix is skipped only in that case.
std::size_t skipPrefix(std::string_view text, std::size_t at) {
    const bool prefixed = at + 2 < text.size() && text[at] == '0' &&
                          (text[at + 1] == 'x' || text[at + 1] == 'X') &&
                          hexDigit(text[at + 2]) >= 0;
    return prefixed ? at + 2 : at;
}

}  // namespace

std::int32_t convertAnyField(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && isSpace(text[at])) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    at = skipPrefix(text, at);

    // One past the largest magnitude that a 32-bit value can take (2^31 with a minus sign).
    constexpr std::uint64_t limit = std::uint64_t{1} << 31;
    std::uint64_t magnitude = 0;
    for (; at < text.size() && hexDigit(text[at]) >= 0; ++at) {
        magnitude = magnitude * 16 + static_cast<std::uint64_t>(hexDigit(text[at]));
        if (magnitude > limit) {
            magnitude = limit + 1;  // saturated; later digits cannot bring it back
        }
    }
    if (negative) {
        return magnitude >= limit ? std::numeric_limits<std::int32_t>::min()
                                  : -static_cast<std::int32_t>(magnitude);
    }
    return magnitude >= limit ? std::numeric_limits<std::int32_t>::max()
                              : static_cast<std::int32_t>(magnitude);
}

}  // namespace decoders
