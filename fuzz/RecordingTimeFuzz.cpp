// SPDX-License-Identifier: MIT
// The times veskar-cw reads from outside: --start and a SatNOGS recording's file name.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "morse/RecordingTime.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const auto& start : {morse::parseUtc(text), morse::startFromFileName(text)}) {
        if (start && !morse::parseUtc(morse::formatUtc(*start))) {
            std::abort();  // every time read must be written back in a form read again
        }
        if (start && morse::parseUtc(morse::formatUtc(*start)) != start) {
            std::abort();
        }
    }
    return 0;
}
