// The roads from the main window into the link, the port opening and the
// progress windows' part in a transfer.

#include "LinkView.h"
#include "Program.h"
#include "ProgramProtocol.h"
#include "rules/DtmfRefs.h"

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
    p_.prompter.Ask(CannotOpenPortText(), Buttons::Ok, Icon::Critical);
    return false;
}

// The start of every road: the mode set, the port opened; idle again when it
// cannot be opened.
bool ProgramProtocol::OpenForMode(int mode) {
    CommMode = mode;
    if (mode == CommWrite) WriteStep = StepNone;
    else ReadStep = StepNone;
    if (OpenCommPort()) return true;
    CommMode = CommIdle;
    return false;
}

// The question before a read or write; Cancel closes the port again.
bool ProgramProtocol::Confirm(const LangText& question) {
    if (AskDuringLink(p_.T(question), Buttons::OkCancel, Icon::Question) == Answer::Ok)
        return true;
    port_.Close();
    CommMode = CommIdle;
    return false;
}

void ProgramProtocol::mnuReadFromRadio_Click() {
    // An edit left open would land in the document the read replaces.
    FinishPendingEdits(p_.forms);
    if (!OpenForMode(CommRead) || !Confirm(p_.texts.Msg.ReadConfirm)) return;
    ClearMemImage(image);
    if (view_) view_->ShowProgress();
}

void ProgramProtocol::mnuWriteToRadio_Click() {
    FinishPendingEdits(p_.forms);
    timerWrite_.Start();
}

// A value that does not fit the image refuses the write before anything is
// sent: the port is closed again and the field named.
bool ProgramProtocol::EncodeForWrite() {
    // A code the cleaning empties leaves the windows' lists, and its references
    // the lists that showed them.
    const bool codesGone = DTMFCodesCleanedAway(p_.doc).any();
    ClearMemImage(image);
    const auto field = EncodeAllData(p_.doc, image);
    if (!field) {
        if (codesGone) ShowDTMFUsers(p_);
        return true;
    }
    port_.Close();
    CommMode = CommIdle;
    p_.prompter.Ask(p_.T(kCannotWrite).arg(*field), Buttons::Ok, Icon::Exclamation);
    return false;
}

void ProgramProtocol::TimerWrite_Timer() {
    timerWrite_.Stop();
    if (!OpenForMode(CommWrite) || !Confirm(p_.texts.Msg.WriteConfirm) || !EncodeForWrite())
        return;
    if (view_) view_->ShowProgress();
}

void ProgramProtocol::mnuMWriteToRadio_Click(int radioCount) {
    FinishPendingEdits(p_.forms);
    if (!OpenForMode(CommWrite) || !Confirm(p_.texts.Msg.WriteConfirm) || !EncodeForWrite())
        return;
    group.GroupMode = true;
    group.RadioCount = qMax(radioCount, 1);
    group.RadiosDone = 0;
    if (view_) view_->ShowMProgress();
}

void ProgramProtocol::mnuRadioInfo_Click() {
    if (OpenForMode(CommRadioInfo)) SendProgramCmd();
}

void ProgramProtocol::ReadRMGDataFromRadio() {
    if (!OpenForMode(CommRadioInfo)) return;
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
