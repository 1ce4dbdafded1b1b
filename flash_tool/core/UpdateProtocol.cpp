#include "UpdateProtocol.h"

#include "FlashFrames.h"
#include "FlashTexts.h"
#include "link/Ports.h"
#include "rules/TextHelpers.h"
#include "ui/Prompter.h"

#include <cmath>

namespace kdi {

namespace {
// A radio's answer cannot come before the frame has crossed the line; the
// clocks on either side may step by a little, and a UART may run a few
// percent fast.
constexpr double kClockStepMs = 2.0;
constexpr double kUartSlack = 0.03;
// A line that keeps talking this many reply time-outs after an ambiguous
// answer is taken as not answering.
constexpr int kSettleLimit = 4;
}  // namespace

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
    furthestPage_ = -1;
    carried_ = 0;
    unsettled_ = false;
    // A model left from an earlier session must not pass this one's check.
    RadioModel.clear();
    RadioVersion.clear();
    // Only the port the user confirmed: if it went away meanwhile, nothing is sent.
    if (!OpenPort()) {
        Ask(text::kCannotOpenPort, Buttons::Ok, Icon::Critical);
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
    zr50::LineSettings line;
    line.baud = settings_.Baud();
    // The port must still stand for the device it stood for when the user confirmed it.
    const QString device = sessionPort_ > 0 ? deviceOf_(sessionPort_) : QString();
    if (device.isEmpty() || device != sessionDevice_ || line.baud <= 0 || !port_.Open(device, line))
        return false;
    // Every byte is handed on as it comes; the matcher decides when an answer is whole.
    port_.SetThreshold(1);
    return true;
}

bool UpdateProtocol::OpenSerialPort() {
    if (CommMode == 1 || CommMode == 2) PageIndex = -1;
    LastPercent = 0;
    waitTimer_.Stop();
    RetryCount = 0;
    // The port list is re-scanned while the question is up; the session keeps this device.
    sessionPort_ = settings_.comPort;
    sessionDevice_ = sessionPort_ > 0 ? deviceOf_(sessionPort_) : QString();
    if (OpenPort()) return true;
    Ask(text::kCannotOpenPort, Buttons::Ok, Icon::Critical);
    return false;
}

void UpdateProtocol::ResetCommState() {
    ReplyExpected = false;
    waitTimer_.Stop();
    Phase = Waiting::Reply;
    unsettled_ = false;
    rx_.clear();
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

// An answer later than this behind another is taken as never coming.
int UpdateProtocol::QuietMs() const { return ReplyIntervalMs(0, 1); }

bool UpdateProtocol::TooSoonForTheFrame() const {
    if (port_.OutputPending() > 0) return true;
    return port_.NowMs() - sentAt_ < carryMs_ * (1 - kUartSlack) - kClockStepMs;
}

void UpdateProtocol::Restart(Waiting phase, int ms) {
    Phase = phase;
    waitTimer_.SetInterval(ms);
    waitTimer_.Start();
}

// --- senders -------------------------------------------------------------------

void UpdateProtocol::Send(const QByteArray& frame, int echoLen, int bytesBack, ReplyKind kind) {
    EchoLen = echoLen;
    sent_ = frame;
    expect_ = kind;
    rx_.clear();
    outstanding_ = carried_ + 1;
    carried_ = 0;
    answerTooSoon_ = false;
    port_.ClearInput();
    // Whatever is still queued goes out ahead of the frame.
    const int ahead = port_.OutputPending() + int(frame.size());
    const int baud = settings_.Baud();
    carryMs_ = baud > 0 ? double(ahead) * 10000.0 / baud : 0.0;
    sentAt_ = port_.NowMs();
    Restart(Waiting::Reply, ReplyIntervalMs(ahead, bytesBack));
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
    Send(kUpdateCmd, echo, echo + 1, ReplyKind::Ack);
    ReplyExpected = true;
}

void UpdateProtocol::RequestModel() {
    const int echo = settings_.Duplex ? 0 : 1;
    Send(QByteArray(1, kIdRequest), echo, echo + kIdReplySize, ReplyKind::Ident);
}

void UpdateProtocol::SendWritePage(int page) {
    UpdatePageProgress();
    const PageOut out = project_.PageOfSequence(page, PadWithFF);
    const int echo = settings_.Duplex ? 0 : kPageFrameSize;
    Send(WritePageFrame(out.address, out.data), echo, echo + 1, ReplyKind::Ack);
}

void UpdateProtocol::RequestReadPage(int slot) {
    if (slot < 0 || size_t(slot) >= ReadCachePages.size()) return;
    // The line echoes the request's own four bytes.
    const int echo = settings_.Duplex ? 0 : kReadRequestSize;
    Send(ReadPageRequest(ReadCachePages[size_t(slot)]), echo, echo + kReadReplySize, ReplyKind::Page);
}

void UpdateProtocol::SendEndByte() {
    const int echo = settings_.Duplex ? 0 : 1;
    Send(QByteArray(1, kEndByte), echo, echo + 1, ReplyKind::Ack);
}

// --- reply tests ---------------------------------------------------------------

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

int UpdateProtocol::ReadSlotOfStep() const { return std::clamp(PageIndex, 0, kReadCacheSlots - 1); }

int UpdateProtocol::ReadPageOfStep() const { return ReadCachePages[size_t(ReadSlotOfStep())]; }

UpdateProtocol::Match UpdateProtocol::MatchReply() const {
    // The echo comes first and is the frame itself, byte for byte.
    if (!sent_.startsWith(rx_.left(EchoLen))) return Match::Ambiguous;
    if (rx_.size() <= EchoLen) return Match::Incomplete;
    // Too soon for this frame, it can only answer an earlier send of it, if one is open.
    if (answerTooSoon_ && outstanding_ <= 1) return Match::Ambiguous;
    const QByteArray reply = rx_.mid(EchoLen);
    switch (expect_) {
    case ReplyKind::Ack: {
        // One answer for each send that may still be answered, all of one kind.
        const char first = reply[0];
        if (reply.size() > outstanding_ || (first != kAck && first != kNak)) return Match::Ambiguous;
        for (char c : reply)
            if (c != first) return Match::Ambiguous;
        return first == kAck ? Match::Ack : Match::Nak;
    }
    case ReplyKind::Ident:
        if (reply.size() < kIdReplySize) return Match::Incomplete;
        return ParseIdReply(rx_, EchoLen) ? Match::Ident : Match::Ambiguous;
    case ReplyKind::Page:
        if (reply[0] == kNak) return reply.size() == 1 ? Match::Nak : Match::Ambiguous;
        if (reply[0] != kAck) return Match::Ambiguous;
        if (reply.size() < kReadReplySize) return Match::Incomplete;
        return ParseReadPageReply(rx_, EchoLen, ReadPageOfStep()) ? Match::Page : Match::Ambiguous;
    }
    return Match::Ambiguous;
}

void UpdateProtocol::MSComm1_OnComm(const QByteArray& bytes) {
    if (inPrompt_ || CommMode == 0 || !ReplyExpected) return;
    // What arrives while the line is let fall quiet belongs to no frame.
    if (Phase == Waiting::Settle) {
        KeepSettling();
        return;
    }
    // The answer starts behind the echo: when it starts tells whether it can be this frame's.
    if (rx_.size() <= EchoLen && rx_.size() + bytes.size() > EchoLen) answerTooSoon_ = TooSoonForTheFrame();
    rx_ += bytes;
    const Match m = MatchReply();
    if (m == Match::Incomplete) return;
    if (m == Match::Ambiguous) {
        OnAmbiguous();
        return;
    }
    // A page read names itself. Any other answer counts at once only when no
    // earlier send can still be answered; the end byte's answer also closes
    // the books on every page, so nothing may follow it either.
    const bool endOfWrite = CommMode == 2 && WriteStep == kStepEnd;
    if (m != Match::Page && (unsettled_ || endOfWrite)) {
        Restart(Waiting::Confirm, QuietMs());
        return;
    }
    Deliver(m);
}

void UpdateProtocol::Deliver(Match m) {
    waitTimer_.Stop();
    // Quiet behind the answer: every earlier send is answered or gone.
    if (Phase == Waiting::Confirm) unsettled_ = false;
    Phase = Waiting::Reply;
    switch (m) {
    case Match::Ack: OnCommReply(); break;
    case Match::Ident:
        ParseModelReply(rx_);
        OnCommReply();
        break;
    case Match::Page:
        if (const auto data = ParseReadPageReply(rx_, EchoLen, ReadPageOfStep())) {
            ReadCache.replace(ReadSlotOfStep() * kPageSize, kPageSize, *data);
            OnCommReply();
        }
        break;
    case Match::Nak: OnNak(); break;
    default: OnAmbiguous(); break;
    }
}

void UpdateProtocol::OnAmbiguous() {
    waitTimer_.Stop();
    unsettled_ = true;
    rx_.clear();
    // At the end byte an answer too many means an earlier one was charged to
    // the wrong frame: no page of this session can be vouched for.
    if (CommMode == 2 && WriteStep == kStepEnd) {
        PromptUpdateRestart();
        return;
    }
    // A stray byte may have stood in for the page before's own answer.
    if (CommMode == 2 && WriteStep == 3 && PageIndex > 0) --PageIndex;
    settleSince_ = port_.NowMs();
    Restart(Waiting::Settle, QuietMs());
}

void UpdateProtocol::KeepSettling() {
    // The frame goes again only after the line has really been quiet; an
    // echo still coming in, or a late answer, starts the wait anew.
    const double limit = kSettleLimit * double(ReplyIntervalMs(int(sent_.size()), EchoLen + 1));
    if (port_.NowMs() - settleSince_ < limit) Restart(Waiting::Settle, QuietMs());
}

void UpdateProtocol::OnNak() {
    waitTimer_.Stop();
    // A frame the radio refuses again and again is as good as unanswered.
    if (++NakCount >= kNaksPerRetry) {
        NakCount = 0;
        RetryOrPrompt();
        return;
    }
    ResendFrame();
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
    NakCount = 0;
    ++PageIndex;
    // A page sent again after a step back renews no retries.
    if (PageIndex > furthestPage_) {
        furthestPage_ = PageIndex;
        RetryCount = 0;
    }
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

void UpdateProtocol::ResendFrame() {
    if (CommMode == 1) {
        switch (ReadStep) {
        case 1: SendHandshake(); break;
        case 2: RequestReadPage(PageIndex); break;
        case kStepEnd: SendEndByte(); break;
        default: break;
        }
    } else if (CommMode == 2) {
        switch (LastSent) {
        case 0: SendHandshake(); break;
        case 1: RequestModel(); break;
        case 2:
        case 3: SendWritePage(PageIndex); break;
        case kStepEnd: SendEndByte(); break;
        default: break;
        }
    }
}

void UpdateProtocol::RetryOrPrompt() {
    if (++RetryCount <= 3)
        ResendFrame();
    else
        PromptUpdateRestart();
}

void UpdateProtocol::WaitTimer_Timer() {
    if (inPrompt_) return;
    waitTimer_.Stop();
    switch (Phase) {
    case Waiting::Confirm: Deliver(MatchReply()); return;
    case Waiting::Settle:
        Phase = Waiting::Reply;
        RetryOrPrompt();
        return;
    case Waiting::Reply: break;
    }
    if (CommMode == 1 && ReadStep == kStepEnd) {
        // The pages are in; the end byte's answer adds nothing to them.
        StopCommSession(true);
        return;
    }
    if (CommMode != 1 && CommMode != 2) return;
    // The answer may still come, behind the resend's.
    unsettled_ = true;
    carried_ = outstanding_;
    RetryOrPrompt();
}

void UpdateProtocol::PromptUpdateRestart() {
    RetryCount = 0;
    ReplyExpected = false;
    carried_ = 0;
    Phase = Waiting::Reply;
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
    furthestPage_ = -1;
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
