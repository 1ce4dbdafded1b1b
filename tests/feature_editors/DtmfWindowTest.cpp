// The DTMF window driven as a user drives it, checked against the document
// and the windows that list the codes.

#include "DtmfTestSupport.h"
#include "files/NewDocument.h"
#include "frmCommChInfo.h"
#include "rules/SharedHelpers.h"
#include "support/widgets/WindowHarness.h"
#include "windows/ComboBoxes.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;

namespace {

// The optional-features window as far as the DTMF window sees it.
class OptFeaturesStandIn : public QWidget {
    Q_OBJECT
public:
    int refreshes = 0;
public slots:
    void ShowDTMF() { ++refreshes; }
};

struct DtmfWindow : WindowTest {
    OptFeatRec& o = doc.DataRec.OptFeat;
    FrmDTMF* w = nullptr;
    FlexGrid* grid = nullptr;

    void SetUp() override {
        InitNewData(p);
        doc.CopyDataToSaved();
        h.forms.Register("FrmDTMF", DtmfWindowFactory(p));
        h.forms.Register("frmCommChInfo", ChannelWindowFactory(p));
        h.forms.Register("FrmOptFeatures", [] { return new OptFeaturesStandIn; });
        h.main->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(h.main.get()));
    }
    void Open() {
        h.forms.Show("FrmDTMF");
        w = h.Window<FrmDTMF>("FrmDTMF");
        ASSERT_TRUE(w);
        grid = w->MSFlexGrid1;
        w->SSTab1->setCurrentIndex(2);
    }
    OptFeaturesStandIn* Opt() { return h.Window<OptFeaturesStandIn>("FrmOptFeatures"); }
    QString Slot(int k) const { return o.DTMFCode[size_t(k)].raw(); }
    static QString Stored(const QString& code) {
        return code.size() >= 16 ? code.left(16) : (code + QChar(0)).leftJustified(16, QLatin1Char(' '));
    }
    // A click on the code cell of the row, which opens the editor there.
    void ClickRow(int row) { ClickCode(w, row); }
    void Clear() {
        w->Text3->selectAll();
        QTest::keyClick(w->Text3, Qt::Key_Backspace);
    }
    static void Choose(QComboBox* list, int i) {
        list->setCurrentIndex(i);
        emit list->activated(i);
    }
    // Channel 7 in a first group, in group O, in the MEM group and in the HAM
    // band's group L, each pointing at code 3 (BOT, EOT and call).
    const std::pair<int, int> places[4] = {{0, 1}, {0, 15}, {0, 16}, {1, 12}};
    void ChannelsUsingCode3() {
        for (auto [band, group] : places) {
            SetChannels(doc, band, group, {band == 0 && group == 16 ? 47 : 7});
            ChannelRecord& r = doc.ChData(band, 1, group);
            r.BOT = r.EOT = r.Call = 3;
        }
        o.PubBOT = o.PubCall = 3;
        o.DTMFCode[3].set(QStringLiteral("123"));
        doc.CopyDataToSaved();
    }
    int UsersOfCode3() const {
        int users = int(o.PubBOT == 3) + int(o.PubCall == 3);
        for (auto [band, group] : places) {
            const ChannelRecord& r = doc.ChData(band, 1, group);
            users += int(r.BOT == 3) + int(r.EOT == 3) + int(r.Call == 3);
        }
        return users;
    }
};

TEST_F(DtmfWindow, StoredValuesShownUntouchedAndChoicesStored) {
    o.DTMFSendTime = 3;         // 30 ms
    o.DTMFFirstDigitTime = 12;  // 1200 ms: no entry
    o.DTMFFirstDigitDelay = 0;  // no "0" in its list
    o.DTMFStarHashTime = 5;
    o.DTMFDCode = 16;
    o.DTMFDisp = 4;             // neither 0 nor 1
    o.DTMFCode[16].set(QStringLiteral("0123456789ABCD*#"));
    doc.CopyDataToSaved();
    Open();
    QStringList shown;
    for (QComboBox* c : w->Combo1) shown << c->currentText();
    EXPECT_EQ(shown, QStringList({"30", "0", "100", "500", "16s"}));
    EXPECT_FALSE(w->Check1->isChecked());
    EXPECT_EQ(grid->TextMatrix(16, 1), "0123456789ABCD*#");
    EXPECT_FALSE(w->Text3->isVisible() || w->SSTab1->isTabEnabled(1));

    // Closed untouched: the values without an entry stay.
    w->CommandClose->click();
    EXPECT_FALSE(doc.IsDataModified());

    // A user's choice stores the entry's value, or its position.
    Open();
    const std::tuple<int, int, int16_t OptFeatRec::*, int> choices[] = {
        {0, 49, &OptFeatRec::DTMFSendTime, 50},       {1, 10, &OptFeatRec::DTMFFirstDigitTime, 10},
        {2, 0, &OptFeatRec::DTMFFirstDigitDelay, 1},  {3, 3, &OptFeatRec::DTMFStarHashTime, 10},
        {4, 16, &OptFeatRec::DTMFDCode, 16},          {4, 0, &OptFeatRec::DTMFDCode, 0}};
    for (auto [list, entry, field, stored] : choices) {
        Choose(w->Combo1[size_t(list)], entry);
        EXPECT_EQ(o.*field, stored) << list << ":" << entry;
    }
    w->Check1->click();
    EXPECT_EQ(o.DTMFDisp, 1);
    EXPECT_TRUE(doc.IsDataModified());
}

