// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace check {

// The byte that ends a saved analysis (Ctrl-Z).
constexpr char endOfFileMark = '\x1A';

// The bytes of a saved analysis: the result text unchanged (code page 932, CR LF), then the
// end-of-file mark 0x1A.
std::string savedFileBytes(std::string_view resultText);

}  // namespace check
