// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "check/DecodePlan.h"
#include "check/writers/FrameWriter.h"
#include "decoders/DecodedFrame.h"
#include "decoders/TextWriter.h"

namespace check {

// One row a Check (UTF-8, RFC 4180, CR LF), made to open cleanly in a spreadsheet: the UTC
// time as "YYYY-MM-DDTHH:MM:SS", the raw values of the fields decoded in this frame as "0x86",
// every engineering value to 6 significant digits, every state name, and the decoding
// error. Cells of items not decoded stay empty. JSON keeps the values' full precision.
class CsvWriter : public FrameWriter {
  public:
    void begin(std::string& out) override;
    void frame(const CheckRecord& record, std::string& out) override;
};

// One step's cells, each after its comma, made afresh; a row takes them from StepTexts.
void writeCsvStepCells(decoders::TextWriter& row, const DecodeStep& step,
                       const decoders::DecodedFrame& frame);

// The header row and one frame's row, each with its CR LF.
const std::string& csvHeader();
void appendCsvRow(std::string& text, const CheckRecord& record);
std::string csvRow(const CheckRecord& record);

}  // namespace check
