// The update protocol's step machine against a scripted radio: every frame is
// answered at once or not at all, and time-outs are fired by hand.

#include "FlashFrames.h"
#include "FlashRadioModel.h"
#include "FlashTexts.h"
#include "support/FlashSupport.h"
#include "support/ScriptedLink.h"

#include <memory>

namespace kdi::test {

using zr50::Answer;
using zr50::Buttons;
using zr50::Icon;

struct ProtocolFixture : ProjectFixture {
    zr50::test::ScriptedPort port;
    zr50::test::ManualTimer timer;
    FlashSettings settings;
    RecordingFlashView view;
    sim::FlashRadioModel radio;
    std::unique_ptr<UpdateProtocol> link;
    bool echo = false;  // the line echoes what the program sends

    void SetUp() override {
        settings.comPort = 3;
        settings.PortSpeed = QStringLiteral("9600");
        settings.PortTime = 1;
        link = std::make_unique<UpdateProtocol>(project, settings, port, timer, prompter);
        link->SetDeviceOfPort([](int n) { return QStringLiteral("/dev/fake%1").arg(n); });
        link->SetView(&view);
        view.link = link.get();
        Echo(false);
        timer.clock = &port.now;
        port.peer = [this](const QByteArray& frame) {
            QList<QByteArray> out;
            if (echo) out << frame;
            out << radio.Hear(frame) << radio.Quiet();
            return out;
        };
    }
    void Echo(bool on) {
        echo = on;
        settings.Duplex = !on;
    }
    // Everything in flight arrives; the quiet a reply waits for passes.
    void Run() {
        do {
            while (port.ArriveNext()) {
            }
        } while (link->Phase != Waiting::Reply && timer.Fire());
    }
    // A reply that waits for quiet counts once the quiet is over.
    void Quiet() {
        EXPECT_EQ(link->Phase, Waiting::Confirm);
        EXPECT_TRUE(timer.Fire());
    }
    // Line time passes; the reply timer runs out as a real one would.
    void Elapse(double ms) {
        port.now += ms;
        if (timer.active && port.now - timer.startedAt >= timer.interval) timer.Fire();
    }
    QByteArray Ack() const { return QByteArray(1, kAck); }
    QByteArray Nak() const { return QByteArray(1, kNak); }
    // Handshake and identity answered by hand: the first page is on its way.
    void UpToThePages() {
        port.Arrive((echo ? kUpdateCmd : QByteArray()) + Ack());
        port.Arrive((echo ? QByteArray(1, kIdRequest) : QByteArray()) + IdReply("KD-F1", "V100"));
        ASSERT_EQ(link->WriteStep, 3);
    }
    // Three pages answered by hand: the first is acknowledged, the second on its way.
    void AtTheSecondPage() {
        ThreePages();
        port.peer = nullptr;
        ASSERT_TRUE(link->CommandWrite(true));
        UpToThePages();
        port.Arrive(Ack());
        ASSERT_EQ(LastAddress(), 0x400u);
    }
    // The address of the last page frame sent.
    uint32_t LastAddress() const {
        const QByteArray f = port.sent.last();
        return f.size() == kPageFrameSize ? uint8_t(f[1]) | uint8_t(f[2]) << 8 | uint8_t(f[3]) << 16 : ~0u;
    }
    // Three pages: a block of 1500 bytes at 0 and one of 100 at 0x800.
    void ThreePages() {
        Model();
        Block("a.bin", Bytes(1500, 1), 0);
        Block("b.bin", Bytes(100, 2), 0x800);
    }
    QByteArray Page(uint32_t address) const { return radio.PageAt(address); }
    QList<QByteArray> Sent() const { return port.sent; }
    int SentOf(char first, int size) const {
        int n = 0;
        for (const QByteArray& f : port.sent) n += f.size() == size && f[0] == first;
        return n;
    }
};

namespace {

using Protocol = ProtocolFixture;

// The bytes landing in flash are checked over the pseudo-terminal; here the
// frames' order and the progress.
TEST_F(Protocol, AWriteSendsEveryPageInOrder) {
    ThreePages();
    project.ProjHead.BaseOffset = 0x10000;
    ASSERT_TRUE(link->CommandWrite(true));
    Run();
    EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmWrite, text::kWriteComplete}));
    EXPECT_EQ(prompter.shown[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(link->CommMode, 0);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(view.visible);
    EXPECT_EQ(view.values, (QList<int>{25, 50, 75}));

    const QList<QByteArray> sent = Sent();
    ASSERT_EQ(sent.size(), 6);
    EXPECT_EQ(sent[0], kUpdateCmd);
    EXPECT_EQ(sent[1], QByteArray(1, kIdRequest));
    EXPECT_EQ(sent[2].mid(1, 4), QByteArray("\x00\x00\x01\x00", 4));
    EXPECT_EQ(sent[4].mid(1, 4), QByteArray("\x00\x08\x01\x00", 4));
    EXPECT_EQ(sent[5], QByteArray(1, kEndByte));
    EXPECT_EQ(radio.pages.size(), 3u);
}

TEST_F(Protocol, OnAnEchoingLineOnlyTheExactEchoAndOneByteAnswerAFrame) {
    ThreePages();
    Echo(true);
    port.peer = nullptr;  // answered by hand
    ASSERT_TRUE(link->CommandWrite(true));
    EXPECT_EQ(link->EchoLen, 6);
    UpToThePages();
    EXPECT_EQ(link->EchoLen, 1032);
    port.Arrive(port.sent.last() + Ack());
    ASSERT_EQ(LastAddress(), 0x400u);
    // A stray byte ahead of the echo: the frame's own trailer (0x06) then
    // stands where the answer belongs, and the radio's refusal comes after it.
    port.Arrive(Ack() + port.sent.last() + Nak());
    EXPECT_EQ(link->Phase, Waiting::Settle);
    port.Arrive(Ack());  // still falling quiet: taken by nothing
    // The page before goes again too: its answer may have been the stray byte.
    ASSERT_TRUE(timer.Fire());
    EXPECT_EQ(LastAddress(), 0x000u);
    port.Arrive(port.sent.last() + Ack());
    Quiet();
    EXPECT_EQ(LastAddress(), 0x400u);
    // A second answer behind the first makes the frame ambiguous again.
    port.Arrive(port.sent.last() + Ack());
    EXPECT_EQ(link->Phase, Waiting::Reply);  // the line is settled again: no wait
    EXPECT_EQ(LastAddress(), 0x800u);
    port.Arrive(port.sent.last() + Ack() + Ack());
    EXPECT_EQ(link->Phase, Waiting::Settle);
    ASSERT_TRUE(timer.Fire());
    EXPECT_EQ(LastAddress(), 0x400u);
    port.Arrive(port.sent.last() + Ack());
    Quiet();
    port.Arrive(port.sent.last() + Ack());
    port.Arrive(QByteArray(1, kEndByte) + Ack());
    Quiet();
    EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmWrite, text::kWriteComplete}));
}

