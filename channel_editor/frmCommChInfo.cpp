#include "frmCommChInfo.h"

#include "FlexGrid.h"
#include "Program.h"
#include "ToneCodes.h"
#include "files/DocumentFiles.h"
#include "platform/gui/NoRightClick.h"
#include "platform/gui/TiledBackground.h"
#include "rules/ChannelEdit.h"
#include "rules/ChannelRefs.h"
#include "rules/Defaults.h"
#include "rules/DtmfRefs.h"
#include "rules/FrequencyRules.h"
#include "rules/GroupBounds.h"
#include "rules/ModeRules.h"
#include "rules/Numbers.h"
#include "rules/SharedHelpers.h"
#include "rules/ToneRefs.h"
#include "windows/ButtonCaptions.h"
#include "windows/ComboBoxes.h"
#include "windows/TypedKeys.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace zr50 {

namespace {
const char* const kMoreInfo = "More Information -- CH ";
const char* const kMem = "MEM";
constexpr int kGridCols = 2;
constexpr int kShownRows = 16;  // channel rows the grid shows at once

// The detail panel, top to bottom: the lists sharing each row, and its label.
struct PanelRow {
    int list, otherList, label;
};
const PanelRow kPanelRows[] = {{6, -1, 6},   {7, -1, 7},   {18, -1, 16}, {19, 20, 18}, {17, -1, 17},
                               {0, 16, 0},   {10, -1, 10}, {9, 1, 9},    {13, 8, 13},  {14, -1, 14},
                               {15, -1, 15}, {2, -1, 2},   {3, -1, 3},   {4, -1, 4},   {5, -1, 5},
                               {11, -1, 11}, {12, -1, 12}};
// The lists (and labels) a public channel greys out.
const int kNotForPublic[] = {2, 3, 4, 5, 11, 12, 13, 14, 15};
// The lists that show a channel field by list position, and those that show
// a number (tone record, DTMF slot) as an entry's text.
using Field = int16_t ChannelRecord::*;
const std::pair<int, Field> kByPosition[] = {
    {0, &ChannelRecord::EncTone},  {2, &ChannelRecord::HiCut},  {3, &ChannelRecord::NbAnl},
    {4, &ChannelRecord::Echo},     {5, &ChannelRecord::Add10K}, {6, &ChannelRecord::Busy},
    {7, &ChannelRecord::Rep},      {9, &ChannelRecord::Public}, {10, &ChannelRecord::Scan},
    {16, &ChannelRecord::RxCtc},   {17, &ChannelRecord::TxCtc}, {18, &ChannelRecord::CtcDcs},
    {19, &ChannelRecord::DecTone}, {20, &ChannelRecord::DecDcs}};
const std::pair<int, Field> kByNumber[] = {{11, &ChannelRecord::Roger},
                                           {13, &ChannelRecord::BOT},
                                           {14, &ChannelRecord::EOT},
                                           {15, &ChannelRecord::Call}};
const int kMode = 12;
// Group settings in Frame1, top to bottom; 4 and 5 are never shown.
const int kGroupRows[] = {0, 1, 2, 3, 6, 4, 5};

// Writes the entries one by one, as a list whose items are replaced in place;
// the selection stays where it was.
void WriteItems(QComboBox* combo, const QStringList& items) {
    for (int i = 0; i < items.size(); ++i) {
        if (i < combo->count())
            combo->setItemText(i, items[i]);
        else
            combo->addItem(items[i]);
    }
}

void SelectText(QComboBox* combo, const QString& text) {
    combo->setCurrentIndex(combo->findText(text));
}

// Own visibility flag, whether or not the parent is shown.
bool IsShown(const QWidget* w) { return !w->isHidden(); }
}  // namespace

MdiForms::Factory ChannelWindowFactory(Program& p) {
    return [&p] { return new frmCommChInfo(p); };
}

frmCommChInfo::frmCommChInfo(Program& p, QWidget* parent) : QWidget(parent), p_(p) {
    setObjectName(QStringLiteral("frmCommChInfo"));
    BuildControls();
    Form_Load();
}

int frmCommChInfo::Tw(double twips) const { return TwipsToPixels(twips, logicalDpiX()); }

QString frmCommChInfo::Off() const { return p_.T(p_.texts.Print.Switch[1]); }

