#include "FrmToneTips.h"

#include "Program.h"
#include "platform/gui/TiledBackground.h"
#include "rules/ToneRefs.h"
#include "sound/ModBeep.h"
#include "windows/ButtonCaptions.h"
#include "windows/ComboBoxes.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTabBar>

namespace zr50 {

namespace {
constexpr int kSteps = kToneSteps;
constexpr int kRows = 7;  // steps per column

QStringList Numbers(int first, int last, int factor) {
    QStringList items;
    for (int v = first; v <= last; ++v) items << QString::number(v * factor);
    return items;
}
}  // namespace

MdiForms::Factory ToneWindowFactory(Program& p, ModBeep& beep) {
    return [&p, &beep] { return new FrmToneTips(p, beep); };
}

// ---- picture box ----

TonePicture::TonePicture(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
}

double TonePicture::ScaleWidth() const { return contentsRect().width() * 1440.0 / logicalDpiX(); }
double TonePicture::ScaleHeight() const { return contentsRect().height() * 1440.0 / logicalDpiY(); }

void TonePicture::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (!onPaint) return;
    QPainter painter(this);
    const QRect inner = contentsRect();
    painter.setClipRect(inner);
    painter.translate(inner.topLeft());
    painter.scale(logicalDpiX() / 1440.0, logicalDpiY() / 1440.0);
    onPaint(painter);
}

// ---- window ----

FrmToneTips::FrmToneTips(Program& p, ModBeep& beep, QWidget* parent)
    : QWidget(parent), p_(p), beep_(beep) {
    setObjectName(QStringLiteral("FrmToneTips"));
    BuildControls();
    Form_Load();
}

int FrmToneTips::Tw(double twips) const { return TwipsToPixels(twips, logicalDpiX()); }

QString FrmToneTips::Text(long id) const { return GetToneText(id, p_.settings.CurLanguage); }

ToneRecord& FrmToneTips::Shown() {
    const int r = std::clamp<int>(beep_.CurToneRecord, 1, kToneRecords);
    return p_.doc.DataRec.RBToneTable[size_t(r)];
}

void FrmToneTips::BuildControls() {
    auto named = [](auto* w, const QString& name) {
        w->setObjectName(name);
        return w;
    };
    auto label = [&](QWidget* parent, const QString& name) {
        auto* l = named(new QLabel(parent), name);
        // The label's right edge touches its list; the text keeps a little room.
        l->setContentsMargins(0, 0, Tw(90), 0);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    auto combo = [&](QWidget* parent, const QString& name) {
        auto* c = named(new QComboBox(parent), name);
        c->setMaxVisibleItems(16);
        return c;
    };
    auto button = [&](const QString& name) { return named(new QPushButton(this), name); };

    TabStrip1 = named(new QTabBar(this), QStringLiteral("TabStrip1"));
    TabStrip1->setDrawBase(true);
    TabStrip1->setExpanding(false);
    for (int n = 1; n <= kToneRecords; ++n) TabStrip1->addTab(QString());

    Frame1 = named(new QGroupBox(this), QStringLiteral("Frame1"));
    Label1 = label(Frame1, QStringLiteral("Label1(0)"));
    Combo1 = combo(Frame1, QStringLiteral("Combo1(0)"));
    Label2 = label(Frame1, QStringLiteral("Label2(0)"));
    Combo2 = combo(Frame1, QStringLiteral("Combo2(0)"));

    Frame2 = named(new QGroupBox(this), QStringLiteral("Frame2"));
    for (int c = 0; c < 2; ++c) {
        Label3[size_t(c)] = named(new QLabel(Frame2), QStringLiteral("Label3(%1)").arg(c));
        Label4[size_t(c)] = named(new QLabel(Frame2), QStringLiteral("Label4(%1)").arg(c));
    }
    for (int i = 0; i < kSteps; ++i) {
        Label5[size_t(i)] = label(Frame2, QStringLiteral("Label5(%1)").arg(i));
        Combo3[size_t(i)] = combo(Frame2, QStringLiteral("Combo3(%1)").arg(i));
        Combo4[size_t(i)] = combo(Frame2, QStringLiteral("Combo4(%1)").arg(i));
    }
    Combo5 = combo(this, QStringLiteral("Combo5"));
    Combo5->hide();

    Picture1 = named(new TonePicture(this), QStringLiteral("Picture1(0)"));
    Picture1->onPaint = [this](QPainter& painter) { Picture1_Paint(painter); };

    Command1 = button(QStringLiteral("Command1(0)"));
    Command2 = button(QStringLiteral("Command2(0)"));
    CommandHelp = button(QStringLiteral("CommandHelp"));
    CommandClose = button(QStringLiteral("CommandClose"));

    // A user's choice runs its handler; the window's own selections do not, so
    // showing a record never writes it back.
    connect(TabStrip1, &QTabBar::currentChanged, this, [this](int) { TabStrip1_Click(); });
    connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
    connect(Combo2, &QComboBox::activated, this, [this] { Combo2_Click(); });
    for (int i = 0; i < kSteps; ++i) {
        connect(Combo3[size_t(i)], &QComboBox::activated, this, [this, i] { Combo3_Click(i); });
        connect(Combo4[size_t(i)], &QComboBox::activated, this, [this, i] { Combo4_Click(i); });
    }
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { StopTonePlay(); });
    connect(CommandClose, &QPushButton::clicked, this, [this] { CloseChildWindow(this); });
    connect(&beep_, &ModBeep::Finished, this, [this] { StopTonePlay(); });
}

