// SPDX-License-Identifier: MIT
// The station file (veskar-decode --station FILE) on arbitrary bytes: a station that passes
// its checks writes a file that reads back to the same station.
#include <cstdlib>
#include <string>

#include "share/StationFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const share::StationFileForm parsed = share::parseStationFile(bytes);
    if (!parsed.form) {
        return 0;
    }
    const share::CheckedStation checked = share::checkStation(*parsed.form);
    if (!checked.station) {
        return 0;
    }
    const std::string text = share::stationFileText(*checked.station);
    const share::StationFileForm again = share::parseStationFile(text);
    if (!again.form) {
        std::abort();
    }
    const share::CheckedStation rechecked = share::checkStation(*again.form);
    if (!rechecked.station || share::stationFileText(*rechecked.station) != text) {
        std::abort();
    }
    return 0;
}
