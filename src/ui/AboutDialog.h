// SPDX-License-Identifier: MIT
#pragma once

#include "ui/TemplateDialog.h"

namespace ui {

// The about box: the icon, the version and the copyright line. OK, Esc and its close box
// end it.
class CAboutDialog : public TemplateDialog {
  public:
    explicit CAboutDialog(QWidget* parent = nullptr);
};

}  // namespace ui