void FrmToneTips::Arrange() {
    const int comboH = std::max(Tw(315), Combo1->sizeHint().height());
    const int title = fontMetrics().height() + Tw(90);
    const int margin = Tw(120);
    const int width = Tw(10500);

    TabStrip1->setGeometry(margin, margin, width, TabStrip1->sizeHint().height());

    const QSize buttonSize(Tw(1215), Tw(375));
    const int frame1Top = TabStrip1->geometry().bottom() + Tw(180);
    Frame1->setGeometry(margin, frame1Top, Tw(6200), title + comboH + Tw(150));
    Combo1->setGeometry(Tw(2000), title, Tw(1000), comboH);
    Combo2->setGeometry(Tw(4800), title, Tw(1000), comboH);
    const int buttonsY = Frame1->y() + (Frame1->height() - buttonSize.height()) / 2 + Tw(60);
    Command2->setGeometry(QRect(QPoint(margin + width - buttonSize.width(), buttonsY), buttonSize));
    Command1->setGeometry(Command2->geometry().translated(-buttonSize.width() - Tw(120), 0));

    const int headerH = fontMetrics().height();
    const int step = comboH + Tw(60);
    Frame2->setGeometry(margin, Frame1->geometry().bottom() + Tw(150), width,
                        title + headerH + Tw(60) + kRows * step + Tw(90));
    const int column = width / 2;
    for (int i = 0; i < kSteps; ++i) {
        const int x = (i / kRows) * column;
        const int y = title + headerH + Tw(60) + (i % kRows) * step;
        Combo3[size_t(i)]->setGeometry(x + Tw(2100), y, Tw(1150), comboH);
        Combo4[size_t(i)]->setGeometry(x + Tw(3700), y, Tw(1150), comboH);
    }
    for (int c = 0; c < 2; ++c) {
        auto over = [&](QLabel* l, const QWidget* list) {
            l->adjustSize();
            l->move(list->x() + (list->width() - l->width()) / 2, title);
        };
        over(Label3[size_t(c)], Combo3[size_t(c * kRows)]);
        over(Label4[size_t(c)], Combo4[size_t(c * kRows)]);
    }

    // Each label's right edge touches the left edge of its list.
    auto against = [](QLabel* l, const QWidget* list) {
        l->adjustSize();
        l->move(list->x() - l->width(), list->y() + (list->height() - l->height()) / 2);
    };
    against(Label1, Combo1);
    against(Label2, Combo2);
    for (int i = 0; i < kSteps; ++i) against(Label5[size_t(i)], Combo3[size_t(i)]);

    Picture1->setGeometry(margin, Frame2->geometry().bottom() + Tw(150), width, Tw(1800));
    CommandClose->setGeometry(
        QRect(QPoint(margin + width - buttonSize.width(), Picture1->geometry().bottom() + Tw(150)),
              buttonSize));
    CommandHelp->setGeometry(CommandClose->geometry().translated(-buttonSize.width() - Tw(120), 0));
    setFixedSize(margin + width + margin, CommandClose->geometry().bottom() + margin);
}

// ---- load and unload ----

void FrmToneTips::Form_Load() {
    {
        const QSignalBlocker block(TabStrip1);
        TabStrip1->setCurrentIndex(0);
    }
    beep_.CurToneRecord = int16_t(TabStrip1->currentIndex() + 1);
    ShowToneCaptions();
    InitToneLists();
    Arrange();
    ShowToneData();
}

void FrmToneTips::closeEvent(QCloseEvent* event) {
    StopTonePlay();
    event->accept();
}

