// The link over a pseudo-terminal to the simulated radio, through the real
// serial line, reply timer, port map and headless progress windows.

#include "SimRadio.h"
#include "link/ComSet.h"
#include "link/HeadlessLinkView.h"
#include "link/ProgramProtocol.h"
#include "link/SerialLink.h"
#include "support/EventLoop.h"
#include "support/ScriptedLink.h"
#include "support/Scripted.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;
using namespace zr50::test::linktext;

namespace {

class EndToEnd : public ::testing::Test {
protected:
    EndToEnd() {
        CoreApp();
        qputenv("KDRADIO_PORT_DIR", mapDir.path().toLocal8Bit());
        Plug(40, radio);
        p.settings.PortNo = 40;
        link.listPorts = [] { return QList<int>{40}; };  // none of the machine's own
        p.versions.VersionPairTable = QStringList{"V200", "V200"};
        FillWritableDocument(p.doc);
    }
    ~EndToEnd() override { qunsetenv("KDRADIO_PORT_DIR"); }

    QString MapLink(int n) const { return mapDir.path() + QStringLiteral("/com%1").arg(n); }
    // Starts the radio and maps COM<n> to its line.
    void Plug(int n, sim::SimRadio& r) {
        ASSERT_TRUE(r.Start());
        ASSERT_TRUE(QFile::link(r.DevicePath(), MapLink(n)));
    }
    // The radio's line disappears with its port (another process may soon
    // reuse the pseudo-terminal's name).
    void Unplug(int n, sim::SimRadio& r) {
        r.CloseLine();
        QFile::remove(MapLink(n));
    }
    void Write() {
        link.mnuWriteToRadio_Click();
        EXPECT_TRUE(RunUntil([this] { return !timerWrite.IsActive() && link.CommMode == 0; }));
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
    FillWritableDocument(src);
    src.ChData(1, 1, 3).Mode = 3;
    radio.Image() = EncodedImage(src);
    link.mnuReadFromRadio_Click();
    EXPECT_EQ(Prompts().last(), kReadDone);
    EXPECT_EQ(radio.counters.reads, kBlocks);
    EXPECT_TRUE(SameTransferred(EncodedImage(p.doc), radio.Image()));
    EXPECT_EQ(p.doc.ChData(1, 1, 3).Mode, 3);
    EXPECT_EQ(view.caption, QStringLiteral("Read data from radio"));
    EXPECT_EQ(view.percentText, QStringLiteral("100%"));

    p.doc.ChData(0, 1, 1).Mode = 5;
    radio.Image().fill(0x00);
    Write();
    EXPECT_EQ(Prompts().last(), kWriteDone);
    EXPECT_EQ(radio.counters.writes, kBlocks);
    EXPECT_TRUE(SameTransferred(radio.Image(), EncodedImage(p.doc)));
    EXPECT_EQ(radio.Image()[kTransferEnd], 0x00);
}

TEST_F(EndToEnd, DroppedCorruptedAndSplitRepliesGoThroughThePrompts) {
    for (int i = 0; i < kTransferEnd; ++i) radio.Image()[size_t(i)] = uint8_t(i % 251);
    radio.DropNextReplies(2);
    radio.CorruptReplyTo(sim::FrameKind::Read, 0x0200, sim::Corruption::Checksum);
    // The handshake replies come in pieces.
    radio.SplitReplies(3, 1);
    radio.onFrame = [this](const sim::Frame& f) {
        if (f.kind == sim::FrameKind::Read) radio.SplitReplies(1, 0);
    };
    link.mnuReadFromRadio_Click();  // Retry, then OK to the restart
    ASSERT_EQ(Prompts().mid(1), QStringList({kCheck, kCheck, kReadDone}));
    EXPECT_EQ(tp.prompter.shown[1].buttons, Buttons::RetryCancel);
    EXPECT_EQ(tp.prompter.shown[2].buttons, Buttons::OkCancel);
    EXPECT_TRUE(SameTransferred(link.image, radio.Image()));
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
        if (v == 30) Unplug(40, radio);
    };
    link.mnuReadFromRadio_Click();
    EXPECT_EQ(Prompts().mid(2),
              QStringList({kCheck, kCannotOpen}));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(link.CommMode, CommIdle);
    EXPECT_TRUE(p.doc.DataMatchesSaved());
    EXPECT_EQ(p.doc.DataFileName, QStringLiteral("/data/mine.dat"));
}

TEST_F(EndToEnd, GroupWriteTakesTheNextRadioPluggedIn) {
    wait.SetInterval(100);
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
    wait.SetInterval(100);
    link.listPorts = [] { return QList<int>{40, 41}; };
    link.mnuReadFromRadio_Click();
    EXPECT_EQ(Prompts().last(), kReadDone);
    EXPECT_EQ(p.settings.PortNo, 41);
    EXPECT_EQ(second.counters.reads, kBlocks);
    EXPECT_GE(radio.counters.program, 2 + 3);
}

TEST_F(EndToEnd, PortDialogFollowsPortsAppearingAndVanishing) {
    FrmComSetLogic dialog(p);
    dialog.Form_Load();
    EXPECT_TRUE(dialog.Entries.contains(QStringLiteral("COM40")));
    EXPECT_EQ(dialog.ChosenPort, 40);

    sim::SimRadio second;
    Plug(45, second);
    Unplug(40, radio);
    dialog.ReShowComPortTimer_Timer();
    EXPECT_FALSE(dialog.Entries.contains(QStringLiteral("COM40")));
    EXPECT_TRUE(dialog.Entries.contains(QStringLiteral("COM45")));
    EXPECT_NE(dialog.ChosenPort, 40);
}

}  // namespace
