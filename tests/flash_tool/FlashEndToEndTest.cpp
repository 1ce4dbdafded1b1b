// KDImager3's link over a pseudo-terminal to the simulated flash radio, through
// the real serial line, reply timer and port map: each road as a radio on a
// real line takes it, checked in the radio's memory afterwards.

#include "FlashRadio.h"
#include "FlashTestSupport.h"
#include "FlashTexts.h"
#include "link/SerialLink.h"

#include <QFile>

namespace kdi::test {
namespace {

using zr50::Answer;
using zr50::test::RunUntil;

class FlashEndToEnd : public ProjectFixture {
protected:
    FlashEndToEnd() {
        zr50::test::CoreApp();
        qputenv("KDRADIO_PORT_DIR", mapDir.path().toLocal8Bit());
        EXPECT_TRUE(radio.Start());
        EXPECT_TRUE(QFile::link(radio.DevicePath(), mapDir.path() + QStringLiteral("/com41")));
        settings.comPort = 41;
        settings.PortSpeed = QStringLiteral("115200");
        settings.PortTime = 1;
        settings.Duplex = true;
        link.SetView(&view);
        view.link = &link;
        radio.saveTo = Path("radio.pages");
        Model();
    }
    ~FlashEndToEnd() override { qunsetenv("KDRADIO_PORT_DIR"); }

    void Echo(bool on) {
        radio.SetEcho(on);
        settings.Duplex = !on;
    }
    // Runs a command to its end.
    void Finish() { EXPECT_TRUE(RunUntil([this] { return link.CommMode == 0; })); }
    // Blocks at 0x0800 (2500 bytes), 0 (10 bytes) and 0x4000 (1024 bytes), sent
    // with BaseOffset 0x10000: five pages.
    void ThreeBlocks() {
        Block("logo.bmp", Bytes(2500, 1), 0x800);
        Block("boot.bin", Bytes(10, 2), 0);
        Block("font.bin", Bytes(1024, 3), 0x4000);
        project.ProjHead.BaseOffset = 0x10000;
    }
    // The radio's pages as it saved them: address -> bytes.
    std::map<uint32_t, QByteArray> SavedPages() const {
        const QByteArray dump = ReadFile(Path("radio.pages"));
        std::map<uint32_t, QByteArray> pages;
        for (int at = 0; at + 1028 <= dump.size(); at += 1028) {
            uint32_t a = 0;
            for (int i = 0; i < 4; ++i) a |= uint32_t(uint8_t(dump[at + i])) << (8 * i);
            pages[a] = dump.mid(at + 4, 1024);
        }
        return pages;
    }
    void ExpectThreeBlocksLanded() {
        const auto pages = SavedPages();
        ASSERT_EQ(pages.size(), 5u);
        const QByteArray ff(1024, char(0xFF));
        EXPECT_EQ(pages.at(0x10000), Bytes(10, 2) + ff.left(1014));
        EXPECT_EQ(pages.at(0x10800), Bytes(2500, 1).left(1024));
        EXPECT_EQ(pages.at(0x10C00), Bytes(2500, 1).mid(1024, 1024));
        EXPECT_EQ(pages.at(0x11000), Bytes(2500, 1).mid(2048) + ff.left(572));
        EXPECT_EQ(pages.at(0x14000), Bytes(1024, 3));
    }

    QTemporaryDir mapDir;
    FlashSettings settings;
    sim::FlashRadio radio;
    zr50::SerialLinkPort port;
    zr50::TimerReply wait;
    UpdateProtocol link{project, settings, port, wait, prompter};
    RecordingFlashView view;
};

TEST_F(FlashEndToEnd, BlocksLandAtTheirFlashAddressesWithEchoSplitRepliesAndNaks) {
    ThreeBlocks();
    struct Road {
        const char* name;
        bool echo;
        int pieces;
        int nakEvery;
    };
    for (const Road& r : {Road{"duplex", false, 1, 0}, Road{"echo", true, 1, 0},
                          Road{"split", false, 3, 0}, Road{"naks", true, 1, 2}}) {
        SCOPED_TRACE(r.name);
        QFile::remove(Path("radio.pages"));
        radio.radio = sim::FlashRadioModel();
        radio.radio.nakEvery = r.nakEvery;
        radio.SplitReplies(r.pieces, 2);
        Echo(r.echo);
        prompter.shown.clear();
        ASSERT_TRUE(link.CommandWrite(true));
        Finish();
        EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmWrite, text::kWriteComplete}));
        ExpectThreeBlocksLanded();
        EXPECT_EQ(radio.radio.counters.naks, r.nakEvery ? 4 : 0);  // pages 2 to 5 once each
        EXPECT_EQ(radio.radio.counters.badPages, 0);
        EXPECT_EQ(radio.radio.counters.ends, 1);
        EXPECT_FALSE(port.IsOpen());
    }
}

