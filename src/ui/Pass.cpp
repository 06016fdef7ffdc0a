// SPDX-License-Identifier: MIT
#include "ui/Pass.h"

#include <array>

namespace ui {

QColor passColour(std::size_t index) {
    static const std::array<QColor, 7> colours{
        QColor(20, 60, 160), QColor(230, 110, 0),  QColor(130, 40, 160), QColor(0, 140, 140),
        QColor(160, 90, 40), QColor(200, 40, 130), QColor(90, 120, 20)};
    return colours.at(index % colours.size());
}

}  // namespace ui
