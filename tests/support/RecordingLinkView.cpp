#include "ScriptedLink.h"
#include "link/ProgramProtocol.h"

namespace zr50::test {

RecordingLinkView::RecordingLinkView(ProgramProtocol& link) : link_(link) { link_.SetView(this); }

RecordingLinkView::~RecordingLinkView() { link_.SetView(nullptr); }

void RecordingLinkView::ShowProgress() {
    progressVisible = true;
    ++shows;
    values << 0;
    percentText = QStringLiteral("0%");
    link_.ProgressLoaded();
}

void RecordingLinkView::ShowMProgress() {
    mProgressVisible = true;
    ++shows;
    values << 0;
    percentText = QStringLiteral("0%");
    radioNumbers << 1;
    link_.MProgressLoaded();
}

void RecordingLinkView::UserCloses() {
    if (progressVisible) {
        progressVisible = false;
        link_.ProgressClosed();
    } else if (mProgressVisible) {
        mProgressVisible = false;
        link_.MProgressUnloaded();
    }
}

}  // namespace zr50::test
