// The optional-features window driven as a user drives it, checked against the document.

#include "FlexGrid.h"
#include "FrmOptFeatures.h"
#include "files/NewDocument.h"
#include "frmCommChInfo.h"
#include "model/ByteIO.h"
#include "model/RecordLayout.h"
#include "rules/ToneRefs.h"
#include "support/widgets/WindowHarness.h"
#include "windows/ComboBoxes.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;

namespace {
struct OptWindow : WindowTest {
    OptFeatRec& o = d.OptFeat;
    FrmOptFeatures* w = nullptr;

    void SetUp() override {
        doc.SetBandText(BandTextOf(0));
        InitNewData(p);  // the built-in defaults
        o.ModeEnable = {1, 1, 1, 1, 1, 1};
        d.RBToneTable = {};  // no usable tone
        d.RSSILevel = {0, 2, 4, 6, 8, 29, 0, 2, 4, 6, 8, 29};
        doc.CopyDataToSaved();
        h.forms.Register("frmCommChInfo", ChannelWindowFactory(p));
        h.forms.Register("FrmOptFeatures", OptFeaturesFactory(p));
        h.main->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(h.main.get()));
    }
    void Open() {
        h.forms.Show("FrmOptFeatures");
        w = h.Window<FrmOptFeatures>("FrmOptFeatures");
        ASSERT_TRUE(w);
    }
    static void ChooseAt(QComboBox* list, int i) {
        list->setCurrentIndex(i);
        emit list->activated(i);
    }
    // Into the box (its text selected), type, and stay.
    static void TypeInto(QLineEdit* box, const QString& text) {
        box->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        QTest::keyClicks(box, text);
    }
    // Type, then move the focus on.
    void Type(QLineEdit* box, const QString& text) {
        TypeInto(box, text);
        w->CommandClose->setFocus(Qt::TabFocusReason);
    }
    QByteArray Bytes() const { return EncodeRecord(d); }
    QStringList Items(int k) const { return ItemsOf(w->Combo1[size_t(k)]); }
};
}  // namespace

TEST_F(OptWindow, ShowsStoredValuesThroughTheirListsAndOpeningChangesNothing) {
    o.TOT = 7;
    d.RxNR = 132;
    d.TxNR = 5;  // no list position
    d.CWFreq = 30;
    d.ASQLevel = 10;
    o.MIC = 0;
    d.HFPublic = 5;
    o.PubMode = 77;
    d.VOX = 0;
    d.VolDisplay = 2;
    d.SQLDisplay = 1;
    o.AuxFlag1 = 7;
    o.SWRProtect = 7;
    o.BatProtect = 0;
    o.RTIX = 125;
    o.VoltLimit = {97, 168, 160};
    d.TxOffset = 100;
    for (int k : {1, 3}) {
        d.RBToneTable[size_t(k)].Cycles = 1;
        d.RBToneTable[size_t(k)].Step[2].ToneLen = 5;
    }
    d.ComChanRb = 3;
    o.PubRoger = 1;
    o.DTMFCode[4].set("12*#");
    o.PubEOT = 4;
    const QByteArray before = Bytes();
    Open();

    const std::pair<int, const char*> shown[] = {{9, "60s"}, {25, "5"},  {26, "OFF"}, {47, "300"},
                                                 {24, "OFF"}, {3, "1"},   {45, "OFF"}, {18, "FM"},
                                                 {53, "3"},   {205, "1"}, {207, "4"}};
    for (const auto& [k, text] : shown) {
        const QComboBox* list = k >= 200 ? w->Combo2[size_t(k - 200)] : w->Combo1[size_t(k)];
        EXPECT_EQ(list->currentText(), text) << k;
    }
    EXPECT_EQ(Items(53), QStringList({"OFF", "1", "3"}));
    EXPECT_EQ(ItemsOf(w->Combo2[7]), QStringList({"OFF", "4"}));
    // The CW tone stops at the largest value its byte holds.
    EXPECT_EQ(Items(47).size(), 226);
    EXPECT_EQ(Items(47).last(), "2550");

    EXPECT_FALSE(w->chkCheck2[0]->isChecked());  // a display byte of 2
    EXPECT_TRUE(w->chkCheck2[1]->isChecked());
    EXPECT_FALSE(w->Check1[4]->isChecked());
    EXPECT_FALSE(w->Combo1[27]->isEnabled());  // VOX off

    const std::pair<QLineEdit*, const char*> boxes[] = {{w->Text1[0], "12.5"}, {w->Text2[0], "16.0"},
                                                        {w->Text2[1], "9.7"},  {w->Text4[12], "0.0100"},
                                                        {w->Text4[5], "30"}};
    for (const auto& [box, text] : boxes)
        EXPECT_EQ(box->text(), text) << box->objectName().toStdString();

    w->CommandClose->click();
    EXPECT_FALSE(h.forms.IsLoaded("FrmOptFeatures"));
    EXPECT_EQ(Bytes(), before);

    // Shown again by name: what is shown is stored, what nothing shows stays.
    Open();
    h.forms.Call("FrmOptFeatures", "ReShowData");
    EXPECT_EQ(d.TxNR, 0);
    EXPECT_EQ(o.AuxFlag1, 7);
}

