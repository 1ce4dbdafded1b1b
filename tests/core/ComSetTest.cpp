// The port dialog's list, selection and stored choice.

#include "link/ComSet.h"
#include "platform/IniFile.h"
#include "support/Scripted.h"

#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;

namespace {

class ComSetTest : public ::testing::Test {
protected:
    TestProgram tp;
    Program& p = tp.p();
    QStringList ports;
    FrmComSetLogic dlg{p, [this] { return ports; }};
    QString StoredPort() {
        return GetProfileString(p.paths.SettingsIni(), QStringLiteral("language"),
                                QStringLiteral("comPort"), QStringLiteral("none"));
    }
};

TEST_F(ComSetTest, ListFollowsPortsAppearingAndVanishing) {
    ports = {"COM1", "COM12"};
    p.settings.PortNo = 12;
    dlg.Form_Load();
    EXPECT_EQ(dlg.Entries, QStringList({"COM1", "COM12"}));  // listing order kept
    EXPECT_EQ(dlg.ChosenPort, 12);
    EXPECT_TRUE(dlg.TimerEnabled);

    p.settings.PortNo = 5;  // not present: the first entry
    dlg.Form_Load();
    EXPECT_EQ(dlg.ListIndex, 0);
    EXPECT_EQ(dlg.ChosenPort, 1);

    dlg.Combo1_Click(1);
    ports = {"COM3", "COM1", "COM12"};  // a port appears ahead of the chosen one
    dlg.ReShowComPortTimer_Timer();
    EXPECT_EQ(dlg.ListIndex, 2);
    EXPECT_EQ(dlg.ChosenPort, 12);

    ports = {"COM3", "COM1"};  // the chosen adapter is unplugged
    dlg.ReShowComPortTimer_Timer();
    EXPECT_EQ(dlg.ListIndex, 0);
    EXPECT_EQ(dlg.ChosenPort, 3);

    ports.clear();
    dlg.ReShowComPortTimer_Timer();
    EXPECT_EQ(dlg.ListIndex, -1);
    EXPECT_EQ(dlg.ChosenPort, 0);
}

TEST_F(ComSetTest, OkStoresTheSelectionCancelChangesNothing) {
    ports = {"COM1", "COM7"};
    p.settings.PortNo = 1;
    dlg.Form_Load();
    dlg.Combo1_Click(1);
    dlg.CommandCancel_Click();
    EXPECT_TRUE(dlg.Closed && !dlg.TimerEnabled);
    EXPECT_EQ(p.settings.PortNo, 1);
    EXPECT_EQ(StoredPort(), QStringLiteral("none"));

    dlg.Form_Load();
    dlg.Combo1_Click(1);
    dlg.CommandOK_Click();
    EXPECT_EQ(p.settings.PortNo, 7);
    EXPECT_EQ(StoredPort(), QStringLiteral("7"));

    // Nothing selected: no port, and the file keeps its value; so does an
    // entry whose number is not numeric.
    ports.clear();
    dlg.Form_Load();
    dlg.CommandOK_Click();
    EXPECT_EQ(p.settings.PortNo, 0);
    ports = {"COMX"};
    p.settings.PortNo = 7;
    dlg.Form_Load();
    dlg.CommandOK_Click();
    EXPECT_EQ(p.settings.PortNo, 7);
    EXPECT_EQ(StoredPort(), QStringLiteral("7"));

    p.settings.CurLanguage = kChinese;
    EXPECT_EQ(dlg.Caption(), QString::fromUtf8("通信端口"));
    EXPECT_EQ(dlg.OkCaption(), QString::fromUtf8("确定(&O)"));
}

}  // namespace
