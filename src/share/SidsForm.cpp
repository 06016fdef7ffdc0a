// SPDX-License-Identifier: MIT
#include "share/SidsForm.h"

#include <cmath>

#include "check/FrameSummary.h"
#include "check/UtcTime.h"
#include "check/writers/TelemetryColumns.h"
#include "share/Text.h"

namespace share {
namespace {

constexpr char hexDigits[] = "0123456789ABCDEF";

bool keptAsIs(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '*' ||
           c == '-' || c == '.' || c == '_';
}

}  // namespace

SidsResult heardFrame(const check::FrameTexts& texts) {
    std::string frame = "VOKA";
    for (std::size_t i = 0; i < check::fieldCount; ++i) {
        const check::FrameField& field = check::frameFields[i];
        if (texts[i].empty()) {
            return {std::nullopt, std::string("field ") + field.name + " was not copied"};
        }
        if (!check::readField(i, texts[i]).clean) {
            return {std::nullopt, std::string("field ") + field.name + " reads \"" + texts[i] +
                                      "\", not " + std::to_string(field.digits) +
                                      " hexadecimal digits"};
        }
        frame += ' ' + upperCase(texts[i]);
    }
    return {SidsForm{{}, frame, {}}, {}};
}

SidsResult sidsForm(const Station& station, const check::CheckRecord& record,
                    std::string_view version) {
    SidsResult result = heardFrame(record.texts);
    if (!result.form) {
        return result;
    }
    SidsForm& form = *result.form;
    form.timestamp = timestampText(record.decoded.time);
    form.fields = {
        {"noradID", std::to_string(station.noradId)},
        {"source", station.callSign},
        {"timestamp", form.timestamp},
        {"frame", hexOfBytes(form.frame)},
        {"locator", "longLat"},
        {"longitude", hemisphereText(station.position.longitude, 'E', 'W')},
        {"latitude", hemisphereText(station.position.latitude, 'N', 'S')},
        {"version", std::string(version)},
    };
    return result;
}

std::string formEncoded(std::string_view text) {
    std::string encoded;
    for (const char c : text) {
        if (keptAsIs(c)) {
            encoded += c;
        } else if (c == ' ') {
            encoded += '+';
        } else {
            const auto byte = static_cast<unsigned char>(c);
            encoded += '%';
            encoded += hexDigits[byte >> 4];
            encoded += hexDigits[byte & 0xF];
        }
    }
    return encoded;
}

std::string formBody(const std::vector<FormField>& fields) {
    std::string body;
    for (const FormField& field : fields) {
        body +=
            (body.empty() ? "" : "&") + formEncoded(field.name) + "=" + formEncoded(field.value);
    }
    return body;
}

std::string timestampText(std::time_t time) {
    std::string text = check::isoTime(time);  // "2010-01-02T03:04:05Z"
    text.insert(text.size() - 1, ".000");
    return text;
}

std::string hexOfBytes(std::string_view text) {
    std::string hex;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        hex += hexDigits[byte >> 4];
        hex += hexDigits[byte & 0xF];
    }
    return hex;
}

std::string hemisphereText(double degrees, char positive, char negative) {
    std::string text = degreesText(std::fabs(degrees));
    if (text.find('.') == std::string::npos) {
        text += ".0";
    }
    return text + (degrees < 0 && text != "0.0" ? negative : positive);
}

}  // namespace share
