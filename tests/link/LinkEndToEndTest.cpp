// The link over a pseudo-terminal to the simulated radio, through the real
// serial line, reply timer, port map and headless progress windows: each road
// of a transfer as a radio on a real line takes it.

#include "SimRadio.h"
#include "link/HeadlessLinkView.h"
#include "link/ProgramProtocol.h"
#include "link/SerialLink.h"
#include "support/Scripted.h"
#include "support/ScriptedLink.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;
using namespace zr50::test::linktext;

namespace {

const QString kUnplugged =
    QStringLiteral("\r\nThere is no such port: the cable or the USB serial adapter is unplugged.");

class EndToEnd : public ::testing::Test {
protected:
    EndToEnd() {
        CoreApp();
        qputenv("KDRADIO_PORT_DIR", mapDir.path().toLocal8Bit());
        Plug(40, radio);
        p.settings.PortNo = 40;
        link.listPorts = [] { return QList<int>{40}; };  // none of the machine's own
        wait.SetInterval(300);
        p.versions.VersionPairTable = QStringList{"V200", "V200"};
        FillWritableDocument(p.doc);
    }
    ~EndToEnd() override { qunsetenv("KDRADIO_PORT_DIR"); }

    // Starts the radio and maps COM<n> to its line.
    void Plug(int n, sim::SimRadio& r) {
        ASSERT_TRUE(r.Start());
        ASSERT_TRUE(QFile::link(r.DevicePath(), mapDir.path() + QStringLiteral("/com%1").arg(n)));
    }
    void Write() {
        link.mnuWriteToRadio_Click();
        EXPECT_TRUE(RunUntil([this] { return !timerWrite.IsActive() && link.CommMode == CommIdle; }));
    }
    QStringList Prompts() const { return tp.prompter.Texts(); }

