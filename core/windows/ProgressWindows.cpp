#include "ProgressWindows.h"

#include "Program.h"
#include "link/ProgramProtocol.h"

#include <QLabel>
#include <QProgressBar>

namespace zr50 {

FrmProgress::FrmProgress(Program& p, int commMode, QWidget* parent)
    : ProgressForm(parent), p_(p), commMode_(commMode) {
    ChangShowByLanguage();
    justSize();
    ShowPercent(0);
}

void FrmProgress::ChangShowByLanguage() {
    setWindowTitle(ProgressCaption(p_, commMode_));
    Label1->setText(PercentageCaption(p_));
}

frmMProgress::frmMProgress(Program& p, int commMode, int radioCount, QWidget* parent) : ProgressForm(parent) {
    setObjectName(QStringLiteral("frmMProgress"));
    setFixedSize(380, 150);
    setWindowTitle(ProgressCaption(p, commMode));
    Label1->setText(PercentageCaption(p));
    Label2->setGeometry(300, 48, 60, 22);
    ProgressBar2 = MakeProgressBar(this, "ProgressBar2");
    ProgressBar2->setGeometry(20, 84, 340, 22);
    ProgressBar2->setRange(0, std::max(1, radioCount));
    ProgressBar2->setValue(1);
    Label3 = MakeNamedLabel(this, "Label3", QStringLiteral("1"));
    Label3->setGeometry(300, 114, 60, 22);
    Label4 = MakeNamedLabel(this, "Label4", RadioNumberCaption());
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
    window.RunModal([link, loaded] { (link->*loaded)(); }, [link, closedByUser] { (link->*closedByUser)(); });
    slot = nullptr;
}

template <class W>
void ProgressWindows::Unload(QPointer<W>& slot) {
    if (!slot) return;
    W* window = slot;
    slot = nullptr;
    window->Unload();
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