void frmCommChInfo::BuildControls() {
    auto named = [](QWidget* w, const QString& name) {
        w->setObjectName(name);
        return w;
    };
    auto combo = [&](QWidget* parent, const QString& name) {
        auto* c = new QComboBox(parent);
        named(c, name);
        c->installEventFilter(this);
        return c;
    };
    auto label = [&](QWidget* parent, const QString& name) {
        auto* l = new QLabel(parent);
        named(l, name);
        return l;
    };

    Frame3 = new QGroupBox(this);
    named(Frame3, QStringLiteral("Frame3"));
    Combo4 = combo(Frame3, QStringLiteral("Combo4"));
    Combo4->hide();
    Combo2 = combo(Frame3, QStringLiteral("Combo2"));
    Combo2->addItems({QStringLiteral("HF -- 24.7150 - 30.1050 MHz"),
                      QStringLiteral("HAM -- 28.0000 - 29.7000 MHz")});
    Combo2->setCurrentIndex(-1);
    Label3 = label(Frame3, QStringLiteral("Label3"));
    Combo6 = combo(Frame3, QStringLiteral("Combo6"));
    Label1 = label(Frame3, QStringLiteral("Label1"));
    Combo3 = combo(Frame3, QStringLiteral("Combo3"));
    Label6 = label(Frame3, QStringLiteral("Label6"));

    MSFlexGrid1 = new FlexGrid(kGridCols, Frame3);
    named(MSFlexGrid1, QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->installEventFilter(this);

    Frame1 = new QGroupBox(Frame3);
    named(Frame1, QStringLiteral("Frame1"));
    for (int i = 0; i < int(Combo1.size()); ++i) {
        Combo1[size_t(i)] = combo(Frame1, QStringLiteral("Combo1(%1)").arg(i));
        Label2[size_t(i)] = label(Frame1, QStringLiteral("Label2(%1)").arg(i));
    }
    for (const char* mode : {"FM", "AM", "USB", "LSB"}) {
        Combo1[2]->addItem(QLatin1String(mode));
        Combo1[3]->addItem(QLatin1String(mode));
    }
    Check1 = new QCheckBox(Frame1);
    named(Check1, QStringLiteral("Check1"));
    Text2 = new QLineEdit(Frame1);
    named(Text2, QStringLiteral("Text2"));
    Text2->installEventFilter(this);
    Label4 = label(Frame1, QStringLiteral("Label4"));
    for (QWidget* w : {static_cast<QWidget*>(Check1), static_cast<QWidget*>(Text2),
                       static_cast<QWidget*>(Label4), static_cast<QWidget*>(Combo1[5]),
                       static_cast<QWidget*>(Label2[4]), static_cast<QWidget*>(Label2[5])})
        w->hide();

    Frame2 = new QGroupBox(Frame3);
    named(Frame2, QStringLiteral("Frame2"));
    for (int i = 0; i < int(Combo8.size()); ++i)
        Combo8[size_t(i)] = combo(Frame2, QStringLiteral("Combo8(%1)").arg(i));
    for (int i = 0; i < int(Label5.size()); ++i)
        Label5[size_t(i)] = label(Frame2, QStringLiteral("Label5(%1)").arg(i));
    // Captions that stay the same in both languages.
    const std::pair<int, const char*> designCaptions[] = {
        {7, "REP"},   {8, "TSQ"},  {9, "Public"}, {11, "Roger"},
        {12, "Mode"}, {13, "BOT"}, {14, "EOT"},   {15, "Call"}};
    for (const auto& [i, caption] : designCaptions)
        Label5[size_t(i)]->setText(QLatin1String(caption));
    // The design lists: tones, codes and tone types are the same in both languages.
    const QStringList types{QStringLiteral("Off"), QStringLiteral("CTCSS"), QStringLiteral("DCS")};
    Combo8[0]->addItems(CtcssList());
    Combo8[19]->addItems(CtcssList());
    Combo8[16]->addItems(DcsList());
    Combo8[20]->addItems(DcsList());
    Combo8[17]->addItems(types);
    Combo8[18]->addItems(types);
    Combo8[1]->addItems(ToneShowList(QStringLiteral("Off")));
    for (int i : {1, 8}) {
        Combo8[size_t(i)]->hide();
        Label5[size_t(i)]->hide();
    }

    Text1 = new QLineEdit(Frame3);
    named(Text1, QStringLiteral("Text1"));
    Text1->installEventFilter(this);
    // Only typed digits and points reach the editor: no drops, no input methods.
    Text1->setAcceptDrops(false);
    Text1->setAttribute(Qt::WA_InputMethodEnabled, false);
    Text1->setAlignment(Qt::AlignCenter);

    auto button = [&](const QString& name) {
        auto* b = new QPushButton(Frame3);
        named(b, name);
        return b;
    };
    CommandCheckBand = button(QStringLiteral("CommandCheckBand"));
    CommandCHInfoEdit = button(QStringLiteral("CommandCHInfoEdit"));
    CommandHelp = button(QStringLiteral("CommandHelp"));
    CommandClose = button(QStringLiteral("CommandClose"));
    for (QPushButton* b : {CommandCheckBand, CommandCHInfoEdit, CommandHelp}) b->hide();

    // A user's choice in a list runs its handler; a list filled or selected by
    // the window itself does not. The choice first commits an open cell edit,
    // as the focus moving to the list would.
    auto onChoice = [this](QComboBox* c, auto handler) {
        connect(c, &QComboBox::activated, this, [this, handler] {
            ValidateControls();
            handler();
        });
    };
    onChoice(Combo2, [this] { Combo2_Click(); });
    onChoice(Combo6, [this] { Combo6_Click(); });
    onChoice(Combo3, [this] { Combo3_Click(); });
    for (int i = 0; i < int(Combo1.size()); ++i)
        onChoice(Combo1[size_t(i)], [this, i] { Combo1_Click(i); });
    for (int i = 0; i < int(Combo8.size()); ++i)
        onChoice(Combo8[size_t(i)], [this, i] { Combo8_Click(i); });
    connect(Text2, &QLineEdit::textEdited, this, [this] { Text2_Change(); });
    connect(MSFlexGrid1, &FlexGrid::EnterCell, this, [this] { ShowChIfoDataOther(); });
    // The editor lies over its cell: when the grid scrolls, the edit is finished.
    connect(MSFlexGrid1->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { ValidateControls(); });
    connect(MSFlexGrid1, &QTableWidget::cellDoubleClicked, this, [this] {
        if (MSFlexGrid1->Col() >= 1 && MSFlexGrid1->Row() >= 1) {
            setWindowTitle(p_.T(p_.texts.ChInfo.Caption));
            EnterGridEdit();
        }
    });
    connect(CommandClose, &QPushButton::clicked, this, [this] { CommandClose_Click(); });
}

void frmCommChInfo::FitGridWidth() {
    auto* g = MSFlexGrid1;
    int columns = 0;
    for (int c = 0; c < g->Cols(); ++c) columns += g->columnWidth(c);
    g->resize(columns + g->verticalScrollBar()->sizeHint().width() + 2 * g->frameWidth(), g->height());
}

void frmCommChInfo::CommandClose_Click() {
    CloseChildWindow(this);
}

void frmCommChInfo::RightAlign(QLabel* label, const QWidget* control) {
    label->adjustSize();
    label->move(control->x() - label->width() - Tw(100),
                control->y() + (control->height() - label->height()) / 2);
}

void frmCommChInfo::Arrange() {
    const int comboH = std::max(Tw(315), Combo2->sizeHint().height());
    const int title = fontMetrics().height() + Tw(90);
    const int margin = Tw(240);

    const int row1 = title + Tw(60);
    Combo2->setGeometry(Tw(1650), row1, Tw(3900), comboH);
    const int row2 = row1 + comboH + Tw(150);
    Combo6->setGeometry(Tw(900), row2, Tw(1150), comboH);
    Combo4->setGeometry(Combo6->geometry());
    Combo3->setGeometry(Tw(3450), row2, Tw(1150), comboH);

    const int gridTop = row2 + comboH + Tw(180);
    auto* g = MSFlexGrid1;
    const int frame = 2 * g->frameWidth();
    const int gridW = Tw(500) + Tw(1520) + g->verticalScrollBar()->sizeHint().width() + frame;
    const int gridH = g->horizontalHeader()->height() +
                      kShownRows * g->verticalHeader()->defaultSectionSize() + frame;
    // The layout leaves room for the widest columns; the grid fits the ones it shows.
    g->setGeometry(margin, gridTop, gridW, gridH);
    FitGridWidth();

    const int step1 = comboH + Tw(105);
    Frame1->setGeometry(g->geometry().right() + margin, gridTop, Tw(2900),
                        title + 5 * step1 + Tw(60));
    for (int r = 0; r < int(std::size(kGroupRows)); ++r)
        Combo1[size_t(kGroupRows[r])]->setGeometry(Tw(1500), title + r * step1, Tw(1200), comboH);
    Text2->setGeometry(Combo1[4]->geometry());
    Check1->setGeometry(Combo1[5]->geometry());

    const int step2 = comboH + Tw(60);
    Frame2->setGeometry(Frame1->geometry().right() + margin, row1, Tw(3700),
                        title + int(std::size(kPanelRows)) * step2 + Tw(60));
    for (int r = 0; r < int(std::size(kPanelRows)); ++r) {
        const QRect place(Tw(1350), title + r * step2, Tw(2150), comboH);
        Combo8[size_t(kPanelRows[r].list)]->setGeometry(place);
        if (kPanelRows[r].otherList >= 0)
            Combo8[size_t(kPanelRows[r].otherList)]->setGeometry(place);
    }

    const QSize buttonSize(Tw(1215), Tw(375));
    CommandClose->setGeometry(QRect(QPoint(Frame1->geometry().right() - buttonSize.width() + 1,
                                           g->geometry().bottom() - buttonSize.height() + 1),
                                    buttonSize));
    CommandHelp->setGeometry(CommandClose->geometry().translated(-buttonSize.width() - Tw(120), 0));
    CommandCheckBand->setGeometry(
        CommandHelp->geometry().translated(0, -buttonSize.height() - Tw(120)));
    CommandCHInfoEdit->setGeometry(
        CommandClose->geometry().translated(0, -buttonSize.height() - Tw(120)));

    const int width = Frame2->geometry().right() + margin;
    const int height = std::max(g->geometry().bottom(), Frame2->geometry().bottom()) + margin;
    Frame3->setGeometry(Tw(60), Tw(90), width, height);
    setFixedSize(Frame3->geometry().right() + Tw(60), Frame3->geometry().bottom() + Tw(60));

    // Labels sit right-aligned against their controls, 100 twips apart.
    RightAlign(Label3, Combo2);
    RightAlign(Label1, Combo6);
    RightAlign(Label6, Combo3);
    RightAlign(Label4, Text2);
    for (size_t i = 0; i < Label2.size(); ++i) RightAlign(Label2[i], Combo1[i]);
    for (size_t i = 0; i < Label5.size(); ++i) RightAlign(Label5[i], Combo8[i]);
    for (const PanelRow& r : kPanelRows)
        RightAlign(Label5[size_t(r.label)], Combo8[size_t(r.list)]);
}

// ---- load and unload ----

void frmCommChInfo::Form_Load() {
    showDone_ = false;
    // The selected cell stays highlighted while the detail panel has the focus.
    QPalette pal = MSFlexGrid1->palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        pal.setBrush(QPalette::Inactive, role, pal.brush(QPalette::Active, role));
    MSFlexGrid1->setPalette(pal);
    InitShowGrid();
    ChangShowByLanguage();
    const int band = p_.doc.DataRec.CurBand;
    Combo2->setCurrentIndex(band >= 0 && band < kBands ? band : -1);
    Combo2_Click();
    showDone_ = true;
    NoRightClick::Hook(Text1);
}

void frmCommChInfo::closeEvent(QCloseEvent* event) {
    ValidateControls();
    NoRightClick::Unhook(Text1);
    event->accept();
}

void frmCommChInfo::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Another child window taking the focus ends an open edit.
    FinishOnDeactivate(this, [this] { ValidateControls(); });
}

