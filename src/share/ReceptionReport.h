// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "check/CheckOperation.h"
#include "share/Station.h"

namespace share {

// A reception report for the satellite team: the station, its position, the frequency and
// mode CW, and each frame with its UTC time, as heard and as analysed. Texts are UTF-8.
struct ReportInput {
    const Station* station = nullptr;  // nothing when no station was set up
    std::vector<const check::CheckRecord*> frames;
    std::string version;  // Veskar's
};

std::string receptionReportText(const ReportInput& input);
std::string receptionReportHtml(const ReportInput& input);

// A report text of the decoders (code page 932) in UTF-8; the decoders' only non-ASCII
// text is the degree Celsius sign.
std::string utf8OfReportText(std::string_view cp932);

}  // namespace share
