// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace ui {

// One point of a chart: its time on the axis, its value, and the record it came from.
struct Sample {
    double time;
    double value;
    std::uint32_t record;
};

// The samples worth drawing of a time-ordered run for a time range on a number of pixel
// columns: in each column the first, lowest, highest and last sample, and the neighbour
// just outside each end of the range so that a line runs on to the edge. What is drawn
// looks as it would with every sample, at a cost that follows the pixels, not the samples.
std::vector<Sample> decimated(std::span<const Sample> sorted, double from, double to, int columns);

}  // namespace ui
