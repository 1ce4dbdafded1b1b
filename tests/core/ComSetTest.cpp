// The port dialog's list, selection and stored choice.

#include "link/ComSet.h"
#include "platform/IniFile.h"
#include "support/Scripted.h"

#include <QFile>
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

TEST_F(ComSetTest, LoadSelectsTheChosenPortElseTheFirst) {
    ports = {"COM1", "COM12"};
    p.settings.PortNo = 12;
    dlg.Form_Load();
    EXPECT_EQ(dlg.Entries, QStringList({"COM1", "COM12"}));  // listing order kept
    EXPECT_EQ(dlg.ListIndex, 1);
    EXPECT_EQ(dlg.ChosenPort, 12);
    EXPECT_TRUE(dlg.TimerEnabled);
    EXPECT_EQ(dlg.Caption(), QStringLiteral("Communication Port"));
    EXPECT_EQ(dlg.LabelCaption(), QStringLiteral("COM"));

    p.settings.PortNo = 5;  // not present
    dlg.Form_Load();
    EXPECT_EQ(dlg.ListIndex, 0);
    EXPECT_EQ(dlg.ChosenPort, 1);

    ports.clear();
    dlg.Form_Load();
    EXPECT_EQ(dlg.ListIndex, -1);
    EXPECT_EQ(dlg.ChosenPort, 0);

    p.settings.CurLanguage = kChinese;
    EXPECT_EQ(dlg.OkCaption(), QString::fromUtf8("确定(&O)"));
    EXPECT_EQ(dlg.CancelCaption(), QString::fromUtf8("取消(&C)"));
}

TEST_F(ComSetTest, RescanFollowsPortsAppearingAndVanishing) {
    ports = {"COM1", "COM34"};
    p.settings.PortNo = 1;
    dlg.Form_Load();
    dlg.Combo1_Click(1);
    EXPECT_EQ(dlg.ChosenPort, 34);

    ports = {"COM3", "COM1", "COM34"};  // a port appears ahead of the chosen one
    dlg.ReShowComPortTimer_Timer();
    EXPECT_EQ(dlg.Entries.size(), 3);
    EXPECT_EQ(dlg.ListIndex, 2);
    EXPECT_EQ(dlg.ChosenPort, 34);

    ports = {"COM3", "COM1"};  // the chosen adapter is unplugged
    dlg.ReShowComPortTimer_Timer();
    EXPECT_EQ(dlg.ListIndex, 0);
    EXPECT_EQ(dlg.ChosenPort, 3);

    ports.clear();
    dlg.ReShowComPortTimer_Timer();
    EXPECT_EQ(dlg.ListIndex, -1);
    EXPECT_EQ(dlg.ChosenPort, 0);

    ports = {"COM34"};  // back again: the first entry
    dlg.ReShowComPortTimer_Timer();
    EXPECT_EQ(dlg.ChosenPort, 34);
}

TEST_F(ComSetTest, OkStoresTheSelectionCancelChangesNothing) {
    ports = {"COM1", "COM7"};
    p.settings.PortNo = 1;
    dlg.Form_Load();
    dlg.Combo1_Click(1);
    dlg.CommandCancel_Click();
    EXPECT_TRUE(dlg.Closed);
    EXPECT_FALSE(dlg.TimerEnabled);
    EXPECT_EQ(p.settings.PortNo, 1);
    EXPECT_EQ(StoredPort(), QStringLiteral("none"));

    dlg.Form_Load();
    dlg.Combo1_Click(1);
    dlg.CommandOK_Click();
    EXPECT_TRUE(dlg.Closed);
    EXPECT_EQ(p.settings.PortNo, 7);
    EXPECT_EQ(StoredPort(), QStringLiteral("7"));

    // Nothing selected: no port, and the file keeps its value.
    ports.clear();
    dlg.Form_Load();
    dlg.CommandOK_Click();
    EXPECT_EQ(p.settings.PortNo, 0);
    EXPECT_EQ(StoredPort(), QStringLiteral("7"));

    // An entry whose number is not numeric changes nothing.
    ports = {"COMX"};
    p.settings.PortNo = 7;
    dlg.Form_Load();
    EXPECT_EQ(dlg.ChosenPort, 0);
    dlg.CommandOK_Click();
    EXPECT_EQ(p.settings.PortNo, 7);
    EXPECT_EQ(StoredPort(), QStringLiteral("7"));
}

}  // namespace
