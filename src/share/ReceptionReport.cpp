// SPDX-License-Identifier: MIT
#include "share/ReceptionReport.h"

#include "check/FrameSummary.h"
#include "check/UtcTime.h"
#include "share/SidsForm.h"
#include "share/Text.h"

namespace share {
namespace {

// What a report says, whatever it is written in.
struct Item {
    std::string label;
    std::string value;
};

struct FrameSection {
    std::string heading;  // "Frame 1, 2010-01-02 03:04:05 UTC"
    std::string heard;    // "VOKA 86 A6 -- ..."
    std::vector<Item> analysis;
    std::string error;
};

std::string utcText(std::time_t time) {
    std::string text;
    check::appendUtc(text, time);
    return text + " UTC";
}

std::string heardText(const check::FrameTexts& texts) {
    std::string heard = "VOKA";
    for (const std::string& text : texts) {
        heard += ' ' + utf8OfReportText(text.empty() ? "--" : upperCase(text));
    }
    return heard;
}

std::vector<Item> stationItems(const ReportInput& input) {
    const Station* station = input.station;
    if (station == nullptr) {
        return {{"Station", "not set up"}, {"Mode", "CW"}};
    }
    const Position& at = station->position;
    return {
        {"Station", station->callSign},
        {"Locator", station->locator},
        {"Position",
         hemisphereText(at.latitude, 'N', 'S') + " " + hemisphereText(at.longitude, 'E', 'W')},
        {"Frequency", station->frequencyMHz.empty() ? "not given" : station->frequencyMHz + " MHz"},
        {"Mode", "CW"},
        {"Satellite", "VOKA-I, NORAD " + std::to_string(station->noradId)}};
}

std::vector<Item> summaryItems(const ReportInput& input) {
    std::vector<Item> items = stationItems(input);
    items.push_back({"Frames", std::to_string(input.frames.size())});
    if (!input.frames.empty()) {
        items.push_back({"First", utcText(input.frames.front()->decoded.time)});
        items.push_back({"Last", utcText(input.frames.back()->decoded.time)});
    }
    items.push_back({"Decoded with", "Veskar " + input.version});
    return items;
}

std::string stateText(const check::SummaryLine& line) {
    switch (line.health) {
        case check::Health::NotCopied:
            return "not copied";
        case check::Health::Limit:
            return line.state + " (at a limit)";
        case check::Health::Fault:
            return line.state + " (fault)";
        case check::Health::Normal:
            break;
    }
    return line.state;
}

std::vector<FrameSection> sectionsOf(const ReportInput& input) {
    std::vector<FrameSection> sections;
    for (std::size_t i = 0; i < input.frames.size(); ++i) {
        const check::CheckRecord& record = *input.frames[i];
        FrameSection section{"Frame " + std::to_string(i + 1) + ", " + utcText(record.decoded.time),
                             heardText(record.texts),
                             {},
                             record.decodingError ? *record.decodingError : ""};
        for (const check::SummaryLine& line : check::summarizeCheck(record)) {
            std::string value = utf8OfReportText(line.value);
            const std::string state = stateText(line);
            value += value.empty() || state.empty() ? state : ", " + state;
            section.analysis.push_back({utf8OfReportText(line.label), value});
        }
        sections.push_back(std::move(section));
    }
    return sections;
}

std::string padded(const std::string& text, std::size_t width) {
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

std::string htmlEscaped(std::string_view text) {
    std::string html;
    for (const char c : text) {
        switch (c) {
            case '&':
                html += "&amp;";
                break;
            case '<':
                html += "&lt;";
                break;
            case '>':
                html += "&gt;";
                break;
            case '"':
                html += "&quot;";
                break;
            default:
                html += c;
        }
    }
    return html;
}

std::string htmlRows(const std::vector<Item>& items) {
    std::string rows;
    for (const Item& item : items) {
        rows += "<tr><th>" + htmlEscaped(item.label) + "</th><td>" + htmlEscaped(item.value) +
                "</td></tr>\n";
    }
    return rows;
}

constexpr const char* title = "VOKA-I reception report";

}  // namespace

std::string utf8OfReportText(std::string_view cp932) {
    std::string text;
    for (std::size_t i = 0; i < cp932.size(); ++i) {
        const auto byte = static_cast<unsigned char>(cp932[i]);
        if (byte < 0x80) {
            text += cp932[i];
        } else if (cp932.substr(i, 2) == "\x81\x8E") {
            text += "\u2103";  // ℃
            ++i;
        } else {
            text += "\uFFFD";
        }
    }
    return text;
}

std::string receptionReportText(const ReportInput& input) {
    std::string text = std::string(title) + "\n" + std::string(23, '=') + "\n\n";
    for (const Item& item : summaryItems(input)) {
        text += padded(item.label + ":", 14) + item.value + "\n";
    }
    for (const FrameSection& section : sectionsOf(input)) {
        text += "\n" + section.heading + "\n  " + section.heard + "\n";
        for (const Item& item : section.analysis) {
            text += "  " + padded(item.label, 26) + item.value + "\n";
        }
        if (!section.error.empty()) {
            text += "  Decoding error: " + section.error + "\n";
        }
    }
    return text;
}

std::string receptionReportHtml(const ReportInput& input) {
    std::string html =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
        std::string(title) +
        "</title>\n<style>body{font-family:sans-serif}th{text-align:left;padding-right:1em}"
        "code{font-size:1.1em}</style>\n</head>\n<body>\n<h1>" +
        title + "</h1>\n<table>\n" + htmlRows(summaryItems(input)) + "</table>\n";
    for (const FrameSection& section : sectionsOf(input)) {
        html += "<h2>" + htmlEscaped(section.heading) + "</h2>\n<p><code>" +
                htmlEscaped(section.heard) + "</code></p>\n<table>\n" + htmlRows(section.analysis) +
                "</table>\n";
        if (!section.error.empty()) {
            html += "<p>Decoding error: " + htmlEscaped(section.error) + "</p>\n";
        }
    }
    return html + "</body>\n</html>\n";
}

}  // namespace share