// ---- grid and texts ----

void frmCommChInfo::InitShowGrid() {
    auto* g = MSFlexGrid1;
    g->horizontalHeader()->setFixedHeight(Tw(510));
    g->setColumnWidth(0, Tw(500));
    g->setColumnWidth(1, Tw(1260));
    g->verticalHeader()->setMinimumSectionSize(1);
    g->verticalHeader()->setDefaultSectionSize(std::max(Tw(240), fontMetrics().height() + Tw(60)));
    g->SetRows(41);
    Arrange();
    Frame2->hide();
    Text1->hide();
}

void frmCommChInfo::InitGridRows(int group) {
    const int band = p_.doc.DataRec.CurBand;
    if (band < 0 || band >= kBands) return;
    const bool mem = group == MemGroupOf(band);
    const bool vfo = group == VfoGroupOf(band);
    MSFlexGrid1->SetRows(mem ? 100 : vfo ? 2 : 41);
    MSFlexGrid1->setColumnWidth(1, Tw(mem || vfo ? 1520 : 1260));
    FitGridWidth();
    for (int r = 1; r < MSFlexGrid1->Rows(); ++r) {
        if (mem)
            MSFlexGrid1->SetTextMatrix(r, 0, QLatin1Char('M') + QString::number(r));
        else if (r <= kPlainChannelMax)
            MSFlexGrid1->SetTextMatrix(r, 0, QString::number(r));
    }
}

