// The roger-beep window driven as a user drives it, with the player on a
// recording output and a hand-advanced clock; checked against the document.

#include "FrmToneTips.h"
#include "ToneTestSupport.h"
#include "files/NewDocument.h"
#include "sound/ModBeep.h"
#include "support/widgets/WindowHarness.h"
#include "windows/ComboBoxes.h"

#include <QComboBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <cstring>
#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;

namespace {

struct ToneWindow : ::testing::Test {
    WindowHarness h;
    Program& p = h.p();
    Document& doc = p.doc;
    RecordingToneOutput out;
    FakeToneClock clock;
    ModBeep beep{doc, out, clock};
    FrmToneTips* w = nullptr;

    // The built-in defaults with records 1..3 set here and 4..8 unusable; a
    // channel of group A refers to record 3.
    void SetUp() override {
        doc.SetBandText(BandTextOf(0));
        InitNewData(p);
        for (int r = 1; r <= kToneRecords; ++r) SetSteps(Rec(r), {}, 0, 0);
        SetSteps(Rec(1), {{100, 20}, {0, 10}, {40, 5}}, 2, 50);
        SetSteps(Rec(2), {{210, 10}, {0, 10}, {210, 10}}, 1, 0);
        SetSteps(Rec(3), {{150, 30}}, 1, 0);
        Channel().Roger = 3;
        doc.CopyDataToSaved();
        h.forms.Register("FrmToneTips", ToneWindowFactory(p, beep));
        h.main->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(h.main.get()));
    }
    // The window goes before the player it uses.
    void TearDown() override { h.forms.UnloadChildren(); }
    ToneRecord& Rec(int r) { return doc.DataRec.RBToneTable[size_t(r)]; }
    ChannelRecord& Channel() { return doc.ChData(0, 1, 1); }
    void Open() {
        h.forms.Show("FrmToneTips");
        w = h.Window<FrmToneTips>("FrmToneTips");
        ASSERT_TRUE(w);
    }
    void Tab(int n) {
        ClickTab(w, n);
        ASSERT_EQ(beep.CurToneRecord, n);
    }
    QStringList Shown() const {
        QStringList s{w->Combo1->currentText(), w->Combo2->currentText()};
        for (int i = 0; i < kToneSteps; ++i)
            s << w->Combo3[size_t(i)]->currentText() + "/" + w->Combo4[size_t(i)]->currentText();
        return s;
    }
    static QStringList Steps(QStringList head, std::initializer_list<const char*> steps) {
        for (const char* s : steps) head << QString::fromLatin1(s);
        while (head.size() < 2 + kToneSteps) head << "None/0";
        return head;
    }
    bool SameTable() const {
        return std::memcmp(&doc.DataRec.RBToneTable, &doc.SavedDataRec.RBToneTable,
                           sizeof(doc.DataRec.RBToneTable)) == 0;
    }
};

