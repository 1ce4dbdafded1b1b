#include "UpdateProtocol.h"

#include "FlashFrames.h"
#include "FlashTexts.h"
#include "link/Ports.h"
#include "rules/TextHelpers.h"
#include "ui/Prompter.h"

#include <cmath>

namespace kdi {

using zr50::Answer;
using zr50::Buttons;
using zr50::Icon;

UpdateProtocol::UpdateProtocol(FlashProject& project, FlashSettings& settings, LinkPort& port,
                               ReplyTimer& waitTimer, Prompter& prompter)
    : project_(project),
      settings_(settings),
      port_(port),
      waitTimer_(waitTimer),
      prompter_(prompter),
      deviceOf_([](int n) { return zr50::DeviceForPort(n); }) {
    port_.onReceive = [this](const QByteArray& bytes) { MSComm1_OnComm(bytes); };
    port_.onLineLost = [this] { OnLineLost(); };
    waitTimer_.onTimeout = [this] { WaitTimer_Timer(); };
    InitReadCache();
}

UpdateProtocol::~UpdateProtocol() {
    port_.onReceive = nullptr;
    port_.onLineLost = nullptr;
    waitTimer_.onTimeout = nullptr;
}

Answer UpdateProtocol::Ask(const QString& text, Buttons buttons, Icon icon) {
    // The box runs an event loop of its own: replies and time-outs meanwhile
    // must not advance the session a second time.
    waitTimer_.Stop();
    const bool outer = inPrompt_;
    inPrompt_ = true;
    const Answer a = prompter_.Ask(text, buttons, icon, QString::fromLatin1(text::kTitle));
    inPrompt_ = outer;
    return a;
}

// --- commands ----------------------------------------------------------------

bool UpdateProtocol::CommandWrite(bool padWithFF) {
    if (CommMode != 0) return false;
    if (!project_.CheckModel(false)) return false;
    PadWithFF = padWithFF;
    if (!project_.CheckBlockLayout()) return false;
    CommMode = 2;
    WriteStep = 0;
    if (!OpenSerialPort()) {
        CommMode = 0;
        return false;
    }
    port_.Close();
    if (Ask(text::kConfirmWrite, Buttons::OkCancel, Icon::Question) != Answer::Ok) {
        if (port_.IsOpen()) port_.Close();
        CommMode = 0;
        return false;
    }
    if (view_) view_->ShowProgress();
    return true;
}

bool UpdateProtocol::CommandRead() {
    if (CommMode != 0) return false;
    CommMode = 1;
    ReadStep = 0;
    ReplyExpected = false;
    if (!OpenSerialPort()) {
        CommMode = 0;
        return false;
    }
    port_.Close();
    if (Ask(text::kConfirmRead, Buttons::OkCancel, Icon::Question) != Answer::Ok) {
        if (port_.IsOpen()) port_.Close();
        CommMode = 0;
        return false;
    }
    ResetReadCache();
    if (view_) view_->ShowProgress();
    return true;
}

void UpdateProtocol::StartSession() {
    if (CommMode != 1 && CommMode != 2) return;
    RetryCount = 0;
    NakCount = 0;
    // A model left from an earlier session must not pass this one's check.
    RadioModel.clear();
    RadioVersion.clear();
    if (!OpenPort()) {
        Ask(text::kProgressLoadError, Buttons::Ok, Icon::None);
        EndCommSession(false);
        return;
    }
    LastSent = 0;
    SendHandshake();
}

void UpdateProtocol::ProgressClosed() {
    if (CommMode == 1 || CommMode == 2) StopCommSession(false);
}

// --- port and session ----------------------------------------------------------

bool UpdateProtocol::OpenPort() {
    if (port_.IsOpen()) port_.Close();
    const QString device = settings_.comPort > 0 ? deviceOf_(settings_.comPort) : QString();
    zr50::LineSettings line;
    line.baud = settings_.Baud();
    if (device.isEmpty() || line.baud <= 0 || !port_.Open(device, line)) return false;
    port_.SetThreshold(1);
    return true;
}

bool UpdateProtocol::OpenSerialPort() {
    if (CommMode == 1 || CommMode == 2) PageIndex = -1;
    LastPercent = 0;
    waitTimer_.Stop();
    RetryCount = 0;
    if (OpenPort()) return true;
    Ask(text::kCannotOpenPort, Buttons::Ok, Icon::Critical);
    return false;
}

void UpdateProtocol::ResetCommState() {
    ReplyExpected = false;
    waitTimer_.Stop();
    RetryCount = 0;
    CommMode = 0;
    ReadStep = 0;
    WriteStep = 0;
}

void UpdateProtocol::StopCommSession(bool ok) {
    if (!ok) SendEndByte();
    EndCommSession(ok);
}

void UpdateProtocol::EndCommSession(bool ok) {
    ReplyExpected = false;
    waitTimer_.Stop();
    if (port_.IsOpen()) {
        port_.Drain();  // the end byte leaves before the port closes
        port_.Close();
    }
    const int mode = CommMode;
    ResetCommState();
    if (mode < 3 && view_) view_->UnloadProgress();
    if (!ok) return;
    if (mode == 1) {
        if (view_) view_->ShowBydata();
        Ask(text::kReadComplete, Buttons::Ok, Icon::None);
    } else if (mode == 2) {
        Ask(text::kWriteComplete, Buttons::Ok, Icon::None);
    }
}

void UpdateProtocol::OnLineLost() {
    // The device is gone; the time-outs lead to the retry question.
    if (port_.IsOpen()) port_.Close();
}

int UpdateProtocol::ReplyIntervalMs(int bytesOut, int bytesBack) const {
    const int baud = settings_.Baud();
    const qint64 wire = baud > 0 ? (qint64(bytesOut + bytesBack) * 10000 + baud - 1) / baud : 0;
    return int(qint64(std::clamp(settings_.PortTime, 1, 10)) * 1000 + wire);
}

// --- senders -------------------------------------------------------------------

void UpdateProtocol::Send(const QByteArray& frame, int echoLen, int threshold, int bytesBack) {
    EchoLen = echoLen;
    port_.SetThreshold(threshold);
    port_.ClearBuffers();
    waitTimer_.SetInterval(ReplyIntervalMs(int(frame.size()), bytesBack));
    waitTimer_.Start();
    port_.Output(frame);
}

void UpdateProtocol::SendHandshake() {
    if (CommMode == 1) {
        ReadStep = 1;
        WriteStep = 0;
    } else if (CommMode == 2) {
        WriteStep = 1;
        ReadStep = 0;
    } else {
        CommMode = ReadStep = WriteStep = 0;
    }
    const int echo = settings_.Duplex ? 0 : int(kUpdateCmd.size());
    Send(kUpdateCmd, echo, echo + 1, echo + 1);
    ReplyExpected = true;
}

void UpdateProtocol::RequestModel() {
    const int echo = settings_.Duplex ? 0 : 1;
    Send(QByteArray(1, kIdRequest), echo, echo + kIdReplySize, echo + kIdReplySize);
}

void UpdateProtocol::SendWritePage(int page) {
    UpdatePageProgress();
    const PageOut out = project_.PageOfSequence(page, PadWithFF);
    const int echo = settings_.Duplex ? 0 : kPageFrameSize;
    Send(WritePageFrame(out.address, out.data), echo, echo + 1, echo + 1);
}

void UpdateProtocol::RequestReadPage(int slot) {
    if (slot < 0 || size_t(slot) >= ReadCachePages.size()) return;
    // The line echoes the request's own four bytes.
    const int echo = settings_.Duplex ? 0 : kReadRequestSize;
    Send(ReadPageRequest(ReadCachePages[size_t(slot)]), echo, echo + kReadReplySize,
         echo + kReadReplySize);
}

void UpdateProtocol::SendEndByte() {
    const int echo = settings_.Duplex ? 0 : 1;
    Send(QByteArray(1, kEndByte), echo, echo + 1, echo + 1);
}

// --- reply tests ---------------------------------------------------------------

bool UpdateProtocol::IsAckAfterEcho(const QByteArray& bytes) const {
    return bytes.size() >= EchoLen + 1 && bytes[EchoLen] == kAck;
}

bool UpdateProtocol::IsNak(const QByteArray& bytes) const {
    return bytes.size() >= EchoLen + 1 && bytes[EchoLen] == kNak;
}

bool UpdateProtocol::ParseModelReply(const QByteArray& bytes) {
    const auto id = ParseIdReply(bytes, EchoLen);
    if (!id) return false;
    RadioModel = id->model;
    RadioVersion = id->version;
    return true;
}

bool UpdateProtocol::CheckImageModel() {
    if (zr50::StripNull(RadioModel) == project_.ModelText(0)) return true;
    Ask(text::ModelError(RadioModel), Buttons::Ok, Icon::None);
    return false;
}

// --- the step machine ------------------------------------------------------------

void UpdateProtocol::MSComm1_OnComm(const QByteArray& bytes) {
    if (inPrompt_ || CommMode == 0 || !ReplyExpected) return;
    if (CommMode == 2 && WriteStep == 2) {
        // Only the identity itself answers the identity request.
        if (ParseModelReply(bytes)) OnCommReply();
        return;
    }
    if (CommMode == 1 && ReadStep == 2) {
        const int page = ReadCachePages[size_t(std::clamp<int>(PageIndex, 0, kReadCacheSlots - 1))];
        if (const auto data = ParseReadPageReply(bytes, EchoLen, page)) {
            ReadCache.replace(PageIndex * kPageSize, kPageSize, *data);
            OnCommReply();
        } else if (IsNak(bytes)) {
            OnNak();
        }
        return;
    }
    if (IsAckAfterEcho(bytes))
        OnCommReply();
    else if (CommMode == 2 && WriteStep == 3 && IsNak(bytes))
        OnNak();
}

void UpdateProtocol::OnNak() {
    waitTimer_.Stop();
    // A page the radio refuses again and again is as good as unanswered.
    if (++NakCount >= kNaksPerRetry) {
        NakCount = 0;
        WaitTimer_Timer();
        return;
    }
    if (CommMode == 1)
        RequestReadPage(PageIndex);
    else
        SendWritePage(PageIndex);
}

void UpdateProtocol::OnCommReply() {
    waitTimer_.Stop();
    if (CommMode == 1) {
        if (ReadStep == 1 || ReadStep == 2) {
            ReadStep = 2;
            NextReadPage();
        } else {
            StopCommSession(ReadStep == kStepEnd);
        }
    } else if (CommMode == 2) {
        switch (WriteStep) {
        case 1:
            WriteStep = 2;
            LastSent = 1;
            RequestModel();
            break;
        case 2:
            if (CheckImageModel()) {
                LastSent = 2;
                WriteStep = 3;
                NextWritePage();
            } else {
                StopCommSession(false);
            }
            break;
        case 3:
            LastSent = 3;
            NextWritePage();
            break;
        case kStepEnd:
            LastSent = kStepEnd;
            StopCommSession(true);
            break;
        default:
            StopCommSession(false);
        }
    } else {
        StopCommSession(false);
    }
}

void UpdateProtocol::NextWritePage() {
    RetryCount = 0;
    NakCount = 0;
    ++PageIndex;
    if (PageIndex >= project_.PageTotal)
        FinishPageTransfer();
    else
        SendWritePage(PageIndex);
}

void UpdateProtocol::NextReadPage() {
    RetryCount = 0;
    NakCount = 0;
    ++PageIndex;
    if (size_t(PageIndex) < ReadCachePages.size()) {
        RequestReadPage(PageIndex);
        return;
    }
    if (CopyCacheToBlocks())
        FinishPageTransfer();
    else
        StopCommSession(false);
}

void UpdateProtocol::FinishPageTransfer() {
    if (CommMode == 1) {
        ReadStep = kStepEnd;
    } else if (CommMode == 2) {
        WriteStep = kStepEnd;
        LastSent = kStepEnd;
    } else {
        StopCommSession(false);
        return;
    }
    SendEndByte();
}

void UpdateProtocol::UpdatePageProgress() {
    // Halves to even, as the rounding of the original figures.
    const int percent = int(std::nearbyint((PageIndex + 1) * 100.0 / (project_.PageTotal + 1)));
    if (percent <= LastPercent) return;
    LastPercent = percent;
    if (view_ && view_->IsProgressVisible()) {
        view_->SetProgressValue(percent);
        view_->SetPercentText(QString::number(percent) + QLatin1Char('%'));
    }
}

void UpdateProtocol::RetryOrPrompt(const std::function<void()>& resend) {
    if (++RetryCount <= 3)
        resend();
    else
        PromptUpdateRestart();
}

void UpdateProtocol::WaitTimer_Timer() {
    if (inPrompt_) return;
    waitTimer_.Stop();
    if (CommMode == 1) {
        switch (ReadStep) {
        case 1: RetryOrPrompt([this] { SendHandshake(); }); break;
        case 2: RetryOrPrompt([this] { RequestReadPage(PageIndex); }); break;
        case kStepEnd: StopCommSession(true); break;
        default: break;
        }
    } else if (CommMode == 2) {
        switch (LastSent) {
        case 0: RetryOrPrompt([this] { SendHandshake(); }); break;
        case 1: RetryOrPrompt([this] { RequestModel(); }); break;
        case 2:
        case 3: RetryOrPrompt([this] { SendWritePage(PageIndex); }); break;
        case kStepEnd: StopCommSession(true); break;
        default: break;
        }
    }
}

void UpdateProtocol::PromptUpdateRestart() {
    RetryCount = 0;
    ReplyExpected = false;
    const Answer a = Ask(text::kCheckConnection, Buttons::OkCancel, Icon::Question);
    if (CommMode == 0) return;  // ended meanwhile
    if (a != Answer::Ok) {
        StopCommSession(false);
        return;
    }
    // A cable plugged back in works again.
    if (!port_.IsOpen()) OpenPort();
    if (CommMode == 2) LastSent = 0;
    NakCount = 0;
    PageIndex = -1;
    LastPercent = 0;
    if (view_ && view_->IsProgressVisible()) {
        view_->SetProgressValue(0);
        view_->SetPercentText(QStringLiteral("0%"));
    }
    SendHandshake();
}

// --- read cache ------------------------------------------------------------------

void UpdateProtocol::InitReadCache() {
    ReadCache = QByteArray(kReadCacheSlots * kPageSize, '\0');
    ReadCachePages.assign(kReadCacheSlots, 0);
    for (int s = 0; s < kReadCacheSlots; ++s) ReadCachePages[size_t(s)] = s;
}

void UpdateProtocol::ClearCachePage(int slot) {
    if (slot < 0 || slot >= kReadCacheSlots) return;
    ReadCache.replace(slot * kPageSize, kPageSize, QByteArray(kPageSize, '\0'));
}

int UpdateProtocol::FindCachePage(int page) const {
    for (size_t s = 0; s < ReadCachePages.size(); ++s)
        if (ReadCachePages[s] == page) return int(s);
    return -1;
}

bool UpdateProtocol::CopyCacheToBlocks() {
    std::vector<qint64> from;
    for (const BlockRecord& b : project_.BlockList) {
        const int slot = b.Address >= 0 ? FindCachePage(b.Address / kPageSize) : -1;
        const qint64 at = qint64(slot) * kPageSize + b.Address % kPageSize;
        if (slot < 0 || b.Length < 0 || at + b.Length > ReadCache.size() || b.PoolOffset < 0 ||
            qint64(b.PoolOffset) + b.Length > project_.DataPool.size()) {
            Ask(text::kOutsideReadPages, Buttons::Ok, Icon::None);
            return false;
        }
        from.push_back(at);
    }
    for (size_t i = 0; i < from.size(); ++i) {
        const BlockRecord& b = project_.BlockList[i];
        project_.DataPool.replace(b.PoolOffset, b.Length, ReadCache.mid(from[i], b.Length));
    }
    return true;
}

}  // namespace kdi
