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
#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;

namespace {

struct ToneWindow : WindowTest {
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
        SetChannels(doc, 1, 11, {5});  // a channel of group K of the HAM band
        doc.CopyDataToSaved();
        h.forms.Register("FrmToneTips", ToneWindowFactory(p, beep));
        h.main->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(h.main.get()));
    }
    // The window goes before the player it uses.
    void TearDown() override { h.forms.UnloadChildren(); }
    ToneRecord& Rec(int r) { return doc.DataRec.RBToneTable[size_t(r)]; }
    ChannelRecord& Channel() { return doc.ChData(0, 1, 1); }
    ChannelRecord& LaterChannel() { return doc.ChData(1, 1, 11); }
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
};

TEST_F(ToneWindow, CaptionsListsAndRecordsInBothLanguages) {
    Open();
    const QStringList english{w->windowTitle(),     w->TabStrip1->tabText(7), w->Label1->text(),
                              w->Label2->text(),    w->Label3[1]->text(),     w->Label4[0]->text(),
                              w->Label5[13]->text(), w->Command1->text(),     w->CommandClose->text()};
    EXPECT_EQ(english, QStringList({"Roger Beep", "RB Tone 8", "Recycle Times", "Inter Time[ms]",
                                    "Frequency[Hz]", "Tone Long[ms]", "Fourteenth Tone", "&Play",
                                    "&Close"}));
    EXPECT_EQ(w->Label5[9]->geometry().right() + 1, w->Combo3[9]->x());  // label against list
    const QStringList freqs = ItemsOf(w->Combo3[5]);
    EXPECT_EQ(freqs.size(), 217);
    EXPECT_EQ(freqs.mid(0, 3) + freqs.mid(216), QStringList({"None", "400", "410", "2550"}));
    EXPECT_EQ(ItemsOf(w->Combo1).mid(0, 2) + ItemsOf(w->Combo5).mid(0, 2),
              QStringList({"Off", "1", "None", "10"}));
    EXPECT_EQ(ItemsOf(w->Combo4[13]).size(), 256);

    EXPECT_EQ(Shown(), Steps({"2", "500"}, {"1000/200", "None/100", "400/50"}));
    Tab(3);
    EXPECT_EQ(Shown(), Steps({"1", "0"}, {"1500/300"}));

    // Chinese: the window takes its texts when it opens, on record 1 again.
    h.forms.UnloadChildren();
    p.settings.CurLanguage = kChinese;
    Open();
    EXPECT_EQ(beep.CurToneRecord, 1);
    const QStringList chinese{w->windowTitle(), w->TabStrip1->tabText(0), w->Label5[13]->text(),
                              w->Command1->text(), w->Combo1->itemText(0), w->Combo3[1]->currentText()};
    EXPECT_EQ(chinese, QString::fromUtf8("RB音|RB音 1|第十四个音|播放(&P)|关|无").split('|'));
}

TEST_F(ToneWindow, ValuesNoListHoldsShowTheFirstEntryAndStayStored) {
    SetSteps(Rec(4), {{20, 400}, {300, -2}, {39, 3}, {40, 1}}, 300, -1);
    doc.CopyDataToSaved();
    Open();
    for (int n : {2, 3, 4, 8, 1, 4}) Tab(n);
    EXPECT_EQ(Shown(), Steps({"Off", "0"}, {"None/0", "None/0", "None/30", "400/10"}));
    EXPECT_FALSE(doc.IsDataModified());
}

TEST_F(ToneWindow, EditsReachTheShownRecordAndOnlyUsabilityEditsRevalidate) {
    Open();
    Tab(2);
    // Frequency and interval leave the references alone; a channel pointing at
    // an unusable record keeps it until a length or cycle edit revalidates.
    Channel().Roger = 6;
    Choose(w->Combo2, "120");
    Choose(w->Combo3[0], "None");
    EXPECT_EQ(Rec(2).Interval, 12);
    EXPECT_EQ(Rec(2).Step[1].ToneFreq, 0);
    EXPECT_EQ(Channel().Roger, 6);
    EXPECT_TRUE(doc.IsDataModified());

    LaterChannel().Roger = 6;
    Choose(w->Combo4[4], "2550");
    EXPECT_EQ(Rec(2).Step[5].ToneLen, 255);
    EXPECT_EQ(Channel().Roger, 0);
    EXPECT_EQ(LaterChannel().Roger, 0) << "every group is walked";
    Channel().Roger = 6;
    Choose(w->Combo1, "10");
    EXPECT_EQ(Rec(2).Cycles, 10);
    EXPECT_EQ(Channel().Roger, 0);
    // Choosing what is stored already changes nothing, not even the references.
    Channel().Roger = 6;
    Choose(w->Combo1, "10");
    Choose(w->Combo4[4], "2550");
    EXPECT_EQ(Channel().Roger, 6);

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

    // Closing the window mid-playback: the sound ends at the next step, and
    // nothing of the window is used after it is gone.
    Tab(1);
    out.pieces.clear();
    w->Command1->click();
    w->CommandClose->click();
    EXPECT_EQ(h.Window<FrmToneTips>("FrmToneTips"), nullptr);
    EXPECT_TRUE(clock.Fire());
    EXPECT_FALSE(beep.IsPlaying());
    EXPECT_EQ(out.pieces.size(), 1u);
}

}  // namespace
