// KDImager3's link over a pseudo-terminal to the simulated flash radio, through
// the real serial line, reply timer and port map: the line's own faults (split
// replies, NAKs, a slow line, a vanished line). The roads through the main
// window are in the window tests.

#include "FlashTexts.h"
#include "link/SerialLink.h"
#include "support/FlashSupport.h"

namespace kdi::test {
namespace {

using zr50::Answer;
using zr50::test::RunUntil;

// A line's faults, and the NAKs the radio sends on it.
struct Road {
    const char* name;
    bool echo;
    int pieces, nakEvery, baud, lateFrame, lateMs, strayFrame, naks;
    int portTime = 1;
};

class FlashEndToEnd : public ProjectFixture {
protected:
    FlashEndToEnd() {
        settings.comPort = 41;
        settings.PortSpeed = QStringLiteral("115200");
        settings.PortTime = 1;
        settings.Duplex = true;
        link.SetView(&view);
        view.link = &link;
        Model();
        // Three blocks with BaseOffset 0x10000: five pages.
        Block("logo.bmp", Bytes(2500, 1), 0x800);
        Block("boot.bin", Bytes(10, 2), 0);
        Block("font.bin", Bytes(1024, 3), 0x4000);
        project.ProjHead.BaseOffset = 0x10000;
        radio.saveTo = Path("radio.pages");
    }
    // A road with answers seconds late and time-outs of 3 s takes its while.
    void Finish() { EXPECT_TRUE(RunUntil([this] { return link.CommMode == 0; }, 120000)); }

    // A whole write on the road: every page lands and the write says so.
    void Write(const Road& r) {
        SCOPED_TRACE(r.name);
        radio.radio = sim::FlashRadioModel();
        radio.radio.nakEvery = r.nakEvery;
        radio.SplitReplies(r.pieces, 2);
        radio.SetEcho(r.echo);
        radio.SetBaudRate(r.baud);
        radio.lateFrame = r.lateFrame;
        radio.lateMs = r.lateMs;
        radio.strayFrame = r.strayFrame;
        settings.Duplex = !r.echo;
        settings.PortSpeed = QString::number(r.baud);
        settings.PortTime = r.portTime;
        prompter.shown.clear();
        ASSERT_TRUE(link.CommandWrite(true));
        Finish();
        EXPECT_EQ(prompter.Texts(), (QStringList{text::kConfirmWrite, text::kWriteComplete}));
        ExpectFlashHolds(project, radio.radio, char(0xFF), 5);
        EXPECT_EQ(radio.radio.counters.naks, r.naks);
        EXPECT_EQ(radio.radio.counters.updates, 1);  // never started over
        EXPECT_EQ(radio.radio.counters.badPages, 0);
        EXPECT_FALSE(port.IsOpen());
        // What the radio saved after the end byte is what it holds.
        EXPECT_EQ(ReadFile(radio.saveTo), radio.radio.Dump());
    }

    PtyRadio pty{41};
    sim::FlashRadio& radio = pty.radio;
    FlashSettings settings;
    zr50::SerialLinkPort port;
    zr50::TimerReply wait;
    UpdateProtocol link{project, settings, port, wait, prompter};
    RecordingFlashView view;
};

TEST_F(FlashEndToEnd, BlocksLandByteExactWhateverTheLineDoes) {
    // Slow: at 9600 baud a page frame alone takes longer than the 1 s time-out.
    // Frame 4 is the second page. Late: its first answer comes after the
    // time-out and after the resend's answer (at 19200 baud, 0.5 s into the
    // next page's frame, which the radio refuses). Stray: a 0x06 ahead of its
    // echo, so the frame's own trailer stands where the answer belongs.
    for (const Road& r : {Road{"split", false, 3, 0, 115200, 0, 0, 0, 0}, Road{"echo naks", true, 1, 2, 115200, 0, 0, 0, 4},
                          Road{"slow", false, 1, 0, 9600, 0, 0, 0, 0}, Road{"late", false, 1, 4, 19200, 4, 1800, 0, 1},
                          Road{"stray", true, 1, 3, 115200, 0, 0, 4, 3}})
        Write(r);
}

TEST_F(FlashEndToEnd, AStrayOrLateAnswerNeitherLosesAPageNorFailsTheWrite) {
    // Late: frame 4's answer comes 7 s late, 3 s time-out; the resend is
    // answered, and the late answer arrives while the next page is still
    // going out. Stray duplex: a 0x06 as the third page starts out. Stray
    // slow echo: one ahead of the third page's echo, at 9600 baud, where a
    // page's echo takes longer than the 1 s time-out.
    for (const Road& r : {Road{"late", false, 1, 0, 19200, 4, 7000, 0, 0, 3},
                          Road{"stray duplex", false, 1, 0, 115200, 0, 0, 5, 0},
                          Road{"stray slow echo", true, 1, 0, 9600, 0, 0, 5, 0}})
        Write(r);
}

TEST_F(FlashEndToEnd, AVanishedLineEndsTheSessionWithoutACrash) {
    radio.radio.stopAfter = 3;
    prompter.Script({Answer::Ok, Answer::Cancel});
    ASSERT_TRUE(link.CommandWrite(true));
    ASSERT_TRUE(RunUntil([this] { return radio.radio.counters.pages >= 1; }));
    radio.CloseLine();
    Finish();
    EXPECT_EQ(prompter.Texts().last(), text::kCheckConnection);
    EXPECT_FALSE(view.visible);
    EXPECT_FALSE(port.IsOpen());
}

}  // namespace
}  // namespace kdi::test
