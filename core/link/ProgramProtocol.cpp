#include "ProgramProtocol.h"

#include "Frames.h"
#include "LinkView.h"
#include "link/Ports.h"
#include "Program.h"
#include "rules/Numbers.h"
#include "rules/SharedHelpers.h"
#include "versions/Versions.h"

#include <algorithm>

namespace zr50 {

ProgramProtocol::ProgramProtocol(Program& p, LinkPort& port, ReplyTimer& waitTimer,
                                 ReplyTimer& timerWrite)
    : p_(p), port_(port), waitTimer_(waitTimer), timerWrite_(timerWrite) {
    deviceForPort = [](int n) { return DeviceForPort(n); };
    listPorts = [] {
        QList<int> numbers;
        for (const SerialPortEntry& e : EnumSerialPorts().entries) numbers << e.number;
        return numbers;
    };
    port_.onReceive = [this](const QByteArray& bytes) { MSComm1_OnComm(bytes); };
    port_.onLineLost = [this] { OnLineLost(); };
    waitTimer_.onTimeout = [this] { WaitTimer_Timer(); };
    timerWrite_.onTimeout = [this] { TimerWrite_Timer(); };
}

ProgramProtocol::~ProgramProtocol() {
    port_.onReceive = nullptr;
    port_.onLineLost = nullptr;
    waitTimer_.onTimeout = nullptr;
    timerWrite_.onTimeout = nullptr;
}

// --- sending -----------------------------------------------------------------

void ProgramProtocol::SendCommFrame(const QByteArray& frame, int replyLength) {
    // A vanished line sends nothing; the reply time-out then takes its course.
    if (!port_.IsOpen()) return;
    port_.SetThreshold(replyLength);
    port_.ClearInput();
    port_.Output(frame);
}

void ProgramProtocol::SendProgramCmd() {
    if (CommMode == CommRead || CommMode == CommRadioInfo || CommMode == CommPortSearch) {
        ReadStep = StepProgram;
        WriteStep = StepNone;
    } else if (CommMode == CommWrite) {
        WriteStep = StepProgram;
        ReadStep = StepNone;
    } else {
        CommMode = CommIdle;
        ReadStep = WriteStep = StepNone;
    }
    waitTimer_.Start();
    SendCommFrame(ProgramCmd(), 3);
}

void ProgramProtocol::SendIdRequest() {
    waitTimer_.Start();
    SendCommFrame(IdRequest(), 16);
}

void ProgramProtocol::SendEndCmd() {
    waitTimer_.Start();
    SendCommFrame(EndCmd(), 1);
}

void ProgramProtocol::SendReadRequest() {
    if (CurAddr >= EndAddr) {
        FinishTransfer();
        return;
    }
    waitTimer_.Start();
    SendCommFrame(ReadRequest(CurAddr, BlockLen), BlockLen + 6);
}

void ProgramProtocol::SendNextReadRequest() {
    CurAddr += BlockLen;
    SendReadRequest();
}

void ProgramProtocol::SendWriteBlock() {
    if (CurAddr >= EndAddr) {
        FinishTransfer();
        return;
    }
    if (CurAddr < 0 || CurAddr + BlockLen > kMemImageSize) {
        EndComm(false);  // a block outside the image: nothing sensible to send
        return;
    }
    const QByteArray frame = DataBlockFrame(CurAddr, image.data() + CurAddr, BlockLen);
    UpdateCommProgress();
    waitTimer_.Start();
    SendCommFrame(frame, 1);
}

void ProgramProtocol::SendNextWriteBlock() {
    CurAddr += BlockLen;
    SendWriteBlock();
}

void ProgramProtocol::FinishTransfer() {
    if (CommMode == CommRead) {
        ReadStep = StepEndOk;
        SendEndCmd();
    } else if (CommMode == CommWrite) {
        WriteStep = StepEndOk;
        SendEndCmd();
    } else {
        EndComm(false);
    }
}

// --- receiving ---------------------------------------------------------------

void ProgramProtocol::MSComm1_OnComm(const QByteArray& received) {
    // Bytes that come in while a prompt is up belong to no step.
    if (promptOpen_) return;
    if (CommMode == CommPortSearch) {
        PortSearchReceive(received);
        return;
    }
    // While blocks are read only a checked block moves the read on, so the
    // image never holds a block that did not arrive.
    const bool readingBlocks = CommMode == CommRead && ReadStep == StepReadBlock;
    if (IsAck(received) || IsProgramAck(received)) {
        if (!readingBlocks) OnCommReplyOK();
    } else if (IsRadioIdReply(received)) {
        if (readingBlocks) return;
        if (CommMode != CommRadioInfo) ParseIdentity(received);
        OnCommReplyOK();
    } else if (IsValidDataReply(received, CurAddr, BlockLen)) {
        StoreDataBlock(received);
        OnCommReplyOK();
    }
}

void ProgramProtocol::ParseIdentity(const QByteArray& reply) {
    const RadioIdentity id = ParseRadioIdReply(reply);
    RadioModel = id.model;
    p_.doc.RadioExtBand = id.extBand;
    p_.doc.DataVersion = id.version;
}

void ProgramProtocol::StoreDataBlock(const QByteArray& reply) {
    if (CurAddr < 0 || CurAddr + BlockLen > EndAddr || reply.size() < 4 + BlockLen) return;
    std::copy_n(reinterpret_cast<const uint8_t*>(reply.constData()) + 4, BlockLen,
                image.begin() + CurAddr);
    if (CommMode == CommRead || CommMode == CommWrite) UpdateCommProgress();
}

void ProgramProtocol::UpdateCommProgress() {
    const int32_t product = int32_t(CurAddr) * 100;
    const int percent = int(RoundHalfEven(double(product) / EndAddr));
    if (percent - LastPercent < 1) return;
    LastPercent = percent;
    if (!view_) return;
    const QString text = QString::number(percent) + QLatin1Char('%');
    if (group.GroupMode) {
        view_->SetMProgressValue(percent);
        view_->SetMPercentText(text);
    } else if (view_->IsProgressVisible()) {
        view_->SetProgressValue(percent);
        view_->SetPercentText(text);
    }
}

// --- step machine ------------------------------------------------------------

void ProgramProtocol::OnCommReplyOK() {
    waitTimer_.Stop();
    if (CommMode != CommRead && CommMode != CommWrite) {
        EndComm(false);
        return;
    }
    const bool reading = CommMode == CommRead;
    int& step = reading ? ReadStep : WriteStep;
    const int blockStep = reading ? StepReadBlock : StepWriteBlock;
    const bool groupWrite = !reading && group.GroupMode;
    if (step == StepProgram) {
        if (groupWrite && GroupStepProgram()) return;
        step = StepIdent;
        SendIdRequest();
    } else if (step == StepIdent) {
        // A group write does not check each radio's identity.
        if (groupWrite || CheckRadioModel()) {
            step = blockStep;
            SendNextBlock();
        } else {
            step = StepEndFail;
            SendEndCmd();
        }
    } else if (step == blockStep) {
        SendNextBlock();
    } else {
        EndComm(step == StepEndOk);
    }
}

void ProgramProtocol::SendNextBlock() {
    if (CommMode == CommRead)
        SendNextReadRequest();
    else
        SendNextWriteBlock();
}

// A group write's ProgramAck while waiting for the next radio: true when it
// only polls again.
bool ProgramProtocol::GroupStepProgram() {
    GroupWriteState& g = group;
    g.FirstRadioPending = false;
    if (!g.WaitingNextRadio) return false;
    if (g.TimeoutsWhileWaiting < 2) {
        // The radio just written is still connected.
        g.TimeoutsWhileWaiting = g.AcksWhileWaiting = 0;
    } else if (g.AcksWhileWaiting < 1) {
        ++g.AcksWhileWaiting;
    } else {
        g.WaitingNextRadio = false;
        g.TimeoutsWhileWaiting = g.AcksWhileWaiting = 0;
    }
    SendProgramCmd();
    return true;
}

bool ProgramProtocol::CheckRadioModel() {
    waitTimer_.Stop();
    if (StripNull(p_.doc.ModelName) != RadioModel) {
        p_.messages.QueueMessage(p_.T(p_.texts.Msg.ModelWrong));
        return false;
    }
    const QString own = QString::fromLatin1(kOwnVersion);
    const QString firmware = p_.doc.DataVersion;
    if (IsVersionCompatible(p_.versions, own, firmware)) return true;
    const QString question = VersionMismatchText(p_, own, firmware, VersionKind::Firmware);
    if (AskDuringLink(question, Buttons::YesNo, Icon::None) == Answer::Yes)
        StartOtherVersion(p_, firmware, [this] {
            if (port_.IsOpen()) port_.Close();
        });
    return false;
}

// --- time-outs and prompts ---------------------------------------------------

void ProgramProtocol::WaitTimer_Timer() {
    if (promptOpen_) return;
    waitTimer_.Stop();
    if (CommMode == CommPortSearch) {
        PortSearchTimeout();
        return;
    }
    if (CommMode == CommRadioInfo) {
        // Nothing answered the probe: close the line rather than leave it open.
        EndComm(false);
        return;
    }
    if (CommMode != CommRead && CommMode != CommWrite) return;
    switch (Step()) {
        case StepProgram:
            if (ProgramRetry == 0) {
                ProgramRetry = 1;
                SendProgramCmd();
            } else {
                ProgramRetry = 0;
                HandshakeFailed();
            }
            break;
        case StepIdent:
            if (IdRetry == 0) {
                IdRetry = 1;
                SendIdRequest();
            } else {
                IdRetry = 0;
                PromptCommRetry();
            }
            break;
        case StepReadBlock:
            if (CommMode == CommRead) PromptCommRestart();
            break;
        case StepWriteBlock:
            if (CommMode == CommWrite) PromptCommRestart();
            break;
        case StepEndOk: EndComm(true); break;  // the last block is in: success
        case StepEndFail: EndComm(false); break;
        default: break;
    }
}

// The chosen port did not answer twice: offer, once per communication, to
// look for the radio on the other ports (which sends to every device listed
// there); otherwise, or when the user declines, ask to retry.
void ProgramProtocol::HandshakeFailed() {
    if (!group.GroupMode && !search.Ran && listPorts) {
        const QList<int> ports = listPorts();
        const bool others =
            std::any_of(ports.begin(), ports.end(), [this](int n) { return n != p_.settings.PortNo; });
        if (others) {
            search.Ran = true;
            const QString port = p_.T(p_.texts.Main.Com) + QString::number(p_.settings.PortNo);
            const QString question = p_.T(p_.texts.Msg.SearchOtherPorts).arg(port);
            if (AskDuringLink(question, Buttons::YesNo, Icon::Question) == Answer::Yes) {
                StartPortSearch();
                return;
            }
        }
    }
    PromptCommRetry();
}

void ProgramProtocol::PromptCommRetry() {
    GroupWriteState& g = group;
    if (g.GroupMode && WriteStep == StepProgram && !g.FirstRadioPending) {
        // Between radios silence is expected: count it and keep polling.
        if (g.WaitingNextRadio) ++g.TimeoutsWhileWaiting;
        // A lost line may come back when the next radio's adapter is plugged in.
        if (!port_.IsOpen()) ReopenPort();
        SendProgramCmd();
        return;
    }
    const Answer a = AskDuringLink(p_.T(p_.texts.Msg.CheckConnection), Buttons::RetryCancel,
                                   Icon::None);
    if (a == Answer::Retry) {
        if (ReopenOrEnd()) SendProgramCmd();
        return;
    }
    if (g.GroupMode && WriteStep == StepProgram) g.FirstRadioPending = false;
    EndComm(false);
}

void ProgramProtocol::PromptCommRestart() {
    const Answer a = AskDuringLink(p_.T(p_.texts.Msg.CheckConnection), Buttons::OkCancel,
                                   Icon::Question);
    if (a != Answer::Ok) {
        EndComm(false);
        return;
    }
    group.WaitingNextRadio = false;
    ProgramRetry = IdRetry = 0;
    if (!ReopenOrEnd()) return;
    // The image stays: a read overwrites it block by block, a write resends it.
    SendProgramCmd();
    CurAddr = -BlockLen;
    ShowRestartProgress();
    LastPercent = 0;
}

void ProgramProtocol::ShowRestartProgress() {
    if (!view_) return;
    if (group.GroupMode) {
        view_->SetMProgressValue(0);
        view_->SetMPercentText(QStringLiteral("0%"));
    } else if (view_->IsProgressVisible()) {
        view_->SetProgressValue(0);
        view_->SetPercentText(QStringLiteral("0%"));
    }
}

Answer ProgramProtocol::AskDuringLink(const QString& text, Buttons buttons, Icon icon) {
    const bool was = promptOpen_;
    promptOpen_ = true;
    const Answer a = p_.prompter.Ask(text, buttons, icon);
    promptOpen_ = was;
    return a;
}

// --- the line ------------------------------------------------------------------

void ProgramProtocol::OnLineLost() {
    // The device is gone (adapter unplugged): the port may still say open.
    if (port_.IsOpen()) port_.Close();
}

bool ProgramProtocol::OpenPortWith(int portNo, int handshaking, int stopBits) {
    if (port_.IsOpen()) port_.Close();
    LineSettings s;
    s.handshaking = handshaking;
    s.stopBits = stopBits;
    const QString device = deviceForPort ? deviceForPort(portNo) : QString();
    if (!port_.Open(device, s)) return false;
    port_.SetThreshold(1);
    return true;
}

QString ProgramProtocol::CannotOpenPortText() const {
    const MessageTexts& m = p_.texts.Msg;
    const LangText* reason = nullptr;
    switch (port_.LastOpenFailure()) {
        case OpenFailure::NoDevice: reason = &m.PortMissing; break;
        case OpenFailure::NoPermission: reason = &m.PortNoPermission; break;
        case OpenFailure::Busy: reason = &m.PortBusy; break;
        case OpenFailure::None:
        case OpenFailure::Unknown: break;
    }
    QString text = p_.T(m.CannotOpenPort);
    if (reason) text += QStringLiteral("\r\n") + p_.T(*reason);
    return text;
}

bool ProgramProtocol::ReopenPort() { return OpenPortWith(p_.settings.PortNo, 0, 1); }

// A restart on a line that was lost opens the port again; when that fails the
// communication ends as failed.
bool ProgramProtocol::ReopenOrEnd() {
    if (port_.IsOpen() || ReopenPort()) return true;
    AskDuringLink(CannotOpenPortText(), Buttons::Ok, Icon::Critical);
    EndComm(false);
    return false;
}

// --- the end -----------------------------------------------------------------

// After a finished radio of a group write: true when the next one is awaited.
bool ProgramProtocol::GroupEndOk() {
    GroupWriteState& g = group;
    ++g.RadiosDone;
    if (g.RadiosDone >= g.RadioCount) return false;
    g.WaitingNextRadio = true;
    g.TimeoutsWhileWaiting = g.AcksWhileWaiting = 0;
    ProgramRetry = IdRetry = 0;
    CurAddr = -16;
    SendProgramCmd();
    if (view_) {
        view_->SetMProgressValue(0);
        view_->SetMPercentText(QStringLiteral("0%"));
        view_->SetRadioNumber(g.RadiosDone + 1);
    }
    LastPercent = 0;
    return true;
}

void ProgramProtocol::EndComm(bool ok) {
    if (ok && group.GroupMode && GroupEndOk()) return;

    group.WaitingNextRadio = false;
    group.TimeoutsWhileWaiting = group.AcksWhileWaiting = 0;
    if (!group.GroupMode) {
        if (CommMode < CommRadioInfo && view_) view_->UnloadProgress();
    } else if (LinkBusy) {
        LinkBusy = false;
        if (view_) view_->UnloadMProgress();
    }
    waitTimer_.Stop();
    if (port_.IsOpen()) port_.Close();
    p_.messages.ShowQueuedMessages(p_.prompter);

    if (ok) {
        if (CommMode == CommRead) {
            p_.forms.UnloadChildren();
            DecodeAllData(image, p_.doc);
            p_.doc.DataFileName = QString::fromLatin1(kUntitledName);
            p_.doc.IsUntitled = true;
            p_.forms.Call(QStringLiteral("frmMain"), "ShowCaption");
            p_.forms.Call(QStringLiteral("frmMain"), "Change_Language");
            p_.forms.Show(QStringLiteral("frmCommChInfo"));
            p_.forms.Cascade();
        }
        if (CommMode == CommRead || CommMode == CommWrite)
            p_.prompter.Ask(p_.T(p_.texts.Msg.Completed[size_t(CommMode)]), Buttons::Ok,
                            Icon::None);
    }
    group.GroupMode = false;
    CommMode = CommIdle;
    ReadStep = WriteStep = StepNone;
}

}  // namespace zr50
