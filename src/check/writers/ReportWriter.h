// SPDX-License-Identifier: MIT
#pragma once

#include "check/writers/FrameWriter.h"

namespace check {

// The analysis report: each Check's block as the dialog's result box shows it.
class ReportWriter : public FrameWriter {
  public:
    explicit ReportWriter(std::ostream& out) : out(out) {}
    void frame(const CheckRecord& record, std::string_view block) override;

  private:
    std::ostream& out;
};

}  // namespace check
