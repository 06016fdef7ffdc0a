// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace ui {

// What F1 shows: the keys of the main dialog, in the operator's language.
QString keyboardHelp();

}  // namespace ui