TEST_F(DtmfWindow, CaptionsInBothLanguagesWithLabelsAgainstTheirFields) {
    for (int language : {kEnglish, kChinese}) {
        p.settings.CurLanguage = language;
        Open();
        const QStringList texts{w->windowTitle(), w->SSTab1->tabText(2), grid->TextMatrix(0, 0),
                                w->Label1[3]->text(), w->Combo1[4]->itemText(0), w->Combo1[4]->itemText(16),
                                w->Combo2[3]->itemText(2), w->Combo2[0]->itemText(0), w->CommandClose->text()};
        EXPECT_EQ(texts.join('|'), language == kChinese
                                       ? QString::fromUtf8("DTMF(双音多频)|自动拨号存储器|编号|*和#音[毫秒]|D 码|16秒|ID 码|关|关闭(&C)")
                                       : "DTMF|Autodial Memory|No.|* and # Tone[ms]|D Code|16s|ID Code|Off|&Close");
        const std::pair<QLabel*, QWidget*> pairs[] = {
            {w->Label1[4], w->Combo1[4]}, {w->Label2[0], w->Text1}, {w->Label3[1], w->Combo3}};
        for (auto [label, field] : pairs) {
            EXPECT_EQ(label->geometry().right() + 1, field->x()) << label->objectName().toStdString();
            EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
        }
        h.forms.UnloadChildren();
    }
}

TEST_F(DtmfWindow, TypedAndPastedTextKeepsOnlyCodeCharacters) {
    Open();
    // The first click on row 1, the current cell at load, opens the editor.
    ClickRow(1);
    QTest::keyClicks(w->Text3, "12a*#E(9d");
    QTest::keyClick(w->Text3, Qt::Key_Backspace);
    QKeyEvent above127(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("é"));
    QApplication::sendEvent(w->Text3, &above127);
    EXPECT_EQ(grid->TextMatrix(1, 1), "12A*#9");
    EXPECT_EQ(Slot(1), Stored("12A*#9"));

    // Ctrl+V is swallowed; Shift+Insert and the menu's paste are filtered.
    QApplication::clipboard()->setText("7-8 x9\tb");
    QTest::keyClick(w->Text3, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w->Text3->text(), "12A*#9");
    QTest::keyClick(w->Text3, Qt::Key_Insert, Qt::ShiftModifier);
    w->Text3->paste();  // what the context menu's entry runs
    EXPECT_EQ(Slot(1), Stored("12A*#9789B789B"));
    // Only what fits: of "1-2-3-4", two of the digits; then a full code refuses keys.
    QApplication::clipboard()->setText("1-2-3-4");
    w->Text3->setCursorPosition(3);
    w->Text3->paste();
    EXPECT_EQ(w->Text3->cursorPosition(), 5);
    QTest::keyClicks(w->Text3, "5");
    EXPECT_EQ(Slot(1), "12A12*#9789B789B");  // 16 characters, no NUL

    // Enter ends the edit and hands the focus to the grid; arrow down opens the next code.
    QTest::keyClick(w->Text3, Qt::Key_Return);
    EXPECT_TRUE(grid->hasFocus());
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(w->EditRow(), 2);
    EXPECT_TRUE(w->Text3->hasFocus());
    EXPECT_EQ(w->Text3->text(), "");
}

TEST_F(DtmfWindow, ReferencesGoOnlyWhenACodeStaysEmpty) {
    ChannelsUsingCode3();
    h.forms.Show("frmCommChInfo");
    h.forms.Show("FrmOptFeatures");
    auto* channels = h.Window<frmCommChInfo>("frmCommChInfo");
    ASSERT_TRUE(channels && Opt());
    Open();

    // Cleared and typed again: every reference stays, and the other windows
    // are told when the edit ends, not at every key.
    ClickRow(3);
    const int refreshes = Opt()->refreshes;
    Clear();
    QTest::keyClicks(w->Text3, "456");
    EXPECT_EQ(Opt()->refreshes, refreshes);
    QTest::keyClick(w->Text3, Qt::Key_Return);
    EXPECT_EQ(Slot(3), Stored("456"));
    EXPECT_EQ(UsersOfCode3(), 14);
    EXPECT_GT(Opt()->refreshes, refreshes);

    // Cleared and left for another cell: the references go in every group.
    ClickRow(3);
    Clear();
    EXPECT_EQ(UsersOfCode3(), 14);
    ClickRow(5);
    EXPECT_EQ(UsersOfCode3(), 0);
    EXPECT_EQ(ItemsOf(channels->Combo8[13]), QStringList{"OFF"});

    // Asked by name, as the save and write roads do, and when the window closes.
    o.PubEOT = 4;
    o.DTMFCode[4].set(QStringLiteral("99"));
    ClickRow(4);
    Clear();
    h.forms.Call("FrmDTMF", "ValidateControls");
    EXPECT_EQ(o.PubEOT, 0);
    ClickRow(6);
    QTest::keyClicks(w->Text3, "8");
    o.PubEOT = 6;
    Clear();
    h.forms.UnloadChildren();
    EXPECT_EQ(o.PubEOT, 0);
    Open();
    EXPECT_EQ(grid->TextMatrix(3, 1) + "|" + grid->TextMatrix(4, 1), "|");
}

}  // namespace

#include "DtmfWindowTest.moc"
