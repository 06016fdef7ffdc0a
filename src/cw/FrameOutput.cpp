// SPDX-License-Identifier: MIT
#include "cw/FrameOutput.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace cw {
namespace {

constexpr std::array<const char*, morse::fieldCount> fieldNames{"H0", "H1", "H2", "H3", "H4", "A",
                                                                "B",  "C",  "D",  "E",  "F"};

std::string fixed(double value, int decimals) {
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), "%.*f", decimals, value);
    return text.data();
}

std::optional<morse::UtcSeconds> frameTime(const morse::HeardFrame& frame,
                                           const FrameContext& context) {
    if (!context.recordingStart) {
        return std::nullopt;
    }
    return *context.recordingStart + static_cast<morse::UtcSeconds>(std::llround(frame.start));
}

bool written(const morse::HeardField& field, const FrameContext& context) {
    return field.heard() && field.confidence() >= context.minConfidence;
}

std::string jsonString(const std::string& text) {
    std::string out(1, '"');
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            std::array<char, 8> escape{};
            std::snprintf(escape.data(), escape.size(), "\\u%04x", static_cast<unsigned>(c));
            out += escape.data();
        } else {
            out += c;
        }
    }
    return out + '"';
}

void writeCharacters(std::ostream& out, const morse::HeardField& field) {
    out << "[";
    for (std::size_t i = 0; i < field.characters.size(); ++i) {
        const morse::HeardCharacter& c = field.characters[i];
        out << (i > 0 ? "," : "") << R"({"symbol":")" << c.symbol << R"(","confidence":)"
            << fixed(c.confidence, 4) << R"(,"alternative":")" << c.alternative
            << R"(","alternative_confidence":)" << fixed(c.alternativeConfidence, 4) << "}";
    }
    out << "]";
}

}  // namespace

void writeLogLines(std::ostream& out, const morse::HeardFrame& frame, const FrameContext& context) {
    out << "# " << context.file << " at " << fixed(frame.start, 1) << " s: tone "
        << fixed(frame.toneHz, 0) << " Hz, " << fixed(frame.wpm, 1) << " wpm, SNR "
        << fixed(frame.snrDb, 1) << " dB, confidence " << fixed(frame.confidence(), 2) << "\n";
    if (const std::optional<morse::UtcSeconds> time = frameTime(frame, context)) {
        out << morse::formatUtc(*time) << " ";
    }
    out << "VOKA";
    for (const morse::HeardField& field : frame.fields) {
        out << " " << (written(field, context) ? field.text : "-");
    }
    out << "\n";
}

void writeJson(std::ostream& out, const morse::HeardFrame& frame, const FrameContext& context) {
    const std::optional<morse::UtcSeconds> time = frameTime(frame, context);
    out << R"({"file":)" << jsonString(context.file) << R"(,"start":)" << fixed(frame.start, 3)
        << R"(,"end":)" << fixed(frame.end, 3) << R"(,"time":)"
        << (time ? jsonString(morse::formatUtc(*time)) : "null") << R"(,"tone_hz":)"
        << fixed(frame.toneHz, 1) << R"(,"wpm":)" << fixed(frame.wpm, 2) << R"(,"snr_db":)"
        << fixed(frame.snrDb, 1) << R"(,"confidence":)" << fixed(frame.confidence(), 4)
        << R"(,"word_heard":)" << (frame.wordHeard ? "true" : "false") << R"(,"fields":[)";
    for (std::size_t f = 0; f < frame.fields.size(); ++f) {
        const morse::HeardField& field = frame.fields[f];
        out << (f > 0 ? "," : "") << R"({"name":")" << fieldNames[f] << R"(","text":)"
            << (field.heard() ? jsonString(field.text) : "null") << R"(,"confidence":)"
            << (field.heard() ? fixed(field.confidence(), 4) : "null") << R"(,"below_minimum":)"
            << (field.heard() && !written(field, context) ? "true" : "false")
            << R"(,"characters":)";
        writeCharacters(out, field);
        out << "}";
    }
    out << "]}\n";
}

}  // namespace cw
