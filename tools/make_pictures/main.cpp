// Draws the main window's background pictures PIC/BK_1.jpg (English) and
// PIC/BK_2.jpg (Chinese): one tile each, which the window repeats; and, given an
// icon theme folder, the program's icon there for the desktop's menu entry.

#include "platform/gui/ProgramIcon.h"

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

QImage DrawTile(const QString& words) {
    const int size = 240;
    QImage tile(size, size, QImage::Format_RGB32);
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, size, size);
    sky.setColorAt(0, QColor(214, 225, 236));
    sky.setColorAt(1, QColor(188, 204, 220));
    p.fillRect(tile.rect(), sky);
    // Radio waves from the lower left corner.
    p.setPen(QPen(QColor(255, 255, 255, 90), 3));
    for (int r = 40; r < size * 2; r += 36) p.drawEllipse(QPoint(0, size), r, r);
    p.setPen(QColor(120, 140, 165, 150));
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(22);
    font.setBold(true);
    p.setFont(font);
    p.translate(size / 2, size / 2);
    p.rotate(-30);
    p.drawText(QRect(-size / 2, -20, size, 40), Qt::AlignCenter, words);
    return tile;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s <PIC folder> [<icon theme folder>]\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    bool ok = DrawTile(QStringLiteral("ZR50")).save(folder + QStringLiteral("/BK_1.jpg"), "JPG", 85) &&
              DrawTile(QString::fromUtf8("ZR50 写频")).save(folder + QStringLiteral("/BK_2.jpg"), "JPG", 85);
    if (argc == 3) {
        const QString theme = QString::fromLocal8Bit(argv[2]);
        for (int size : {16, 32, 48, 64, 128, 256}) {
            const QString apps = theme + QStringLiteral("/%1x%1/apps").arg(size);
            ok = ok && QDir().mkpath(apps) &&
                 zr50::DrawProgramIcon(size).save(apps + QStringLiteral("/zr50.png"), "PNG");
        }
    }
    if (!ok) std::fprintf(stderr, "cannot write the pictures\n");
    return ok ? 0 : 1;
}