TEST_F(FlashEndToEnd, ASlowLineWaitsForEachFrameToCrossBeforeTheTimeOutCounts) {
    // At 9600 baud a page frame alone takes longer than the 1 s time-out.
    radio.SetBaudRate(9600);
    settings.PortSpeed = QStringLiteral("9600");
    Block("a.bin", Bytes(2048, 4), 0);
    ASSERT_TRUE(link.CommandWrite(false));
    Finish();
    EXPECT_EQ(prompter.Texts().last(), text::kWriteComplete);
    EXPECT_EQ(radio.radio.counters.pages, 2);
    EXPECT_EQ(radio.radio.counters.updates, 1);  // nothing was sent twice
    EXPECT_EQ(radio.radio.heard.size(), 5);
}

TEST_F(FlashEndToEnd, SilenceGivesThreeResendsThenOkStartsOverAndCancelEnds) {
    ThreeBlocks();
    radio.radio.stopAfter = 4;  // handshake, identity, two pages
    prompter.Script({Answer::Ok, Answer::Ok});
    int prompts = 0;
    prompter.onShow = [&](const zr50::test::Shown& s) {
        if (s.text == text::kCheckConnection && ++prompts == 1) {
            EXPECT_EQ(radio.radio.heard.size(), 8);  // the third page, then three resends of it
            EXPECT_EQ(radio.radio.heard[7].address, radio.radio.heard[4].address);
            radio.radio.stopAfter = 0;
        }
    };
    ASSERT_TRUE(link.CommandWrite(true));
    Finish();
    EXPECT_EQ(prompter.Texts(),
              (QStringList{text::kConfirmWrite, text::kCheckConnection, text::kWriteComplete}));
    // After OK: the handshake again and every page from the first.
    ASSERT_GE(radio.radio.heard.size(), 11);
    EXPECT_EQ(radio.radio.heard[8].kind, sim::HeardKind::Update);
    EXPECT_EQ(radio.radio.heard[10].address, 0x10000u);
    ExpectThreeBlocksLanded();

    // Silent from the start, and Cancel: the end byte still reaches the radio.
    radio.radio = sim::FlashRadioModel();
    radio.radio.stopAfter = 0;
    radio.radio.dropEvery = 1;
    prompter.shown.clear();
    prompter.Script({Answer::Ok, Answer::Cancel});
    ASSERT_TRUE(link.CommandWrite(true));
    Finish();
    EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmWrite, text::kCheckConnection}));
    EXPECT_EQ(radio.radio.counters.updates, 4);
    EXPECT_TRUE(RunUntil([this] { return radio.radio.counters.ends == 1; }));
    EXPECT_TRUE(radio.radio.pages.empty());
}

TEST_F(FlashEndToEnd, AnotherModelWritesNothingAndTheEndByteLeavesBeforeTheClose) {
    ThreeBlocks();
    radio.radio.model = "KD-X9";
    ASSERT_TRUE(link.CommandWrite(true));
    Finish();
    EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmWrite, text::ModelError("KD-X9")}));
    EXPECT_TRUE(RunUntil([this] { return radio.radio.counters.ends == 1; }));
    EXPECT_TRUE(radio.radio.pages.empty());
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(FlashEndToEnd, AVanishedLineEndsTheSessionWithoutACrash) {
    ThreeBlocks();
    radio.radio.stopAfter = 3;
    prompter.Script({Answer::Ok, Answer::Cancel});
    ASSERT_TRUE(link.CommandWrite(true));
    ASSERT_TRUE(RunUntil([this] { return radio.radio.counters.pages >= 1; }));
    radio.CloseLine();
    Finish();
    EXPECT_EQ(prompter.Texts().last(), text::kCheckConnection);
    EXPECT_EQ(link.CommMode, 0);
    EXPECT_FALSE(view.visible);
}

TEST_F(FlashEndToEnd, TheReadFillsTheBlocksFromTheRadio) {
    Block("a.bin", Bytes(300, 1), 0);
    Block("b.bin", Bytes(3000, 2), 0xC00);
    const QByteArray image = Bytes(6144, 9);
    for (bool e : {false, true}) {
        SCOPED_TRACE(e ? "echo" : "duplex");
        Echo(e);
        radio.radio = sim::FlashRadioModel();
        radio.radio.LoadImage(image);
        project.DataPool.fill('\0');
        prompter.shown.clear();
        ASSERT_TRUE(link.CommandRead());
        Finish();
        EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmRead, text::kReadComplete}));
        EXPECT_EQ(PoolOf(0), image.left(300));
        EXPECT_EQ(PoolOf(1), image.mid(0xC00, 3000));
        EXPECT_EQ(radio.radio.counters.reads, 6);
    }
    // Read, then written back: the radio holds what it gave.
    EXPECT_TRUE(project.IsProjectModified());
    radio.radio.pages.clear();
    ASSERT_TRUE(link.CommandWrite(true));
    Finish();
    EXPECT_EQ(radio.radio.PageAt(0).left(300), image.left(300));
    EXPECT_EQ(radio.radio.PageAt(0xC00) + radio.radio.PageAt(0x1000) + radio.radio.PageAt(0x1400).left(952),
              image.mid(0xC00, 3000));
}

}  // namespace
}  // namespace kdi::test