void frmCommChInfo::ChangShowByLanguage() {
    const auto& c = p_.texts.ChInfo;
    const auto& o = p_.texts.Opt;
    auto T = [this](const LangText& t) { return p_.T(t); };

    CommandCheckBand->setText(T(c.CheckRadioBand));
    Label3->setText(T(c.SelectBand));
    setWindowTitle(T(c.Caption));
    Label1->setText(T(c.Band));
    MSFlexGrid1->SetTextMatrix(0, 0, T(c.HeaderChNo));
    MSFlexGrid1->SetTextMatrix(0, 1, T(c.HeaderFrequency));
    for (int r = 1; r < MSFlexGrid1->Rows(); ++r)
        MSFlexGrid1->SetTextMatrix(r, 0,
                                   r <= kPlainChannelMax
                                       ? QString::number(r)
                                       : QLatin1Char('M') + QString::number(r - kPlainChannelMax));

    Label4->setText(T(o.GroupName));
    Check1->setText(T(o.GroupValid));
    Label2[6]->setText(T(o.GroupValid));
    Label2[0]->setText(T(o.EmgChx) + QLatin1Char('1'));
    Label2[1]->setText(T(o.EmgChx) + QLatin1Char('2'));
    Label2[2]->setText(T(o.EmgMode1));
    Label2[3]->setText(T(o.EmgMode2));
    Label2[4]->setText(T(o.DwAfmState));
    Label2[5]->setText(T(o.MemChx));
    Label5[0]->setText(T(c.CtcDcs));
    Label5[16]->setText(T(c.RxCtc));
    Label5[17]->setText(T(c.TxCtc));
    Label5[18]->setText(T(c.CtcDcs));
    Label5[1]->setText(T(c.QtDqtEnc));
    Label5[2]->setText(T(c.HiCut));
    Label5[3]->setText(T(c.NbAnl));
    Label5[4]->setText(T(c.Echo));
    Label5[5]->setText(T(c.Add10K));
    Label5[6]->setText(T(c.Busy));
    Label5[10]->setText(T(c.Scan));
    Label6->setText(T(o.WorkGroup));

    QStringList mChannels;
    for (int k = 1; k <= 6; ++k) mChannels << QLatin1Char('M') + QString::number(k);
    WriteItems(Combo1[5], mChannels);
    const QString off = Off();
    const QString on = p_.T(p_.texts.Print.Switch[2]);
    WriteItems(Combo1[6], {off, on});

    for (int i : {2, 4, 5, 6, 9}) WriteItems(Combo8[size_t(i)], {off, on});
    WriteItems(Combo8[3],
               {off, QStringLiteral("NB"), QStringLiteral("ANL"), QStringLiteral("NB/ANL")});
    WriteItems(Combo8[7], {off, QStringLiteral("+"), QStringLiteral("-")});
    WriteItems(Combo8[8], {T(c.TsqDisable), T(c.TsqEnable)});
    WriteItems(Combo8[10], {T(c.ScanDel), T(c.ScanAdd)});
    FillCombo(Combo8[11], ToneItems());
    for (int i : {13, 14, 15}) FillCombo(Combo8[size_t(i)], DtmfItems());

    Arrange();
    CommandCHInfoEdit->setText(T(c.ChannelEdit));
    SetCommonButtonCaption(p_, this);
}