    QTemporaryDir mapDir;
    TestProgram tp;
    Program& p = tp.p();
    sim::SimRadio radio;
    SerialLinkPort port;
    TimerReply wait{300}, timerWrite{20};
    ProgramProtocol link{p, port, wait, timerWrite};
    HeadlessLinkView view{p, link};
};

TEST_F(EndToEnd, ReadsAndWritesTheWholeImage) {
    Document src;
    FillWritableDocument(src, 7);
    radio.Image() = EncodedImage(src);
    radio.SplitReplies(3, 1);  // every reply in pieces
    link.mnuReadFromRadio_Click();
    EXPECT_EQ(Prompts(), QStringList({kConfirmRead, kReadDone}));
    EXPECT_EQ(radio.counters.reads, kBlocks);
    EXPECT_TRUE(SameTransferred(EncodedImage(p.doc), radio.Image()));
    EXPECT_EQ(view.percentText, QStringLiteral("100%"));

    radio.ClearFaults();
    p.doc.ChData(0, 1, 1).Mode = 5;
    radio.Image().fill(0x00);
    Write();
    EXPECT_EQ(Prompts().last(), kWriteDone);
    EXPECT_EQ(radio.counters.writes, kBlocks);
    EXPECT_TRUE(SameTransferred(radio.Image(), EncodedImage(p.doc)));
}

TEST_F(EndToEnd, SilenceAndBadRepliesGoThroughThePrompts) {
    for (int i = 0; i < kTransferEnd; ++i) radio.Image()[size_t(i)] = uint8_t(i % 251);
    // "PROGRAM" twice unanswered: Retry starts again with fresh resends.
    radio.DropNextReplies(2);
    // Each spoilt block reply is ignored; its time-out asks to restart from 0x0000.
    radio.CorruptReplyTo(sim::FrameKind::Read, 0x0200, sim::Corruption::Checksum);
    radio.CorruptReplyTo(sim::FrameKind::Read, 0x1000, sim::Corruption::Address);
    radio.CorruptReplyTo(sim::FrameKind::Read, 0x2000, sim::Corruption::Length);
    radio.CorruptReplyTo(sim::FrameKind::Read, 0x3000, sim::Corruption::Tail);
    link.mnuReadFromRadio_Click();  // Retry, then OK to each restart
    EXPECT_EQ(Prompts(), QStringList({kConfirmRead, kCheck, kCheck, kCheck, kCheck, kCheck, kReadDone}));
    EXPECT_EQ(tp.prompter.shown[1].buttons, Buttons::RetryCancel);
    EXPECT_EQ(tp.prompter.shown[2].buttons, Buttons::OkCancel);
    EXPECT_EQ(tp.prompter.shown[2].icon, Icon::Question);
    EXPECT_EQ(radio.counters.program, 2 + 1 + 4);
    EXPECT_TRUE(SameTransferred(link.image, radio.Image()));

    // Cancel at a block time-out ends as failed and keeps the document.
    FillWritableDocument(p.doc);
    radio.DropRepliesTo(sim::FrameKind::Read, 0x0400);
    tp.prompter.Script({Answer::Ok, Answer::Cancel});
    link.mnuReadFromRadio_Click();
    EXPECT_EQ(Prompts().last(), kCheck);
    EXPECT_EQ(link.CommMode, CommIdle);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(p.doc.DataMatchesSaved());
}

TEST_F(EndToEnd, AnotherModelOrFirmwareEndsTheTransfer) {
    radio.identity.model = "KD9999X";
    link.mnuReadFromRadio_Click();
    // The model message waits until the port is closed.
    EXPECT_EQ(Prompts(), QStringList({kConfirmRead, kWrongModel}));
    EXPECT_EQ(radio.counters.reads, 0);
    EXPECT_EQ(radio.counters.ends, 1);

    radio.identity.model = "KD4412P";
    radio.identity.firmware = "V300";
    p.versions.VersionPairTable << "V400" << "V300";
    tp.prompter.Script({Answer::Ok, Answer::Yes});
    link.mnuReadFromRadio_Click();
    EXPECT_TRUE(Prompts().last().startsWith(QStringLiteral("incompatible version.")));
    EXPECT_EQ(tp.process.started, QStringList{p.paths.ParentFolder() + QStringLiteral("/V400/KD_270/ZR50")});
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(p.doc.DataMatchesSaved());
}

TEST_F(EndToEnd, ClosedWindowOrVanishedLineEndsAsFailedAndKeepsTheDocument) {
    view.onProgressValue = [this](int v) {
        if (v == 10) QTimer::singleShot(0, [this] { view.Close(); });  // the user's click
    };
    link.mnuReadFromRadio_Click();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(link.CommMode, CommIdle);

    // The radio's line disappears mid-read; the restart cannot reopen it.
    view.onProgressValue = [this](int v) {
        if (v == 30) {
            radio.CloseLine();
            QFile::remove(mapDir.path() + QStringLiteral("/com40"));
        }
    };
    link.mnuReadFromRadio_Click();
    EXPECT_EQ(Prompts().mid(2), QStringList({kCheck, kCannotOpen + kUnplugged}));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(link.CommMode, CommIdle);
    EXPECT_TRUE(p.doc.DataMatchesSaved());
}

TEST_F(EndToEnd, APortThatCannotOpenSaysWhyInBothLanguages) {
    SerialLinkPort holder;  // another program has the radio's line
    ASSERT_TRUE(holder.Open(radio.DevicePath(), LineSettings{}));
    link.mnuReadFromRadio_Click();
    p.settings.CurLanguage = kChinese;
    Write();
    p.settings.PortNo = 41;  // a number no device has
    link.mnuReadFromRadio_Click();
    EXPECT_EQ(Prompts(),
              QStringList({kCannotOpen +
                               QStringLiteral("\r\nAnother program is using this port: close it and try "
                                              "again (ModemManager or brltty may hold a USB serial adapter)."),
                           QString::fromUtf8("无法打开通信端口。\r\n该端口正被其他程序占用：请关闭该程序后重试"
                                             "（ModemManager 或 brltty 可能占用了 USB 串口适配器）。"),
                           QString::fromUtf8("无法打开通信端口。\r\n没有该端口：电缆或 USB 串口适配器未连接。")}));
    EXPECT_EQ(link.CommMode, CommIdle);
    EXPECT_EQ(radio.counters.bytesIn, 0);
    EXPECT_TRUE(p.doc.DataMatchesSaved());
}

TEST_F(EndToEnd, GroupWriteTakesTheNextRadioPluggedIn) {
    int silentPolls = 0;
    radio.onFrame = [&](const sim::Frame& f) {
        if (f.kind == sim::FrameKind::End) {
            radio.SetUnplugged(true);  // the first radio is taken away...
        } else if (f.kind == sim::FrameKind::Program && radio.counters.ends == 1 &&
                   ++silentPolls == 6) {
            radio.Image().fill(0x00);  // ...and another one put in its place
            radio.SetUnplugged(false);
        }
    };
    link.mnuMWriteToRadio_Click(2);
    EXPECT_EQ(Prompts().mid(1), QStringList{kWriteDone});
    EXPECT_EQ(radio.counters.writes, 2 * kBlocks);
    EXPECT_TRUE(SameTransferred(radio.Image(), EncodedImage(p.doc)));
    EXPECT_EQ(view.radioNumber, 2);
    EXPECT_FALSE(view.IsMProgressVisible());
}

TEST_F(EndToEnd, PortSearchFindsTheRadioOnTheSecondPort) {
    sim::SimRadio second;
    Plug(41, second);
    radio.SetUnplugged(true);
    link.listPorts = [] { return QList<int>{40, 41}; };
    link.mnuReadFromRadio_Click();
    EXPECT_EQ(Prompts().last(), kReadDone);
    EXPECT_EQ(p.settings.PortNo, 41);
    EXPECT_EQ(SettingsKey(p, "comPort"), QStringLiteral("41"));
    EXPECT_EQ(second.counters.reads, kBlocks);
}

}  // namespace
