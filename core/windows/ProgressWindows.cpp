#include "ProgressWindows.h"

#include "Program.h"
#include "link/ProgramProtocol.h"
#include "platform/gui/TiledBackground.h"

#include <QLabel>
#include <QProgressBar>
#include <QScreen>

namespace zr50 {

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QProgressBar* MakeBar(QWidget* parent, const char* name) {
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

int Dpi(const QWidget* w) { return w->screen() ? int(w->screen()->logicalDotsPerInchX()) : 96; }

// The caption ends 10 twips left of the percentage text, whatever its language's width.
void RightAlignAgainst(QLabel* caption, QLabel* value) {
    caption->adjustSize();
    caption->resize(caption->width(), value->height());
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const int dpi = Dpi(caption);
    const double left = JustSizeLeft(int(PixelsToTwips(value->x(), dpi)),
                                     int(PixelsToTwips(caption->width(), dpi)));
    caption->move(TwipsToPixels(left, dpi), value->y());
}

}  // namespace

FrmProgress::FrmProgress(Program& p, int commMode, QWidget* parent)
    : QDialog(parent), p_(p), commMode_(commMode) {
    setObjectName(QStringLiteral("FrmProgress"));
    setFixedSize(380, 100);
    ProgressBar1 = MakeBar(this, "ProgressBar1");
    ProgressBar1->setGeometry(20, 18, 340, 22);
    Label1 = MakeLabel(this, "Label1", QString::fromUtf8("完成百分比："));
    Label2 = MakeLabel(this, "Label2", QStringLiteral("0%"));
    Label2->setGeometry(300, 58, 60, 22);
    ChangShowByLanguage();
    justSize();
    SetProgressValue(0);
    Label2->setText(QStringLiteral("0%"));
}

void FrmProgress::ChangShowByLanguage() {
    setWindowTitle(ProgressCaption(p_, commMode_));
    Label1->setText(PercentageCaption(p_));
}

void FrmProgress::justSize() { RightAlignAgainst(Label1, Label2); }

void FrmProgress::SetProgressValue(int rValue) { ProgressBar1->setValue(rValue); }

frmMProgress::frmMProgress(Program& p, int commMode, int radioCount, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmMProgress"));
    setFixedSize(380, 150);
    setWindowTitle(ProgressCaption(p, commMode));
    ProgressBar1 = MakeBar(this, "ProgressBar1");
    ProgressBar1->setGeometry(20, 18, 340, 22);
    Label1 = MakeLabel(this, "Label1", PercentageCaption(p));
    Label2 = MakeLabel(this, "Label2", QStringLiteral("0%"));
    Label2->setGeometry(300, 48, 60, 22);
    ProgressBar2 = MakeBar(this, "ProgressBar2");
    ProgressBar2->setGeometry(20, 84, 340, 22);
    ProgressBar2->setRange(0, std::max(1, radioCount));
    ProgressBar2->setValue(1);
    Label3 = MakeLabel(this, "Label3", QStringLiteral("1"));
    Label3->setGeometry(300, 114, 60, 22);
    Label4 = MakeLabel(this, "Label4", RadioNumberCaption());
    RightAlignAgainst(Label1, Label2);
    RightAlignAgainst(Label4, Label3);
}

ProgressWindows::ProgressWindows(Program& p, ProgramProtocol& link, QWidget* parent)
    : p_(p), link_(link), parent_(parent) {
    link_.SetView(this);
}

ProgressWindows::~ProgressWindows() { link_.SetView(nullptr); }

// Shows the window modally until the link unloads it or the user closes it.
template <class W>
void ProgressWindows::RunModal(QPointer<W>& slot, W& window, void (ProgramProtocol::*loaded)(),
                               void (ProgramProtocol::*closedByUser)()) {
    slot = &window;
    ProgramProtocol* link = &link_;
    bool* unloading = &unloading_;
    QObject::connect(&window, &QDialog::finished, &window, [link, unloading, closedByUser] {
        if (!*unloading) (link->*closedByUser)();
    });
    (link_.*loaded)();
    // The transfer may already have ended while the window loaded.
    if (slot) window.exec();
    slot = nullptr;
}

template <class W>
void ProgressWindows::Unload(QPointer<W>& slot) {
    if (!slot) return;
    W* window = slot;
    slot = nullptr;
    unloading_ = true;
    window->done(QDialog::Accepted);
    unloading_ = false;
}

void ProgressWindows::ShowProgress() {
    FrmProgress window(p_, link_.CommMode, parent_);
    RunModal(progress_, window, &ProgramProtocol::ProgressLoaded, &ProgramProtocol::ProgressClosed);
}

bool ProgressWindows::IsProgressVisible() const { return progress_ != nullptr; }

void ProgressWindows::SetProgressValue(int value) {
    if (progress_) progress_->SetProgressValue(value);
}

void ProgressWindows::SetPercentText(const QString& text) {
    if (progress_) progress_->Label2->setText(text);
}

void ProgressWindows::UnloadProgress() { Unload(progress_); }

void ProgressWindows::ShowMProgress() {
    frmMProgress window(p_, link_.CommMode, link_.group.RadioCount, parent_);
    RunModal(mprogress_, window, &ProgramProtocol::MProgressLoaded, &ProgramProtocol::MProgressUnloaded);
}

void ProgressWindows::SetMProgressValue(int value) {
    if (mprogress_) mprogress_->ProgressBar1->setValue(value);
}

void ProgressWindows::SetMPercentText(const QString& text) {
    if (mprogress_) mprogress_->Label2->setText(text);
}

void ProgressWindows::SetRadioNumber(int number) {
    if (!mprogress_) return;
    mprogress_->ProgressBar2->setValue(number);
    mprogress_->Label3->setText(QString::number(number));
}

void ProgressWindows::UnloadMProgress() { Unload(mprogress_); }

}  // namespace zr50
