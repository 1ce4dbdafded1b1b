#pragma once
// KDImager3's serial link with the radio: a step machine fed by received bytes
// and reply time-outs, acting through the port and timer interfaces. A write
// sends the handshake, asks the radio's model, sends every page of the plan and
// the end byte; a read fetches pages 0 to 5 into a cache and from there into
// the blocks.
//
// The radio's one-byte answers carry no page number, so a reply counts only
// when it can belong to nothing but the frame just sent: the line's echo must
// be exactly the bytes sent, the answer must come after the frame can have
// been carried over the line, and after a time-out (when an answer to an
// earlier send may still be on its way) a reply counts only once the line has
// stayed quiet behind it. Bytes that fit no such reading make the frame
// ambiguous: once the line has been quiet for a reply time-out, the frame,
// with the page before it, goes again.

#include "FlashSettings.h"
#include "Project.h"
#include "link/LinkPort.h"
#include "ui/Prompter.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

namespace kdi {

using zr50::LinkPort;
using zr50::ReplyTimer;

// The windows as the link sees them: the progress window and the main window's
// refresh. The progress window is modal and its load calls StartSession.
class FlashView {
public:
    virtual ~FlashView() = default;
    virtual void ShowProgress() = 0;  // loads it; returns once it is closed
    virtual bool IsProgressVisible() const = 0;
    virtual void SetProgressValue(int percent) = 0;   // ProgressBar1
    virtual void SetPercentText(const QString& text) = 0;  // Label2
    virtual void UnloadProgress() = 0;
    virtual void ShowBydata() = 0;  // the main window shows the project again
};

// Where the port of a session is: the device of a port number.
using DeviceOfPort = std::function<QString(int port)>;

constexpr int kReadCacheSlots = 6;
constexpr int kStepEnd = 69;
// NAKs in a row for one frame after which it counts as one unanswered send.
constexpr int kNaksPerRetry = 10;

// What the frame just sent is answered by.
enum class ReplyKind { Ack, Ident, Page };
// What the reply timer is timing: the answer to a frame, the quiet behind an
// answer that may have company, or the quiet before an ambiguous frame goes again.
enum class Waiting { Reply, Confirm, Settle };

class UpdateProtocol {
public:
    UpdateProtocol(FlashProject& project, FlashSettings& settings, LinkPort& port,
                   ReplyTimer& waitTimer, Prompter& prompter);
    ~UpdateProtocol();
    UpdateProtocol(const UpdateProtocol&) = delete;
    UpdateProtocol& operator=(const UpdateProtocol&) = delete;

    void SetView(FlashView* view) { view_ = view; }
    // The device of a port number; the port list's by default.
    void SetDeviceOfPort(DeviceOfPort f) { deviceOf_ = std::move(f); }

    // --- the commands (the main window's Write and Read) ---
    // The checks, the port test, the question, then the progress window.
    bool CommandWrite(bool padWithFF);
    bool CommandRead();
    // The progress window's load: opens the port and sends the handshake.
    void StartSession();
    // The user closed the progress window while a session ran.
    void ProgressClosed();

    // --- session procedures ---
    bool OpenSerialPort();
    void ResetCommState();
    void StopCommSession(bool ok);
    void EndCommSession(bool ok);

    void SendHandshake();
    void RequestModel();
    void SendWritePage(int page);
    void RequestReadPage(int slot);
    void SendEndByte();

    bool ParseModelReply(const QByteArray& bytes);
    bool CheckImageModel();

    void OnCommReply();
    void NextWritePage();
    void NextReadPage();
    void FinishPageTransfer();
    void UpdatePageProgress();
    void PromptUpdateRestart();

    void InitReadCache();
    void ResetReadCache() { InitReadCache(); }
    void ClearCachePage(int slot);
    int FindCachePage(int page) const;
    bool CopyCacheToBlocks();

    // The receive event and the reply time-out.
    void MSComm1_OnComm(const QByteArray& bytes);
    void WaitTimer_Timer();

    // The reply time-out of a send: PortTime seconds of silence after the
    // frame and its answer have had their time on the wire.
    int ReplyIntervalMs(int bytesOut, int bytesBack) const;

    int CommMode = 0;  // 0 idle, 1 read, 2 write
    int ReadStep = 0;
    int WriteStep = 0;
    int LastSent = 0;
    int PageIndex = -1;
    int RetryCount = 0;
    bool ReplyExpected = false;
    int LastPercent = 0;
    int EchoLen = 0;
    bool PadWithFF = false;
    QString RadioModel;
    QString RadioVersion;
    QByteArray ReadCache;
    std::vector<int32_t> ReadCachePages;
    int NakCount = 0;  // NAKs in a row for the frame in flight
    Waiting Phase = Waiting::Reply;  // what WaitTimer is timing

private:
    enum class Match { Incomplete, Ambiguous, Ack, Nak, Ident, Page };
    void Send(const QByteArray& frame, int echoLen, int bytesBack, ReplyKind kind);
    // What the bytes received since the last send amount to.
    Match MatchReply() const;
    void Deliver(Match m);
    void OnAmbiguous();
    void Restart(Waiting phase, int ms);
    int QuietMs() const;
    // Whether an answer beginning now comes too soon for the frame just sent:
    // bytes of it are still on their way out, or it cannot have crossed the
    // line yet at its speed.
    bool TooSoonForTheFrame() const;
    // What arrives while the line is let fall quiet; a line that never does
    // counts as unanswered all the same.
    void KeepSettling();
    bool OpenPort();
    void OnNak();
    // The frame of the current step once more; RetryOrPrompt counts it.
    void ResendFrame();
    void RetryOrPrompt();
    // The cache slot of the page read in flight, and its page number.
    int ReadSlotOfStep() const;
    int ReadPageOfStep() const;
    // A message box during a session: what the line does meanwhile belongs to no step.
    zr50::Answer Ask(const QString& text, zr50::Buttons buttons, zr50::Icon icon);
    void OnLineLost();

    FlashProject& project_;
    FlashSettings& settings_;
    LinkPort& port_;
    ReplyTimer& waitTimer_;
    Prompter& prompter_;
    FlashView* view_ = nullptr;
    DeviceOfPort deviceOf_;
    // The port the user confirmed and its device; the session uses no other.
    int sessionPort_ = 0;
    QString sessionDevice_;
    bool inPrompt_ = false;
    QByteArray sent_;  // the frame just sent
    ReplyKind expect_ = ReplyKind::Ack;
    QByteArray rx_;    // everything received since
    int outstanding_ = 1;  // sends of that frame whose answers may still come
    int carried_ = 0;      // unanswered sends a time-out hands to the resend
    int furthestPage_ = -1;
    // An answer may still come for an earlier send: replies wait for quiet.
    bool unsettled_ = false;
    // When the frame was handed to the port, and how long until it can have
    // crossed the line, with whatever was still queued before it.
    double sentAt_ = 0;
    double carryMs_ = 0;
    // The answer began before the frame can have been carried.
    bool answerTooSoon_ = false;
    double settleSince_ = 0;
};

}  // namespace kdi
