// SPDX-License-Identifier: MIT
// The field conversion against the C library's strtol (a 64-bit long here) clamped to 32 bits,
// which is the conversion's rule: any text, any bytes.
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "decoders/FieldConversion.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const long reference = std::strtol(text.c_str(), nullptr, 16);  // stops at a NUL, as we do
    const long clamped = reference > INT32_MAX   ? INT32_MAX
                         : reference < INT32_MIN ? INT32_MIN
                                                 : reference;
    if (decoders::convertField(text) != clamped) {
        std::abort();
    }
    return 0;
}
