// The channel window driven as a user drives it, checked against the document.

#include "FlexGrid.h"
#include "files/NewDocument.h"
#include "frmCommChInfo.h"
#include "rules/ChannelEdit.h"
#include "rules/ModeRules.h"
#include "rules/ToneRefs.h"
#include "support/widgets/WindowHarness.h"
#include "ToneCodes.h"
#include "windows/ComboBoxes.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;

namespace {
struct ChannelWindow : WindowTest {
    frmCommChInfo* w = nullptr;
    FlexGrid* grid = nullptr;

    // The built-in defaults (groups A..M of both bands with channel 1 in A..J
    // and M1..M6), group A of band 0 with channels 1..5, and a VFO channel.
    void SetUp() override {
        doc.SetBandText(BandTextOf(0));
        InitNewData(p);  // no template in the test's installation
        for (int n = 2; n <= 5; ++n) AddChannel(doc, n, 0, 1, QStringLiteral("28.%100").arg(n));
        for (int band = 0; band < kBands; ++band)
            AddChannel(doc, 1, band, VfoGroupOf(band), "28.5");
        doc.CopyDataToSaved();
        h.forms.Register("frmCommChInfo", ChannelWindowFactory(p));
        h.main->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(h.main.get()));
    }
    void Open() {
        h.forms.Show("frmCommChInfo");
        w = h.Window<frmCommChInfo>("frmCommChInfo");
        ASSERT_TRUE(w);
        grid = w->MSFlexGrid1;
    }
    // A choice in a list, as the user makes it.
    static void Choose(QComboBox* list, const QString& text) {
        const int i = list->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        list->setCurrentIndex(i);
        emit list->activated(i);
    }
    void Select(int row) {
        grid->setFocus();
        grid->setCurrentCell(row, 1);
    }
    void DoubleClick(int row) {
        const QPoint at = grid->visualItemRect(grid->item(row, 1)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    }
    // Enter on the cell, type, Enter.
    void Type(int row, const QString& text) {
        Select(row);
        QTest::keyClick(grid, Qt::Key_Return);
        ASSERT_TRUE(w->Text1->isVisible());
        w->Text1->clear();
        QTest::keyClicks(w->Text1, text);
        QTest::keyClick(w->Text1, Qt::Key_Return);
    }
    QString Cell(int row) const { return grid->TextMatrix(row, 1); }
    ChannelRecord* Channel(int band, int group, int n) {
        const int s = doc.FindChannelIndex(n, band, group);
        return s ? &doc.ChData(band, s, group) : nullptr;
    }
};
}  // namespace

TEST_F(ChannelWindow, ShowsTheCurrentGroupWithoutAnyMessage) {
    Open();
    EXPECT_EQ(w->Combo6->currentText(), "A");
    EXPECT_EQ(grid->Rows(), 41);
    EXPECT_EQ(grid->TextMatrix(0, 1), "Frequency");
    EXPECT_EQ(grid->TextMatrix(40, 0), "40");
    EXPECT_EQ(Cell(1), "28.01500");
    EXPECT_EQ(Cell(5), "28.50000");
    EXPECT_EQ(Cell(6), "");
    // The M channels of a lettered group have no row; the work group is listed.
    EXPECT_EQ(w->Combo3->currentText(), "A");
    EXPECT_EQ(w->Frame2->title(), "More Information -- CH 1");
    EXPECT_FALSE(doc.IsDataModified());

    // A record never written (no template: the VFO slot is all zero) shows nothing.
    doc.DataRec.ChCount(0, VfoGroupOf(0)) = 0;
    doc.ChData(0, 1, VfoGroupOf(0)) = ChannelRecord();
    Choose(w->Combo6, "VFO");
    EXPECT_EQ(grid->Rows(), 2);
    EXPECT_EQ(Cell(1), "");
    EXPECT_FALSE(w->Frame2->isVisible());
    EXPECT_TRUE(h.prompter.shown.isEmpty());
}

