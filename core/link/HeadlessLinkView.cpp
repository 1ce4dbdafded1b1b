#include "HeadlessLinkView.h"

#include "ProgramProtocol.h"

namespace zr50 {

HeadlessLinkView::HeadlessLinkView(Program& p, ProgramProtocol& link) : p_(p), link_(link) {
    link_.SetView(this);
}

HeadlessLinkView::~HeadlessLinkView() { link_.SetView(nullptr); }

void HeadlessLinkView::RunModal(const bool& visible) {
    if (!visible) return;  // the transfer ended while the window loaded
    QEventLoop loop;
    QEventLoop* outer = loop_;
    loop_ = &loop;
    loop.exec();
    loop_ = outer;
}

void HeadlessLinkView::ShowProgress() {
    progressVisible_ = true;
    caption = ProgressCaption(p_, link_.CommMode);
    SetProgressValue(0);
    percentText = QStringLiteral("0%");
    link_.ProgressLoaded();
    RunModal(progressVisible_);
}

void HeadlessLinkView::SetProgressValue(int value) {
    progressValue = value;
    if (onProgressValue) onProgressValue(value);
}

void HeadlessLinkView::UnloadProgress() {
    if (!progressVisible_) return;
    progressVisible_ = false;
    if (loop_) loop_->quit();
}

void HeadlessLinkView::ShowMProgress() {
    mProgressVisible_ = true;
    caption = ProgressCaption(p_, link_.CommMode);
    SetMProgressValue(0);
    mPercentText = QStringLiteral("0%");
    radioMax = link_.group.RadioCount;
    SetRadioNumber(1);
    link_.MProgressLoaded();
    RunModal(mProgressVisible_);
}

void HeadlessLinkView::SetMProgressValue(int value) {
    mProgressValue = value;
    if (onProgressValue) onProgressValue(value);
}

void HeadlessLinkView::SetRadioNumber(int number) {
    radioNumber = number;
    if (onRadioNumber) onRadioNumber(number);
}

void HeadlessLinkView::UnloadMProgress() {
    if (!mProgressVisible_) return;
    mProgressVisible_ = false;
    if (loop_) loop_->quit();
}

void HeadlessLinkView::Close() {
    if (progressVisible_) {
        UnloadProgress();
        link_.ProgressClosed();
    } else if (mProgressVisible_) {
        UnloadMProgress();
        link_.MProgressUnloaded();
    }
}

}  // namespace zr50
