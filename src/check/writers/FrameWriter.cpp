// SPDX-License-Identifier: MIT
#include "check/writers/FrameWriter.h"

#include "check/writers/CsvWriter.h"
#include "check/writers/JsonWriter.h"
#include "check/writers/ReportWriter.h"

namespace check {
namespace {

template <typename Writer>
std::unique_ptr<FrameWriter> make(std::ostream& out) {
    return std::make_unique<Writer>(out);
}

}  // namespace

const std::array<OutputFormat, 3> outputFormats{{
    {"report", true, &make<ReportWriter>},
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
