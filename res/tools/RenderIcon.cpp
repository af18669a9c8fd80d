// SPDX-License-Identifier: GPL-3.0-or-later
// Renders one SVG picture of the program to a square PNG of the given size,
// for the desktop's icon theme. Runs at build time: the pictures hold no
// text, so the raster painter needs neither a display nor an application object.
//
//   keyhaven-render-icon IN.svg OUT.png SIZE

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s IN.svg OUT.png SIZE\n", argv[0]);
        return 2;
    }
    const int nSize = std::atoi(argv[3]);
    if (nSize < 1 || nSize > 1024) {
        std::fprintf(stderr, "%s: size must be 1 to 1024\n", argv[0]);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
        return 1;
    }
    QImage image(nSize, nSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