void frmCommChInfo::ShowGroupCtrl(int group) {
    const int band = p_.doc.DataRec.CurBand;
    if (band < 0 || band >= kBands) return;
    const bool mem = group == MemGroupOf(band);
    const bool vfo = group == VfoGroupOf(band);
    Label6->setVisible(!vfo);
    Combo3->setVisible(!vfo);
    for (int i = 0; i <= 3; ++i) {
        Label2[size_t(i)]->setVisible(!mem && !vfo);
        Combo1[size_t(i)]->setVisible(!mem && !vfo);
    }
    if (!mem) Label2[4]->hide();
    Combo1[4]->hide();
    Label2[5]->hide();
    Combo1[5]->hide();
    Label2[6]->setVisible(!mem && !vfo);
    Combo1[6]->setVisible(!mem && !vfo);
}

int frmCommChInfo::ShownGroup() const {
    return GroupIndexOf(p_.doc.DataRec.CurBand, Combo6->currentText());
}

int frmCommChInfo::ShownBand() const { return Combo2->currentIndex(); }

int frmCommChInfo::SlotOf(int band, int group, int n) const {
    for (int s = 1; s <= UsedSlots(p_.doc, band, group); ++s)
        if (p_.doc.ChData(band, s, group).ChNo == n) return s;
    return 0;
}

QString frmCommChInfo::ShownFreq(const ChannelRecord& r) {
    // A NUL ends the stored text, so a record never written shows no frequency.
    QString stored = r.RxFreq.raw();
    const int nul = stored.indexOf(QChar(0));
    if (nul >= 0) stored.truncate(nul);
    return FormatFreqText(p_, stored);
}

void frmCommChInfo::SetGridData() {
    const int group = ShownGroup();
    ShowGroupCtrl(group);
    DataHeaderRec& d = p_.doc.DataRec;
    if (group != MemGroupOf(d.CurBand)) {
        SelectText(Combo4, Combo6->currentText());
        const int b = ShownBand();
        const int g = Combo4->currentIndex() + 1;
        if (IsBandGroup(b, g)) {
            Text2->setText(StripNull(d.OptFeat.GroupName(b, g).raw()));
            SelectComboByIndex(Combo1[6], d.OptFeat.GroupValid(b, g));
        }
    }
    ShowValidComboText();
    InitGridRows(group);
    auto* grid = MSFlexGrid1;
    for (int r = 1; r < grid->Rows(); ++r) grid->SetTextMatrix(r, 1, QString());

    const int b = ShownBand();
    if (!IsBandGroup(b, group)) return;
    const int curRow = d.CurRow(b, group);
    bool found = false;
    for (int s = 1; s <= UsedSlots(p_.doc, b, group); ++s) {
        const ChannelRecord& r = p_.doc.ChData(b, s, group);
        const int n = r.ChNo;
        // Only numbers with a row of their own are shown; M channels of a
        // lettered group and records never numbered have none.
        if (n < 1 || n >= grid->Rows()) continue;
        if (n == curRow) {
            ShowChIfoData(r, n * kGridCols + 1);
            grid->SetRow(n);
            gridRow_ = n;
            found = true;
        } else {
            grid->SetTextMatrix(n, 1, ShownFreq(r));
        }
    }
    if (!found) {
        const int row =
            curRow >= kPlainChannelMax || curRow < 1 || curRow >= grid->Rows() ? 1 : curRow;
        grid->SetRow(row);
        gridRow_ = row;
    }
}

void frmCommChInfo::reShowGrid(int n) {
    const int group = ShownGroup();
    const int b = ShownBand();
    if (!IsBandGroup(b, group)) return;
    SelectComboByIndex(Combo1[6], p_.doc.DataRec.OptFeat.GroupValid(b, group));
    InitComboWorkGroup();
    if (n < 1 || n >= MSFlexGrid1->Rows()) return;
    if (const int s = SlotOf(b, group, n)) {
        ShowChIfoData(p_.doc.ChData(b, s, group), n * kGridCols + 1);
        return;
    }
    for (int c = 1; c < MSFlexGrid1->Cols(); ++c) MSFlexGrid1->SetTextMatrix(n, c, QString());
    Text1->clear();
}