TEST_F(Protocol, AfterATimeOutAnAnswerWaitsForQuietAndALateOneIsNeverChargedToTheNextPage) {
    ASSERT_NO_FATAL_FAILURE(AtTheSecondPage());
    ASSERT_TRUE(timer.Fire());  // no answer in time: the page goes again
    EXPECT_EQ(LastAddress(), 0x400u);
    // The first send's answer arrives late, then the resend's: both are this page's.
    port.Arrive(Ack());
    EXPECT_EQ(LastAddress(), 0x400u);
    port.Arrive(Ack());
    Quiet();
    EXPECT_EQ(LastAddress(), 0x800u);
    // The radio refuses the next page: it is sent again, and the answers count at once.
    port.Arrive(Nak());
    EXPECT_EQ(LastAddress(), 0x800u);
    EXPECT_EQ(SentOf(kPageFrameStart, kPageFrameSize), 5);
    port.Arrive(Ack());
    EXPECT_EQ(port.sent.last(), QByteArray(1, kEndByte));

    // An answer too many at the end byte: some answer went to the wrong frame,
    // so the write is not vouched for.
    prompter.Script({Answer::Cancel});
    port.Arrive(Ack());
    port.Arrive(Ack());
    EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmWrite, text::kCheckConnection}));
    EXPECT_EQ(link->CommMode, 0);

    // Nor does an end byte that is never answered finish a write.
    radio = sim::FlashRadioModel();
    radio.stopAfter = 5;
    port.peer = [this](const QByteArray& f) { return radio.Hear(f) << radio.Quiet(); };
    prompter.shown.clear();
    prompter.Script({Answer::Ok, Answer::Cancel});
    ASSERT_TRUE(link->CommandWrite(true));
    Run();
    ASSERT_EQ(port.sent.last(), QByteArray(1, kEndByte));
    while (timer.Fire()) {
    }
    EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmWrite, text::kCheckConnection}));
    EXPECT_EQ(radio.counters.ends, 5);  // the first, three resends, and the one that ends the session
}

