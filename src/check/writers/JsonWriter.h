// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "check/DecodePlan.h"
#include "check/writers/FrameWriter.h"
#include "decoders/DecodedFrame.h"
#include "decoders/TextWriter.h"

namespace check {

// JSON Lines: one object a Check with its time, the eleven raw values, every value with its
// unit, every state as code and name, and the decoding error; null for what was not decoded.
// Numbers keep full precision.
class JsonWriter : public FrameWriter {
  public:
    void frame(const CheckRecord& record, std::string& out) override;
};

// One step's member (",\"s_meter\":{...}"), after the members before it, made afresh; an
// object takes them from StepTexts.
void writeJsonStep(decoders::TextWriter& out, const DecodeStep& step,
                   const decoders::DecodedFrame& frame);

// One frame's object, without the line end.
std::string jsonObject(const CheckRecord& record);
void appendJsonObject(std::string& text, const CheckRecord& record);

}  // namespace check
