// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "check/writers/FrameWriter.h"

namespace check {

// JSON Lines: one object a Check with its time, the eleven raw values, every value with its
// unit, every state as code and name, and the decoding error; null for what was not decoded.
// Numbers keep full precision.
class JsonWriter : public FrameWriter {
  public:
    void frame(const CheckRecord& record, std::string& out) override;
};

// One frame's object, without the line end.
std::string jsonObject(const CheckRecord& record);
void appendJsonObject(std::string& text, const CheckRecord& record);

}  // namespace check