TEST_F(Protocol, AnAnswerThatComesBeforeItsFrameCanHaveBeenCarriedAnswersNothing) {
    ASSERT_NO_FATAL_FAILURE(AtTheSecondPage());
    // While bytes of the page are still on their way out, no answer can be its.
    port.pending = 1;
    port.Arrive(Ack());
    EXPECT_EQ(link->Phase, Waiting::Settle);
    port.pending = 0;
    ASSERT_TRUE(timer.Fire());
    EXPECT_EQ(LastAddress(), 0x000u);  // the stray may have stood in for this page's answer
    port.Arrive(Ack());
    // Nor sooner than the page's time on the wire: here the line's clock stands still.
    port.carry = false;
    Quiet();
    ASSERT_EQ(LastAddress(), 0x400u);
    port.Arrive(Ack());
    EXPECT_EQ(link->Phase, Waiting::Settle);
    port.carry = true;
    ASSERT_TRUE(timer.Fire());
    EXPECT_EQ(LastAddress(), 0x000u);
    port.Arrive(Ack());
    Quiet();
    port.Arrive(Ack());
    ASSERT_EQ(LastAddress(), 0x800u);
    // After a time-out the first send may be answered at any moment: an
    // answer at once is a candidate that waits for quiet, not a stray.
    ASSERT_TRUE(timer.Fire());
    port.carry = false;
    ASSERT_EQ(LastAddress(), 0x800u);
    port.Arrive(Ack());
    Quiet();
    port.carry = true;
    EXPECT_EQ(port.sent.last(), QByteArray(1, kEndByte));
    port.Arrive(Ack());
    Quiet();
    EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmWrite, text::kWriteComplete}));
    QList<uint32_t> pages;
    for (const QByteArray& f : port.sent)
        if (f.size() == kPageFrameSize) pages << (uint8_t(f[1]) | uint8_t(f[2]) << 8);
    EXPECT_EQ(pages, (QList<uint32_t>{0, 0x400, 0x000, 0x400, 0x000, 0x400, 0x800, 0x800}));
}

TEST_F(Protocol, AFrameGoesAgainOnlyOnceTheLineHasBeenQuietForAReplyTimeOut) {
    ThreePages();
    Echo(true);
    port.peer = nullptr;
    ASSERT_TRUE(link->CommandWrite(true));
    UpToThePages();
    // A stray byte ahead of page 0's echo, which at 9600 baud takes longer
    // than the 1 s the line must be quiet for.
    port.Arrive(Ack());
    ASSERT_EQ(link->Phase, Waiting::Settle);
    const int sends = int(port.sent.size());
    const QByteArray echo = port.sent.last();
    for (int at = 0; at < echo.size(); at += 96) {
        Elapse(100);
        port.Arrive(echo.mid(at, 96));
    }
    Elapse(100);
    port.Arrive(Ack());  // the radio's answer behind the echo
    Elapse(900);
    EXPECT_EQ(port.sent.size(), sends);  // nothing while the line talks
    Elapse(200);
    ASSERT_EQ(port.sent.size(), sends + 1);
    EXPECT_EQ(LastAddress(), 0x000u);

    // A line that never falls quiet is as good as one that never answers.
    prompter.Script({Answer::Cancel});
    for (int i = 0; i < 2000 && link->CommMode != 0; ++i) {
        Elapse(100);
        port.Arrive(QByteArray(1, '\0'));
    }
    EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmWrite, text::kCheckConnection}));
    EXPECT_EQ(SentOf(kPageFrameStart, kPageFrameSize), 4);  // the first send and three more
}

TEST_F(Protocol, OnlyAParsedIdentityPassesTheModelCheck) {
    ThreePages();
    Echo(false);
    port.peer = nullptr;
    ASSERT_TRUE(link->CommandWrite(true));
    port.Arrive(QByteArray(1, kAck));
    ASSERT_EQ(link->WriteStep, 2);
    // A bare ACK, or a reply one byte too long, is not the identity.
    port.Arrive(QByteArray(1, kAck));
    port.Arrive(IdReply("KD-F1", "V100") + "x");
    EXPECT_EQ(link->WriteStep, 2);
    EXPECT_EQ(prompter.shown.size(), 1);
    ASSERT_TRUE(timer.Fire());  // the line fell quiet: asked again
    EXPECT_EQ(port.sent.last(), QByteArray(1, kIdRequest));
    // A model of three letters and then 0x00 compares as the three letters.
    project.SetModelText(0, QStringLiteral("ABC"));
    QByteArray id = IdReply("ABC", "V100");
    id[5] = 'Z';
    port.Arrive(id);
    Quiet();
    EXPECT_EQ(link->WriteStep, 3);
    EXPECT_EQ(link->RadioModel, QStringLiteral("ABC"));

    // The next session starts with no model: the radio must answer again.
    link->ProgressClosed();
    ASSERT_TRUE(link->CommandWrite(true));
    EXPECT_TRUE(link->RadioModel.isEmpty());
}

