#include "FrmOptFeatures.h"

#include "OptFeatTable.h"
#include "Program.h"
#include "platform/gui/NoRightClick.h"
#include "rules/DtmfRefs.h"
#include "rules/ListHelpers.h"
#include "rules/ModeRules.h"
#include "rules/Numbers.h"
#include "rules/ToneRefs.h"
#include "windows/ButtonCaptions.h"
#include "windows/ComboBoxes.h"
#include "windows/MdiForms.h"
#include "windows/TypedKeys.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace zr50 {

namespace {
constexpr int kPubMode = 18;
constexpr int kComChanRb = 53;
constexpr int kVox = 35;
constexpr int kHFPublic = 45;
constexpr int kFirstMode = 5, kLastMode = 10;  // Check1 mode enables
constexpr int kTxOffsetBox = 12;
constexpr int kGridColumns = 4;
// In the public frame beside the "Roger" caption, where the hidden list of the
// same caption would be.
constexpr int kFrame2Lists[] = {kPubMode, kComChanRb};

QLabel* NewLabel(QWidget* parent, const QString& name) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    return l;
}

void AddRow(QGridLayout* grid, int row, int col, QLabel* label, QWidget* field) {
    if (label) grid->addWidget(label, row, 2 * col, Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(field, row, 2 * col + 1);
}
}  // namespace

MdiForms::Factory OptFeaturesFactory(Program& p) {
    return [&p] { return new FrmOptFeatures(p); };
}

FrmOptFeatures::FrmOptFeatures(Program& p, QWidget* parent) : QWidget(parent), p_(p) {
    setObjectName(QStringLiteral("FrmOptFeatures"));
    BuildControls();
    Arrange();
    Form_Load();
}

const OptFeatTexts& FrmOptFeatures::Texts() const { return p_.texts.OptFeat; }

QString FrmOptFeatures::OFF() const { return p_.T(p_.texts.Print.Switch[1]); }

QComboBox* FrmOptFeatures::ListOf(int index) const {
    if (index >= 0 && index < kOptCombo1Count) return Combo1[size_t(index)];
    if (index >= kCombo2Base && index < kCombo2Base + kOptCombo2Count)
        return Combo2[size_t(index - kCombo2Base)];
    return nullptr;
}

// ---- controls ----

