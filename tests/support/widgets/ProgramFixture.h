#pragma once
// The whole program as a person starts it: an installed copy in a private
// folder, the simulated radio on COM40 (the port chosen) and another on COM41,
// and the main window shown. For test programs that link the program.

#include "SimRadio.h"
#include "Zr50Program.h"
#include "frmCommChInfo.h"
#include "link/ProgramProtocol.h"
#include "platform/IniFile.h"
#include "support/Scripted.h"
#include "windows/MdiForms.h"
#include "windows/frmMain.h"

#include <QSettings>
#include <gtest/gtest.h>

namespace zr50::test {

class ProgramEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        // An installed copy of the program with the radio on COM40 and another on COM41.
        CopyInstallation(dir.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Folder("user"));
        qputenv("KDRADIO_PORT_DIR", Folder("ports").toLocal8Bit());
        QDir().mkpath(Folder("ports"));
        ASSERT_TRUE(radio.Start() && QFile::link(radio.DevicePath(), Folder("ports/com40")));
        ASSERT_TRUE(spare.Start() && QFile::link(spare.DevicePath(), Folder("ports/com41")));
        WriteProfileString(Folder("language/mysetup.ini"), QStringLiteral("language"), QStringLiteral("comPort"),
                           QStringLiteral("40"));

        Zr50Services s(prompter, process, locale, Folder("KD_270"));
        s.listPorts = [] { return QList<int>{40, 41}; };
        zr50 = std::make_unique<Zr50Program>(s);
        zr50->main().show();
    }
    void TearDown() override {
        zr50.reset();
        qunsetenv("KDRADIO_PORT_DIR");
    }
    QString Folder(const char* name) const { return dir.filePath(QLatin1String(name)); }
    Program& p() { return zr50->p(); }
    frmMain& main() { return zr50->main(); }
    frmCommChInfo* Channels() { return qobject_cast<frmCommChInfo*>(zr50->forms().Find(QStringLiteral("frmCommChInfo"))); }
    bool Idle() { return zr50->link().CommMode == 0; }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    FakeProcess process;
    FakeLocale locale;
    sim::SimRadio radio, spare;
    std::unique_ptr<Zr50Program> zr50;
};

}  // namespace zr50::test
