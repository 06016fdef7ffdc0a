// SPDX-License-Identifier: MIT
#include "check/writers/ReportWriter.h"

namespace check {

void ReportWriter::frame(const CheckRecord& /*record*/, std::string_view block) {
    out.write(block.data(), static_cast<std::streamsize>(block.size()));
}

}  // namespace check