void frmCommChInfo::SetEditNoVisable() { Frame2->hide(); }

void frmCommChInfo::ReShowChInfoByLanguage() {
    ChangShowByLanguage();
    SetGridData();
}

// ---- detail panel ----

void frmCommChInfo::ShowChIfoData(const ChannelRecord& r, int cell) {
    MSFlexGrid1->SetTextArray(cell, ShownFreq(r));
    const int row = MSFlexGrid1->Row();
    if (row == r.ChNo || row == r.ChNo - kPlainChannelMax) FillPanel(r);
}

void frmCommChInfo::ShowChIfoDataOther() {
    const int row = MSFlexGrid1->Row();
    if (row < 1) return;
    const int b = ShownBand();
    const int g = ShownGroup();
    const int band = p_.doc.DataRec.CurBand;
    const int s = band >= 0 && band < kBands && IsBandGroup(b, g) ? SlotOf(b, g, row) : 0;
    if (s)
        FillPanel(p_.doc.ChData(b, s, g));
    else
        Frame2->hide();
}

void frmCommChInfo::FillPanel(ChannelRecord r) {
    Frame2->setTitle(QLatin1String(kMoreInfo) + GetCHName(r.ChNo));
    Frame2->show();
    showDone_ = false;
    for (const auto& [list, field] : kByPosition)
        SelectComboByIndex(Combo8[size_t(list)], r.*field);
    ShowToneList(17);
    ShowToneList(18);
    // A number not in its list shows the list's first entry, "OFF".
    for (const auto& [list, field] : kByNumber)
        SelectComboByText(Combo8[size_t(list)], QString::number(r.*field));
    FillCombo(Combo8[kMode], FillModeCombo(p_.doc, Combo6->currentText() == QLatin1String(kMem)));
    SelectComboByText(Combo8[kMode], ModeIndexToName(r.Mode));
    SetMoreInfoEnable(Combo8[9]->currentIndex());
    showDone_ = true;
}

void frmCommChInfo::ShowToneList(int typeList) {
    const int kind = Combo8[size_t(typeList)]->currentIndex();
    const bool encode = typeList == 17;
    Combo8[encode ? 0 : 19]->setVisible(kind == 1);
    Combo8[encode ? 16 : 20]->setVisible(kind == 2);
}

void frmCommChInfo::SetMoreInfoEnable(int v) {
    for (int i : kNotForPublic) {
        Label5[size_t(i)]->setEnabled(v <= 0);
        Combo8[size_t(i)]->setEnabled(v <= 0);
    }
    Label5[6]->setEnabled(true);
    Combo8[6]->setEnabled(true);
}

QStringList frmCommChInfo::ToneItems() const {
    QStringList items{Off()};
    for (int k = 1; k <= kToneRecords; ++k)
        if (ValidToneIndex(p_.doc, k) > 0) items << QString::number(k);
    return items;
}

QStringList frmCommChInfo::DtmfItems() const {
    QStringList items{Off()};
    for (int k = 1; k <= kDtmfCodes; ++k)
        if (IsDTMFCodeSet(p_.doc, k)) items << QString::number(k);
    return items;
}

void frmCommChInfo::Refill(QComboBox* list, const QStringList& items) {
    const QString keep = list->currentText();
    FillCombo(list, items);
    if (IsShown(list)) SelectComboByText(list, keep);
}

void frmCommChInfo::ShowRB() { Refill(Combo8[11], ToneItems()); }

void frmCommChInfo::ShowDTMF() {
    for (int i : {13, 14, 15}) Refill(Combo8[size_t(i)], DtmfItems());
}

void frmCommChInfo::RevalidateModeList() {
    QComboBox* list = Combo8[12];
    if (!IsShown(Frame2) || !IsShown(list)) return;
    const int m = ValidModeIndex(p_.doc, ModeNameToIndex(list->currentText()));
    FillCombo(list, FillModeCombo(p_.doc, Combo6->currentText() == QLatin1String(kMem)));
    SelectComboByText(list, ModeIndexToName(m));
}

void frmCommChInfo::InitValidComboList() {
    const int b = ShownBand();
    const int g = ShownGroup();
    if (!IsBandGroup(b, g) || g == MemGroupOf(b)) return;
    FillCombo(Combo1[0], FillChannelCombo(p_.doc, b, g, 0));
    FillCombo(Combo1[1], FillChannelCombo(p_.doc, b, g, 0));
}

void frmCommChInfo::ShowValidComboText() {
    const int b = ShownBand();
    const int g = ShownGroup();
    if (!IsBandGroup(b, g)) return;
    const OptFeatRec& o = p_.doc.DataRec.OptFeat;
    SelectComboByIndex(Combo1[2], o.EmgMode(b, g, 0));
    SelectComboByIndex(Combo1[3], o.EmgMode(b, g, 1));
    if (g != MemGroupOf(b)) {
        SelectComboByText(Combo1[0], GetCHName(o.EmgCh(b, g, 0)));
        SelectComboByText(Combo1[1], GetCHName(o.EmgCh(b, g, 1)));
    }
}

