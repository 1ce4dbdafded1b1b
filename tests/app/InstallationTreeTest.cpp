// The installation tree as a desktop sees it: the menu entry starts this
// copy of the program and shows its icon.

#include "platform/gui/ProgramIcon.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSettings>
#include <gtest/gtest.h>

TEST(InstallationTree, TheMenuEntryStartsThisCopyWithItsOwnIcon) {
    const QString dist = QDir::cleanPath(QStringLiteral(ZR50_PROGRAM_DIR "/.."));
    QSettings entry(dist + QStringLiteral("/share/applications/zr50.desktop"), QSettings::IniFormat);
    entry.beginGroup(QStringLiteral("Desktop Entry"));
    EXPECT_EQ(entry.value("Type").toString() + entry.value("Name").toString(), QStringLiteral("ApplicationZR50"));
    const QFileInfo program(entry.value("Exec").toString());  // quoted for a path with blanks
    EXPECT_EQ(program.absoluteFilePath(), QStringLiteral(ZR50_PROGRAM_DIR "/ZR50"));
    EXPECT_TRUE(program.isExecutable());

    const auto argb = [](const QImage& i) { return i.convertToFormat(QImage::Format_ARGB32); };
    EXPECT_EQ(argb(QImage(entry.value("Icon").toString())), argb(zr50::DrawProgramIcon(256)));
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QImage sized(dist + QStringLiteral("/share/icons/hicolor/%1x%1/apps/zr50.png").arg(size));
        EXPECT_EQ(sized.size(), QSize(size, size)) << size;
    }
}
