// The tone player over a recording output and a hand-advanced clock, and the
// bar chart's geometry.

#include "ToneTestSupport.h"
#include "model/Document.h"
#include "sound/ModBeep.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;

namespace {

struct TonePlayer : ::testing::Test {
    Document doc;
    RecordingToneOutput out;
    FakeToneClock clock;
    ModBeep beep{doc, out, clock};
    QSignalSpy finished{&beep, &ModBeep::Finished};
    ToneRecord& Rec(int r) { return doc.DataRec.RBToneTable[size_t(r)]; }

    bool Play(int r) {
        beep.CurToneRecord = int16_t(r);
        if (!beep.PrepareTonePlay(beep.CurToneRecord)) return false;
        beep.PlayToneRecord(beep.CurToneRecord);
        return true;
    }
};

TEST_F(TonePlayer, ShortLowAndEmptySteps) {
    // Codes 1..4 are pauses, 5 sounds 50 Hz; a step of length 0 (or below)
    // leaves no gap; 0.07 s of interval is 70 ms on the clock, not 71.
    SetSteps(Rec(2), {{4, 3}, {100, 0}, {5, 2}, {7, -3}, {90, 1}}, 1, 7);
    ASSERT_TRUE(Play(2));
    EXPECT_EQ(beep.ToneRecordLength(beep.CurToneRecord), 60);
    clock.RunOut();
    EXPECT_EQ(out.pieces, (Pieces{{0, 30}, {50, 20}, {900, 10}, {0, 70}}));
    EXPECT_EQ(clock.now, 130);
    EXPECT_EQ(out.stops, 0);
    // All lengths 0: nothing to play. Cycles "Off": ends at once, silent.
    SetSteps(Rec(3), {{100, 0}}, 5, 10);
    EXPECT_FALSE(Play(3));
    SetSteps(Rec(4), {{100, 10}}, 0, 10);
    ASSERT_TRUE(Play(4));
    EXPECT_EQ(finished.count(), 2);
    EXPECT_EQ(out.pieces.size(), 4u);
    EXPECT_FALSE(clock.Waiting());
}

TEST_F(TonePlayer, StopTakesEffectAtTheNextStepWithALength) {
    SetSteps(Rec(1), {{255, 255}, {0, 0}, {100, 10}}, 3, 20);
    ASSERT_TRUE(Play(1));
    // Stop during the long tone: it sounds to its end, the next step does not.
    beep.ToneStopFlag = true;
    EXPECT_TRUE(clock.Fire());
    EXPECT_EQ(out.pieces, (Pieces{{2550, 2550}}));
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(clock.Waiting());

    // Stop during a repetition's last step: the interval pause still follows.
    finished.clear();
    out.pieces.clear();
    ASSERT_TRUE(Play(1));
    EXPECT_TRUE(clock.Fire());  // into step 3
    beep.ToneStopFlag = true;
    EXPECT_TRUE(clock.Fire());  // into the interval
    EXPECT_EQ(finished.count(), 0);
    EXPECT_TRUE(clock.Fire());
    EXPECT_EQ(out.pieces, (Pieces{{2550, 2550}, {1000, 100}, {0, 200}}));
    EXPECT_EQ(finished.count(), 1);
}

TEST_F(TonePlayer, PlaysExactlyTheCyclesAndWideValuesStayWide) {
    // Beyond 256 cycles nothing wraps; lengths and codes beyond the lists do not overflow.
    SetSteps(Rec(1), {{32767, 32767}}, 300, 32767);
    ASSERT_TRUE(Play(1));
    EXPECT_EQ(beep.PlayInterval, 327670);
    EXPECT_EQ(clock.RunOut(), 600);
    EXPECT_EQ(out.pieces.size(), 600u);
    EXPECT_EQ(out.pieces.front(), (Piece{327670, 327670}));
    EXPECT_EQ(clock.now, int64_t(300) * (327670 + 327670));
    Rec(1).Step[2].ToneLen = 32767;
    EXPECT_EQ(beep.ToneRecordLength(beep.CurToneRecord), 655340);
}

TEST(ToneChart, BarsStandOnTheBaseLineInProportion) {
    ToneRecord r;
    // Inner 9000.5 x 1501: A = 8900 (8900.5 ties to even), B = 1401; T = 37.
    SetSteps(r, {{100, 20}, {0, 10}, {0, 0}, {128, 7}}, 1, 0);
    const std::vector<ToneBar> bars = ToneBars(r, 9000.5, 1501);
    ASSERT_EQ(bars.size(), 3u);
    // w = 20 * 8900 / 37 = 4810.8 -> 4811, h = 100 * 1401 / 256 = 547.3 -> 547.
    EXPECT_EQ(bars[0].rect, QRectF(50, 1451 - 547, 4811, 547));
    EXPECT_EQ(bars[0].colour, QColor(255, 0, 0));
    // w = 10 * 8900 / 37 = 2405.4 -> 2405, height 0, blue for step 2.
    EXPECT_EQ(bars[1].rect, QRectF(4861, 1451, 2405, 0));
    EXPECT_EQ(bars[1].colour, QColor(0, 0, 255));
    // Step 3 is skipped but still counts for the colour: step 4 is blue.
    // w = 7 * 8900 / 37 = 1683.8 -> 1684, h = 128 * 1401 / 256 = 700.5 -> 700 (to even).
    EXPECT_EQ(bars[2].rect, QRectF(7266, 1451 - 700, 1684, 700));
    EXPECT_EQ(bars[2].colour, QColor(0, 0, 255));

    // One step of frequency 0: a single flat bar over the whole width.
    SetSteps(r, {{0, 0}, {0, 12}}, 1, 0);
    const std::vector<ToneBar> flat = ToneBars(r, 1100, 600);
    ASSERT_EQ(flat.size(), 1u);
    EXPECT_EQ(flat[0].rect, QRectF(50, 550, 1000, 0));
    // Codes beyond the list stay inside the picture.
    SetSteps(r, {{32767, 32767}, {-5, 1}}, 1, 0);
    const std::vector<ToneBar> wide = ToneBars(r, 1100, 600);
    ASSERT_EQ(wide.size(), 2u);
    EXPECT_EQ(wide[0].rect.height(), 500);
    EXPECT_EQ(wide[1].rect.height(), 0);
}

}  // namespace