TEST_F(ToneWindow, CaptionsListsAndRecordsInBothLanguages) {
    Open();
    EXPECT_EQ(w->windowTitle(), "Roger Beep");
    ASSERT_EQ(w->TabStrip1->count(), 8);
    EXPECT_EQ(w->TabStrip1->tabText(7), "RB Tone 8");
    EXPECT_EQ(w->Label1->text(), "Recycle Times");
    EXPECT_EQ(w->Label2->text(), "Inter Time[ms]");
    EXPECT_EQ(w->Label3[1]->text(), "Frequency[Hz]");
    EXPECT_EQ(w->Label4[0]->text(), "Tone Long[ms]");
    EXPECT_EQ(w->Label5[0]->text(), "First Tone");
    EXPECT_EQ(w->Label5[13]->text(), "Fourteenth Tone");
    EXPECT_EQ(w->Command1->text(), "&Play");
    EXPECT_EQ(w->Command2->text(), "&Stop");
    EXPECT_EQ(w->CommandClose->text(), "&Close");
    // Each label ends where its list begins.
    EXPECT_EQ(w->Label5[9]->geometry().right() + 1, w->Combo3[9]->x());
    EXPECT_EQ(w->Label1->geometry().right() + 1, w->Combo1->x());

    const QStringList cycles = ItemsOf(w->Combo1);
    EXPECT_EQ(cycles.size(), 11);
    EXPECT_EQ(cycles.mid(0, 2), QStringList({"Off", "1"}));
    const QStringList freqs = ItemsOf(w->Combo3[5]);
    EXPECT_EQ(freqs.size(), 217);
    EXPECT_EQ(freqs.mid(0, 3), QStringList({"None", "400", "410"}));
    EXPECT_EQ(freqs.back(), "2550");
    EXPECT_EQ(ItemsOf(w->Combo4[13]).size(), 256);
    EXPECT_EQ(ItemsOf(w->Combo2).back(), "2550");
    EXPECT_EQ(ItemsOf(w->Combo5).mid(0, 2), QStringList({"None", "10"}));
    EXPECT_FALSE(w->Combo5->isVisibleTo(w));

    EXPECT_EQ(Shown(), Steps({"2", "500"}, {"1000/200", "None/100", "400/50"}));
    Tab(3);
    EXPECT_EQ(Shown(), Steps({"1", "0"}, {"1500/300"}));

    // Chinese: the window takes its texts when it opens.
    h.forms.UnloadChildren();
    p.settings.CurLanguage = kChinese;
    Open();
    EXPECT_EQ(beep.CurToneRecord, 1) << "every opening shows record 1";
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("RB音"));
    EXPECT_EQ(w->TabStrip1->tabText(0), QString::fromUtf8("RB音 1"));
    EXPECT_EQ(w->Label2->text(), QString::fromUtf8("间隔时间[ms]"));
    EXPECT_EQ(w->Label5[13]->text(), QString::fromUtf8("第十四个音"));
    EXPECT_EQ(w->Command1->text(), QString::fromUtf8("播放(&P)"));
    EXPECT_EQ(w->CommandClose->text(), QString::fromUtf8("关闭(&C)"));
    EXPECT_EQ(w->Combo1->itemText(0), QString::fromUtf8("关"));
    EXPECT_EQ(w->Combo3[0]->itemText(0), QString::fromUtf8("无"));
    EXPECT_EQ(w->Combo3[1]->currentText(), QString::fromUtf8("无"));
}

TEST_F(ToneWindow, ValuesNoListHoldsShowTheFirstEntryAndStayStored) {
    SetSteps(Rec(4), {{20, 400}, {300, -2}, {39, 3}, {40, 1}}, 300, -1);
    doc.CopyDataToSaved();
    Open();
    for (int n : {2, 3, 4, 8, 1, 4}) Tab(n);
    EXPECT_EQ(Shown(), Steps({"Off", "0"}, {"None/0", "None/0", "None/30", "400/10"}));
    w->CommandClose->click();
    EXPECT_EQ(h.Window<FrmToneTips>("FrmToneTips"), nullptr);
    EXPECT_TRUE(SameTable());
    EXPECT_FALSE(doc.IsDataModified());
}

