#include "FrmDTMF.h"

#include "FlexGrid.h"
#include "Program.h"
#include "platform/gui/TiledBackground.h"
#include "rules/DtmfRefs.h"
#include "rules/ListHelpers.h"
#include "rules/SharedHelpers.h"
#include "windows/ButtonCaptions.h"
#include "windows/ComboBoxes.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QValidator>

#include <algorithm>

namespace zr50 {

namespace {
constexpr int kCodeLength = 16;
constexpr int kDecodePage = 1;

QStringList Steps(int first, int step, int count) {
    QStringList items;
    for (int i = 0; i < count; ++i) items << QString::number(first + i * step);
    return items;
}

// One list of the Encode page: the field it edits, and how a stored value
// maps to an entry: unit > 0, the entry reads the value times unit (ms);
// unit 0, the value is the entry's position.
struct EncodeList {
    int16_t OptFeatRec::*field;
    int unit;
    QStringList (*items)(const Program& p);
};
const EncodeList kEncodeLists[] = {
    {&OptFeatRec::DTMFSendTime, 10, [](const Program&) { return Steps(10, 10, 50); }},
    {&OptFeatRec::DTMFFirstDigitTime, 100, [](const Program&) { return Steps(0, 100, 11); }},
    {&OptFeatRec::DTMFFirstDigitDelay, 100, [](const Program&) { return Steps(100, 100, 25); }},
    {&OptFeatRec::DTMFStarHashTime, 100,
     [](const Program&) { return QStringList{"0", "100", "500", "1000"}; }},
    {&OptFeatRec::DTMFDCode, 0,
     [](const Program& p) {
         QStringList items;
         for (const LangText& t : p.texts.Dtmf.DCodes) items << p.T(t);
         return items;
     }},
};

template <size_t N>
QStringList Texts(const Program& p, const std::array<LangText, N>& list) {
    QStringList items;
    for (const LangText& t : list) items << p.T(t);
    return items;
}
}  // namespace

// Whatever reaches the cell editor (typed, pasted from the menu or with
// Shift+Insert, dropped) keeps only code characters, "a".."d" upper-cased,
// and at most 16 of them: of a change that would make the code longer, the
// new part is cut to what fits.
class DtmfCodeValidator : public QValidator {
public:
    using QValidator::QValidator;
    QString previous;  // the editor's text before the change being checked

