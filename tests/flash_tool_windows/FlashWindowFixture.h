#pragma once
// KDImager3's main window on a private folder, its prompts and file dialogs
// scripted, its port list under the test's control.

#include "FlashSettings.h"
#include "FrmMain.h"
#include "support/FlashSupport.h"

#include <memory>

namespace kdi::test {

struct FlashWindowTest : ::testing::Test {
    FlashWindowTest();
    ~FlashWindowTest() override;

    // The window as the program starts it (settings read, port list filled);
    // its prompts go to dialogs when given, else to the scripted prompter.
    FrmMain& Start(zr50::Prompter* dialogs = nullptr);
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
