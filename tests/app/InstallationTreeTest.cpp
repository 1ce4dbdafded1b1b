// The installation tree as a desktop sees it: the menu entry starts this
// copy of the program and shows its icon.

#include "platform/gui/ProgramIcon.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <gtest/gtest.h>

namespace {

QHash<QString, QString> DesktopEntry(const QString& path) {
    QHash<QString, QString> keys;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return keys;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    if (lines.value(0) != QLatin1String("[Desktop Entry]")) return keys;
    for (const QString& line : lines.mid(1)) {
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq > 0) keys.insert(line.left(eq), line.mid(eq + 1));
    }
    return keys;
}

}  // namespace

TEST(InstallationTree, TheMenuEntryStartsThisCopyWithItsOwnIcon) {
    const QString dist = QDir::cleanPath(QStringLiteral(ZR50_PROGRAM_DIR "/.."));
    const auto entry = DesktopEntry(dist + QStringLiteral("/share/applications/zr50.desktop"));
    ASSERT_FALSE(entry.isEmpty());
    EXPECT_EQ(entry.value("Type"), QStringLiteral("Application"));
    EXPECT_EQ(entry.value("Name"), QStringLiteral("ZR50"));
    EXPECT_EQ(entry.value("Terminal"), QStringLiteral("false"));
    const QString exec = entry.value("Exec");
    ASSERT_TRUE(exec.startsWith(QLatin1Char('"')) && exec.endsWith(QLatin1Char('"')));  // a path with blanks
    const QFileInfo program(exec.mid(1, exec.size() - 2));
    EXPECT_EQ(entry.value("TryExec"), program.filePath());
    EXPECT_EQ(program.absoluteFilePath(), QStringLiteral(ZR50_PROGRAM_DIR "/ZR50"));
    EXPECT_TRUE(program.isExecutable());

    const QString icon = entry.value("Icon");
    EXPECT_TRUE(icon.startsWith(dist + QStringLiteral("/share/icons/hicolor/")));
    const auto argb = [](const QImage& i) { return i.convertToFormat(QImage::Format_ARGB32); };
    EXPECT_EQ(argb(QImage(icon)), argb(zr50::DrawProgramIcon(256)));
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QImage sized(dist + QStringLiteral("/share/icons/hicolor/%1x%1/apps/zr50.png").arg(size));
        EXPECT_EQ(sized.size(), QSize(size, size)) << size;
    }
}
