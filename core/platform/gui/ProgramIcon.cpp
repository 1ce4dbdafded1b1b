#include "ProgramIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace zr50 {

QImage DrawProgramIcon(int size) {
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);  // drawn on a 64 x 64 grid

    QLinearGradient ground(0, 0, 0, 64);
    ground.setColorAt(0, QColor(38, 92, 160));
    ground.setColorAt(1, QColor(18, 48, 96));
    QPainterPath tile;
    tile.addRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    p.fillPath(tile, ground);
    p.setClipPath(tile);
    p.setPen(Qt::NoPen);

    // The radio: antenna, body, display and speaker grille.
    p.setBrush(QColor(245, 247, 250));
    p.drawRoundedRect(QRectF(11, 7, 5, 20), 2, 2);
    p.drawRoundedRect(QRectF(8, 24, 23, 34), 5, 5);
    p.setBrush(QColor(120, 200, 140));
    p.drawRect(QRectF(12, 29, 15, 8));
    p.setPen(QPen(QColor(18, 48, 96), 2.5, Qt::SolidLine, Qt::RoundCap));
    for (int y = 42; y <= 53; y += 4) p.drawLine(QPointF(13, y), QPointF(26, y));

    // Waves leaving the antenna.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 200, 60), 4, Qt::SolidLine, Qt::RoundCap));
    const QPointF source(22, 19);
    for (int r = 12; r <= 32; r += 10)
        p.drawArc(QRectF(source.x() - r, source.y() - r, 2 * r, 2 * r), -30 * 16, 60 * 16);
    return icon;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) icon.addPixmap(QPixmap::fromImage(DrawProgramIcon(size)));
    return icon;
}

}  // namespace zr50
