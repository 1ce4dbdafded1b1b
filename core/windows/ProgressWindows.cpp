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

QDialog* ProgressWindows::Shown() const {
    if (progress_) return progress_;
    return mprogress_;
}

void ProgressWindows::ShowProgress() {
    FrmProgress window(p_, link_.CommMode, parent_);
    progress_ = &window;
    // Closed by the user (close button, Esc) rather than by the link's end.
    QObject::connect(&window, &QDialog::finished, [this] {
        if (!unloading_) link_.ProgressClosed();
    });
    link_.ProgressLoaded();
    // The transfer may already have ended while the window loaded.
    if (progress_) window.exec();
    progress_ = nullptr;
}

bool ProgressWindows::IsProgressVisible() const { return progress_ != nullptr; }

void ProgressWindows::SetProgressValue(int value) {
    if (progress_) progress_->SetProgressValue(value);
}

void ProgressWindows::SetPercentText(const QString& text) {
    if (progress_) progress_->Label2->setText(text);
}

void ProgressWindows::UnloadProgress() {
    if (!progress_) return;
    FrmProgress* window = progress_;
    progress_ = nullptr;
    unloading_ = true;
    window->done(QDialog::Accepted);
    unloading_ = false;
}

void ProgressWindows::ShowMProgress() {
    frmMProgress window(p_, link_.CommMode, link_.group.RadioCount, parent_);
    mprogress_ = &window;
    QObject::connect(&window, &QDialog::finished, [this] {
        if (!unloading_) link_.MProgressUnloaded();
    });
    link_.MProgressLoaded();
    if (mprogress_) window.exec();
    mprogress_ = nullptr;
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

void ProgressWindows::UnloadMProgress() {
    if (!mprogress_) return;
    frmMProgress* window = mprogress_;
    mprogress_ = nullptr;
    unloading_ = true;
    window->done(QDialog::Accepted);
    unloading_ = false;
}

}  // namespace zr50
