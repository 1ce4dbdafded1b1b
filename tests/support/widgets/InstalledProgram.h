#pragma once
// ZR50 started as an installed copy in a test's folder, with simulated radios
// on COM40, COM41, ... (the first one chosen). Header only: the tests that use
// it link the program.

#include "SimRadio.h"
#include "Zr50Program.h"
#include "platform/IniFile.h"
#include "support/Scripted.h"
#include "windows/frmMain.h"

#include <QFile>
#include <QSettings>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace zr50::test {

struct InstalledProgram {
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    FakeProcess process;
    FakeLocale locale;
    std::unique_ptr<Zr50Program> zr50;
    // A test's own services, set before Start (what they point at outlives zr50).
    std::function<void(Zr50Services&)> services;

    QString Folder(const char* name) const { return dir.filePath(QLatin1String(name)); }

    // False (with the reason reported) when a radio does not start.
    bool Start(std::initializer_list<sim::SimRadio*> radios) {
        CopyInstallation(dir.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Folder("user"));
        qputenv("KDRADIO_PORT_DIR", Folder("ports").toLocal8Bit());
        QDir().mkpath(Folder("ports"));
        QList<int> ports;
        for (sim::SimRadio* radio : radios) {
            const int n = 40 + int(ports.size());
            const QString link = Folder("ports") + QStringLiteral("/com%1").arg(n);
            if (!radio->Start() || !QFile::link(radio->DevicePath(), link)) {
                ADD_FAILURE() << "radio on COM" << n << " did not start";
                return false;
            }
            ports << n;
        }
        WriteProfileString(Folder("language/mysetup.ini"), QStringLiteral("language"),
                           QStringLiteral("comPort"), QStringLiteral("40"));
        Zr50Services s(prompter, process, locale, Folder("KD_270"));
        s.listPorts = [ports] { return ports; };
        if (services) services(s);
        zr50 = std::make_unique<Zr50Program>(s);
        zr50->main().show();
        return true;
    }
    ~InstalledProgram() {
        zr50.reset();
        qunsetenv("KDRADIO_PORT_DIR");
    }
};

}  // namespace zr50::test