void FrmToneTips::ShowToneCaptions() {
    setWindowTitle(Text(29000));
    for (int n = 1; n <= TabStrip1->count(); ++n)
        TabStrip1->setTabText(n - 1, Text(29001) + QLatin1Char(' ') + QString::number(n));
    Label1->setText(Text(29002));
    Label2->setText(Text(29003));
    for (int c = 0; c < 2; ++c) {
        Label3[size_t(c)]->setText(Text(29004));
        Label4[size_t(c)]->setText(Text(29005));
    }
    for (int i = 0; i < kSteps; ++i) Label5[size_t(i)]->setText(Text(29100 + i));
    Command1->setText(Text(29006));
    Command2->setText(Text(29007));
    SetCommonButtonCaption(p_, this);
}

void FrmToneTips::InitToneLists() {
    FillCombo(Combo1, QStringList{Text(29200)} + Numbers(1, 10, 1));
    FillCombo(Combo2, Numbers(0, 255, 10));
    FillCombo(Combo5, QStringList{Text(29201)} + Numbers(1, 255, 10));
    // Frequencies from 400 Hz: codes 1..39 are not offered.
    const QStringList freqs = QStringList{Text(29201)} + Numbers(40, 255, 10);
    const QStringList lengths = Numbers(0, 255, 10);
    for (int i = 0; i < kSteps; ++i) {
        FillCombo(Combo3[size_t(i)], freqs);
        FillCombo(Combo4[size_t(i)], lengths);
    }
}

void FrmToneTips::ShowToneData() {
    const ToneRecord& r = Shown();
    SelectComboByIndex(Combo1, r.Cycles);
    SelectComboByIndex(Combo2, r.Interval);
    for (int i = 0; i < kSteps; ++i) {
        const ToneStep& s = r.Step[size_t(i + 1)];
        SelectComboByText(Combo3[size_t(i)], ComboTextAt(Combo5, s.ToneFreq));
        SelectComboByIndex(Combo4[size_t(i)], s.ToneLen);
    }
    Picture1->update();
}

void FrmToneTips::StopTonePlay() {
    beep_.ToneStopFlag = true;
    Command1->setEnabled(true);
}

// ---- edits ----

void FrmToneTips::TabStrip1_Click() {
    const int n = TabStrip1->currentIndex() + 1;
    if (n < 1 || n == beep_.CurToneRecord) return;
    beep_.CurToneRecord = int16_t(n);
    ShowToneData();
}

bool FrmToneTips::EditKeepsOneUsable(const std::function<void()>& edit,
                                     const std::function<void()>& undo) {
    const int before = CountToneRecords(p_.doc);
    edit();
    if (before > 0 && CountToneRecords(p_.doc) == 0) {
        undo();
        return false;
    }
    return true;
}

void FrmToneTips::Combo1_Click() {
    ToneRecord& r = Shown();
    const int pos = Combo1->currentIndex();
    if (pos < 0 || pos == r.Cycles) return;
    const int16_t old = r.Cycles;
    if (!EditKeepsOneUsable([&] { r.Cycles = int16_t(pos); }, [&] { r.Cycles = old; })) {
        SelectComboByIndex(Combo1, r.Cycles);
        return;
    }
    RevalidateToneUsers(p_);
}

void FrmToneTips::Combo2_Click() {
    const int pos = Combo2->currentIndex();
    if (pos >= 0) Shown().Interval = int16_t(pos);
}

void FrmToneTips::Combo3_Click(int index) {
    SelectComboByText(Combo5, Combo3[size_t(index)]->currentText());
    Shown().Step[size_t(index + 1)].ToneFreq = int16_t(std::max(Combo5->currentIndex(), 0));
    Picture1->update();
}

void FrmToneTips::Combo4_Click(int index) {
    int16_t& len = Shown().Step[size_t(index + 1)].ToneLen;
    const int pos = Combo4[size_t(index)]->currentIndex();
    if (pos < 0 || pos == len) return;
    const int16_t old = len;
    if (!EditKeepsOneUsable([&] { len = int16_t(pos); }, [&] { len = old; })) {
        SelectComboByIndex(Combo4[size_t(index)], len);
        return;
    }
    Picture1->update();
    RevalidateToneUsers(p_);
}

void FrmToneTips::Command1_Click() {
    // One playback at a time: Play while one runs starts afresh.
    beep_.Cancel();
    if (!beep_.PrepareTonePlay(beep_.CurToneRecord)) return;
    Command1->setEnabled(false);
    beep_.PlayToneRecord(beep_.CurToneRecord);
}

void FrmToneTips::Picture1_Paint(QPainter& painter) {
    beep_.DrawToneRecord(beep_.CurToneRecord, painter, Picture1->ScaleWidth(), Picture1->ScaleHeight());
}

}  // namespace zr50
