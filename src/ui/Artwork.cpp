// SPDX-License-Identifier: MIT
#include "ui/Artwork.h"

#include <QPainter>

namespace ui {
namespace {

QPixmap placeholder(QSize size, const QString& text) {
    QPixmap pixmap(size);
    pixmap.fill(QColor(0x1B, 0x2A, 0x4A));
    QPainter painter(&pixmap);
    painter.setPen(Qt::white);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, text);
    return pixmap;
}

}  // namespace

QPixmap artworkPixmap(const QString& name) {
    if (name == QLatin1String("banner")) {
        return placeholder({300, 40}, QStringLiteral("VOKA-I"));
    }
    return placeholder({109, 317}, QString());
}

QIcon applicationIcon() {
    return QIcon(placeholder({128, 128}, QStringLiteral("V")));
}

}  // namespace ui