TEST_F(Protocol, NaksResendThePageAndEndlessNaksEndInTheRetryQuestion) {
    ThreePages();
    radio.nakEvery = 2;  // every second good page is refused once
    ASSERT_TRUE(link->CommandWrite(true));
    Run();
    EXPECT_EQ(prompter.Texts().last(), text::kWriteComplete);
    EXPECT_EQ(radio.counters.naks, 2);
    EXPECT_EQ(SentOf(kPageFrameStart, kPageFrameSize), 5);
    EXPECT_EQ(Page(0x800), Bytes(100, 2) + QByteArray(924, char(0xFF)));

    // A radio that refuses every page: each ten NAKs count as one silent send.
    radio = sim::FlashRadioModel();
    radio.nakEvery = 1;
    port.sent.clear();
    prompter.shown.clear();
    prompter.Script({Answer::Ok, Answer::Cancel});
    ASSERT_TRUE(link->CommandWrite(true));
    Run();
    EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmWrite, text::kCheckConnection}));
    EXPECT_EQ(SentOf(kPageFrameStart, kPageFrameSize), 40);
    EXPECT_EQ(link->CommMode, 0);
    EXPECT_EQ(Sent().last(), QByteArray(1, kEndByte));
}

TEST_F(Protocol, ThreeSilentResendsThenTheQuestionAndOkStartsOverFromTheHandshake) {
    ThreePages();
    settings.PortTime = 2;
    // Answered by hand up to the second page, where the radio falls silent.
    port.peer = nullptr;
    ASSERT_TRUE(link->CommandWrite(true));
    port.Arrive(QByteArray(1, kAck));
    port.Arrive(IdReply("KD-F1", "V100"));
    port.Arrive(QByteArray(1, kAck));
    ASSERT_EQ(link->PageIndex, 1);
    // The time-out waits for the frame and its answer to cross the line first.
    EXPECT_EQ(timer.interval, 2000 + (1033 * 10000 + 9599) / 9600);
    port.sent.clear();
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(timer.Fire());
    EXPECT_EQ(SentOf(kPageFrameStart, kPageFrameSize), 3);
    EXPECT_EQ(Sent()[0], Sent()[2]);  // the same page each time
    prompter.Script({Answer::Ok});
    prompter.onShow = [&](const zr50::test::Shown&) {
        // What arrives or runs out while the box is up belongs to no step.
        port.Arrive(QByteArray(1, kAck));
        EXPECT_FALSE(timer.Fire());
        link->WaitTimer_Timer();
    };
    ASSERT_TRUE(timer.Fire());
    prompter.onShow = nullptr;
    EXPECT_EQ(prompter.Texts().last(), text::kCheckConnection);
    EXPECT_EQ(prompter.shown.last().icon, Icon::Question);
    EXPECT_EQ(Sent().last(), kUpdateCmd);
    EXPECT_EQ(link->PageIndex, -1);
    EXPECT_EQ(view.percentText, QStringLiteral("0%"));
    EXPECT_EQ(view.values.last(), 0);

    // The radio is back: the pages start again from page 0 and all land.
    port.peer = [this](const QByteArray& f) { return radio.Hear(f) << radio.Quiet(); };
    port.Arrive(QByteArray(1, kAck));
    Run();
    EXPECT_EQ(prompter.Texts().last(), text::kWriteComplete);
    ASSERT_EQ(radio.heard.size(), 5);
    EXPECT_EQ(radio.heard.first().kind, sim::HeardKind::Ident);
    EXPECT_EQ(radio.heard[1].address, 0u);
    EXPECT_EQ(radio.pages.size(), 3u);
}