TEST_F(OptWindow, ChoicesStoreTheirFieldsInEitherLanguage) {
    struct Case {
        int index;
        const char* choice;
        std::function<int()> field;
        int expected;
    };
    const Case cases[] = {
        {9, "120s", [&] { return int(o.TOT); }, 12},
        {25, "3", [&] { return int(d.RxNR); }, 130},
        {47, "2550", [&] { return int(d.CWFreq); }, 255},
        {47, "300", [&] { return int(d.CWFreq); }, 30},
        {24, "OFF", [&] { return int(d.ASQLevel); }, 0},
        {17, "Cyan", [&] { return int(o.Color); }, 7},
        {12, "L", [&] { return int(d.HFDWBand); }, 10},
        {55, "1000ms", [&] { return int(d.CWBkin); }, 100},
        {58, "Purple", [&] { return int(d.TxColor); }, 6},
        {201, "NB/ANL", [&] { return int(o.PubNbAnl); }, 3},
    };
    Open();
    for (const Case& c : cases) {
        QComboBox* list = c.index >= 200 ? w->Combo2[size_t(c.index - 200)] : w->Combo1[size_t(c.index)];
        Choose(list, QString::fromUtf8(c.choice));
        EXPECT_EQ(c.field(), c.expected) << c.index << " " << c.choice;
    }
    // VOX off greys its level and delay and leaves them as they are.
    d.VoxLevel = 4;
    Choose(w->Combo1[35], "ON");
    EXPECT_TRUE(w->Combo1[27]->isEnabled());
    Choose(w->Combo1[35], "OFF");
    EXPECT_EQ(d.VOX, 0);
    EXPECT_FALSE(w->Combo1[28]->isEnabled());
    EXPECT_EQ(d.VoxLevel, 4);

    // The off entry of the ASQ level stores 0 in Chinese too.
    w->CommandClose->click();
    p.settings.CurLanguage = kChinese;
    d.ASQLevel = 4;
    o.Color = 0;
    Open();
    EXPECT_EQ(w->Combo1[24]->currentText(), "4");
    Choose(w->Combo1[24], QString::fromUtf8("关"));
    EXPECT_EQ(d.ASQLevel, 0);

    // The captions and lists speak it, labels right against their lists.
    EXPECT_EQ(w->Label1[17]->text(), QString::fromUtf8("背光灯颜色"));
    EXPECT_EQ(w->Label1[45]->text(), "HF Public");
    EXPECT_EQ(w->Frame2->title(), QString::fromUtf8("公共信道设置"));
    EXPECT_EQ(Items(17).mid(0, 2), QStringList({QString::fromUtf8("关"), QString::fromUtf8("白")}));
    EXPECT_EQ(w->Combo1[17]->currentText(), QString::fromUtf8("关"));
    EXPECT_EQ(w->CommandClose->text(), QString::fromUtf8("关闭(&C)"));
    const QRect label = w->Label1[17]->geometry(), list = w->Combo1[17]->geometry();
    EXPECT_LT(label.right(), list.left());
    EXPECT_GT(label.right(), list.left() - 20);
}