void FrmOptFeatures::BuildControls() {
    auto combo = [](QWidget* parent, const QString& name) {
        auto* c = new QComboBox(parent);
        c->setObjectName(name);
        c->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        c->setMaxVisibleItems(20);
        return c;
    };
    auto edit = [this](QWidget* parent, const QString& name, int maxLength, int chars) {
        auto* e = new QLineEdit(parent);
        e->setObjectName(name);
        if (maxLength > 0) e->setMaxLength(maxLength);
        e->setAlignment(Qt::AlignCenter);
        e->setFixedWidth(fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0'))) + 12);
        // Only typed keys reach the box: no drops, input methods or edit menus.
        e->setAcceptDrops(false);
        e->setAttribute(Qt::WA_InputMethodEnabled, false);
        NoRightClick::Hook(e);
        e->installEventFilter(this);
        connect(e, &QLineEdit::textEdited, this, [this, e] {
            if (!edited_.contains(e)) edited_ << e;
        });
        return e;
    };

    Frame2 = new QGroupBox(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    for (int k = 0; k < kOptCombo1Count; ++k) {
        const bool inFrame2 = std::find(std::begin(kFrame2Lists), std::end(kFrame2Lists), k) !=
                              std::end(kFrame2Lists);
        QWidget* parent = inFrame2 ? static_cast<QWidget*>(Frame2) : this;
        Combo1[size_t(k)] = combo(parent, QStringLiteral("Combo1(%1)").arg(k));
        Label1[size_t(k)] = NewLabel(parent, QStringLiteral("Label1(%1)").arg(k));
    }
    for (int k = 0; k < kOptCombo2Count; ++k) {
        QWidget* parent = k == 4 ? static_cast<QWidget*>(this) : Frame2;
        Combo2[size_t(k)] = combo(parent, QStringLiteral("Combo2(%1)").arg(k));
        Label4[size_t(k)] = NewLabel(parent, QStringLiteral("Label4(%1)").arg(k));
    }
    // The public channel's lists line up whatever their entries.
    for (QComboBox* c : Frame2->findChildren<QComboBox*>()) c->setMinimumContentsLength(6);
    Combo3 = combo(this, QStringLiteral("Combo3"));
    Combo3->hide();

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    for (int k = 0; k < kOptCheck1Count; ++k) {
        QWidget* parent = k >= kFirstMode && k <= kLastMode ? static_cast<QWidget*>(Frame1) : this;
        auto* box = new QCheckBox(parent);
        box->setObjectName(QStringLiteral("Check1(%1)").arg(k));
        Check1[size_t(k)] = box;
        connect(box, &QCheckBox::clicked, this, [this, k] { Check1_Click(k); });
    }
    for (int k = 0; k < int(chkCheck2.size()); ++k) {
        auto* box = new QCheckBox(this);
        box->setObjectName(QStringLiteral("chkCheck2(%1)").arg(k));
        chkCheck2[size_t(k)] = box;
        connect(box, &QCheckBox::clicked, this, [this, k] { chkCheck2_Click(k); });
    }
    for (int f = 0; f < 2; ++f) {
        Frame3[size_t(f)] = new QGroupBox(this);
        Frame3[size_t(f)]->setObjectName(QStringLiteral("Frame3(%1)").arg(f));
        for (int j = 0; j < 6; ++j) {
            const int k = 6 * f + j;
            Label6[size_t(k)] = NewLabel(Frame3[size_t(f)], QStringLiteral("Label6(%1)").arg(k));
            Label6[size_t(k)]->setAlignment(Qt::AlignCenter);
            Text4[size_t(k)] = edit(Frame3[size_t(f)], QStringLiteral("Text4(%1)").arg(k), 2, 3);
        }
    }
    Text4[kTxOffsetBox] = edit(this, QStringLiteral("Text4(12)"), 6, 7);
    Label5 = NewLabel(this, QStringLiteral("Label5"));
    Label10 = NewLabel(this, QStringLiteral("Label10"));
    for (int k = 0; k < 3; ++k) {
        Text2[size_t(k)] = edit(this, QStringLiteral("Text2(%1)").arg(k), 0, 5);
        Label3[size_t(k)] = NewLabel(this, QStringLiteral("Label3(%1)").arg(k));
    }
    for (int k = 0; k < 2; ++k) {
        Text1[size_t(k)] = edit(this, QStringLiteral("Text1(%1)").arg(k), 6, 7);
        Label2[size_t(k)] = NewLabel(this, QStringLiteral("Label2(%1)").arg(k));
        Text1[size_t(k)]->hide();
        Label2[size_t(k)]->hide();
        connect(Text1[size_t(k)], &QLineEdit::textChanged, this, [this, k] { Text1_Change(k); });
    }

    CommandClose = new QPushButton(this);
    CommandClose->setObjectName(QStringLiteral("CommandClose"));
    CommandHelp = new QPushButton(this);
    CommandHelp->setObjectName(QStringLiteral("CommandHelp"));
    CommandHelp->hide();
    connect(CommandClose, &QPushButton::clicked, this, [this] { CloseChildWindow(this); });

    // A user's choice in a list runs its handler; the window filling its lists does not.
    for (int k = 0; k < kOptCombo1Count; ++k)
        connect(Combo1[size_t(k)], &QComboBox::activated, this, [this, k] { Combo1_Click(k); });
    for (int k = 0; k < kOptCombo2Count; ++k)
        connect(Combo2[size_t(k)], &QComboBox::activated, this, [this, k] {
            if (formLoaded_) SaveOptFeat(kCombo2Base + k);
        });

    for (const OptListRow& r : OptListRows()) {
        if (!r.hidden) continue;
        ListOf(r.index)->hide();
        if (r.index < kOptCombo1Count) Label1[size_t(r.index)]->hide();
    }
    Label1[kComChanRb]->hide();  // "Roger" of the public frame captions the list
    Label4[4]->hide();
    for (const OptCheckRow& r : OptCheckRows())
        if (r.hidden) CheckOf(r.index)->hide();
}

void FrmOptFeatures::Arrange() {
    auto* top = new QVBoxLayout(this);
    top->setSizeConstraint(QLayout::SetFixedSize);

    // The menu settings in four columns, in the order of their numbers.
    QList<int> shown;
    for (int k = 0; k < kOptCombo1Count; ++k)
        if (!Combo1[size_t(k)]->isHidden() && Combo1[size_t(k)]->parentWidget() == this) shown << k;
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(7);
    grid->setVerticalSpacing(4);
    const int rows = (int(shown.size()) + kGridColumns - 1) / kGridColumns;
    for (int i = 0; i < shown.size(); ++i) {
        const int k = shown[i];
        AddRow(grid, i % rows, i / rows, Label1[size_t(k)], Combo1[size_t(k)]);
    }
    for (int c = 1; c < kGridColumns; ++c) grid->setColumnMinimumWidth(2 * c, 90);
    top->addLayout(grid);

    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(12);
    auto* pub = new QGridLayout(Frame2);
    AddRow(pub, 0, 0, Label1[kPubMode], Combo1[kPubMode]);
    for (int k = 0; k < 4; ++k) AddRow(pub, k + 1, 0, Label4[size_t(k)], Combo2[size_t(k)]);
    AddRow(pub, 0, 1, Label4[5], Combo1[kComChanRb]);
    for (int k = 6; k < kOptCombo2Count; ++k) AddRow(pub, k - 5, 1, Label4[size_t(k)], Combo2[size_t(k)]);
    pub->setColumnMinimumWidth(2, 0);
    pub->setRowStretch(5, 1);
    bottom->addWidget(Frame2, 0, Qt::AlignTop);

    auto* meters = new QVBoxLayout;
    for (int f = 0; f < 2; ++f) {
        auto* g = new QGridLayout(Frame3[size_t(f)]);
        g->setHorizontalSpacing(4);
        for (int j = 0; j < 6; ++j) {
            g->addWidget(Label6[size_t(6 * f + j)], 0, j);
            g->addWidget(Text4[size_t(6 * f + j)], 1, j);
        }
        meters->addWidget(Frame3[size_t(f)]);
    }
    meters->addStretch(1);
    bottom->addLayout(meters);

    auto* modes = new QGridLayout(Frame1);
    for (int k = kFirstMode; k <= kLastMode; ++k)
        modes->addWidget(Check1[size_t(k)], (k - kFirstMode) / 2, (k - kFirstMode) % 2);
    auto* middle = new QVBoxLayout;
    middle->addWidget(Frame1);
    auto* displays = new QGridLayout;
    for (int k = 0; k < 4; ++k) displays->addWidget(chkCheck2[size_t(k)], k / 2, k % 2);
    middle->addLayout(displays);
    middle->addStretch(1);
    bottom->addLayout(middle);

    auto* limits = new QVBoxLayout;
    auto boxRow = [](std::initializer_list<QWidget*> widgets) {
        auto* row = new QHBoxLayout;
        for (QWidget* w : widgets) row->addWidget(w);
        row->addStretch(1);
        return row;
    };
    limits->addWidget(Check1[3]);
    limits->addLayout(boxRow({Label3[0], Text2[0]}));
    limits->addWidget(Check1[4]);
    limits->addLayout(boxRow({Label3[1], Text2[1], Label3[2], Text2[2]}));
    limits->addLayout(boxRow({Label5, Text4[kTxOffsetBox], Label10}));
    limits->addStretch(1);
    auto* close = new QHBoxLayout;
    close->addStretch(1);
    close->addWidget(CommandClose);
    limits->addLayout(close);
    bottom->addLayout(limits);
    top->addLayout(bottom);
}

// ---- load and show ----

void FrmOptFeatures::Form_Load() {
    formLoaded_ = false;
    InitOptComboList();
    ShowOptCaption();
    ShowOptData();
    formLoaded_ = true;
}

void FrmOptFeatures::closeEvent(QCloseEvent* event) {
    ValidateControls();
    event->accept();
}

void FrmOptFeatures::ShowOptCaption() {
    const OptFeatTexts& t = Texts();
    const int lang = p_.settings.CurLanguage;
    setWindowTitle(t.Caption(lang));
    for (int k = 0; k < kOptCombo1Count; ++k) Label1[size_t(k)]->setText(t.Label1[size_t(k)](lang));
    Frame2->setTitle(t.Public(lang));
    for (int k = 0; k < kOptCheck1Count; ++k) Check1[size_t(k)]->setText(t.Check1[size_t(k)](lang));
    for (int k = 0; k < kOptCombo2Count; ++k) Label4[size_t(k)]->setText(t.Label4[size_t(k)](lang));
    for (size_t k = 0; k < chkCheck2.size(); ++k) chkCheck2[k]->setText(t.chkCheck2[k](lang));
    Frame1->setTitle(t.ModeEnable(lang));
    for (size_t f = 0; f < 2; ++f) Frame3[f]->setTitle(t.Frame3[f](lang));
    for (size_t k = 0; k < Label6.size(); ++k) Label6[k]->setText(t.Label6[k % 6](lang));
    for (size_t k = 0; k < 3; ++k) Label3[k]->setText(t.Label3[k](lang));
    for (size_t k = 0; k < 2; ++k) Label2[k]->setText(t.Label2[k](lang));
    Label5->setText(t.TxOffset(lang));
    Label10->setText(t.MHz(lang));
    SetCommonButtonCaption(p_, this);
}

QStringList FrmOptFeatures::DtmfItems() const {
    QStringList items{OFF()};
    for (int k = 1; k <= kDtmfCodes; ++k)
        if (IsDTMFCodeSet(p_.doc, k)) items << QString::number(k);
    return items;
}

QStringList FrmOptFeatures::PublicModes() const {
    // The public channel's mode numbers have no CW.
    QStringList modes = FillModeCombo(p_.doc, false);
    modes.removeAll(ModeIndexToName(5));
    return modes;
}

void FrmOptFeatures::InitOptComboList() {
    const OptFeatTexts& t = Texts();
    const int lang = p_.settings.CurLanguage;
    for (int k = 0; k < kOptCombo1Count; ++k)
        if (!t.Combo1Items[size_t(k)].isEmpty())
            FillCombo(Combo1[size_t(k)], InLanguage(t.Combo1Items[size_t(k)], lang));
    for (int k = 0; k <= 4; ++k) FillCombo(Combo2[size_t(k)], InLanguage(t.Combo2Items[size_t(k)], lang));
    for (int k = 6; k <= 8; ++k) FillCombo(Combo2[size_t(k)], DtmfItems());
    FillCombo(Combo3, InLanguage(t.Combo3Items, lang));
    InitRBComboList();
}

void FrmOptFeatures::InitRBComboList() {
    QStringList items{OFF()};
    for (int k = 1; k <= kToneRecords; ++k)
        if (ValidToneIndex(p_.doc, k) > 0) items << QString::number(k);
    FillCombo(Combo2[5], items);
    FillCombo(Combo1[kComChanRb], items);
}

void FrmOptFeatures::ShowOptData() {
    const DataHeaderRec& d = p_.doc.DataRec;
    for (size_t k = 0; k < chkCheck2.size(); ++k)
        chkCheck2[k]->setChecked(OptDisplayFields()[k].get(d) == 1);
    for (const OptListRow& r : OptListRows()) {
        if (!r.field || r.conv == OptConv::PubMode) continue;
        const OptChoice c = ChoiceFor(r.conv, r.field.get(d));
        QComboBox* list = ListOf(r.index);
        if (r.conv == OptConv::Number)
            SelectComboByText(list, c.text);
        else
            SelectComboByIndex(list, c.position);
    }
    VoxDependency();
    for (const OptCheckRow& r : OptCheckRows())
        if (r.shows) CheckOf(r.index)->setChecked(CheckValueOrDefault(r.field.get(d), r.def) == 1);
    ShowPubMode();

    Text2[0]->setText(FormatFixed(d.OptFeat.VoltLimit[2] / 10.0, 1));
    Text2[1]->setText(FormatFixed(d.OptFeat.VoltLimit[0] / 10.0, 1));
    Text2[2]->setText(FormatFixed(d.OptFeat.VoltLimit[1] / 10.0, 1));
    Text4[kTxOffsetBox]->setText(FormatFixed(d.TxOffset / 10000.0, 4));
    for (size_t k = 0; k < d.RSSILevel.size(); ++k)
        Text4[k]->setText(QString::number(d.RSSILevel[k] + 1));
    Text1[0]->setText(FormatFixed(d.OptFeat.RTIX / 10.0, 1));
    Text1[1]->setText(FormatFixed(d.OptFeat.TTIX / 10.0, 1));
    edited_.clear();
    ShowRB();
}

void FrmOptFeatures::ShowPubMode() {
    FillCombo(Combo1[kPubMode], PublicModes());
    SelectComboByIndex(Combo3, p_.doc.DataRec.OptFeat.PubMode);
    SelectComboByText(Combo1[kPubMode], Combo3->currentText());
}

void FrmOptFeatures::VoxDependency() {
    const bool on = Combo1[kVox]->currentIndex() != 0;
    Combo1[27]->setEnabled(on);
    Combo1[28]->setEnabled(on);
}

// ---- public refreshes ----

void FrmOptFeatures::ShowRB() {
    // The tone rule has already cleared the references to records no longer listed.
    InitRBComboList();
    const DataHeaderRec& d = p_.doc.DataRec;
    SelectComboByText(Combo2[5], QString::number(d.OptFeat.PubRoger));
    SelectComboByText(Combo1[kComChanRb], QString::number(d.ComChanRb));
}

void FrmOptFeatures::ShowDTMF() {
    for (int k = 6; k <= 8; ++k) {
        QComboBox* list = Combo2[size_t(k)];
        const QString keep = list->currentText();
        FillCombo(list, DtmfItems());
        if (!list->isHidden()) SelectComboByText(list, keep);
        if (formLoaded_) SaveOptFeat(kCombo2Base + k);
    }
}

void FrmOptFeatures::ReShowData() {
    formLoaded_ = false;
    InitOptComboList();
    ShowOptData();
    formLoaded_ = true;
    StoreShown();
}

void FrmOptFeatures::StoreShown() {
    for (const OptListRow& r : OptListRows()) SaveOptFeat(r.index);
    // A box that shows nothing keeps the field it would store (Check1(11)).
    for (const OptCheckRow& r : OptCheckRows())
        if (r.shows) SaveOptFeat(r.index);
    for (int k = 0; k < int(chkCheck2.size()); ++k) chkCheck2_Click(k);
}

// ---- storing ----

void FrmOptFeatures::SaveOptFeat(int Index) {
    DataHeaderRec& d = p_.doc.DataRec;
    if (const OptListRow* r = FindOptListRow(Index)) {
        QComboBox* list = ListOf(Index);
        const int position = list->currentIndex();
        // A list showing nothing has nothing to store.
        if (!r->field || position < 0) return;
        switch (r->conv) {
            case OptConv::PubMode:
                SelectComboByText(Combo3, list->currentText());
                if (Combo3->currentText() == list->currentText())
                    d.OptFeat.PubMode = int16_t(Combo3->currentIndex());
                break;
            case OptConv::Public: PublicChannelRule(Index == kHFPublic ? 0 : 1, position); break;
            default: r->field.set(d, ValueFor(r->conv, position, list->currentText())); break;
        }
        return;
    }
    const OptCheckRow* r = FindOptCheckRow(Index);
    if (!r || !r->stores) return;
    QCheckBox* box = CheckOf(Index);
    int v = box->isChecked() ? 1 : 0;
    const int k = Index - kCheck1Base;
    if (k >= kFirstMode && k <= kLastMode) {
        v = CheckSelectLimit(v, 1, kFirstMode, kLastMode, k,
                             [this](int i) { return Check1[size_t(i)]->isChecked() ? 1 : 0; });
        box->setChecked(v > 0);
    }
    r->field.set(d, v);
}

void FrmOptFeatures::PublicChannelRule(int band, int position) {
    int16_t& stored = band == 0 ? p_.doc.DataRec.HFPublic : p_.doc.DataRec.HamPublic;
    if (position != stored) {
        SetPublicFlags(p_.doc, band, position);
        // The channel window is built again to show the new flags.
        p_.forms.Unload(QStringLiteral("frmCommChInfo"));
        p_.forms.Show(QStringLiteral("frmCommChInfo"));
    }
    stored = int16_t(position);
}

void FrmOptFeatures::Combo1_Click(int index) {
    if (!formLoaded_) return;
    if (index == kVox) VoxDependency();
    SaveOptFeat(index);
}

void FrmOptFeatures::Check1_Click(int index) {
    if (!formLoaded_) return;
    SaveOptFeat(kCheck1Base + index);
    if (index >= kFirstMode && index <= kLastMode) RefreshModeList();
}

void FrmOptFeatures::RefreshModeList() {
    QComboBox* list = Combo1[kPubMode];
    const QString keep = list->currentText();
    FillCombo(list, PublicModes());
    RevalidateChannelModes(p_);
    SelectComboByText(list, keep);
    Combo1_Click(kPubMode);
}

void FrmOptFeatures::chkCheck2_Click(int index) {
    if (!formLoaded_) return;
    OptDisplayFields()[size_t(index)].set(p_.doc.DataRec, chkCheck2[size_t(index)]->isChecked() ? 1 : 0);
}

void FrmOptFeatures::Text1_Change(int index) {
    QLineEdit* box = Text1[size_t(index)];
    const QString t = OffsetText(box->text());
    if (t != box->text()) {
        box->setText(t);  // comes back here with the text that is kept
        return;
    }
    if (!formLoaded_) return;
    int16_t& field = index == 0 ? p_.doc.DataRec.OptFeat.RTIX : p_.doc.DataRec.OptFeat.TTIX;
    field = int16_t(ScaledValue(t, 10));
}

void FrmOptFeatures::Text2_LostFocus(int index) {
    edited_.removeAll(Text2[size_t(index)]);
    auto& limit = p_.doc.DataRec.OptFeat.VoltLimit;
    if (index == 0) {
        Text2[0]->setText(LimitedText(Text2[0]->text(), 1.2, 20.0, 1, QStringLiteral("20.0")));
        limit[2] = int16_t(ScaledValue(Text2[0]->text(), 10));
        return;
    }
    QLineEdit* box = Text2[size_t(index)];
    box->setText(LimitedText(box->text(), 9.0, 17.0, 1, QStringLiteral("9.0")));
    if (ParseNumber(Text2[2]->text()).value_or(0) < ParseNumber(Text2[1]->text()).value_or(0)) {
        const QString low = Text2[2]->text();
        Text2[2]->setText(Text2[1]->text());
        Text2[1]->setText(low);
    }
    limit[0] = int16_t(ScaledValue(Text2[1]->text(), 10));
    limit[1] = int16_t(ScaledValue(Text2[2]->text(), 10));
}

void FrmOptFeatures::Text4_LostFocus(int index) {
    if (!formLoaded_) return;
    QLineEdit* box = Text4[size_t(index)];
    edited_.removeAll(box);
    DataHeaderRec& d = p_.doc.DataRec;
    if (index == kTxOffsetBox) {
        box->setText(LimitedText(box->text(), 0.0001, 5.0, 4, QStringLiteral("5.0000")));
        d.TxOffset = ScaledValue(box->text(), 10000);
        return;
    }
    const int v = CheckText4Order(d, index, box->text());
    box->setText(QString::number(v + 1));
    d.RSSILevel[size_t(index)] = int16_t(v);
}

void FrmOptFeatures::LostFocus(QLineEdit* box) {
    for (int k = 0; k < int(Text2.size()); ++k)
        if (box == Text2[size_t(k)]) Text2_LostFocus(k);
    for (int k = 0; k < int(Text4.size()); ++k)
        if (box == Text4[size_t(k)]) Text4_LostFocus(k);
}

void FrmOptFeatures::ValidateControls() {
    const QList<QLineEdit*> pending = edited_;
    for (QLineEdit* box : pending) LostFocus(box);
    edited_.clear();
}

bool FrmOptFeatures::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box) return QWidget::eventFilter(watched, event);
    const auto in = [box](const auto& boxes) {
        return std::find(boxes.begin(), boxes.end(), box) != boxes.end();
    };
    switch (event->type()) {
        case QEvent::KeyPress: {
            // The offsets take a sign, the limits and the Tx offset a point.
            const QString extra = in(Text1)                                 ? QStringLiteral("-")
                                  : in(Text2) || box == Text4[kTxOffsetBox] ? QStringLiteral(".")
                                                                            : QString();
            return DropsTypedKey(static_cast<QKeyEvent*>(event), extra);
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
            // The middle button pastes the primary selection.
            return static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton;
        case QEvent::FocusIn:
            if (in(Text2) || in(Text4)) QTimer::singleShot(0, box, [box] { box->selectAll(); });
            return false;
        case QEvent::FocusOut:
            if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) LostFocus(box);
            return false;
        default: return false;
    }
}

}  // namespace zr50
