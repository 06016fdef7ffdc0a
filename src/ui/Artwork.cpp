// SPDX-License-Identifier: MIT
#include "ui/Artwork.h"

#include <QPainter>
#include <QSvgRenderer>

// The artwork lives in the ui library's resources, which a static library must load itself.
static void loadArtworkResources() {
    Q_INIT_RESOURCE(veskar);
}

namespace ui {
namespace {

// The pictures are drawn from their SVG sources at their own size, so that no image is
// kept without its source.
QPixmap renderArtwork(const QString& name, QSize size) {
    static const bool loaded = (loadArtworkResources(), true);
    (void)loaded;
    QSvgRenderer renderer(QStringLiteral(":/artwork/%1.svg").arg(name));
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

}  // namespace

QPixmap artworkPixmap(const QString& name) {
    const QSize icon(32, 32);  // an icon control shows the icon at the desktop's icon size
    if (name == QLatin1String("icon")) {
        return renderArtwork(name, icon);
    }
    return renderArtwork(name, name == QLatin1String("banner") ? QSize(300, 40) : QSize(109, 317));
}

QIcon applicationIcon() {
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(renderArtwork(QStringLiteral("icon"), {side, side}));
    }
    return icon;
}

}  // namespace ui
