#include "FlashWindowFixture.h"

#include "platform/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTreeWidget>

namespace kdi::test {

FlashWindowTest::FlashWindowTest() { settings.path = dir.filePath(QStringLiteral("mysetup.ini")); }

FlashWindowTest::~FlashWindowTest() = default;

FrmMain& FlashWindowTest::Start(zr50::Prompter* dialogs) {
    w = std::make_unique<FrmMain>(project, settings, dialogs ? *dialogs : prompter, [this] { return ports; });
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