TEST_F(ToneWindow, EditsReachTheShownRecordAndOnlyUsabilityEditsRevalidate) {
    Open();
    Tab(2);
    // Frequency and interval leave the references alone; a channel pointing at
    // an unusable record keeps it until a length or cycle edit revalidates.
    Channel().Roger = 6;
    Choose(w->Combo2, "120");
    Choose(w->Combo3[1], "400");
    Choose(w->Combo3[0], "None");
    EXPECT_EQ(Rec(2).Interval, 12);
    EXPECT_EQ(Rec(2).Step[2].ToneFreq, 40);
    EXPECT_EQ(Rec(2).Step[1].ToneFreq, 0);
    EXPECT_EQ(Channel().Roger, 6);
    EXPECT_TRUE(doc.IsDataModified());

    Choose(w->Combo4[4], "2550");
    EXPECT_EQ(Rec(2).Step[5].ToneLen, 255);
    EXPECT_EQ(Channel().Roger, 0);
    Channel().Roger = 6;
    Choose(w->Combo1, "10");
    EXPECT_EQ(Rec(2).Cycles, 10);
    EXPECT_EQ(Channel().Roger, 0);
    // Choosing what is stored already changes nothing, not even the references.
    Channel().Roger = 6;
    Choose(w->Combo1, "10");
    Choose(w->Combo4[4], "2550");
    EXPECT_EQ(Channel().Roger, 6);
    // Record 1 was not touched.
    EXPECT_EQ(std::memcmp(&Rec(1), &doc.SavedDataRec.RBToneTable[1], sizeof(ToneRecord)), 0);

    // Making a record unusable while others are usable clears its references.
    Tab(3);
    Channel().Roger = 3;
    doc.DataRec.OptFeat.PubRoger = 3;
    Choose(w->Combo4[0], "0");
    EXPECT_EQ(Rec(3).Step[1].ToneLen, 0);
    EXPECT_EQ(Channel().Roger, 0);
    EXPECT_EQ(doc.DataRec.OptFeat.PubRoger, 0);
}

TEST_F(ToneWindow, OnlyTheEditThatWouldLeaveNoUsableRecordIsRefused) {
    // Record 2 is the only usable one.
    SetSteps(Rec(1), {{100, 20}}, 0, 0);
    SetSteps(Rec(3), {}, 1, 0);
    Channel().Roger = 2;
    Open();
    // Edits of unusable records go through, including making them more unusable.
    Choose(w->Combo4[0], "0");
    EXPECT_EQ(Rec(1).Step[1].ToneLen, 0);
    Choose(w->Combo1, "4");
    Choose(w->Combo1, "Off");
    EXPECT_EQ(Rec(1).Cycles, 0);
    Tab(3);
    Choose(w->Combo1, "Off");
    EXPECT_EQ(Rec(3).Cycles, 0);

    // The last usable record cannot be switched off nor lose its last length.
    Tab(2);
    Choose(w->Combo1, "Off");
    EXPECT_EQ(Rec(2).Cycles, 1);
    EXPECT_EQ(w->Combo1->currentText(), "1");
    Choose(w->Combo4[0], "0");
    Choose(w->Combo4[1], "0");
    Choose(w->Combo4[2], "0");  // the last length stays
    EXPECT_EQ(Rec(2).Step[1].ToneLen, 0);
    EXPECT_EQ(Rec(2).Step[2].ToneLen, 0);
    EXPECT_EQ(Rec(2).Step[3].ToneLen, 10);
    EXPECT_EQ(w->Combo4[2]->currentText(), "100");
    EXPECT_EQ(Channel().Roger, 2);

    // With a second usable record the same edits are taken and references follow.
    Tab(1);
    Choose(w->Combo4[0], "50");
    Choose(w->Combo1, "1");
    Tab(2);
    Choose(w->Combo1, "Off");
    EXPECT_EQ(Rec(2).Cycles, 0);
    EXPECT_EQ(Channel().Roger, 0);
}