TEST_F(ChannelWindow, TypedFrequenciesAreSnappedCheckedAndStoredAndEnterMovesOn) {
    d.OptFeat.EmgCh(0, 1, 0) = 2;
    Open();
    Type(12, "29.123456");
    ASSERT_TRUE(Channel(0, 1, 12));
    EXPECT_EQ(Channel(0, 1, 12)->RxFreq.raw(), "2912345 ");
    EXPECT_EQ(Cell(12), "29.12345");
    EXPECT_EQ(grid->Row(), 13);  // Enter went on to the next row
    EXPECT_FALSE(w->Text1->isVisible());
    EXPECT_TRUE(doc.IsDataModified());

    // Only digits and the point are typed in.
    Type(1, "2a8-,.5x");
    EXPECT_EQ(Channel(0, 1, 1)->RxFreq.raw(), "2850000 ");
    EXPECT_EQ(Channel(0, 1, 1)->TxFreq.raw(), "28015000");

    Type(2, "31");
    EXPECT_EQ(h.prompter.Texts(), QStringList{"Frequency is out of range."});
    EXPECT_EQ(h.prompter.shown[0].icon, Icon::Exclamation);
    EXPECT_FALSE(Channel(0, 1, 2));
    EXPECT_EQ(Cell(2), "");
    EXPECT_EQ(d.OptFeat.EmgCh(0, 1, 0), 1);  // the first plain channel left
    Type(20, "31");
    EXPECT_FALSE(Channel(0, 1, 20));

    // Enter moves down and wraps; an empty cell deletes.
    Select(40);
    QTest::keyClicks(grid, "28");  // typing on the grid moves nowhere
    EXPECT_EQ(grid->Row(), 40);
    QTest::keyClick(grid, Qt::Key_Return);
    QTest::keyClick(w->Text1, Qt::Key_Return);  // empty: next row, wrapping
    EXPECT_EQ(grid->Row(), 1);
    Type(3, "");
    EXPECT_FALSE(Channel(0, 1, 3));
    EXPECT_EQ(grid->Row(), 4);
}

TEST_F(ChannelWindow, TheBandKeepsItsLastPlainChannel) {
    // Only group B is valid among the groups whose plain channels count.
    for (int g = 1; g <= 10; ++g) doc.DataRec.OptFeat.GroupValid(0, g) = g == 2;
    d.CurGroup[0] = 2;
    d.OptFeat.EmgCh(0, 2, 0) = 1;
    Open();
    Type(1, "");  // group B: its only plain channel, no other valid group has one
    EXPECT_TRUE(Channel(0, 2, 1));
    EXPECT_EQ(Cell(1), "28.14500");
    EXPECT_TRUE(h.prompter.shown.isEmpty());

    doc.DataRec.OptFeat.GroupValid(0, 3) = 1;  // group C now keeps one
    Type(1, "");
    EXPECT_FALSE(Channel(0, 2, 1));
    EXPECT_EQ(doc.DataRec.OptFeat.GroupValid(0, 2), 0);
    EXPECT_EQ(d.OptFeat.EmgCh(0, 2, 0), 1);  // the group's references are left alone
    EXPECT_TRUE(h.prompter.shown.isEmpty());
}

TEST_F(ChannelWindow, EveryOptionListStoresItsField) {
    doc.DataRec.OptFeat.DTMFCode[5].set("123");
    Open();
    Select(4);
    ChannelRecord* r = Channel(0, 1, 4);
    const struct {
        int list;
        const char* choice;
        int16_t ChannelRecord::*field;
        int stored;
    } cases[] = {
        {6, "ON", &ChannelRecord::Busy, 1},      {7, "-", &ChannelRecord::Rep, 2},
        {10, "Del", &ChannelRecord::Scan, 0},    {2, "ON", &ChannelRecord::HiCut, 1},
        {3, "ANL", &ChannelRecord::NbAnl, 2},    {4, "ON", &ChannelRecord::Echo, 1},
        {5, "ON", &ChannelRecord::Add10K, 1},    {11, "3", &ChannelRecord::Roger, 3},
        {12, "USB", &ChannelRecord::Mode, 2},    {18, "CTCSS", &ChannelRecord::CtcDcs, 1},
        {17, "CTCSS", &ChannelRecord::TxCtc, 1}, {19, "C_005(79.7Hz)", &ChannelRecord::DecTone, 4},
        {0, "C_038(250.3Hz)", &ChannelRecord::EncTone, 37},
        // The DTMF lists store the slot number, OFF as 0.
        {13, "5", &ChannelRecord::BOT, 5},       {14, "5", &ChannelRecord::EOT, 5},
        {15, "5", &ChannelRecord::Call, 5},      {13, "OFF", &ChannelRecord::BOT, 0},
        {9, "ON", &ChannelRecord::Public, 1},
    };
    for (const auto& c : cases) {
        Choose(w->Combo8[size_t(c.list)], c.choice);
        EXPECT_EQ(r->*c.field, c.stored) << "Combo8(" << c.list << ") " << c.choice;
    }
    // A public channel greys out what it does not use.
    EXPECT_FALSE(w->Combo8[12]->isEnabled());
    EXPECT_FALSE(w->Label5[11]->isEnabled());
    EXPECT_TRUE(w->Combo8[6]->isEnabled());
    EXPECT_TRUE(doc.IsDataModified());
}

