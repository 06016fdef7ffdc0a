// SPDX-License-Identifier: MIT
#include "ui/Decimation.h"

#include <algorithm>
#include <cmath>

namespace ui {
namespace {

// The first, lowest, highest and last sample of one column, in time order.
void addColumn(std::span<const Sample> column, std::vector<Sample>& out) {
    if (column.size() <= 4) {
        out.insert(out.end(), column.begin(), column.end());
        return;
    }
    const auto byValue = [](const Sample& a, const Sample& b) { return a.value < b.value; };
    const auto [low, high] = std::minmax_element(column.begin() + 1, column.end() - 1, byValue);
    out.push_back(column.front());
    out.push_back(low < high ? *low : *high);
    if (low != high) {
        out.push_back(low < high ? *high : *low);
    }
    out.push_back(column.back());
}

}  // namespace

std::vector<Sample> decimated(std::span<const Sample> sorted, double from, double to, int columns) {
    const auto byTime = [](const Sample& s, double t) { return s.time < t; };
    auto first = std::lower_bound(sorted.begin(), sorted.end(), from, byTime);
    auto last = std::lower_bound(first, sorted.end(), to,
                                 [](const Sample& s, double t) { return s.time <= t; });
    if (first != sorted.begin()) {
        --first;  // the neighbour before the range
    }
    if (last != sorted.end()) {
        ++last;  // and the one after it
    }
    std::vector<Sample> out;
    const auto count = static_cast<std::size_t>(last - first);
    if (count <= static_cast<std::size_t>(columns) * 4 || to <= from) {
        out.assign(first, last);
        return out;
    }
    out.reserve(static_cast<std::size_t>(columns) * 4 + 2);
    const double width = (to - from) / columns;
    auto start = first;
    while (start != last) {
        const double column = std::floor((start->time - from) / width);
        const double end = from + (column + 1) * width;
        const auto next = std::lower_bound(start, last, end, byTime);
        const auto stop = next == start ? start + 1 : next;
        addColumn({start, stop}, out);
        start = stop;
    }
    return out;
}

}  // namespace ui
