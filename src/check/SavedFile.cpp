// SPDX-License-Identifier: MIT
#include "check/SavedFile.h"

namespace check {

std::string savedFileBytes(std::string_view resultText) {
    std::string bytes;
    bytes.reserve(resultText.size() + 1);
    bytes.append(resultText);
    bytes += endOfFileMark;
    return bytes;
}

}  // namespace check
