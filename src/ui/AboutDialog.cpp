// SPDX-License-Identifier: MIT
#include "ui/AboutDialog.h"

#include <QPushButton>

#include "Templates.h"

namespace ui {

CAboutDialog::CAboutDialog(QWidget* parent) : TemplateDialog(res::aboutDialog, parent) {
    // A caption with the close box only, as the template's styles give it.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    connect(button(res::idOk), &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace ui
