// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string_view>

namespace decoders {

// Converts a frame field's text as strtol does with base 16, but to a signed 32-bit value
// whatever the width of long: leading white space, one optional sign, an optional "0x",
// then hexadecimal digits up to the first other character. No digits give 0; a magnitude
// beyond 32 bits saturates to INT32_MAX (INT32_MIN with a minus sign). Never fails, and
// does not depend on the locale.
std::int32_t convertField(std::string_view text);

}  // namespace decoders
