// SPDX-License-Identifier: MIT
// The batch decoder's line reader, and a whole log, on arbitrary bytes.
#include <cstdlib>
#include <sstream>
#include <string>

#include "batch/BatchDecoder.h"
#include "batch/FrameLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const batch::FrameLine line = batch::readFrameLine(bytes);
    if (const auto* frame = std::get_if<batch::LoggedFrame>(&line)) {
        for (const std::string& text : frame->texts) {
            if (text.find_first_of(" \t") != std::string::npos || text == "-") {
                std::abort();  // a field is one token, and "-" is an empty field
            }
        }
    }
    std::istringstream log(bytes);
    std::ostringstream out, errors;
    batch::BatchDecoder decoder(*check::findOutputFormat("csv"), out, errors,
                                [] { return std::time_t{0}; });
    decoder.decodeLog(log, "fuzz");
    return 0;
}
