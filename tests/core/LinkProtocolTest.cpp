// The link's step machine against a scripted radio: reads, writes, time-outs,
// prompts, the group write, lost lines and the port search; and the frames.

#include "link/Frames.h"
#include "link/ProgramProtocol.h"
#include "support/Scripted.h"
#include "support/ScriptedLink.h"
#include "versions/Versions.h"

#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;
using namespace zr50::test::linktext;

namespace {

using Frames = QList<QByteArray>;

class LinkTest : public ProgramTest {
protected:
    LinkTest() {
        p.settings.PortNo = 1;
        p.versions.VersionPairTable = QStringList{"V200", "V200"};
        port.peer = [this](const QByteArray& f) { return radio.Answer(f); };
        link.deviceForPort = [](int n) { return QStringLiteral("com%1").arg(n); };
        link.listPorts = [this] { return ports; };
        tp.forms.loaded << QStringLiteral("frmMain");
        FillWritableDocument(p.doc);
    }
    // Replies arrive and time-outs run out until the link waits for nothing.
    void Drive() {
        for (int i = 0; i < 200000; ++i)
            if (!port.ArriveNext() && !timerWrite.Fire() && !wait.Fire()) return;
        ADD_FAILURE() << "the link never came to rest";
    }
    // A second transfer in the same test starts from a clean record.
    void Again(std::initializer_list<Answer> answers) {
        FillWritableDocument(p.doc);
        tp.forms.unloads = 0;
        tp.prompter.shown.clear();
        tp.prompter.Script(answers);
        port.sent.clear();
        port.opened.clear();
    }
    QStringList Prompts() const { return tp.prompter.Texts(); }
    std::tuple<QString, Buttons, Icon> Prompt(int i) const {
        const auto& s = tp.prompter.shown.at(i);
        return {s.text, s.buttons, s.icon};
    }
    void ExpectEndedFailedAndDocumentKept() {
        EXPECT_EQ(link.CommMode, CommIdle);
        EXPECT_FALSE(port.IsOpen());
        EXPECT_FALSE(wait.IsActive());
        EXPECT_FALSE(view.progressVisible || view.mProgressVisible);
        EXPECT_TRUE(p.doc.DataMatchesSaved());
        EXPECT_EQ(p.doc.DataFileName, QStringLiteral("/data/mine.dat"));
        EXPECT_EQ(tp.forms.unloads, 0);
        EXPECT_FALSE(Prompts().contains(kReadDone) || Prompts().contains(kWriteDone));
    }

