// Writes through the main window to the simulated flash radio on a
// pseudo-terminal: Open, Write, OK, then the radio's flash is checked byte by
// byte. Time-outs of a silent radio are fired by hand.

#include "FlashTexts.h"
#include "FlashWindowFixture.h"
#include "FrmProgress.h"
#include "support/widgets/WindowHarness.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>
#include <asm/termbits.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace kdi::test {

namespace {

using zr50::Answer;

constexpr int kPort = 50;

// The rate the device is set to, as the line itself reports it.
int LineRate(const QString& device) {
    const int fd = ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return -1;
    struct termios2 t {};
    const int r = ::ioctl(fd, TCGETS2, &t);
    ::close(fd);
    return r == 0 ? int(t.c_ospeed) : -1;
}

struct WriteEndToEnd : FlashWindowTest {
    void SetUp() override {
        ports = {kPort};
        zr50::test::WriteFile(settings.path, "[language]\r\nPortSpeed=115200\r\nPortTime=1\r\n");
        Start();
        // Five pages: program.bin ends mid-page, logo.bmp fills two, table.bin is short.
        spi = MakeProject(dir.path(), QStringLiteral("w.spi"),
                          {{QStringLiteral("program.bin"), Bytes(1500, 1), 0x0000},
                           {QStringLiteral("logo.bmp"), Bytes(2048, 2), 0x0800},
                           {QStringLiteral("table.bin"), Bytes(100, 3), 0x1400}});
        Open(spi);
        ASSERT_EQ(project.ProjHead.BlockCount, 3);
        prompter.shown.clear();
    }

    // Writes with every prompt answered OK unless scripted otherwise.
    void Write() {
        w->CommandWrite_Click();
        EXPECT_EQ(w->link.CommMode, 0);
        EXPECT_FALSE(w->MSComm1.IsOpen());
        EXPECT_FALSE(w->WaitTimer.IsActive());
        EXPECT_EQ(w->Progress(), nullptr);
    }

    void ExpectFlashHoldsTheProject(char pad) { ExpectFlashHolds(project, radio.radio, pad, 5); }

    // From now on, every frame the silent radio hears times out at once.
    void TimeOutEachSilentFrame() {
        auto* t = new QTimer(w.get());
        t->setInterval(2);
        auto heard = std::make_shared<int>(0);
        QObject::connect(t, &QTimer::timeout, w.get(), [this, heard] {
            const int n = int(radio.radio.heard.size());
            if (n == *heard || !w->link.ReplyExpected || !Silent()) return;
            *heard = n;
            w->link.WaitTimer_Timer();
        });
        t->start();
    }
    bool Silent() const { return pty.Silent(); }

    PtyRadio pty{kPort};
    sim::FlashRadio& radio = pty.radio;
    QString spi;
};

const QString kCheckConnection = text::kCheckConnection;

}  // namespace

TEST_F(WriteEndToEnd, WritesTheProjectWithAndWithoutTheLineEcho) {
    // A half-duplex line echoes every byte: Duplex cleared, as at start.
    radio.SetEcho(true);
    std::vector<int> percents;
    int rate = 0;
    QString caption, label;
    zr50::test::WhenModal([&](QWidget* m) {
        auto* p = qobject_cast<FrmProgress*>(m);
        ASSERT_NE(p, nullptr);
        caption = p->windowTitle();
        label = p->Label1->text();
        rate = LineRate(radio.DevicePath());
        QObject::connect(p->ProgressBar1, &QProgressBar::valueChanged, [&](int v) { percents.push_back(v); });
    });
    Write();
    EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmWrite, text::kWriteComplete}));
    EXPECT_EQ(caption, QStringLiteral("Write data to walkie talkie"));
    EXPECT_EQ(label, QStringLiteral("Completion schedule"));
    EXPECT_EQ(rate, 115200);
    ExpectFlashHoldsTheProject('\0');
    EXPECT_EQ(radio.radio.counters.ends, 1);
    EXPECT_FALSE(percents.empty());
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_LT(percents.back(), 100);
    EXPECT_FALSE(project.IsProjectModified());

    // An echo-free line with Duplex set, at another speed, padding with 0xFF.
    radio.SetEcho(false);
    radio.radio = sim::FlashRadioModel();
    w->Check2->setChecked(true);
    w->Check3->setChecked(true);
    settings.PortSpeed = QStringLiteral("56000 ");
    prompter.shown.clear();
    zr50::test::WhenModal([&](QWidget*) { rate = LineRate(radio.DevicePath()); });
    Write();
    EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmWrite, text::kWriteComplete}));
    EXPECT_EQ(rate, 56000);
    ExpectFlashHoldsTheProject('\xFF');
}

