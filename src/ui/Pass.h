// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QString>
#include <vector>

#include "check/CheckOperation.h"

namespace ui {

// The Checks of one pass as the pass view shows them: this run's, or a log's.
struct Pass {
    QString name;
    QColor colour;
    std::vector<check::CheckRecord> records;
};

// The colour of the pass at an index of the view: this run's first, then one per log.
QColor passColour(std::size_t index);

// Where a frame is in the view: its pass and its index among the pass's records.
struct FrameRef {
    std::size_t pass = 0;
    std::size_t record = 0;
    bool operator==(const FrameRef&) const = default;
};

}  // namespace ui
