// SPDX-License-Identifier: MIT
#include "ui/AboutDialog.h"

#include <QPushButton>

#include "Templates.h"

namespace ui {

CAboutDialog::CAboutDialog(QWidget* parent) : TemplateDialog(res::aboutDialog, parent) {
    connect(button(res::idOk), &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace ui
