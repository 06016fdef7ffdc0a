// SPDX-License-Identifier: MIT
#include "check/writers/CsvWriter.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "decoders/Formatting.h"
#include "decoders/TextWriter.h"

#include "check/UtcTime.h"
#include "check/writers/StepTexts.h"
#include "check/writers/TelemetryColumns.h"

namespace check {
namespace {

// RFC 4180: a cell with a comma, a quote or a line break is quoted, its quotes doubled.
constexpr std::array<bool, 256> needsQuotes = [] {
    std::array<bool, 256> special{};
    for (const char c : {',', '"', '\r', '\n'}) {
        special[static_cast<unsigned char>(c)] = true;
    }
    return special;
}();

void writeCell(decoders::TextWriter& row, std::string_view cell) {
    bool plain = true;
    for (const char c : cell) {
        plain &= !needsQuotes[static_cast<unsigned char>(c)];
    }
    if (plain) {
        row.add(cell);
        return;
    }
    row.add('"');
    for (const char c : cell) {
        row.add(c);
        if (c == '"') {
            row.add('"');
        }
    }
    row.add('"');
}

}  // namespace

void writeCsvStepCells(decoders::TextWriter& row, const DecodeStep& step,
                       const decoders::DecodedFrame& frame) {
    visitStep(step, &frame, [&row](std::string_view /*name*/, const CellView& view) {
        row.add(',');
        writeCell(row, view.text);
    });
}

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

void appendCsvRow(std::string& text, const CheckRecord& record) {
    const decoders::DecodedFrame& frame = record.decoded;
    decoders::TextWriter row(text);
    // "2010-01-02T03:04:05": ISO 8601 without the zone, which spreadsheets read as a date and
    // time (the column's name says UTC); with a blank or a "Z" LibreOffice keeps it as text.
    writeUtc(row, frame.time, 'T');
    for (std::size_t field = 0; field < fieldCount; ++field) {
        // "0x" keeps "43E4" from turning into a number in scientific notation and "0086" from
        // losing its zeros.
        const std::optional<std::uint32_t> raw = rawValue(frame, field);
        row.write(3 + 8, [&raw, field](char* to) {
            *to++ = ',';
            if (!raw) {
                return to;
            }
            *to++ = '0';
            *to++ = 'x';
            return decoders::writeHex(to, *raw, frameFields[field].digits);
        });
    }
    thread_local StepTexts cells(writeCsvStepCells);
    cells.writeSteps(row, frame);
    row.add(',');
    if (record.decodingError) {
        writeCell(row, *record.decodingError);
    }
    row.add("\r\n");
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
