// The roads from the main window into the link, the port opening and the
// progress windows' part in a transfer.

#include "LinkView.h"
#include "Program.h"
#include "ProgramProtocol.h"

namespace zr50 {

namespace {
// The detail names the value that does not fit.
const LangText kCannotWrite = Both("Cannot write to radio.\r\n%1", "无法写入对讲机。\r\n%1");
}  // namespace

QString ProgressCaption(const Program& p, int commMode) {
    if (commMode != CommRead && commMode != CommWrite) return QString();
    return p.T(p.texts.Progress.Title[size_t(commMode)]);
}

QString PercentageCaption(const Program& p) { return p.T(p.texts.Progress.Percentage); }

QString RadioNumberCaption() { return QString::fromUtf8("当前在写的台数："); }

bool ProgramProtocol::OpenCommPort() {
    if (CommMode == CommRead || CommMode == CommWrite) {
        EndAddr = kTransferEnd;
        BlockLen = 16;
        CurAddr = -16;
    } else if (CommMode == CommRadioInfo) {
        EndAddr = kTransferEnd;
        BlockLen = 16;
        CurAddr = 0x1EF0;
    }
    ProgramRetry = IdRetry = LastPercent = 0;
    group.WaitingNextRadio = false;
    group.TimeoutsWhileWaiting = group.AcksWhileWaiting = 0;
    LinkBusy = true;
    search.Ran = false;
    if (OpenPortWith(p_.settings.PortNo, 0, 1)) return true;
    p_.prompter.Ask(p_.T(p_.texts.Msg.CannotOpenPort), Buttons::Ok, Icon::Critical);
    return false;
}

void ProgramProtocol::mnuReadFromRadio_Click() {
    CommMode = CommRead;
    ReadStep = StepNone;
    if (!OpenCommPort()) {
        CommMode = CommIdle;
        return;
    }
    if (AskDuringLink(p_.T(p_.texts.Msg.ReadConfirm), Buttons::OkCancel, Icon::Question) !=
        Answer::Ok) {
        port_.Close();
        CommMode = CommIdle;
        return;
    }
    ClearMemImage(image);
    if (view_) view_->ShowProgress();
}

void ProgramProtocol::mnuWriteToRadio_Click() {
    // An edit still open in these windows is committed before the image is made.
    p_.forms.Call(QStringLiteral("frmCommChInfo"), "ValidateControls");
    p_.forms.Call(QStringLiteral("FrmOptFeatures"), "ValidateControls");
    timerWrite_.Start();
}

// Asks, then encodes; false (port closed, idle again) when the user cancels or
// a value does not fit the image, before anything is sent.
bool ProgramProtocol::EncodeForWrite() {
    if (AskDuringLink(p_.T(p_.texts.Msg.WriteConfirm), Buttons::OkCancel, Icon::Question) !=
        Answer::Ok) {
        port_.Close();
        CommMode = CommIdle;
        return false;
    }
    ClearMemImage(image);
    if (const auto field = EncodeAllData(p_.doc, image)) {
        port_.Close();
        CommMode = CommIdle;
        p_.prompter.Ask(p_.T(kCannotWrite).arg(*field), Buttons::Ok, Icon::Exclamation);
        return false;
    }
    return true;
}

void ProgramProtocol::TimerWrite_Timer() {
    timerWrite_.Stop();
    CommMode = CommWrite;
    WriteStep = StepNone;
    if (!OpenCommPort()) {
        CommMode = CommIdle;
        return;
    }
    if (EncodeForWrite() && view_) view_->ShowProgress();
}

void ProgramProtocol::mnuMWriteToRadio_Click(int radioCount) {
    CommMode = CommWrite;
    WriteStep = StepNone;
    if (!OpenCommPort()) {
        CommMode = CommIdle;
        return;
    }
    if (!EncodeForWrite()) return;
    group.GroupMode = true;
    group.RadioCount = qMax(radioCount, 1);
    group.RadiosDone = 0;
    if (view_) view_->ShowMProgress();
}

void ProgramProtocol::mnuRadioInfo_Click() {
    CommMode = CommRadioInfo;
    ReadStep = StepNone;
    if (!OpenCommPort()) {
        CommMode = CommIdle;
        return;
    }
    SendProgramCmd();
}

void ProgramProtocol::ReadRMGDataFromRadio() {
    CommMode = CommRadioInfo;
    if (!OpenCommPort()) {
        CommMode = CommIdle;
        return;
    }
    ClearMemImage(image);
    SendProgramCmd();
}

void ProgramProtocol::ProgressLoaded() {
    if (CommMode == CommRead || CommMode == CommWrite) SendProgramCmd();
}

void ProgramProtocol::ProgressClosed() {
    // A transfer without its window would keep the port open: end it as failed.
    if (CommMode == CommRead || CommMode == CommWrite || CommMode == CommPortSearch)
        EndComm(false);
}

void ProgramProtocol::MProgressLoaded() {
    group.FirstRadioPending = true;
    SendProgramCmd();
}

void ProgramProtocol::MProgressUnloaded() {
    if (!LinkBusy) return;
    LinkBusy = false;
    EndComm(false);
}

}  // namespace zr50
