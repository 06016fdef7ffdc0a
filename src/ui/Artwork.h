// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace ui {

// The pictures that dialog templates name ("banner", "panel"), at their own pixel size.
QPixmap artworkPixmap(const QString& name);

// The application icon.
QIcon applicationIcon();

}  // namespace ui