    ScriptedPort port;
    ManualTimer wait, timerWrite;
    ProgramProtocol link{p, port, wait, timerWrite};
    RecordingLinkView view{link};
    ScriptedRadio radio;
    QList<int> ports{1};
};

TEST_F(LinkTest, FullReadDecodesTheRadioIntoAnUntitledDocument) {
    Document src;
    FillWritableDocument(src);
    src.ChData(0, 2, 1).Mode = 2;
    radio.memory = EncodedImage(src);
    radio.extBand = 1;

    link.mnuReadFromRadio_Click();
    ASSERT_EQ(port.opened, QStringList{"com1"});
    const LineSettings& s = port.openSettings[0];
    EXPECT_EQ(std::make_tuple(s.baud, s.parity, s.dataBits, s.stopBits, s.handshaking),
              std::make_tuple(9600, 'N', 8, 1, 0));
    EXPECT_EQ(port.sent, Frames{ProgramCmd()});  // sent by the window's load
    Drive();

    ASSERT_EQ(port.sent.size(), 2 + kBlocks + 1);
    EXPECT_EQ(port.sent.mid(1, 2), Frames({IdRequest(), ReadRequest(0x0000, 16)}));
    EXPECT_EQ(port.sent.mid(kBlocks + 1), Frames({ReadRequest(0x5CB0, 16), EndCmd()}));
    EXPECT_TRUE(SameTransferred(link.image, radio.memory));
    EXPECT_TRUE(SameTransferred(EncodedImage(p.doc), radio.memory));
    EXPECT_EQ(p.doc.ChData(0, 2, 1).Mode, 2);
    EXPECT_EQ(p.doc.DataFileName, QStringLiteral("new.dat"));
    EXPECT_TRUE(p.doc.IsUntitled && p.doc.RadioExtBand);
    EXPECT_EQ(p.doc.DataVersion, QStringLiteral("V200"));

    EXPECT_EQ(tp.forms.unloads, 1);
    EXPECT_EQ(tp.forms.CallNames(), QStringList({"frmMain.ShowCaption", "frmMain.Change_Language"}));
    EXPECT_EQ(tp.forms.shownForms, QStringList{"frmCommChInfo"});
    EXPECT_EQ(tp.forms.cascades, 1);
    ASSERT_EQ(Prompts().size(), 2);
    EXPECT_EQ(Prompt(0), std::make_tuple(kConfirmRead, Buttons::OkCancel, Icon::Question));
    EXPECT_EQ(Prompt(1), std::make_tuple(kReadDone, Buttons::Ok, Icon::None));

    // One percent at a time: still 0 after the block at 0x0010, 100 at 0x5CB0.
    QList<int> percents;
    for (int i = 0; i <= 100; ++i) percents << i;
    EXPECT_EQ(view.values, percents);
    EXPECT_EQ(view.percentText, QStringLiteral("100%"));
    EXPECT_FALSE(view.progressVisible || port.IsOpen());
    EXPECT_EQ(link.CommMode, CommIdle);
}

TEST_F(LinkTest, FullWriteLeavesTheRadioHoldingTheEncodedImage) {
    tp.forms.loaded << QStringLiteral("frmCommChInfo") << QStringLiteral("FrmOptFeatures");
    radio.memory.fill(0x00);
    link.mnuWriteToRadio_Click();
    // Open edits are committed first; the write itself waits for TimerWrite.
    EXPECT_EQ(tp.forms.CallNames(), QStringList({"frmCommChInfo.ValidateControls",
                                                  "FrmOptFeatures.ValidateControls"}));
    EXPECT_TRUE(timerWrite.IsActive() && port.opened.isEmpty());
    Drive();

    EXPECT_EQ(port.sent.size(), 2 + kBlocks + 1);
    EXPECT_EQ(radio.blocksWritten, kBlocks);
    EXPECT_TRUE(SameTransferred(radio.memory, EncodedImage(p.doc)));
    EXPECT_EQ(radio.memory[kTransferEnd], 0x00);  // the last byte is never sent
    EXPECT_EQ(Prompts(), QStringList({kConfirmWrite, kWriteDone}));
    EXPECT_EQ(view.values.last(), 100);
    EXPECT_TRUE(p.doc.DataMatchesSaved());
    EXPECT_EQ(p.doc.DataFileName, QStringLiteral("/data/mine.dat"));
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(LinkTest, HandshakeResendsOnceThenAsksRetryOrCancel) {
    bool silent = true;
    port.peer = [&](const QByteArray& f) { return silent ? Frames{} : radio.Answer(f); };
    // Each Retry starts again with a fresh resend; the radio answers after the second.
    tp.prompter.Script({Answer::Ok, Answer::Retry, Answer::Retry});
    tp.prompter.onShow = [&](const Shown&) { silent = tp.prompter.shown.size() < 3; };
    link.mnuReadFromRadio_Click();
    Drive();
    EXPECT_EQ(port.sent.mid(0, 6), Frames(5, ProgramCmd()) << IdRequest());
    EXPECT_EQ(Prompts(), QStringList({kConfirmRead, kCheck, kCheck, kReadDone}));
    EXPECT_EQ(Prompt(1), std::make_tuple(kCheck, Buttons::RetryCancel, Icon::None));

    // The identity request is resent once too; Cancel ends as failed.
    Again({Answer::Ok, Answer::Cancel});
    tp.prompter.onShow = nullptr;
    port.peer = [&](const QByteArray& f) { return f == IdRequest() ? Frames{} : radio.Answer(f); };
    link.mnuReadFromRadio_Click();
    Drive();
    EXPECT_EQ(port.sent, Frames({ProgramCmd(), IdRequest(), IdRequest()}));
    EXPECT_EQ(Prompts(), QStringList({kConfirmRead, kCheck}));
    ExpectEndedFailedAndDocumentKept();
}

TEST_F(LinkTest, BlockTimeOutRestartsTheWholeTransferOrEndsIt) {
    QByteArray lost = ReadRequest(0x0100, 16);
    bool always = false;
    port.peer = [&](const QByteArray& f) {
        if (f != lost) return radio.Answer(f);
        if (!always) lost.clear();
        return Frames{};
    };
    int sentAtPrompt = 0;
    tp.prompter.onShow = [&](const Shown& s) {
        if (s.text == kCheck) sentAtPrompt = int(port.sent.size());
    };
    tp.prompter.Script({Answer::Ok, Answer::Ok});
    link.mnuReadFromRadio_Click();
    Drive();
    ASSERT_EQ(Prompts(), QStringList({kConfirmRead, kCheck, kReadDone}));
    EXPECT_EQ(Prompt(1), std::make_tuple(kCheck, Buttons::OkCancel, Icon::Question));
    // OK starts from "PROGRAM" at block 0x0000, the bar back at 0.
    EXPECT_EQ(port.sent.mid(sentAtPrompt, 3), Frames({ProgramCmd(), IdRequest(), ReadRequest(0, 16)}));
    EXPECT_EQ(view.values.count(0), 2);
    EXPECT_TRUE(SameTransferred(link.image, radio.memory));

    // Cancel at the last block ends as failed; the document stays.
    Again({Answer::Ok, Answer::Cancel});
    lost = ReadRequest(0x5CB0, 16);
    always = true;
    link.mnuReadFromRadio_Click();
    Drive();
    EXPECT_EQ(Prompts(), QStringList({kConfirmRead, kCheck}));
    ExpectEndedFailedAndDocumentKept();
}

TEST_F(LinkTest, RepliesThatFailTheirShapeAreIgnored) {
    const QByteArray good = radio.Answer(ReadRequest(0x0200, 16))[0];
    QByteArray badSum = good, badTail = good;
    badSum[20] = char(badSum[20] ^ 0x01);
    badTail[21] = 0x15;
    uint8_t eight[8] = {};
    const Frames bad = {radio.Answer(ReadRequest(0x0210, 16))[0],  // another address
                        DataBlockFrame(0x0200, eight, 8),          // another length
                        good + '\x06', badTail, badSum, QByteArray(1, kAckByte), radio.IdReply()};
    for (const QByteArray& reply : bad) {
        port.peer = [&](const QByteArray& f) {
            return f == ReadRequest(0x0200, 16) ? Frames{reply} : radio.Answer(f);
        };
        Again({Answer::Ok, Answer::Cancel});
        link.mnuReadFromRadio_Click();
        Drive();
        EXPECT_EQ(Prompts(), QStringList({kConfirmRead, kCheck})) << reply.toHex().data();
        EXPECT_EQ(port.sent.last(), ReadRequest(0x0200, 16));
        ExpectEndedFailedAndDocumentKept();
    }
}

TEST_F(LinkTest, RepliesDuringAPromptAreIgnored) {
    QByteArray late;
    port.peer = [&](const QByteArray& f) {
        if (!late.isEmpty() || f != ReadRequest(0x0100, 16)) return radio.Answer(f);
        late = radio.Answer(f)[0];
        return Frames{};
    };
    int sentDuringPrompt = -1;
    tp.prompter.onShow = [&](const Shown& s) {
        if (s.text != kCheck) return;
        const int before = int(port.sent.size());
        port.Arrive(late);
        sentDuringPrompt = int(port.sent.size()) - before;
    };
    link.mnuReadFromRadio_Click();
    Drive();
    EXPECT_EQ(sentDuringPrompt, 0);
    EXPECT_TRUE(Prompts().contains(kReadDone));
}

TEST_F(LinkTest, IdentityCheckRefusesAnotherModelOrFirmware) {
    // Wrong model: "END" after the identity, the message once the port is closed.
    radio.model = "KD9999X";
    bool openAtMessage = true;
    tp.prompter.onShow = [&](const Shown& s) {
        if (s.text == kWrongModel) openAtMessage = port.IsOpen();
    };
    link.mnuReadFromRadio_Click();
    Drive();
    EXPECT_EQ(port.sent, Frames({ProgramCmd(), IdRequest(), EndCmd()}));
    EXPECT_EQ(Prompts(), QStringList({kConfirmRead, kWrongModel}));
    EXPECT_FALSE(openAtMessage);
    ExpectEndedFailedAndDocumentKept();

    // Firmware of another version: No ends the same way.
    radio.model = "KD4412P";
    radio.version = "V300";
    p.versions.VersionPairTable = QStringList{"V200", "V200", "V300", "V300"};
    const QString question = VersionMismatchText(p, QStringLiteral("V200"), QStringLiteral("V300"),
                                                 VersionKind::Firmware);
    Again({Answer::Ok, Answer::No});
    link.mnuWriteToRadio_Click();
    Drive();
    ASSERT_EQ(Prompts().size(), 2);
    EXPECT_EQ(Prompt(1), std::make_tuple(question, Buttons::YesNo, Icon::None));
    EXPECT_EQ(port.sent.last(), EndCmd());
    EXPECT_EQ(radio.blocksWritten, 0);
    ExpectEndedFailedAndDocumentKept();

    // Yes hands over to that version, the port closed first: nothing more is sent.
    Again({Answer::Ok, Answer::Yes});
    link.mnuReadFromRadio_Click();
    Drive();
    EXPECT_EQ(tp.process.started,
              QStringList{p.paths.ParentFolder() + QStringLiteral("/V300/KD_270/ZR50")});
    EXPECT_EQ(tp.process.exitCodes, QList<int>{0});
    EXPECT_EQ(port.sent, Frames({ProgramCmd(), IdRequest()}));
    ExpectEndedFailedAndDocumentKept();
}

TEST_F(LinkTest, NothingIsSentWhenThePortFailsTheUserCancelsOrAValueDoesNotFit) {
    port.missing << QStringLiteral("com1");
    link.mnuReadFromRadio_Click();
    ASSERT_EQ(Prompts().size(), 1);
    EXPECT_EQ(Prompt(0), std::make_tuple(kCannotOpen, Buttons::Ok, Icon::Critical));
    EXPECT_EQ(link.CommMode, CommIdle);

    port.missing.clear();
    tp.prompter.Script({Answer::Cancel, Answer::Cancel});
    link.mnuReadFromRadio_Click();
    link.mnuMWriteToRadio_Click(2);
    EXPECT_EQ(port.opened.size(), 2);

    // A value that does not fit its byte: refused, the field named.
    p.doc.ChData(0, 1, 1).Mode = 300;
    p.doc.CopyDataToSaved();
    link.mnuWriteToRadio_Click();
    Drive();
    ASSERT_EQ(Prompts().size(), 5);
    EXPECT_TRUE(Prompts()[4].startsWith(QStringLiteral("Cannot write to radio.\r\n")));
    EXPECT_TRUE(Prompts()[4].contains(QStringLiteral("Mode")));
    EXPECT_EQ(p.doc.ChData(0, 1, 1).Mode, 300);
    EXPECT_TRUE(port.sent.isEmpty());
    EXPECT_EQ(view.shows, 0);
    ExpectEndedFailedAndDocumentKept();
}

TEST_F(LinkTest, ClosingTheProgressWindowEndsTheTransferAsFailed) {
    link.mnuReadFromRadio_Click();
    for (int i = 0; i < 200; ++i) port.ArriveNext();
    view.UserCloses();
    Drive();
    EXPECT_EQ(Prompts().size(), 1);
    ExpectEndedFailedAndDocumentKept();

    link.mnuMWriteToRadio_Click(3);
    for (int i = 0; i < 200; ++i) port.ArriveNext();
    view.UserCloses();
    Drive();
    EXPECT_FALSE(link.group.GroupMode);
    ExpectEndedFailedAndDocumentKept();
}

TEST_F(LinkTest, LostLineEndsInTheRestartPrompt) {
    // The device is back while the prompt is up: the restart reopens it.
    int blocks = 0;
    port.peer = [&](const QByteArray& f) {
        if (f.startsWith('R') && ++blocks == 50) port.Unplug();
        return radio.Answer(f);
    };
    tp.prompter.onShow = [&](const Shown& s) {
        if (s.text == kCheck) port.PlugIn();
    };
    tp.prompter.Script({Answer::Ok, Answer::Ok});
    link.mnuReadFromRadio_Click();
    Drive();
    EXPECT_EQ(Prompts(), QStringList({kConfirmRead, kCheck, kReadDone}));
    EXPECT_EQ(port.opened.size(), 2);

    // Still gone at OK: "Cannot Open Communication Port." and the end.
    Again({Answer::Ok, Answer::Ok});
    blocks = 0;
    tp.prompter.onShow = nullptr;
    link.mnuReadFromRadio_Click();
    Drive();
    EXPECT_EQ(Prompts(), QStringList({kConfirmRead, kCheck, kCannotOpen}));
    ExpectEndedFailedAndDocumentKept();
}

TEST_F(LinkTest, GroupWriteGoesOnWithTheNextRadioPluggedIn) {
    ScriptedRadio second;
    second.model = "KD9999X";  // a group write does not check each radio's identity
    ScriptedRadio* connected = &radio;
    int polls = 0, silent = 0;
    port.peer = [&](const QByteArray& f) {
        if (f == ProgramCmd()) {
            // The first radio stays for three polls after its write, then is
            // unplugged; the next one comes after a while of silence.
            if (connected == &radio && radio.ends == 1 && ++polls > 3) connected = nullptr;
            if (!connected && ++silent > 6) connected = &second;
        }
        return connected ? connected->Answer(f) : Frames{};
    };
    link.mnuMWriteToRadio_Click(2);
    Drive();
    EXPECT_EQ(radio.blocksWritten, kBlocks);  // never written twice
    EXPECT_EQ(second.blocksWritten, kBlocks);
    EXPECT_TRUE(SameTransferred(second.memory, EncodedImage(p.doc)));
    EXPECT_EQ(Prompts(), QStringList({kConfirmWrite, kWriteDone}));
    EXPECT_EQ(view.radioNumbers, QList<int>({1, 2}));
    EXPECT_FALSE(view.mProgressVisible || link.group.GroupMode || port.IsOpen());

    // An adapter unplugged with its radio: polling waits for the device to return.
    ScriptedRadio third, fourth;
    connected = &third;
    link.mnuMWriteToRadio_Click(2);
    while (third.ends == 0) ASSERT_TRUE(port.ArriveNext() || wait.Fire());
    port.Unplug();
    for (int i = 0; i < 8; ++i) ASSERT_TRUE(wait.Fire());
    connected = &fourth;
    port.PlugIn();
    Drive();
    EXPECT_EQ(fourth.blocksWritten, kBlocks);
    EXPECT_TRUE(Prompts().endsWith(kWriteDone));

    // Only a silent first radio brings the prompt.
    Again({Answer::Ok, Answer::Cancel});
    connected = nullptr;
    silent = -1000;
    link.mnuMWriteToRadio_Click(2);
    Drive();
    EXPECT_EQ(port.sent, Frames(2, ProgramCmd()));
    EXPECT_EQ(Prompts(), QStringList({kConfirmWrite, kCheck}));
    ExpectEndedFailedAndDocumentKept();
}

TEST_F(LinkTest, RadioInformationEndsOnTheFirstReplyOrSilence) {
    link.mnuRadioInfo_Click();
    EXPECT_EQ(port.sent, Frames{ProgramCmd()});
    Drive();
    port.peer = nullptr;
    link.ReadRMGDataFromRadio();
    Drive();
    EXPECT_EQ(port.sent.size(), 2);
    EXPECT_TRUE(Prompts().isEmpty());
    EXPECT_EQ(view.shows, 0);
    ExpectEndedFailedAndDocumentKept();
}

class PortSearchTest : public LinkTest {
protected:
    PortSearchTest() {
        ports = {1, 2};
        // Nothing answers on COM1.
        port.peer = [this](const QByteArray& f) {
            return port.device == QStringLiteral("com2") && other ? other->Answer(f) : Frames{};
        };
    }
    ScriptedRadio* other = &radio;
};

const QString kSearchCom1 = QStringLiteral("No radio answers on COM1. Search the other serial ports?");

TEST_F(PortSearchTest, FindsTheRadioOnTheSecondPortAndGoesOn) {
    tp.prompter.Script({Answer::Ok, Answer::Yes});
    link.mnuReadFromRadio_Click();
    Drive();
    EXPECT_EQ(Prompts(), QStringList({kConfirmRead, kSearchCom1, kReadDone}));
    EXPECT_EQ(Prompt(1), std::make_tuple(kSearchCom1, Buttons::YesNo, Icon::Question));
    EXPECT_TRUE(SameTransferred(link.image, radio.memory));
    // COM1 with handshaking 0..3 and one, then two stop bits, three probes each; then COM2.
    ASSERT_EQ(port.opened.size(), 1 + 8 + 1);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(std::make_tuple(port.opened[1 + i], port.openSettings[1 + i].handshaking,
                                  port.openSettings[1 + i].stopBits),
                  std::make_tuple(QStringLiteral("com1"), i % 4, 1 + i / 4));
    EXPECT_EQ(port.opened.last(), QStringLiteral("com2"));
    EXPECT_EQ(port.sent.count(ProgramCmd()), 2 + 8 * 3 + 1);
    EXPECT_EQ(p.settings.PortNo, 2);
    EXPECT_EQ(SettingsKey(p, "comPort") + SettingsKey(p, "Handshaking") + SettingsKey(p, "StopBit"),
              QStringLiteral("201"));
    EXPECT_TRUE(tp.forms.CallNames().contains(QStringLiteral("frmMain.SetStatusText")));
}

TEST_F(PortSearchTest, NoSearchesNothingAndGoesStraightToTheRetryQuestion) {
    p.settings.CurLanguage = kChinese;
    tp.prompter.Script({Answer::Ok, Answer::No, Answer::Cancel});
    link.mnuReadFromRadio_Click();
    Drive();
    ASSERT_EQ(Prompts().size(), 3);
    EXPECT_EQ(Prompt(1), std::make_tuple(QString::fromUtf8("通信口1上没有对讲机应答。是否搜索其他串口？"),
                                         Buttons::YesNo, Icon::Question));
    EXPECT_EQ(Prompt(2), std::make_tuple(QString::fromUtf8("检测连接。重试或取消？"), Buttons::RetryCancel,
                                         Icon::None));
    EXPECT_EQ(port.opened, QStringList({"com1"}));
    EXPECT_EQ(radio.ends, 0);
    ExpectEndedFailedAndDocumentKept();
}

TEST_F(PortSearchTest, AnotherModelIsAdoptedAndReportedNothingAtAllAsks) {
    radio.model = "KD9999X";
    link.mnuReadFromRadio_Click();
    Drive();
    EXPECT_EQ(Prompts(), QStringList({kConfirmRead, kSearchCom1, kWrongModel}));
    EXPECT_EQ(SettingsKey(p, "comPort"), QStringLiteral("2"));
    EXPECT_EQ(port.sent.last(), EndCmd());
    ExpectEndedFailedAndDocumentKept();

    // Silence everywhere: the restart prompt; OK goes on at the chosen port with
    // its own settings, where the handshake prompt follows (one search a transfer).
    other = nullptr;
    p.settings.PortNo = 1;
    Again({Answer::Ok, Answer::Yes, Answer::Ok, Answer::Cancel});
    link.mnuReadFromRadio_Click();
    Drive();
    ASSERT_EQ(Prompts().size(), 4);
    EXPECT_EQ(Prompts()[1], kSearchCom1);
    EXPECT_EQ(Prompt(2), std::make_tuple(kCheck, Buttons::OkCancel, Icon::Question));
    EXPECT_EQ(Prompt(3), std::make_tuple(kCheck, Buttons::RetryCancel, Icon::None));
    EXPECT_EQ(port.opened.size(), 1 + 16 + 1);
    EXPECT_EQ(port.opened.last(), QStringLiteral("com1"));
    EXPECT_EQ(std::make_pair(port.openSettings.last().handshaking, port.openSettings.last().stopBits),
              std::make_pair(0, 1));
    ExpectEndedFailedAndDocumentKept();
}

}  // namespace

// ----------------------------------------------------------------------------
// Frames, checksums and the identity reply. (The shape tests of replies are
// exercised through the link above.)

TEST(LinkFrames, Checksums) {
    // The frames' bytes are checked by the simulated radio, which builds its own.
    // A larger tail moves the sum byte; frames too short for a sum are left alone.
    EXPECT_EQ(CheckSum8(QByteArray("\x05\x01\x02\x00\x06\x07", 6), 0, 2), 0x08);
    QByteArray one("W");
    SetCheckSum8(one, 1, 1);
    EXPECT_EQ(one, QByteArray("W"));
    EXPECT_EQ(CheckSum8(QByteArray(), 1, 1), 0);
}

TEST(LinkFrames, AcknowledgementsMatchExactly) {
    EXPECT_TRUE(IsAck(QByteArray("\x06", 1)) && IsProgramAck(QByteArray("KD\x06")));
    for (const char* notAck : {"\x06\x06", "KD\x15", "KD\x06\x06"})
        EXPECT_FALSE(IsAck(QByteArray(notAck)) || IsProgramAck(QByteArray(notAck))) << notAck;
}

TEST(LinkFrames, IdentityReply) {
    QByteArray r("IKD4412P\x01V210xyz", 16);
    ASSERT_TRUE(IsRadioIdReply(r));
    RadioIdentity id = ParseRadioIdReply(r);
    EXPECT_EQ(std::make_tuple(id.model, id.extBand, id.version),
              std::make_tuple(QStringLiteral("KD4412P"), true, QStringLiteral("V210")));
    // A shorter model ends at its NUL; any byte 8 but 1 is the normal band.
    r = QByteArray("IKD44\0\0\0\x02V200\0\0\0", 16);
    id = ParseRadioIdReply(r);
    EXPECT_EQ(std::make_pair(id.model, id.extBand), std::make_pair(QStringLiteral("KD44"), false));
    EXPECT_FALSE(IsRadioIdReply(r + 'x'));  // 17 bytes
    r[0] = 'J';
    EXPECT_FALSE(IsRadioIdReply(r));
}