    State validate(QString& input, int& pos) const override {
        QString kept;
        int keptPos = 0;
        for (int i = 0; i < input.size(); ++i) {
            const QChar c = DTMFKeyChar(input[i]);
            if (c.isNull()) continue;
            if (i < pos) ++keptPos;
            kept += c;
        }
        if (kept.size() > kCodeLength) {
            const int room = std::max<int>(0, std::min<int>(previous.size(), kept.size()));
            int pre = 0;
            while (pre < room && previous[pre] == kept[pre]) ++pre;
            int suf = 0;
            while (suf < room - pre && previous[previous.size() - 1 - suf] == kept[kept.size() - 1 - suf])
                ++suf;
            const int fits = std::max(0, kCodeLength - pre - suf);
            const QString added = kept.mid(pre, kept.size() - pre - suf).left(fits);
            kept = (kept.left(pre) + added + kept.right(suf)).left(kCodeLength);
            keptPos = std::min<int>(pre + added.size(), kept.size());
        }
        input = kept;
        pos = keptPos;
        return Acceptable;
    }
};

MdiForms::Factory DtmfWindowFactory(Program& p) {
    return [&p] { return new FrmDTMF(p); };
}

FrmDTMF::FrmDTMF(Program& p, QWidget* parent) : QWidget(parent), p_(p) {
    setObjectName(QStringLiteral("FrmDTMF"));
    BuildControls();
    Form_Load();
}

int FrmDTMF::Tw(double twips) const { return TwipsToPixels(twips, logicalDpiX()); }

void FrmDTMF::BuildControls() {
    auto named = [](auto* w, const QString& name) {
        w->setObjectName(name);
        return w;
    };
    auto indexed = [](const char* name, int i) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i); };

    SSTab1 = named(new QTabWidget(this), QStringLiteral("SSTab1"));
    auto* encode = new QWidget;
    auto* decode = new QWidget;
    auto* autodial = new QWidget;
    SSTab1->addTab(encode, QString());
    SSTab1->addTab(decode, QString());
    SSTab1->addTab(autodial, QString());

    for (int i = 0; i < int(Combo1.size()); ++i) {
        Label1[size_t(i)] = named(new QLabel(encode), indexed("Label1", i));
        Combo1[size_t(i)] = named(new QComboBox(encode), indexed("Combo1", i));
    }
    Check1 = named(new QCheckBox(encode), QStringLiteral("Check1"));

    for (int i = 0; i < int(Label2.size()); ++i)
        Label2[size_t(i)] = named(new QLabel(decode), indexed("Label2", i));
    Text1 = named(new QLineEdit(QStringLiteral("000"), decode), QStringLiteral("Text1"));
    Text1->setMaxLength(10);
    for (int i = 0; i < int(Combo2.size()); ++i)
        Combo2[size_t(i)] = named(new QComboBox(decode), indexed("Combo2", i));
    Check2 = named(new QCheckBox(decode), QStringLiteral("Check2"));
    Frame1 = named(new QGroupBox(decode), QStringLiteral("Frame1"));
    for (int i = 0; i < int(Label3.size()); ++i)
        Label3[size_t(i)] = named(new QLabel(Frame1), indexed("Label3", i));
    Text2 = named(new QLineEdit(Frame1), QStringLiteral("Text2"));
    Combo3 = named(new QComboBox(Frame1), QStringLiteral("Combo3"));
    for (auto* labels : {&Label1, &Label2})
        for (QLabel* l : *labels) l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (QLabel* l : Label3) l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    MSFlexGrid1 = named(new FlexGrid(2, autodial), QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->installEventFilter(this);
    MSFlexGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text3 = named(new QLineEdit(autodial), QStringLiteral("Text3"));
    Text3->setAlignment(Qt::AlignCenter);
    Text3->setAttribute(Qt::WA_InputMethodEnabled, false);
    validator_ = new DtmfCodeValidator(Text3);
    Text3->setValidator(validator_);
    Text3->installEventFilter(this);
    // The editor sits on the grid: the next control after it is the grid.
    setTabOrder(Text3, MSFlexGrid1);

    CommandHelp = named(new QPushButton(this), QStringLiteral("CommandHelp"));
    CommandClose = named(new QPushButton(this), QStringLiteral("CommandClose"));

    // A user's choice stores; a selection the window makes itself does not.
    for (int i = 0; i < int(Combo1.size()); ++i)
        connect(Combo1[size_t(i)], &QComboBox::activated, this, [this, i] { Combo1_Click(i); });
    connect(Check1, &QCheckBox::clicked, this, [this] { Check1_Click(); });
    connect(MSFlexGrid1, &FlexGrid::EnterCell, this, [this] { MSFlexGrid1_EnterCell(); });
    connect(MSFlexGrid1, &QTableWidget::cellClicked, this, [this] { MSFlexGrid1_Click(); });
    connect(Text3, &QLineEdit::textChanged, this, [this](const QString& t) { validator_->previous = t; });
    connect(Text3, &QLineEdit::textEdited, this, [this] { StoreDTMFCell(); });
    connect(CommandClose, &QPushButton::clicked, this, [this] { CloseChildWindow(this); });
}

void FrmDTMF::Arrange() {
    const int comboH = std::max(Tw(315), Combo1[0]->sizeHint().height());
    const int margin = Tw(240);
    const int step = comboH + Tw(120);
    const int fieldW = Tw(1700);
    auto widest = [](auto begin, auto end) {
        int w = 0;
        for (auto it = begin; it != end; ++it) w = std::max(w, (*it)->sizeHint().width());
        return w;
    };
    const int labelW = std::max({widest(Label1.begin(), Label1.end()), widest(Label2.begin(), Label2.end()),
                                 widest(Label3.begin(), Label3.end())}) +
                       Tw(120);

    // Encode: the five lists in a column, the switch below them.
    const int fieldX = margin + labelW;
    for (int i = 0; i < int(Combo1.size()); ++i)
        Combo1[size_t(i)]->setGeometry(fieldX, margin + i * step, fieldW, comboH);
    auto checkWidth = [&](const QCheckBox* c) { return std::max(fieldW, c->sizeHint().width()); };
    Check1->setGeometry(fieldX, margin + int(Combo1.size()) * step, checkWidth(Check1), comboH);

    // Decode: the ID code and four lists, the switch, then the stun frame.
    Text1->setGeometry(fieldX, margin, fieldW, comboH);
    for (int i = 0; i < int(Combo2.size()); ++i)
        Combo2[size_t(i)]->setGeometry(fieldX, margin + (i + 1) * step, fieldW, comboH);
    Check2->setGeometry(fieldX, margin + 5 * step, checkWidth(Check2), comboH);
    const int title = fontMetrics().height() + Tw(60);
    Frame1->setGeometry(Tw(120), margin + 6 * step, fieldX + fieldW + margin - Tw(120),
                        title + 2 * step);
    Text2->setGeometry(fieldX - Tw(120), title, fieldW, comboH);
    Combo3->setGeometry(fieldX - Tw(120), title + step, fieldW, comboH);

    // Autodial: the whole grid in view.
    auto* g = MSFlexGrid1;
    const int rowH = std::max(Tw(240), fontMetrics().height() + Tw(60));
    g->verticalHeader()->setMinimumSectionSize(1);
    g->verticalHeader()->setDefaultSectionSize(rowH);
    g->horizontalHeader()->setFixedHeight(rowH + Tw(60));
    const int frame = 2 * g->frameWidth();
    const int gridW = fieldX + fieldW - Tw(120);
    g->setGeometry(Tw(120), Tw(120), gridW, g->horizontalHeader()->height() + 16 * rowH + frame);
    g->setColumnWidth(0, Tw(700));
    g->setColumnWidth(1, gridW - frame - g->columnWidth(0));

    const int pageW = std::max({fieldX + fieldW + margin, g->geometry().right() + Tw(120),
                                Check1->geometry().right() + Tw(120), Check2->geometry().right() + Tw(120),
                                SSTab1->tabBar()->sizeHint().width() + Tw(60)});
    const int pageH = std::max(Frame1->geometry().bottom(), g->geometry().bottom()) + Tw(120);
    const int tabBar = SSTab1->tabBar()->sizeHint().height();
    SSTab1->setGeometry(Tw(120), Tw(120), pageW + 4, pageH + tabBar + 4);

    const QSize button(Tw(1215), Tw(375));
    const int buttonsTop = SSTab1->geometry().bottom() + Tw(150);
    CommandClose->setGeometry(QRect(QPoint(SSTab1->geometry().right() - button.width() + 1, buttonsTop), button));
    CommandHelp->setGeometry(CommandClose->geometry().translated(-button.width() - Tw(120), 0));
    setFixedSize(SSTab1->geometry().right() + Tw(120), CommandClose->geometry().bottom() + Tw(150));
}

