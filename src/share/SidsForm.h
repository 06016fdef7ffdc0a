// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "check/CheckOperation.h"
#include "share/Station.h"

namespace share {

// One field of an HTML form.
struct FormField {
    std::string name;
    std::string value;
};

// A frame as the telemetry networks take it (Simple Downlink Share): noradID, source,
// timestamp, frame, locator, longitude, latitude, version, in that order.
struct SidsForm {
    std::vector<FormField> fields;
    std::string frame;      // "VOKA 86 A6 ...", as heard
    std::string timestamp;  // "2010-01-02T03:04:05.000Z"
};

// The form of a Check, or why the frame is not sent: only a frame of which every field was
// copied cleanly (two hexadecimal digits, four for A and B) is what the beacon sent.
struct SidsResult {
    std::optional<SidsForm> form;
    std::string notSent;  // "field D was not copied"
};
SidsResult sidsForm(const Station& station, const check::CheckRecord& record,
                    std::string_view version);

// "VOKA 86 A6 ..." from the texts of a frame copied whole, in upper case; or why not.
SidsResult heardFrame(const check::FrameTexts& texts);

// application/x-www-form-urlencoded: letters, digits and "*-._" stay, a blank becomes '+',
// every other byte %XX in upper case.
std::string formEncoded(std::string_view text);
std::string formBody(const std::vector<FormField>& fields);

// "2010-01-02T03:04:05.000Z".
std::string timestampText(std::time_t time);
// Upper-case hexadecimal of the bytes: "VOKA" -> "564F4B41".
std::string hexOfBytes(std::string_view text);
// "35.6N", "139.7E", "33.9S": degrees to six places at most, and the hemisphere.
std::string hemisphereText(double degrees, char positive, char negative);

}  // namespace share