TEST_F(WriteEndToEnd, EverySpeedOfTheListOpensTheLineAtThatRate) {
    for (const QString& item : SpeedItems()) {
        emit w->Combo2->activated(w->Combo2->findText(item));
        ASSERT_TRUE(w->link.OpenSerialPort()) << item.toStdString();
        EXPECT_EQ(LineRate(radio.DevicePath()), item.trimmed().toInt());
        w->MSComm1.Close();
    }
    EXPECT_TRUE(prompter.shown.isEmpty());
    EXPECT_EQ(Ini("PortSpeed").trimmed(), QStringLiteral("256000"));
}

TEST_F(WriteEndToEnd, SilenceBringsTheRetryQuestionAndOkStartsAgain) {
    w->Check2->setChecked(true);
    // The radio answers the handshake and the identity, then falls silent.
    radio.radio.stopAfter = 2;
    prompter.onShow = [this](const zr50::test::Shown& s) {
        // Plugged in again while the question is up.
        if (s.text == kCheckConnection) radio.radio.stopAfter = 0;
    };
    TimeOutEachSilentFrame();
    Write();
    EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmWrite, kCheckConnection, text::kWriteComplete}));
    // The first page went out four times into the silence, then the session began again.
    EXPECT_EQ(radio.radio.counters.updates, 2);
    ExpectFlashHoldsTheProject('\0');
}

TEST_F(WriteEndToEnd, AnotherModelIsRefusedBeforeAnyPage) {
    w->Check2->setChecked(true);
    w->Text3[0]->setText(QStringLiteral("KD-X9"));
    Write();
    EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmWrite, text::ModelError(QStringLiteral("KD-F1"))}));
    EXPECT_EQ(radio.radio.counters.pages, 0);
    // The end byte is on its way to the radio.
    EXPECT_TRUE(zr50::test::RunUntil([this] { return radio.radio.counters.ends == 1; }));

    // The right model, and the same window writes.
    w->Text3[0]->setText(QStringLiteral("KD-F1"));
    prompter.shown.clear();
    Write();
    EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmWrite, text::kWriteComplete}));
    ExpectFlashHoldsTheProject('\0');
}

TEST_F(WriteEndToEnd, CancelOnTheRetryQuestionEndsAndTheNextWriteSucceeds) {
    w->Check2->setChecked(true);
    // Cancel on the retry question ends the session; then a write goes through.
    radio.radio.stopAfter = 1;
    prompter.Script({Answer::Ok, Answer::Cancel});
    TimeOutEachSilentFrame();
    Write();
    EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmWrite, kCheckConnection}));
    EXPECT_EQ(radio.radio.counters.pages, 0);

    radio.radio = sim::FlashRadioModel();
    prompter.shown.clear();
    Write();
    EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmWrite, text::kWriteComplete}));
    ExpectFlashHoldsTheProject('\0');
}

TEST_F(WriteEndToEnd, ClosingTheProgressWindowEndsTheSessionAndKeepsTheProject) {
    w->Check2->setChecked(true);
    const QByteArray pool = project.DataPool;
    // Silent after two pages: the window is closed while the third waits.
    radio.radio.stopAfter = 4;
    auto* poll = new QTimer(w.get());
    poll->setInterval(2);
    QObject::connect(poll, &QTimer::timeout, w.get(), [this, poll] {
        if (Silent() && w->Progress()) {
            poll->stop();
            w->Progress()->close();
        }
    });
    poll->start();
    Write();
    EXPECT_EQ(prompter.Texts(), QStringList{text::kConfirmWrite});
    EXPECT_EQ(radio.radio.counters.pages, 3);
    EXPECT_EQ(project.DataPool, pool);
    EXPECT_FALSE(project.IsProjectModified());
    EXPECT_FALSE(w->link.ReplyExpected);
    EXPECT_TRUE(zr50::test::RunUntil([this] { return radio.radio.counters.ends == 1; }));

    // The port is free for the next write.
    radio.radio = sim::FlashRadioModel();
    prompter.shown.clear();
    Write();
    EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmWrite, text::kWriteComplete}));
    ExpectFlashHoldsTheProject('\0');
}

