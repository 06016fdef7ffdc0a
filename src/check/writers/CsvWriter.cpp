// SPDX-License-Identifier: MIT
#include "check/writers/CsvWriter.h"

#include <string_view>
#include <vector>

#include "check/writers/TelemetryColumns.h"

namespace check {
namespace {

using Cells = std::vector<std::string>;

// RFC 4180: a cell with a comma, a quote or a line break is quoted, its quotes doubled.
std::string quoted(std::string_view cell) {
    if (cell.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(cell);
    }
    std::string text = "\"";
    for (const char c : cell) {
        text += c;
        if (c == '"') {
            text += '"';
        }
    }
    return text + '"';
}

std::string joined(const Cells& cells) {
    std::string row;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        row += (i == 0 ? "" : ",") + quoted(cells[i]);
    }
    return row + "\r\n";
}

}  // namespace

const std::string& csvHeader() {
    static const std::string header = [] {
        Cells names{"time_utc"};
        for (const FrameField& field : frameFields) {
            names.emplace_back(field.name);
        }
        for (const TelemetryColumn& column : telemetryColumns()) {
            names.push_back(column.name);
        }
        names.emplace_back("decoding_error");
        return joined(names);
    }();
    return header;
}

std::string csvRow(const CheckRecord& record) {
    const decoders::DecodedFrame& frame = record.decoded;
    // "2010-01-02T03:04:05": ISO 8601 without the zone, which spreadsheets read as a date and
    // time (the column's name says UTC); with a blank or a "Z" LibreOffice keeps it as text.
    std::string time = isoTime(frame.time);
    time.pop_back();
    Cells cells{time};
    for (std::size_t field = 0; field < fieldCount; ++field) {
        // "0x" keeps "43E4" from turning into a number in scientific notation and "0086" from
        // losing its zeros.
        const std::string raw = rawText(frame, field);
        cells.push_back(raw.empty() ? raw : "0x" + raw);
    }
    for (const TelemetryColumn& column : telemetryColumns()) {
        cells.push_back(column.cell(frame).text);
    }
    cells.push_back(record.decodingError.value_or(std::string()));
    return joined(cells);
}

void CsvWriter::begin() {
    out << csvHeader();
}

void CsvWriter::frame(const CheckRecord& record, std::string_view /*block*/) {
    out << csvRow(record);
}

}  // namespace check