TEST_F(ChannelWindow, ToneTypeListsSwapTheToneLists) {
    ChannelRecord* r = Channel(0, 1, 3);
    r->EncTone = 40;  // outside the tones
    r->RxCtc = 7;
    Open();
    Select(3);
    EXPECT_FALSE(w->Combo8[0]->isVisible() || w->Combo8[16]->isVisible());
    Choose(w->Combo8[17], "CTCSS");
    EXPECT_TRUE(w->Combo8[0]->isVisible());
    EXPECT_EQ(w->Combo8[0]->currentText(), "C_001(67.0Hz)");
    Choose(w->Combo8[17], "DCS");
    EXPECT_TRUE(!w->Combo8[0]->isVisible() && w->Combo8[16]->isVisible());
    EXPECT_EQ(w->Combo8[16]->currentText(), "D_008(047N)");
    EXPECT_EQ(std::make_tuple(r->TxCtc, r->EncTone, r->RxCtc), std::make_tuple(2, 40, 7));
    Choose(w->Combo8[18], "DCS");
    EXPECT_TRUE(w->Combo8[20]->isVisible() && !w->Combo8[19]->isVisible());
    Choose(w->Combo8[20], "D_104(754N)");
    EXPECT_EQ(r->DecDcs, 103);
}

TEST_F(ChannelWindow, GroupSettings) {
    Open();
    Choose(w->Combo1[0], "3");
    Choose(w->Combo1[3], "LSB");
    Choose(w->Combo3, "D");
    auto& o = doc.DataRec.OptFeat;
    EXPECT_EQ(o.EmgCh(0, 1, 0), 3);
    EXPECT_EQ(o.EmgMode(0, 1, 1), 3);
    EXPECT_EQ(o.WorkGroup[0], 4);

    // The last valid group of a band snaps back to valid.
    for (int g = 2; g <= 15; ++g) o.GroupValid(0, g) = 0;
    Choose(w->Combo1[6], "OFF");
    EXPECT_EQ(w->Combo1[6]->currentText(), "ON");
    EXPECT_EQ(o.GroupValid(0, 1), 1);

    // A group made valid without a plain channel gets its default channel 1.
    Choose(w->Combo6, "H");
    ChannelRecord* one = Channel(0, 8, 1);
    ASSERT_TRUE(one);
    const QString keep = one->RxFreq.raw();
    Type(1, "");  // deletes channel 1 of H: group A still has plain channels
    EXPECT_EQ(o.GroupValid(0, 8), 0);
    Choose(w->Combo1[6], "ON");
    EXPECT_EQ(o.GroupValid(0, 8), 1);
    ASSERT_TRUE(Channel(0, 8, 1));
    EXPECT_EQ(Channel(0, 8, 1)->RxFreq.raw(), keep);
    EXPECT_EQ(Cell(1), "28.14500");
}

TEST_F(ChannelWindow, BandSwitchKeepsEachBandsGroupAndRowAndHamIsReadOnly) {
    d.CurRow(0, 3) = 7;
    Open();
    Choose(w->Combo6, "C");
    EXPECT_EQ(d.CurGroup[0], 3);
    EXPECT_EQ(w->Combo6->count(), 14);  // A..L, MEM, VFO: no second range reported
    Choose(w->Combo2, "HAM -- 28.0000 - 29.7000 MHz");
    EXPECT_EQ(d.CurBand, 1);
    EXPECT_EQ(doc.BandText, "28.0000 - 29.6950 MHz");
    EXPECT_DOUBLE_EQ(doc.Limits.BandMax, 29.695);
    EXPECT_EQ(h.main->windowTitle(), "ZR50[28.0000 - 29.6950 MHz][File Name:new.dat]");
    EXPECT_EQ(w->Frame3->title(), "HAM -- 28.0000 - 29.7000 MHz");
    EXPECT_EQ(w->Combo6->currentText(), "A");
    Choose(w->Combo6, "B");
    Choose(w->Combo2, "HF -- 24.7150 - 30.1050 MHz");
    EXPECT_EQ(w->Combo6->currentText(), "C");
    EXPECT_EQ(d.CurRow(0, 3), 7);
    EXPECT_EQ(w->GridRow(), 7);
    Choose(w->Combo2, "HAM -- 28.0000 - 29.7000 MHz");
    EXPECT_EQ(w->Combo6->currentText(), "B");

    // The HAM band is read-only.
    Select(1);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_FALSE(w->Text1->isVisible());
    DoubleClick(1);
    EXPECT_FALSE(w->Text1->isVisible());
    EXPECT_EQ(w->GridRow(), 1);
}