TEST_F(WriteEndToEnd, APortThatCannotOpenLeavesTheProgramIdle) {
    // The device vanishes while the question is up, and the port list's
    // re-scan moves on to COM1, where another radio listens.
    sim::FlashRadio other;
    ASSERT_TRUE(other.Start());
    w->Check2->setChecked(true);
    prompter.onShow = [&](const zr50::test::Shown& s) {
        if (s.text != text::kConfirmWrite) return;
        QFile::remove(pty.Device(kPort));
        ASSERT_TRUE(QFile::link(other.DevicePath(), pty.Device(1)));
        ports = {1};
        w->ReShowComPortTimer_Timer();
        ASSERT_EQ(settings.comPort, 1);
    };
    Write();
    EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmWrite, text::kCannotOpenPort}));
    EXPECT_EQ(prompter.shown.last().icon, zr50::Icon::Critical);
    EXPECT_TRUE(radio.radio.heard.isEmpty());
    EXPECT_TRUE(other.radio.heard.isEmpty());

    // Without the device the write stops at the port test.
    ports = {kPort};
    w->ReShowComPortTimer_Timer();
    prompter.onShow = nullptr;
    prompter.shown.clear();
    Write();
    EXPECT_EQ(prompter.Texts(), QStringList{text::kCannotOpenPort});

    // The number stays, but while the question is up it comes to stand for
    // another device: that radio hears nothing either.
    ASSERT_TRUE(QFile::link(radio.DevicePath(), pty.Device(kPort)));
    prompter.onShow = [&](const zr50::test::Shown& s) {
        if (s.text != text::kConfirmWrite) return;
        QFile::remove(pty.Device(kPort));
        ASSERT_TRUE(QFile::link(other.DevicePath(), pty.Device(kPort)));
        w->ReShowComPortTimer_Timer();
        ASSERT_EQ(settings.comPort, kPort);
    };
    prompter.shown.clear();
    Write();
    EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmWrite, text::kCannotOpenPort}));
    EXPECT_TRUE(radio.radio.heard.isEmpty());
    EXPECT_TRUE(other.radio.heard.isEmpty());

    // Confirmed as it now stands, the port takes the write.
    prompter.onShow = nullptr;
    prompter.shown.clear();
    Write();
    EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmWrite, text::kWriteComplete}));
    ExpectFlashHolds(project, other.radio, '\0', 5);
    EXPECT_TRUE(radio.radio.heard.isEmpty());
}

TEST_F(WriteEndToEnd, ReadAfterWriteFillsTheBlocksFromTheRadio) {
    w->Check2->setChecked(true);
    Write();
    ExpectFlashHoldsTheProject('\0');
    const QByteArray written = project.DataPool;
    // Another project with the same layout, read back from the radio.
    Open(MakeProject(dir.path(), QStringLiteral("r.spi"),
                     {{QStringLiteral("program.bin"), Bytes(1500, 7), 0x0000},
                      {QStringLiteral("logo.bmp"), Bytes(2048, 8), 0x0800},
                      {QStringLiteral("table.bin"), Bytes(100, 9), 0x1400}}));
    prompter.shown.clear();
    w->CommandRead_Click();
    EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmRead, text::kReadComplete}));
    EXPECT_EQ(project.DataPool, written);
    EXPECT_TRUE(project.IsProjectModified());
    EXPECT_EQ(w->Text1->toPlainText().left(9), QStringLiteral(" 01 08 0F"));
}

}  // namespace kdi::test