TEST_F(OptWindow, TheLastModeCannotBeClearedAndTheModeListsFollowTheEnables) {
    o.ModeEnable = {1, 1, 0, 0, 1, 0};  // FM, AM, CW
    o.PubMode = 0;
    SetChannels(doc, 0, 1, {1, 2});
    doc.ChData(0, 1, 1).Mode = 0;  // FM
    doc.ChData(0, 2, 1).Mode = 5;  // CW
    Open();
    EXPECT_EQ(Items(18), QStringList({"FM", "AM"}));  // the public channel has no CW

    w->Check1[5]->click();  // FM off
    EXPECT_FALSE(w->Check1[5]->isChecked());
    EXPECT_EQ(o.ModeEnable[kEnableFM], 0);
    EXPECT_EQ(Items(18), QStringList({"AM"}));
    EXPECT_EQ(o.PubMode, 1);
    EXPECT_EQ(doc.ChData(0, 1, 1).Mode, 1);
    EXPECT_EQ(doc.ChData(0, 2, 1).Mode, 5);

    // CW off moves the channels using it too.
    w->Check1[10]->click();
    EXPECT_EQ(o.ModeEnable[kEnableCW], 0);
    EXPECT_EQ(doc.ChData(0, 2, 1).Mode, 1);

    w->Check1[6]->click();  // AM is the last one
    EXPECT_TRUE(w->Check1[6]->isChecked());
    EXPECT_EQ(o.ModeEnable[kEnableAM], 1);

    // PA back on: listed after the others, the public mode stays.
    w->Check1[9]->click();
    EXPECT_EQ(o.ModeEnable[kEnablePA], 1);
    EXPECT_EQ(Items(18), QStringList({"AM", "PA"}));
    Choose(w->Combo1[18], "PA");
    EXPECT_EQ(o.PubMode, 4);
    EXPECT_EQ(w->Combo3->currentText(), "PA");
}

TEST_F(OptWindow, TypedBoxesKeepTheirRangesOrderAndFallbacks) {
    Open();
    struct Case {
        QLineEdit* box;
        const char* typed;
        const char* shown;
        std::function<int()> field;
        int stored;
    };
    auto rssi = [&](int k) { return [this, k] { return int(d.RSSILevel[size_t(k)]); }; };
    auto offset = [&] { return int(d.TxOffset); };
    auto volt = [&](int k) { return [this, k] { return int(o.VoltLimit[size_t(k)]); }; };
    // In order: S-meter points 1 3 5 7 9 30 kept in order; Tx offset in MHz,
    // 0.0001 .. 5; voltage limits, a swapped pair put in order.
    const Case cases[] = {
        {w->Text4[2], "8", "5", rssi(2), 4},          {w->Text4[2], "4", "4", rssi(2), 3},
        {w->Text4[5], "40", "36", rssi(5), 35},       {w->Text4[6], "", "1", rssi(6), 0},
        {w->Text4[7], "x-9.", "3", rssi(7), 2},  // digits only: 9, above the next point
        {w->Text4[12], "0", "0.0001", offset, 1},     {w->Text4[12], "7", "5.0000", offset, 50000},
        {w->Text4[12], "1.23456", "1.2345", offset, 12345},  {w->Text4[12], ".", "5.0000", offset, 50000},
        {w->Text2[1], "16", "16.0", volt(0), 160},    {w->Text2[2], "12", "16.0", volt(0), 120},
        {w->Text2[1], "3-", "9.0", volt(0), 90},      {w->Text2[0], "25", "20.0", volt(2), 200},
    };
    for (const Case& c : cases) {
        TypeInto(c.box, "");
        QTest::keyClick(c.box, Qt::Key_Backspace);  // what was selected goes
        Type(c.box, QString::fromLatin1(c.typed));
        EXPECT_EQ(c.box->text(), c.shown) << c.box->objectName().toStdString() << " " << c.typed;
        EXPECT_EQ(c.field(), c.stored) << c.box->objectName().toStdString() << " " << c.typed;
    }
    // Nothing arrives from the clipboard.
    QApplication::clipboard()->setText("4.5");
    TypeInto(w->Text2[0], "");
    QTest::keyClick(w->Text2[0], Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w->Text2[0]->selectedText(), "20.0");
}