TEST_F(ChannelWindow, EditorTakesOnlyTypedDigits) {
    Open();
    DoubleClick(1);
    ASSERT_TRUE(w->Text1->isVisible());
    EXPECT_EQ(w->Text1->selectedText(), "28.01500");
    QApplication::clipboard()->setText("29.9");
    QTest::keyClick(w->Text1, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(w->Text1, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(w->Text1->text(), "28.01500");
    QTest::mouseClick(w->Text1, Qt::MiddleButton);
    EXPECT_EQ(w->Text1->text(), "28.01500");
    // The right button opens no edit menu.
    const QPoint at = w->Text1->rect().center();
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, w->Text1->mapToGlobal(at));
    QApplication::sendEvent(w->Text1, &menu);
    EXPECT_FALSE(QApplication::activePopupWidget());
    QKeyEvent accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("é"));
    QApplication::sendEvent(w->Text1, &accented);
    QTest::keyClicks(w->Text1, "28");
    EXPECT_EQ(w->Text1->text(), "28");
}

TEST_F(ChannelWindow, AnOpenEditIsStoredWhenTheFocusMoves) {
    Open();
    auto startEdit = [&](int row, const char* text) {
        Select(row);
        QTest::keyClick(grid, Qt::Key_Return);
        QTest::keyClicks(w->Text1, text);
    };
    startEdit(8, "28.7");
    Choose(w->Combo6, "B");  // the edit belongs to group A
    EXPECT_TRUE(Channel(0, 1, 8));
    EXPECT_FALSE(Channel(0, 2, 8));

    Choose(w->Combo6, "A");
    startEdit(9, "29.5");
    QMdiSubWindow* other = h.area->addSubWindow(new QLineEdit);
    other->show();
    h.area->setActiveSubWindow(other);
    EXPECT_TRUE(Channel(0, 1, 9));
    EXPECT_FALSE(w->Text1->isVisible());

    h.area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(w->parentWidget()));
    startEdit(10, "29.6");
    w->CommandClose->click();
    EXPECT_FALSE(h.forms.IsLoaded("frmCommChInfo"));
    ASSERT_TRUE(Channel(0, 1, 10));
    EXPECT_EQ(Channel(0, 1, 10)->RxFreq.raw(), "2960000 ");
}

TEST_F(ChannelWindow, ScrollingFinishesTheEditAndAWarnedCloseStillCloses) {
    Open();
    Select(4);
    QTest::keyClick(grid, Qt::Key_Return);
    QTest::keyClicks(w->Text1, "27.4");
    // The wheel scrolls the grid away under the editor.
    const QPoint at = grid->viewport()->rect().center();
    QWheelEvent wheel(at, grid->viewport()->mapToGlobal(at), {}, QPoint(0, -360), Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid->viewport(), &wheel);
    EXPECT_GT(grid->verticalScrollBar()->value(), 0);
    EXPECT_FALSE(w->Text1->isVisible());
    ASSERT_TRUE(Channel(0, 1, 4));
    EXPECT_EQ(Channel(0, 1, 4)->RxFreq.raw(), "2740000 ");

    // The warning box takes the release of the Close button the user pressed.
    grid->scrollToTop();
    Select(6);
    QTest::keyClick(grid, Qt::Key_Return);
    QTest::keyClicks(w->Text1, "99");
    QTest::mousePress(w->CommandClose, Qt::LeftButton);
    EXPECT_EQ(h.prompter.Texts(), QStringList({"Frequency is out of range."}));
    EXPECT_TRUE(RunUntil([&] { return !h.forms.IsLoaded("frmCommChInfo"); }));
    EXPECT_FALSE(Channel(0, 1, 6));
}

TEST_F(ChannelWindow, GridIsAsWideAsTheColumnsItShows) {
    Open();
    for (const char* group : {"A", "MEM", "VFO"}) {
        SCOPED_TRACE(group);
        Choose(w->Combo6, group);
        QApplication::processEvents();
        EXPECT_EQ(grid->viewport()->width(), grid->columnWidth(0) + grid->columnWidth(1));
    }
}

