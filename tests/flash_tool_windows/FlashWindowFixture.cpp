#include "FlashWindowFixture.h"

#include "platform/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTreeWidget>

namespace kdi::test {

QByteArray Pattern(int n, int seed) {
    QByteArray b(n, '\0');
    for (int i = 0; i < n; ++i) b[i] = char((i * 31 + seed * 17 + (i >> 8)) & 0xFF);
    return b;
}

QString MakeProject(const QString& dir, const QString& file, const std::vector<BlockSource>& blocks,
                    const QString& commModel) {
    zr50::test::ScriptedPrompter quiet;
    FlashProject p(quiet);
    p.ResetProjectHeader();
    for (const BlockSource& s : blocks) {
        // The block takes the name of its source file.
        QDir().mkpath(dir + QStringLiteral("/sources"));
        const QString source = dir + QStringLiteral("/sources/") + s.name;
        zr50::test::WriteFile(source, s.bytes);
        EXPECT_TRUE(p.AddBlockFile(source));
        p.BlockList.back().Address = s.address;
    }
    p.SetModelText(0, commModel);
    p.SetModelText(1, QStringLiteral("V100"));
    p.SetModelText(2, QStringLiteral("DISP"));
    p.SetModelText(3, QStringLiteral("V1.0"));
    p.ProjectPath = dir + QStringLiteral("/") + file;
    EXPECT_TRUE(p.SaveProjectFile());
    EXPECT_TRUE(quiet.shown.isEmpty()) << quiet.Texts().join(QLatin1Char('|')).toStdString();
    return p.ProjectPath;
}

FlashWindowTest::FlashWindowTest() { settings.path = dir.filePath(QStringLiteral("mysetup.ini")); }

FlashWindowTest::~FlashWindowTest() = default;

FrmMain& FlashWindowTest::Start() {
    w = std::make_unique<FrmMain>(project, settings, prompter, [this] { return ports; });
    return *w;
}

void FlashWindowTest::Open(const QString& path) {
    prompter.ScriptFiles({path});
    w->CommandOpenSave_Click();
}

QString FlashWindowTest::Ini(const char* key) const {
    return zr50::GetProfileString(settings.path, QStringLiteral("language"), QString::fromLatin1(key),
                                  QStringLiteral("<missing>"));
}

QStringList FlashWindowTest::Tree() const {
    QStringList out;
    std::function<void(QTreeWidgetItem*)> walk = [&](QTreeWidgetItem* n) {
        out << n->text(0) + QLatin1Char('|') + FrmMain::KeyOf(n);
        for (int i = 0; i < n->childCount(); ++i) walk(n->child(i));
    };
    for (int i = 0; i < w->TreeView1->topLevelItemCount(); ++i) walk(w->TreeView1->topLevelItem(i));
    return out;
}

}  // namespace kdi::test
