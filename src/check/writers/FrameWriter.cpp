// SPDX-License-Identifier: MIT
#include "check/writers/FrameWriter.h"

#include "check/writers/CsvWriter.h"
#include "check/writers/JsonWriter.h"

namespace check {
namespace {

template <typename Writer>
std::unique_ptr<FrameWriter> make() {
    return std::make_unique<Writer>();
}

}  // namespace

const std::array<OutputFormat, 3> outputFormats{{
    {"report", true, nullptr},
    {"csv", false, &make<CsvWriter>},
    {"json", false, &make<JsonWriter>},
}};

const OutputFormat* findOutputFormat(std::string_view name) {
    for (const OutputFormat& format : outputFormats) {
        if (format.name == name) {
            return &format;
        }
    }
    return nullptr;
}

}  // namespace check
