// The port dialog's rescan and the about boxes.

#include "support/widgets/WindowHarness.h"
#include "windows/AboutBox.h"
#include "windows/ComboBoxes.h"
#include "windows/FrmComSet.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;

namespace {

TEST(PortDialog, FollowsPortsAppearingAndVanishing) {
    WindowHarness h;
    h.p().settings.PortNo = 5;
    QStringList present = {"COM3", "COM5"};
    FrmComSet dialog(h.p(), [&] { return present; });
    EXPECT_EQ(dialog.Combo1->currentText(), QStringLiteral("COM5"));
    EXPECT_TRUE(dialog.ReShowComPortTimer->isActive());

    present = {"COM1", "COM3", "COM5", "COM40"};  // one ahead of the chosen port, in listing order
    dialog.ReShowComPortTimer_Timer();
    EXPECT_EQ(ItemsOf(dialog.Combo1), present);
    EXPECT_EQ(dialog.Combo1->currentText(), QStringLiteral("COM5"));

    present = {"COM3", "COM40"};  // the chosen adapter pulled out: the first entry
    dialog.ReShowComPortTimer_Timer();
    EXPECT_EQ(dialog.Combo1->currentText(), QStringLiteral("COM3"));

    present.clear();
    dialog.ReShowComPortTimer_Timer();
    EXPECT_EQ(dialog.Combo1->currentIndex(), -1);
    dialog.CommandOK->click();
    EXPECT_EQ(h.p().settings.PortNo, 0);
    EXPECT_FALSE(dialog.ReShowComPortTimer->isActive());
}

TEST(PortDialog, CancelOrAnEntryWithoutANumberKeepsThePort) {
    WindowHarness h;
    h.p().settings.CurLanguage = kChinese;
    h.p().settings.PortNo = 9;  // not present: the first entry is shown
    QStringList present = {"COM1", "COM2"};
    FrmComSet dialog(h.p(), [&] { return present; });
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("通信端口"));
    EXPECT_EQ(dialog.CommandCancel->text(), QString::fromUtf8("取消(&C)"));
    EXPECT_EQ(dialog.Combo1->currentText(), QStringLiteral("COM1"));
    dialog.Combo1->setCurrentIndex(1);
    emit dialog.Combo1->activated(1);
    dialog.CommandCancel->click();
    EXPECT_EQ(h.p().settings.PortNo, 9);

    present = {"COMX"};
    FrmComSet other(h.p(), [&] { return present; });
    other.CommandOK->click();
    EXPECT_EQ(h.p().settings.PortNo, 9);
    EXPECT_EQ(SettingsKey(h.p(), "comPort", QStringLiteral("none")), QStringLiteral("none"));
}

TEST(AboutBoxes, BothLanguagesAndTheMissingSystemInformation) {
    WindowHarness h;
    AboutBox english(h.p(), false);
    EXPECT_EQ(english.objectName(), QStringLiteral("FrmAbout2"));
    EXPECT_EQ(english.windowTitle(), QStringLiteral("About KDP4412"));
    EXPECT_EQ(english.cmdSysInfo, nullptr);

    AboutBox chinese(h.p(), true);
    EXPECT_EQ(chinese.objectName(), QStringLiteral("frmAbout"));
    EXPECT_EQ(chinese.lblDescription->text(), QString::fromUtf8("ZR50 对讲机编程软件 "));
    ASSERT_NE(chinese.cmdSysInfo, nullptr);
    chinese.sysInfoPrograms = {QStringLiteral("zr50-no-such-program")};
    chinese.cmdSysInfo->click();
    EXPECT_EQ(h.prompter.Texts(), QStringList({QString::fromUtf8("此时系统信息不可用")}));
    EXPECT_TRUE(h.process.started.isEmpty());

    chinese.sysInfoPrograms = {QStringLiteral("sh")};
    chinese.cmdSysInfo->click();
    EXPECT_EQ(h.process.started.size(), 1);
    EXPECT_EQ(h.prompter.shown.size(), 1);
}

}  // namespace