TEST_F(ToneWindow, PlayAndStopWhileTheWindowStaysUsable) {
    Open();
    w->Command1->click();
    EXPECT_FALSE(w->Command1->isEnabled());
    EXPECT_TRUE(beep.IsPlaying());
    // During the first tone the user changes tab and edits record 2, which
    // the playback follows from its next step.
    Tab(2);
    Choose(w->Combo3[1], "2550");
    EXPECT_EQ(Shown()[3], "2550/100");
    EXPECT_TRUE(clock.Fire());
    EXPECT_TRUE(clock.Fire());
    EXPECT_EQ(out.pieces, (Pieces{{1000, 200}, {25500 / 10, 100}, {2100, 100}}));
    // Stop: Play comes back at once; the step sounding ends, then the interval.
    w->Command2->click();
    EXPECT_TRUE(w->Command1->isEnabled());
    EXPECT_TRUE(beep.IsPlaying());
    EXPECT_TRUE(clock.Fire());
    EXPECT_EQ(out.pieces.back(), (Piece{0, 500}));
    EXPECT_TRUE(clock.Fire());
    EXPECT_FALSE(beep.IsPlaying());
    EXPECT_EQ(out.pieces.size(), 4u);

    // Play again after Stop but before the old playback's next step: one
    // playback only, started afresh.
    out.pieces.clear();
    w->Command1->click();
    w->Command2->click();
    w->Command1->click();
    EXPECT_EQ(out.stops, 1);
    EXPECT_EQ(clock.RunOut(), 3);
    EXPECT_EQ(out.pieces, (Pieces{{2100, 100}, {2100, 100}, {2550, 100}, {2100, 100}}));
    EXPECT_TRUE(w->Command1->isEnabled());

    // Nothing to play: Play stays enabled; cycles "Off": nothing sounds either.
    Tab(5);
    out.pieces.clear();
    w->Command1->click();
    EXPECT_TRUE(w->Command1->isEnabled());
    Choose(w->Combo4[0], "100");
    w->Command1->click();
    EXPECT_TRUE(w->Command1->isEnabled());
    EXPECT_FALSE(beep.IsPlaying());
    EXPECT_TRUE(out.pieces.empty());
}

TEST_F(ToneWindow, ClosingOrReplacingTheDocumentMidPlaybackEndsItAtTheNextStep) {
    Open();
    w->Command1->click();
    w->CommandClose->click();
    EXPECT_EQ(h.Window<FrmToneTips>("FrmToneTips"), nullptr);
    EXPECT_TRUE(clock.Fire());
    EXPECT_FALSE(beep.IsPlaying());
    EXPECT_EQ(out.pieces.size(), 1u);

    // The windows unloaded for a file open or a radio read.
    Open();
    w->Command1->click();
    h.forms.UnloadChildren();
    SetSteps(Rec(1), {{50, 10}, {60, 10}}, 9, 0);  // the new document's record
    clock.RunOut();
    EXPECT_FALSE(beep.IsPlaying());
    EXPECT_EQ(out.pieces.size(), 2u);

    // A new window plays as the first did.
    Open();
    EXPECT_TRUE(w->Command1->isEnabled());
    SetSteps(Rec(1), {{100, 10}}, 1, 0);
    w->Command1->click();
    clock.RunOut();
    EXPECT_EQ(out.pieces.back(), (Piece{1000, 100}));
    EXPECT_TRUE(w->Command1->isEnabled());
}

TEST_F(ToneWindow, TheChartShowsTheShownRecordsBars) {
    // Two equal steps: a red bar half as high as the chart on the left half, a
    // flat blue one (frequency 0) on the right.
    SetSteps(Rec(1), {{128, 10}, {0, 10}}, 1, 0);
    Open();
    TonePicture* pic = w->Picture1;
    auto colourAt = [&](double fx, double fy) {
        // fx of the bars' span, fy of the height B above the base line.
        const QImage img = pic->grab().toImage();
        const double perTwip = pic->logicalDpiX() / 1440.0;
        const QRect in = pic->contentsRect();
        const double a = pic->ScaleWidth() - 100, b = pic->ScaleHeight() - 100;
        const int x = in.x() + int((50 + fx * a) * perTwip);
        const int y = in.y() + int((pic->ScaleHeight() - 50 - fy * b) * perTwip);
        return img.pixelColor(x, y);
    };
    EXPECT_EQ(colourAt(0.25, 0.25), QColor(Qt::red));
    EXPECT_EQ(colourAt(0.25, 0.45), QColor(Qt::red));
    EXPECT_EQ(colourAt(0.25, 0.55), QColor(Qt::white));
    EXPECT_EQ(colourAt(0.75, 0.1), QColor(Qt::white));
    // A frequency edit redraws at once.
    Choose(w->Combo3[1], "2550");
    EXPECT_EQ(colourAt(0.75, 0.9), QColor(Qt::blue));
    // Another tab shows its own record: one bar over the whole span.
    Tab(3);
    EXPECT_EQ(colourAt(0.9, 0.5), QColor(Qt::red));
}

}  // namespace