TEST_F(ChannelWindow, LanguageSwitchRecaptionsLabelsAndLists) {
    doc.DataRec.OptFeat.DTMFCode[2].set("9");
    Open();
    p.settings.CurLanguage = kChinese;
    h.forms.Call("frmCommChInfo", "ReShowChInfoByLanguage");
    EXPECT_EQ(w->windowTitle(), "信道信息");
    EXPECT_EQ(w->Label2[6]->text(), "组有效");
    EXPECT_EQ(w->Label5[10]->text(), "扫描");
    EXPECT_EQ(w->Label5[12]->text(), "Mode");
    EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), "频率");
    EXPECT_EQ(w->CommandClose->text(), "关闭(&C)");
    EXPECT_EQ(ItemsOf(w->Combo1[6]), (QStringList{"关", "开"}));
    EXPECT_EQ(ItemsOf(w->Combo8[10]), (QStringList{"删除", "添加"}));
    EXPECT_EQ(ItemsOf(w->Combo8[15]), (QStringList{"关", "2"}));
    EXPECT_EQ(w->Combo8[6]->currentText(), "关");
    // Every label stays clear of its list.
    for (size_t i = 0; i < w->Label5.size(); ++i)
        EXPECT_LT(w->Label5[i]->geometry().right(), w->Combo8[i]->x()) << i;
}

TEST_F(ChannelWindow, OtherLogicRefreshesTheWindowByName) {
    Open();
    Select(2);
    // An edit committed elsewhere redraws its row.
    QString value = "28.9";
    CommitChannelEdit(p, 7, 1, value);
    EXPECT_EQ(Cell(7), "28.90000");
    value.clear();
    CommitChannelEdit(p, 2, 1, value);
    EXPECT_EQ(Cell(2), "");
    // The emergency lists follow the deleted channel.
    EXPECT_FALSE(ItemsOf(w->Combo1[0]).contains("2"));

    // A tone record no longer usable leaves the roger list.
    Select(3);
    Choose(w->Combo8[11], "2");
    doc.DataRec.RBToneTable[2].Cycles = 0;
    RevalidateToneUsers(p);
    EXPECT_EQ(ItemsOf(w->Combo8[11]), (QStringList{"OFF", "1", "3", "4", "5"}));
    EXPECT_EQ(w->Combo8[11]->currentText(), "OFF");
    EXPECT_EQ(Channel(0, 1, 3)->Roger, 0);

    doc.DataRec.OptFeat.DTMFCode[4].set("*1");
    h.forms.Call("frmCommChInfo", "ShowDTMF");
    EXPECT_EQ(ItemsOf(w->Combo8[14]), (QStringList{"OFF", "4"}));

    // FM disabled: the mode list offers only enabled modes and keeps one shown.
    doc.DataRec.OptFeat.ModeEnable[kEnableFM] = 0;
    RevalidateChannelModes(p);
    EXPECT_EQ(ItemsOf(w->Combo8[12]), (QStringList{"AM", "USB", "LSB", "PA"}));
    EXPECT_EQ(w->Combo8[12]->currentText(), "AM");
    EXPECT_EQ(Channel(0, 1, 3)->Mode, 1);
}

// ----------------------------------------------------------------------------
// Tone lists, tone codes and channel names of the channel window.

TEST(ToneCodes, CodeAndDisplayTextConvertBothWays) {
    const QString off = "Off";
    const QStringList shown = ToneShowList(off);  // off, the 38 tones, the 104 codes
    EXPECT_EQ(QStringList({shown[0], shown[1], shown[39], shown.last()}) << QString::number(shown.size()),
              QStringList({"Off", "67.0", "D023N", "D754N", "143"}));
    const std::pair<QString, const char*> codes[] = {
        {"8754", "D754N"}, {"8023", "D023N"}, {"0670", "67.0"}, {"1000", "100.0"}, {QString("0670") + QChar(0), "67.0"},
        {"067", "Off"},    {"0", "Off"},      {"", "Off"},      {"abcd", "Off"},    {"8x12", "Off"}, {"86700", "Off"}};
    for (const auto& [code, show] : codes) EXPECT_EQ(ToneShowOfCode(code, off), show) << code.toStdString();
    const std::pair<const char*, const char*> shows[] = {{"250.3", "2503"}, {"67.0", "0670"}, {"D023N", "8023"},
                                                         {"Off", "0"},      {"Dxyz", "0"},    {"C_001", "0"},
                                                         {"", "0"},         {"99999", "0"}};
    for (const auto& [show, code] : shows) EXPECT_EQ(ToneCodeOfShow(show, off), code) << show;
}

TEST(ToneCodes, ChannelNames) {
    EXPECT_EQ(ChannelNameOf(40) + ChannelNameOf(41), "40M1");
    const std::pair<const char*, int> names[] = {{"M6", 46}, {"7", 7}, {"", 0}, {"M", 0}, {"Mx", 0}, {"M32767", 0}};
    for (const auto& [name, id] : names) EXPECT_EQ(ChannelIdOfName(name), id) << name;
}