QString frmCommChInfo::GetCTCSS_DCSByShow(QString shown) {
    return ToneCodeOfShow(shown, p_.T(p_.texts.Opt.Off));
}

QString frmCommChInfo::ShowCTCSS_DCS(QString code) {
    return ToneShowOfCode(code, p_.T(p_.texts.Opt.Off));
}

int frmCommChInfo::GetCHID(QString name) { return ChannelIdOfName(name); }

QString frmCommChInfo::GetCHName(int n) { return ChannelNameOf(n); }

// ---- band, group and option lists ----

void frmCommChInfo::InitComboGroup(int band) {
    QStringList all, shown;
    if (band == 0 || band == 1) {
        for (int g = 1; g <= GroupCount(band); ++g) all << GroupNameOf(band, g);
        shown = all;
        // Groups M, N and O exist only on a radio that reported the second range.
        if (band == 0 && !p_.doc.RadioExtBand)
            for (int g = 13; g <= 15; ++g) shown.removeOne(GroupNameOf(band, g));
    }
    FillCombo(Combo4, all);
    FillCombo(Combo6, shown);
}

void frmCommChInfo::Combo2_Click() {
    Document& doc = p_.doc;
    DataHeaderRec& d = doc.DataRec;
    const int chosen = Combo2->currentIndex();
    if (chosen >= 0 && chosen != d.CurBand && showDone_) {
        d.CurBand = int16_t(chosen);
        doc.SetBandText(BandTextOf(chosen));
        if (QWidget* main = window(); main != this) main->setWindowTitle(DocumentCaption(p_));
    }
    Frame3->setTitle(Combo2->currentText());
    InitComboGroup(chosen);
    // The work-group list follows the band's groups; otherwise it would stay
    // empty until a channel is edited.
    InitComboWorkGroup();

    showDone_ = false;
    const int band = d.CurBand;
    const bool known = band >= 0 && band < kBands;
    const QString name = known ? GroupNameOf(band, d.CurGroup[size_t(band)]) : QString();
    SelectText(Combo4, FindComboText(Combo4, name));
    const QString shown = FindComboText(Combo6, Combo4->currentText());
    if (known && !shown.isEmpty() && shown != Combo4->currentText()) {
        // A group this radio does not offer: the first group becomes current.
        d.CurGroup[size_t(band)] = int16_t(GroupIndexOf(band, shown));
        SelectText(Combo4, shown);
    }
    SelectText(Combo6, shown);
    Combo6_Click();
    if (known && IsBandGroup(band, Combo4->currentIndex() + 1))
        d.CurRow(band, Combo4->currentIndex() + 1) = int16_t(gridRow_);
    showDone_ = true;
}

void frmCommChInfo::Combo6_Click() {
    const int b = ShownBand();
    const int g = ShownGroup();
    if (showDone_ && b >= 0 && b < kBands && g > 0) p_.doc.DataRec.CurGroup[size_t(b)] = int16_t(g);
    Frame1->setTitle(Label1->text() + QStringLiteral(" -- ") + Combo6->currentText());
    InitValidComboList();
    SetEditNoVisable();
    SetGridData();
    MSFlexGrid1->SetRow(1);
    ShowChIfoDataOther();
}

void frmCommChInfo::InitComboWorkGroup() {
    QStringList lettered = ItemsOf(Combo6);
    lettered = lettered.mid(0, std::max<int>(0, int(lettered.size()) - 2));
    FillCombo(Combo3, lettered);
    const int b = ShownBand() == 0 ? 0 : 1;
    SelectComboByText(
        Combo3, GroupNameOf(p_.doc.DataRec.CurBand, p_.doc.DataRec.OptFeat.WorkGroup[size_t(b)]));
}

void frmCommChInfo::Combo3_Click() {
    const int b = ShownBand() == 0 ? 0 : 1;
    p_.doc.DataRec.OptFeat.WorkGroup[size_t(b)] =
        int16_t(GroupIndexOf(p_.doc.DataRec.CurBand, Combo3->currentText()));
}

void frmCommChInfo::Text2_Change() {
    if (!showDone_) return;
    SelectText(Combo4, Combo6->currentText());
    const int b = ShownBand();
    const int g = Combo4->currentIndex() + 1;
    if (IsBandGroup(b, g)) p_.doc.DataRec.OptFeat.GroupName(b, g).set(Text2->text());
}

void frmCommChInfo::Combo1_Click(int index) {
    if (!showDone_) return;
    const int g = ShownGroup();
    const int b = ShownBand();
    if (!IsBandGroup(b, g)) return;
    OptFeatRec& o = p_.doc.DataRec.OptFeat;
    QComboBox* list = Combo1[size_t(index)];
    switch (index) {
        case 0:
        case 1: o.EmgCh(b, g, index) = int16_t(GetCHID(list->currentText())); break;
        case 2:
        case 3: o.EmgMode(b, g, index - 2) = int16_t(list->currentIndex()); break;
        case 6: {
            bool other = false;
            for (int k = 1; k <= LetteredGroupCount(b); ++k)
                if (k != g && o.GroupValid(b, k) >= 1) other = true;
            if (list->currentIndex() == 0 && !other) {
                // The last valid group of a band stays valid.
                list->setCurrentIndex(1);
                Combo1_Click(6);
                return;
            }
            const bool add = list->currentIndex() == 1 && o.GroupValid(b, g) == 0 &&
                             CountPlainChannels(p_.doc, b, g) == 0;
            o.GroupValid(b, g) = int16_t(list->currentIndex());
            InitComboWorkGroup();
            if (add) AddDefaultChannel(p_, b, g);
            break;
        }
        default: break;
    }
}

