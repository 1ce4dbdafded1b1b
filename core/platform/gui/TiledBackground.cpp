#include "TiledBackground.h"

#include <QPainter>
#include <cmath>

namespace zr50 {

QImage TileBackground(const QImage& picture, const QSize& area) {
    const int tileW = picture.width() - 2;
    const int tileH = picture.height() - 2;
    if (picture.isNull() || tileW < 1 || tileH < 1 || area.isEmpty()) return QImage();
    // One column wider than the area, so the shifted bands below have a last
    // column to take.
    QImage surface(area.width() + 1, area.height(), QImage::Format_RGB32);
    surface.fill(Qt::white);
    {
        QPainter p(&surface);
        // First band: columns 1..tileW of the picture, its whole height.
        for (int x = 0; x <= area.width(); x += tileW)
            p.drawImage(QPoint(x, 0), picture, QRect(1, 0, tileW, tileH + 2));
    }
    // The other bands repeat rows 1..tileH of the first, one pixel to the left.
    const QImage band = surface.copy(1, 1, area.width(), tileH);
    QPainter p(&surface);
    for (int y = tileH; y <= area.height(); y += tileH) p.drawImage(QPoint(0, y), band);
    p.end();
    return surface.copy(QRect(QPoint(0, 0), area));
}

int TwipsToPixels(double twips, int logicalDpi) {
    return int(std::lround(twips * logicalDpi / 1440.0));
}

double PixelsToTwips(int pixels, int logicalDpi) {
    return logicalDpi > 0 ? pixels * 1440.0 / logicalDpi : 0.0;
}

}  // namespace zr50
