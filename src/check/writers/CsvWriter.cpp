// SPDX-License-Identifier: MIT
#include "check/writers/CsvWriter.h"

#include <string_view>

#include "check/UtcTime.h"
#include "check/writers/TelemetryColumns.h"

namespace check {
namespace {

// RFC 4180: a cell with a comma, a quote or a line break is quoted, its quotes doubled.
void appendCell(std::string& row, std::string_view cell) {
    if (cell.find_first_of(",\"\r\n") == std::string_view::npos) {
        row.append(cell);
        return;
    }
    row += '"';
    for (const char c : cell) {
        row += c;
        if (c == '"') {
            row += '"';
        }
    }
    row += '"';
}

}  // namespace

const std::string& csvHeader() {
    static const std::string header = [] {
        std::string row = "time_utc";
        for (const FrameField& field : frameFields) {
            row.append(",").append(field.name);
        }
        visitTelemetry(nullptr, [&row](std::string_view name, const CellView& /*view*/) {
            row.append(",").append(name);
        });
        return row + ",decoding_error\r\n";
    }();
    return header;
}

void appendCsvRow(std::string& row, const CheckRecord& record) {
    const decoders::DecodedFrame& frame = record.decoded;
    // "2010-01-02T03:04:05": ISO 8601 without the zone, which spreadsheets read as a date and
    // time (the column's name says UTC); with a blank or a "Z" LibreOffice keeps it as text.
    const std::size_t time = row.size();
    appendUtc(row, frame.time);
    row[time + 10] = 'T';
    for (std::size_t field = 0; field < fieldCount; ++field) {
        row += ',';
        // "0x" keeps "43E4" from turning into a number in scientific notation and "0086" from
        // losing its zeros.
        if (const std::optional<std::uint32_t> raw = rawValue(frame, field)) {
            row.append("0x").append(decoders::HexText(*raw, frameFields[field].digits).view());
        }
    }
    visitTelemetry(&frame, [&row](std::string_view /*name*/, const CellView& view) {
        row += ',';
        appendCell(row, view.text);
    });
    row += ',';
    if (record.decodingError) {
        appendCell(row, *record.decodingError);
    }
    row += "\r\n";
}

std::string csvRow(const CheckRecord& record) {
    std::string row;
    appendCsvRow(row, record);
    return row;
}

void CsvWriter::begin(std::string& out) {
    out += csvHeader();
}

void CsvWriter::frame(const CheckRecord& record, std::string& out) {
    appendCsvRow(out, record);
}

}  // namespace check
