// SPDX-License-Identifier: MIT
#include "check/writers/CsvWriter.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "decoders/TextWriter.h"

#include "check/UtcTime.h"
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

// A step's cells as CSV text, each after its comma.
void writeStepCells(decoders::TextWriter& row, const DecodeStep& step,
                    const decoders::DecodedFrame& frame) {
    visitStep(step, &frame, [&row](std::string_view /*name*/, const CellView& view) {
        row.add(',');
        writeCell(row, view.text);
    });
}

// What a step's cells depend on, when that is a small number: a channel's code and state
// (its texts come from them alone), the status word, the sun sensor's state and its two
// values when they are bytes, as they nearly always are.
std::optional<std::uint32_t> cellsKey(const DecodeStep& step, const decoders::DecodedFrame& frame) {
    switch (step.kind) {
        case ItemKind::Channel: {
            const auto& value = frame.*step.channel->places.decoded;
            return value ? 1 + (value->status * 256U + value->raw) : 0U;
        }
        case ItemKind::StatusWord:
            return frame.statusWord ? 1 + std::uint32_t{frame.statusWord->word} : 0U;
        case ItemKind::UplinkCommand:
            return 0U;
        case ItemKind::SunSensor: {
            const auto& sun = frame.sunSensor;
            if (!sun) {
                return 0U;
            }
            const auto isByte = [](std::int32_t value) { return value >= 0 && value < 256; };
            if (isByte(sun->c) && isByte(sun->d)) {
                return 1 + (std::uint32_t{sun->status} << 16 |
                            static_cast<std::uint32_t>(sun->c) << 8 |
                            static_cast<std::uint32_t>(sun->d));
            }
            break;
        }
    }
    return std::nullopt;
}

// The cells of each step for each key: a row is then a copy of a few ready-made texts. A
// channel's are all made at its first frame (4 states of 256 codes, or not decoded); of the
// status word, which a pass sends the same frame after frame, and of the sun sensor, whose
// blank image or switched-off sensor gives the same values frame after frame, the latest is
// kept.
class CellsCache {
  public:
    std::string_view cells(std::size_t stepIndex, std::uint32_t key,
                           const decoders::DecodedFrame& frame) {
        const DecodeStep& step = decodePlan[stepIndex];
        std::vector<Cells>& texts = steps[stepIndex];
        if (step.kind == ItemKind::Channel) {
            if (texts.empty()) {
                texts = everyChannelCells(step);
            }
            return texts[key].text;
        }
        texts.resize(1);
        Cells& latest = texts[0];
        if (latest.key != key) {
            latest.text.clear();
            decoders::TextWriter row(latest.text, 256);
            writeStepCells(row, step, frame);
            latest.key = key;
        }
        return latest.text;
    }

  private:
    struct Cells {
        std::optional<std::uint32_t> key;
        std::string text;
    };

    static std::vector<Cells> everyChannelCells(const DecodeStep& step) {
        const decoders::AnalogChannel& channel = *step.channel;
        const decoders::ChannelTexts& texts = decoders::textsOfChannel(channel);
        std::vector<Cells> all(1 + 4 * 256);
        for (std::uint32_t key = 0; key < all.size(); ++key) {
            decoders::DecodedFrame frame;
            if (key > 0) {
                const auto raw = static_cast<std::uint8_t>((key - 1) % 256);
                const auto status = static_cast<std::uint8_t>((key - 1) / 256);
                frame.*channel.places.decoded =
                    decoders::ChannelValue{raw, texts.value[raw], status, texts.stateName[status]};
            }
            decoders::TextWriter row(all[key].text, 64);
            writeStepCells(row, step, frame);
            all[key].key = key;
        }
        return all;
    }

    std::array<std::vector<Cells>, decodeStepCount> steps;
};

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
    thread_local CellsCache cache;
    for (std::size_t step = 0; step < decodePlan.size(); ++step) {
        if (const std::optional<std::uint32_t> key = cellsKey(decodePlan[step], frame)) {
            row.add(cache.cells(step, *key, frame));
        } else {
            writeStepCells(row, decodePlan[step], frame);
        }
    }
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
