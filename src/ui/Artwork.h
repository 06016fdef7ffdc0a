// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace ui {

// The picture of a dialog template ("banner", "panel", "icon") at its own pixel size.
QPixmap artworkPixmap(const QString& name);

// The application icon, at the sizes the desktop asks for.
QIcon applicationIcon();

}  // namespace ui
