// SPDX-License-Identifier: MIT
// Draws an SVG at a given size into a PNG: render_svg SOURCE.svg TARGET.png SIDE
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: render_svg SOURCE.svg TARGET.png SIDE\n");
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "render_svg: %s is not a readable SVG file\n", argv[1]);
        return 1;
    }
    const int side = QString::fromLocal8Bit(argv[3]).toInt();
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "render_svg: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