// ---- load ----

void FrmDTMF::Form_Load() {
    firstClickPending_ = false;
    // The Decode page is there but cannot be opened.
    SSTab1->setTabEnabled(kDecodePage, false);
    InitDTMFLists();
    ShowDTMFCaptions();
    ShowDTMFData();
    firstClickPending_ = true;
}

void FrmDTMF::InitDTMFLists() {
    for (size_t i = 0; i < Combo1.size(); ++i) FillCombo(Combo1[i], kEncodeLists[i].items(p_));

    const QString off = p_.T(p_.texts.Opt.Off);
    FillCombo(Combo2[0], QStringList{off, "A", "B", "C", "D", "#", "*"});
    FillCombo(Combo2[1], QStringList{off} + Steps(1, 1, 15));
    const DtmfTexts& d = p_.texts.Dtmf;
    FillCombo(Combo2[2], Texts(p_, d.CallAlert));
    FillCombo(Combo2[3], Texts(p_, d.Transpond));
    FillCombo(Combo3, Texts(p_, d.StunType));
    // Nothing of the Decode page comes from the document: it shows its first entries.
    for (QComboBox* c : {Combo2[0], Combo2[1], Combo2[2], Combo2[3], Combo3}) c->setCurrentIndex(0);

    MSFlexGrid1->SetRows(kDtmfCodes + 1);
    for (int r = 1; r <= kDtmfCodes; ++r) MSFlexGrid1->SetTextMatrix(r, 0, QString::number(r));
    Text3->hide();
}

void FrmDTMF::ShowDTMFCaptions() {
    const DtmfTexts& d = p_.texts.Dtmf;
    auto T = [this](const LangText& t) { return p_.T(t); };
    setWindowTitle(T(d.Caption));
    SSTab1->setTabText(0, T(d.Encode));
    SSTab1->setTabText(1, T(d.Decode));
    SSTab1->setTabText(2, T(d.AutodialMemory));
    MSFlexGrid1->SetTextMatrix(0, 0, T(d.HeaderNo));
    MSFlexGrid1->SetTextMatrix(0, 1, T(d.AutodialMemory));
    Frame1->setTitle(T(d.Stun));
    for (size_t i = 0; i < Label1.size(); ++i) Label1[i]->setText(T(d.Label1[i]));
    Check1->setText(T(d.Check1));
    for (size_t i = 0; i < Label2.size(); ++i) Label2[i]->setText(T(d.Label2[i]));
    Check2->setText(T(d.Check2));
    for (size_t i = 0; i < Label3.size(); ++i) Label3[i]->setText(T(d.Label3[i]));
    SetCommonButtonCaption(p_, this);
    // The fields stand right of the widest caption of the language.
    Arrange();
    AlignDTMFLabels();
}