TEST_F(OptWindow, ValidateControlsCommitsWhatIsTypedButNotLeft) {
    Open();
    TypeInto(w->Text4[12], "2.5");
    h.forms.Call("FrmOptFeatures", "ValidateControls");
    EXPECT_EQ(d.TxOffset, 25000);
    TypeInto(w->Text4[3], "8");
    h.forms.Call("FrmOptFeatures", "ValidateControls");
    EXPECT_EQ(d.RSSILevel[3], 7);
    TypeInto(w->Text2[2], "14.3");
    w->CommandClose->click();  // closing commits too
    EXPECT_EQ(o.VoltLimit[1], 143);
}

TEST_F(OptWindow, PublicChoiceFlagsEveryChannelOfTheBandAndRebuildsTheChannelWindow) {
    SetChannels(doc, 0, 1, {1, 2});
    d.ChCount(0, 1) = 46;  // M6 sits in slot 46
    doc.ChData(0, 46, 1).ChNo = 46;
    SetChannels(doc, 1, 1, {1});
    d.CurBand = 0;
    d.HFPublic = 0;
    o.WorkGroup = {3, 2};
    h.forms.Show("frmCommChInfo");
    QPointer<frmCommChInfo> before = h.Window<frmCommChInfo>("frmCommChInfo");
    ASSERT_TRUE(before);
    Open();

    Choose(w->Combo1[45], "ON");
    EXPECT_EQ(d.HFPublic, 1);
    for (int g = 1; g <= GroupCount(0); ++g)
        for (int s = 1; s <= kMaxSlots; ++s) ASSERT_EQ(doc.ChData(0, s, g).Public, 1) << g << " " << s;
    EXPECT_EQ(doc.ChData(1, 1, 1).Public, 0);
    EXPECT_EQ(o.WorkGroup[0], 3);

    EXPECT_TRUE(before.isNull());
    frmCommChInfo* ch = h.Window<frmCommChInfo>("frmCommChInfo");
    ASSERT_TRUE(ch);
    ch->MSFlexGrid1->setFocus();
    ch->MSFlexGrid1->setCurrentCell(1, 1);
    ASSERT_TRUE(ch->Frame2->isVisible());
    EXPECT_FALSE(ch->Combo8[12]->isEnabled());  // a public channel's mode is fixed
    EXPECT_TRUE(ch->Combo8[6]->isEnabled());

    // The same choice again touches no channel and keeps the window.
    doc.ChData(0, 2, 1).Public = 0;
    QPointer<frmCommChInfo> kept = ch;
    Choose(w->Combo1[45], "ON");
    EXPECT_EQ(doc.ChData(0, 2, 1).Public, 0);
    EXPECT_FALSE(kept.isNull());

    Choose(w->Combo1[46], "ON");
    EXPECT_EQ(doc.ChData(1, 1, 1).Public, 1);
    EXPECT_EQ(d.HamPublic, 1);
    EXPECT_EQ(doc.ChData(0, 2, 1).Public, 0);
}

TEST_F(OptWindow, ToneAndDtmfEditsElsewhereRefreshTheLists) {
    for (int k : {1, 3}) {
        d.RBToneTable[size_t(k)].Cycles = 2;
        d.RBToneTable[size_t(k)].Step[1].ToneLen = 9;
    }
    d.ComChanRb = 3;
    o.PubRoger = 3;
    o.DTMFCode[2].set("1");
    o.DTMFCode[5].set("55");
    o.PubBOT = 5;
    o.PubEOT = 2;
    Open();
    EXPECT_EQ(w->Combo1[53]->currentText(), "3");

    d.RBToneTable[3].Cycles = 0;  // no longer usable
    RevalidateToneUsers(p);
    EXPECT_EQ(Items(53), QStringList({"OFF", "1"}));
    EXPECT_EQ(w->Combo1[53]->currentText(), "OFF");
    EXPECT_EQ(d.ComChanRb, 0);
    EXPECT_EQ(o.PubRoger, 0);

    o.DTMFCode[5].set("");
    h.forms.Call("FrmOptFeatures", "ShowDTMF");
    EXPECT_EQ(ItemsOf(w->Combo2[6]), QStringList({"OFF", "2"}));
    EXPECT_EQ(w->Combo2[6]->currentText(), "OFF");
    EXPECT_EQ(o.PubBOT, 0);
    EXPECT_EQ(w->Combo2[7]->currentText(), "2");
    EXPECT_EQ(o.PubEOT, 2);
}
