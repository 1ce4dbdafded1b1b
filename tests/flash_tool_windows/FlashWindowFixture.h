#pragma once
// KDImager3's main window on a private folder, its prompts and file dialogs
// scripted, its port list under the test's control.

#include "FlashSettings.h"
#include "FrmMain.h"
#include "Project.h"
#include "support/Scripted.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include <ostream>

// Readable texts in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) {
    if (l.isEmpty()) {
        *os << "{}";
        return;
    }
    *os << '{' << l.join(QStringLiteral("\", \"")).prepend(QLatin1Char('"')).append(QLatin1Char('"')).toStdString() << '}';
}

namespace kdi::test {

struct BlockSource {
    QString name;
    QByteArray bytes;
    int32_t address;
};

// A project saved under dir as file, with the model fields filled in.
QString MakeProject(const QString& dir, const QString& file, const std::vector<BlockSource>& blocks,
                    const QString& commModel = QStringLiteral("KD-F1"));
// A pattern of n bytes that differs by seed.
QByteArray Pattern(int n, int seed);

struct FlashWindowTest : ::testing::Test {
    FlashWindowTest();
    ~FlashWindowTest() override;

    // The window as the program starts it (settings read, port list filled).
    FrmMain& Start();
    // Opens path through the Open command.
    void Open(const QString& path);
    QString Path(const QString& name) const { return dir.filePath(name); }
    QString Ini(const char* key) const;
    // Text and key of every tree node, root first: "text|key".
    QStringList Tree() const;

    QTemporaryDir dir;
    zr50::test::ScriptedPrompter prompter;
    FlashProject project{prompter};
    FlashSettings settings;
    QList<int> ports{3, 7};
    std::unique_ptr<FrmMain> w;
};

}  // namespace kdi::test