void FrmDTMF::AlignDTMFLabels() {
    std::vector<std::pair<QLabel*, QWidget*>> pairs;
    for (size_t i = 0; i < Label1.size(); ++i) pairs.emplace_back(Label1[i], Combo1[i]);
    pairs.emplace_back(Label2[0], Text1);
    for (size_t k = 1; k < Label2.size(); ++k) pairs.emplace_back(Label2[k], Combo2[k - 1]);
    pairs.emplace_back(Label3[0], Text2);
    pairs.emplace_back(Label3[1], Combo3);
    // Each label's right edge touches its field; the text keeps a small gap.
    for (auto [label, field] : pairs) {
        label->setIndent(Tw(90));
        const int width = label->sizeHint().width();
        label->setGeometry(field->x() - width, field->y(), width, field->height());
    }
}

void FrmDTMF::ShowDTMFData() {
    OptFeatRec& o = p_.doc.DataRec.OptFeat;
    for (size_t i = 0; i < Combo1.size(); ++i) {
        const EncodeList& e = kEncodeLists[i];
        const int v = o.*e.field;
        if (e.unit > 0)
            SelectComboByText(Combo1[i], QString::number(v * e.unit));
        else
            SelectComboByIndex(Combo1[i], v);
    }
    Check1->setChecked(CheckValueOrDefault(o.DTMFDisp, 0) == 1);

    for (int k = 1; k <= kDtmfCodes; ++k) MSFlexGrid1->SetTextMatrix(k, 1, QString());
    for (int k = 1; k <= kDtmfCodes; ++k) {
        const QString code = StripNull(o.DTMFCode[size_t(k)].raw());
        SetDTMFCodeSlot(o.DTMFCode[size_t(k)], code);
        MSFlexGrid1->SetTextMatrix(k, 1, code);
    }
}

// ---- the Encode page ----

void FrmDTMF::Combo1_Click(int index) {
    const EncodeList& e = kEncodeLists[size_t(index)];
    QComboBox* list = Combo1[size_t(index)];
    p_.doc.DataRec.OptFeat.*e.field =
        int16_t(e.unit > 0 ? list->currentText().toInt() / e.unit : list->currentIndex());
}

void FrmDTMF::Check1_Click() { p_.doc.DataRec.OptFeat.DTMFDisp = Check1->isChecked() ? 1 : 0; }

// ---- the autodial grid ----

void FrmDTMF::MSFlexGrid1_Click() {
    if (MSFlexGrid1->Row() == 1 && firstClickPending_) {
        firstClickPending_ = false;
        MSFlexGrid1_EnterCell();
    }
}

void FrmDTMF::MSFlexGrid1_EnterCell() {
    // Leaving a cell finishes its edit.
    ValidateControls();
    auto* g = MSFlexGrid1;
    if (g->Row() < 1 || g->Col() < 1) return;
    firstClickPending_ = false;
    editRow_ = g->Row();
    Text3->setText(g->TextMatrix(editRow_, 1));
    const QRect cell = g->CellRect(editRow_, 1);
    Text3->setGeometry(cell.x(), cell.y(), cell.width() - Tw(50), cell.height());
    Text3->show();
    Text3->raise();
    Text3->setFocus(Qt::OtherFocusReason);
}

void FrmDTMF::StoreDTMFCell() {
    if (editRow_ < 1 || editRow_ > kDtmfCodes) return;
    MSFlexGrid1->SetTextMatrix(editRow_, 1, Text3->text());
    // A code of 16 characters has no room for the NUL.
    SetDTMFCodeSlot(p_.doc.DataRec.OptFeat.DTMFCode[size_t(editRow_)], Text3->text());
}

void FrmDTMF::CommitDTMFCell() {
    StoreDTMFCell();
    SetDTMFList();
}

void FrmDTMF::SetDTMFList() { RevalidateDTMFUsers(p_); }

void FrmDTMF::ValidateControls() {
    if (editRow_ > 0) CommitDTMFCell();
}

bool FrmDTMF::Text3_KeyPress(QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress: {
            auto* k = static_cast<QKeyEvent*>(event);
            if (k->modifiers() == Qt::ControlModifier &&
                (k->key() == Qt::Key_C || k->key() == Qt::Key_V || k->key() == Qt::Key_X))
                return true;
            if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
                ValidateControls();
                focusNextChild();
                return true;
            }
            return false;
        }
        case QEvent::FocusOut: {
            // A menu of the editor or another program taking the focus does not end the edit.
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) ValidateControls();
            return false;
        }
        default: return false;
    }
}

bool FrmDTMF::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text3) return Text3_KeyPress(event);
    if (watched == MSFlexGrid1 && event->type() == QEvent::FocusOut && editRow_ > 0 &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason)
        ValidateControls();
    return QWidget::eventFilter(watched, event);
}

void FrmDTMF::closeEvent(QCloseEvent* event) {
    ValidateControls();
    event->accept();
}

void FrmDTMF::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Another child window taking the focus ends an open edit.
    FinishOnDeactivate(this, [this] { ValidateControls(); });
}

}  // namespace zr50
