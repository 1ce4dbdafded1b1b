#pragma once
// KDImager3's serial link with the radio: a step machine fed by received bytes
// and reply time-outs, acting through the port and timer interfaces. A write
// sends the handshake, asks the radio's model, sends every page of the plan and
// the end byte; a read fetches pages 0 to 5 into a cache and from there into
// the blocks.

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
// NAKs in a row for one page after which it counts as one unanswered send.
constexpr int kNaksPerRetry = 10;

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

    bool IsAckAfterEcho(const QByteArray& bytes) const;
    bool IsNak(const QByteArray& bytes) const;
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
    int NakCount = 0;  // NAKs in a row for the page in flight

private:
    void Send(const QByteArray& frame, int echoLen, int threshold, int bytesBack);
    bool OpenPort();
    void OnNak();
    void RetryOrPrompt(const std::function<void()>& resend);
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
    bool inPrompt_ = false;
};

}  // namespace kdi