void frmCommChInfo::Combo8_Click(int index) {
    if (!showDone_) return;
    QComboBox* list = Combo8[size_t(index)];
    const int b = ShownBand();
    const int g = ShownGroup();
    const int s = IsBandGroup(b, g) ? SlotOf(b, g, MSFlexGrid1->Row()) : 0;
    if (s) {
        ChannelRecord& r = p_.doc.ChData(b, s, g);
        for (const auto& [l, field] : kByPosition)
            if (l == index) r.*field = int16_t(list->currentIndex());
        for (const auto& [l, field] : kByNumber)
            if (l == index)
                r.*field =
                    int16_t(list->currentIndex() <= 0 ? 0 : StrToIntDef(list->currentText(), 0));
        if (index == kMode) r.Mode = int16_t(ModeNameToIndex(list->currentText()));
        if (index == 9) SetMoreInfoEnable(r.Public);
    }
    if (index == 17 || index == 18) ShowToneList(index);
}

// ---- in-place editing ----

void frmCommChInfo::EnterGridEdit() {
    auto* grid = MSFlexGrid1;
    gridCol_ = grid->Col();
    gridRow_ = grid->Row();
    if (gridCol_ != 1 || p_.doc.DataRec.CurBand != 0) return;
    grid->scrollToItem(grid->item(gridRow_, gridCol_));
    Text1->setGeometry(grid->CellRect(gridRow_, gridCol_));
    Text1->show();
    Text1->raise();
    Text1->setText(grid->TextMatrix(gridRow_, gridCol_));
    Text1->setFocus(Qt::OtherFocusReason);
    if (!Text1->text().isEmpty()) Text1->selectAll();
}

bool frmCommChInfo::SaveShowGridData() {
    auto* grid = MSFlexGrid1;
    if (gridRow_ < 1 || gridCol_ != 1 || p_.doc.DataRec.CurBand != 0 || Text1->isHidden())
        return false;
    // Hidden first: the focus moves the store causes find the editor closed.
    Text1->hide();
    QString value = Text1->text();
    const auto typed = ParseNumber(value);
    if (gridRow_ < grid->Rows())
        grid->SetTextArray(gridRow_ * grid->Cols() + gridCol_,
                           typed ? FormatFixed(*typed, 5) : value);
    const bool given = !value.isEmpty();
    CommitChannelEdit(p_, gridRow_, gridCol_, value);
    // A typed value that comes back empty was refused with a warning.
    return given && value.isEmpty();
}

void frmCommChInfo::ValidateControls() {
    if (IsShown(Text1)) SaveShowGridData();
}

void frmCommChInfo::GridNextLine() {
    auto* grid = MSFlexGrid1;
    int r = grid->Row() + 1;
    if (r > grid->Rows() - 1) r = 1;
    grid->SetRow(r);
    grid->setFocus(Qt::OtherFocusReason);
}

void frmCommChInfo::GridNextCol() {
    auto* grid = MSFlexGrid1;
    const int c = grid->Col() + 1;
    if (c > grid->Cols() - 1) {
        grid->SetCol(1);
        GridNextLine();
    } else {
        grid->SetCol(c);
    }
}

void frmCommChInfo::Text1_KeyPress_Enter() {
    if (MSFlexGrid1->Col() == 1 && Text1->text().isEmpty()) {
        GridNextLine();
        return;
    }
    if (MSFlexGrid1->Col() >= 1) GridNextCol();
}

bool frmCommChInfo::Text1_KeyFilter(QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress: {
            auto* k = static_cast<QKeyEvent*>(event);
            if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
                Text1_KeyPress_Enter();
                return true;
            }
            return DropsTypedKey(k, QStringLiteral("."));
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            // The middle button pastes the primary selection.
            return static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton;
        case QEvent::FocusOut: {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
            const bool closing =
                reason == Qt::MouseFocusReason && QApplication::focusWidget() == CommandClose;
            // The warning box takes the release of the pressed Close button: the
            // edit is handled, so the Close asked for is finished here.
            if (IsShown(Text1) && SaveShowGridData() && closing)
                QTimer::singleShot(0, this, [this] { CommandClose_Click(); });
            return false;
        }
        default: return false;
    }
}

bool frmCommChInfo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text1) return Text1_KeyFilter(event);
    if (event->type() == QEvent::FocusIn) {
        if (watched == Text2) Text2->selectAll();
        ValidateControls();
    }
    if (watched == MSFlexGrid1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            EnterGridEdit();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace zr50