TEST_F(Protocol, RefusalsBeforeAnythingIsSent) {
    // A fresh project has no communication model.
    EXPECT_FALSE(link->CommandWrite(true));
    EXPECT_EQ(prompter.Texts(), QStringList{text::kModelIncomplete});
    ThreePages();
    prompter.shown.clear();
    port.missing.insert(QStringLiteral("/dev/fake3"));
    EXPECT_FALSE(link->CommandWrite(true));
    EXPECT_EQ(prompter.Texts(), QStringList{text::kCannotOpenPort});
    EXPECT_EQ(prompter.shown[0].icon, Icon::Critical);
    EXPECT_EQ(link->CommMode, 0);
    port.missing.clear();

    // The confirmed port goes away while the question is up and the port list
    // moves on to another: the session opens neither.
    prompter.shown.clear();
    prompter.onShow = [this](const zr50::test::Shown&) {
        port.missing.insert(QStringLiteral("/dev/fake3"));
        settings.comPort = 1;
    };
    EXPECT_TRUE(link->CommandWrite(true));
    prompter.onShow = nullptr;
    EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmWrite, text::kCannotOpenPort}));
    EXPECT_EQ(port.opened, QStringList{QStringLiteral("/dev/fake3")});  // the port test alone
    EXPECT_TRUE(port.sent.isEmpty());
    EXPECT_EQ(link->CommMode, 0);
    EXPECT_FALSE(view.visible);
    port.missing.clear();
    port.opened.clear();
    settings.comPort = 3;
    view.shows = 0;
    settings.PortSpeed = QStringLiteral("fast");
    EXPECT_FALSE(link->CommandRead());
    settings.PortSpeed = QStringLiteral("9600");
    prompter.shown.clear();
    prompter.Script({Answer::Cancel});
    EXPECT_FALSE(link->CommandWrite(true));
    EXPECT_TRUE(port.sent.isEmpty());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(link->CommMode, 0);
    EXPECT_EQ(view.shows, 0);
}

TEST_F(Protocol, TheReadFillsTheBlocksFromPagesZeroToFive) {
    Block("a.bin", Bytes(100, 1), 0x10);  // within page 0, not at its start
    Block("b.bin", Bytes(2000, 2), 0x1000);  // pages 4 and 5
    const QByteArray image = Bytes(6144, 77);
    for (bool e : {false, true}) {
        SCOPED_TRACE(e ? "echo" : "duplex");
        Echo(e);
        radio = sim::FlashRadioModel();
        radio.LoadImage(image);
        prompter.shown.clear();
        view.refreshes = 0;
        ASSERT_TRUE(link->CommandRead());
        if (e) {
            ASSERT_TRUE(port.ArriveNext());  // echo of "UPDATE"
            port.ArriveNext();
            EXPECT_EQ(link->EchoLen, 4);
        }
        Run();
        EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmRead, text::kReadComplete}));
        EXPECT_EQ(view.refreshes, 1);
        EXPECT_EQ(radio.counters.reads, 6);
        EXPECT_EQ(PoolOf(0), image.mid(0x10, 100));
        EXPECT_EQ(PoolOf(1), image.mid(0x1000, 2000));
        project.DataPool.fill('\0');
    }
}

TEST_F(Protocol, ReadRepliesAreCheckedAndABlockOutsideTheCacheCopiesNothing) {
    Block("a.bin", Bytes(100, 1), 0);
    // A refused request is asked again at once, not after the time-out.
    port.peer = nullptr;
    ASSERT_TRUE(link->CommandRead());
    port.Arrive(Ack());
    port.Arrive(Nak());
    EXPECT_EQ(SentOf(kIdRequest, kReadRequestSize), 2);
    EXPECT_EQ(link->Phase, Waiting::Reply);
    link->ProgressClosed();
    port.peer = [this](const QByteArray& f) { return radio.Hear(f) << radio.Quiet(); };
    prompter.shown.clear();

    radio.LoadImage(Bytes(6144, 5));
    radio.corruptEvery = 3;  // the answers to pages 1, 3 and 5 are spoilt once each
    ASSERT_TRUE(link->CommandRead());
    Run();
    while (timer.Fire()) Run();
    EXPECT_EQ(prompter.Texts().last(), text::kReadComplete);
    EXPECT_EQ(radio.counters.reads, 9);
    EXPECT_EQ(PoolOf(0), Bytes(6144, 5).left(100));

    Block("far.bin", Bytes(10, 3), 0x1800);  // page 6
    const QByteArray pool = project.DataPool;
    radio = sim::FlashRadioModel();
    prompter.shown.clear();
    ASSERT_TRUE(link->CommandRead());
    Run();
    EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmRead, text::kOutsideReadPages}));
    EXPECT_EQ(project.DataPool, pool);
    EXPECT_EQ(radio.counters.ends, 1);
    EXPECT_EQ(link->CommMode, 0);
}

}  // namespace
}  // namespace kdi::test
