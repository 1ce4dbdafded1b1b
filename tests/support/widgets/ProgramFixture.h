#pragma once
// The whole program as a person starts it: an installed copy in a private
// folder, the simulated radio on COM40 (the port chosen) and another on COM41,
// and the main window shown. For test programs that link the program.

#include "FlexGrid.h"
#include "SimRadio.h"
#include "Zr50Program.h"
#include "files/DocumentFiles.h"
#include "model/ByteIO.h"
#include "frmCommChInfo.h"
#include "link/ProgramProtocol.h"
#include "platform/IniFile.h"
#include "support/Scripted.h"
#include "windows/MdiForms.h"
#include "windows/frmMain.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSettings>
#include <QTest>
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

    // A frequency typed into the grid's editor on a row of band 0, not yet left.
    void StartEdit(int row, const QString& text) {
        frmCommChInfo* w = Channels();
        ASSERT_NE(w, nullptr);
        w->Combo2->setCurrentIndex(0);
        emit w->Combo2->activated(0);
        w->MSFlexGrid1->setFocus();
        w->MSFlexGrid1->setCurrentCell(row, 1);
        QTest::keyClick(w->MSFlexGrid1, Qt::Key_Return);
        ASSERT_TRUE(w->Text1->isVisible());
        w->Text1->clear();
        QTest::keyClicks(w->Text1, text);
    }
    // The working copy's receive frequency of channel n in the current group of band 0.
    QString RxFreqOf(int n) {
        const int group = p().doc.DataRec.CurGroup[0];
        const int s = p().doc.FindChannelIndex(n, 0, group);
        return s ? p().doc.ChData(0, s, group).RxFreq.raw() : QString();
    }
    // A .dat/.fre pair of d as the program opens it.
    void WriteDocument(Document& d, const QString& path) {
        d.DataRec.VersionText.set(QStringLiteral("V200"));
        // Noise can name a band the window has no list entry for.
        d.DataRec.CurBand = 0;
        d.DataRec.CurGroup = {1, 1};
        WriteFile(path, EncodeRecord(d.DataRec));
        WriteFile(ChannelFilePath(path), EncodeChannelFile(d.DataRec, d.ChData));
    }
    void Open(const QString& path) {
        prompter.ScriptFiles({path});
        main().Menu("mnuFileOpen")->trigger();
    }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    FakeProcess process;
    FakeLocale locale;
    sim::SimRadio radio, spare;
    std::unique_ptr<Zr50Program> zr50;
};

}  // namespace zr50::test
