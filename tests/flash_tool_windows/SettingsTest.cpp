// The settings file on a first run, on later runs, after a hand edit, and the
// port list's once-a-second re-scan.

#include "FlashWindowFixture.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QTimer>

namespace kdi::test {

namespace {

void WriteIni(const QString& path, const QByteArray& text) { zr50::test::WriteFile(path, "[language]\r\n" + text); }

void Choose(QComboBox* c, const QString& item) {
    const int i = c->findText(item);
    ASSERT_GE(i, 0) << item.toStdString();
    c->setCurrentIndex(i);
    emit c->activated(i);
}

}  // namespace

TEST_F(FlashWindowTest, FirstRunTakesTheFirstPortAndWritesTheDefaultsBack) {
    Start();
    EXPECT_EQ(w->Combo1->currentText(), QStringLiteral("COM3"));
    EXPECT_EQ(w->Combo2->currentText(), QStringLiteral("115200"));
    EXPECT_EQ(w->Combo3->currentText(), QStringLiteral("3S"));
    EXPECT_EQ(Ini("comPort"), QStringLiteral("3"));
    EXPECT_EQ(Ini("PortSpeed"), QStringLiteral("115200"));
    EXPECT_EQ(Ini("PortTime"), QStringLiteral("3"));
    EXPECT_EQ(settings.PortTime, 3);
    EXPECT_FALSE(w->FixedPortList);
    EXPECT_TRUE(w->ReShowComPortTimer->isActive());
    EXPECT_FALSE(settings.Duplex);
    EXPECT_TRUE(prompter.shown.isEmpty());

    // Keys that hold no number count as missing.
    w.reset();
    WriteIni(settings.path, "comPort=abc\r\nPortSpeed=fast\r\nPortTime=\r\n");
    Start();
    EXPECT_EQ(Ini("comPort"), QStringLiteral("3"));
    EXPECT_EQ(Ini("PortSpeed"), QStringLiteral("115200"));
    EXPECT_EQ(Ini("PortTime"), QStringLiteral("3"));
}

TEST_F(FlashWindowTest, ChoicesAreStoredAndComeBackOnTheNextRun) {
    Start();
    Choose(w->Combo1, QStringLiteral("COM7"));
    Choose(w->Combo2, QStringLiteral("14400 "));
    Choose(w->Combo3, QStringLiteral("10S"));
    w->Check2->setChecked(true);
    EXPECT_EQ(settings.comPort, 7);
    EXPECT_EQ(settings.PortSpeed, QStringLiteral("14400 "));
    EXPECT_EQ(settings.PortTime, 10);
    EXPECT_TRUE(settings.Duplex);
    EXPECT_EQ(Ini("comPort"), QStringLiteral("7"));
    EXPECT_EQ(Ini("PortTime"), QStringLiteral("10"));

    // The reader trims "14400 " to "14400": the entry is found all the same.
    w.reset();
    Start();
    EXPECT_EQ(w->Combo1->currentText(), QStringLiteral("COM7"));
    EXPECT_EQ(w->Combo2->currentIndex(), 1);
    EXPECT_EQ(w->Combo3->currentText(), QStringLiteral("10S"));
    EXPECT_EQ(settings.Baud(), 14400);
    // Duplex lives for one run.
    EXPECT_FALSE(w->Check2->isChecked());
    EXPECT_FALSE(settings.Duplex);

    // Edited by hand.
    w.reset();
    WriteIni(settings.path, "comPort=9\r\nPortSpeed=56000\r\nPortTime=5\r\n");
    Start();
    EXPECT_EQ(settings.PortTime, 5);
    EXPECT_EQ(w->Combo3->currentText(), QStringLiteral("5S"));
    EXPECT_EQ(w->Combo2->currentText(), QStringLiteral("56000 "));
    // Port 9 is not present: the first port is taken and written back.
    EXPECT_EQ(w->Combo1->currentText(), QStringLiteral("COM3"));
    EXPECT_EQ(Ini("comPort"), QStringLiteral("3"));
}

TEST_F(FlashWindowTest, NoPortsShowsNoneAndWritesNothing) {
    ports.clear();
    WriteIni(settings.path, "comPort=4\r\nPortSpeed=9600\r\nPortTime=1\r\n");
    Start();
    EXPECT_EQ(w->Combo1->count(), 0);
    EXPECT_EQ(w->Combo1->currentIndex(), -1);
    EXPECT_EQ(settings.comPort, 0);
    EXPECT_EQ(Ini("comPort"), QStringLiteral("4"));
}

TEST_F(FlashWindowTest, TheRescanFollowsThePortsWithoutStoringAChoice) {
    Start();
    Choose(w->Combo1, QStringLiteral("COM7"));
    const QByteArray stored = zr50::test::ReadFile(settings.path);

    // COM7 unplugged: the list shows the first port, the file keeps COM7.
    ports = {3, 12};
    w->ReShowComPortTimer_Timer();
    EXPECT_EQ(w->Combo1->count(), 2);
    EXPECT_EQ(w->Combo1->currentText(), QStringLiteral("COM3"));
    EXPECT_EQ(settings.comPort, 3);
    EXPECT_EQ(zr50::test::ReadFile(settings.path), stored);

    // Everything gone, then back.
    ports.clear();
    w->ReShowComPortTimer_Timer();
    EXPECT_EQ(w->Combo1->count(), 0);
    EXPECT_EQ(settings.comPort, 0);
    // Plugged in again, the port chosen is the one shown and used.
    ports = {3, 7};
    w->ReShowComPortTimer_Timer();
    EXPECT_EQ(w->Combo1->currentText(), QStringLiteral("COM7"));
    EXPECT_EQ(settings.comPort, 7);
    EXPECT_EQ(zr50::test::ReadFile(settings.path), stored);

    // A list the user holds open is left as it is until it closes.
    w->show();
    Choose(w->Combo1, QStringLiteral("COM7"));
    w->Combo1->showPopup();
    ASSERT_TRUE(w->Combo1->view()->isVisible());
    ports = {1, 2, 3, 7};
    w->ReShowComPortTimer_Timer();
    EXPECT_EQ(w->Combo1->count(), 2);
    EXPECT_EQ(w->Combo1->currentText(), QStringLiteral("COM7"));
    w->Combo1->hidePopup();
    w->ReShowComPortTimer_Timer();
    EXPECT_EQ(w->Combo1->count(), 4);
    EXPECT_EQ(w->Combo1->currentText(), QStringLiteral("COM7"));
    EXPECT_EQ(Ini("comPort"), QStringLiteral("7"));
}

}  // namespace kdi::test
