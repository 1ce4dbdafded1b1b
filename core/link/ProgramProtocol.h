#pragma once
// ZR50's radio link: the step machine that reads or writes the radio's memory
// image, the roads into it from the main window, the group write and the port
// search. It is fed by two events, bytes received and the reply time-out, and
// acts only through a LinkPort, the reply timer and the progress windows.
// Start-up creates one; tests create fresh ones.

#include "link/LinkPort.h"
#include "codec/MemImage.h"
#include "texts/LangText.h"
#include "ui/Prompter.h"

#include <QList>
#include <functional>

namespace zr50 {

struct Program;
class LinkView;

enum CommModes { CommIdle = 0, CommRead = 1, CommWrite = 2, CommRadioInfo = 3, CommPortSearch = 9 };

enum Steps {
    StepNone = 0,
    StepProgram = 1,     // ProgramCmd sent, waiting for ProgramAck
    StepIdent = 3,       // IdRequest sent, waiting for the identity reply
    StepWriteBlock = 4,  // a block sent, waiting for its acknowledgement
    StepReadBlock = 5,   // a ReadRequest sent, waiting for the block
    StepEndOk = 69,      // EndCmd sent after the last block
    StepEndFail = 70,    // EndCmd sent after a failed identity check
};

struct GroupWriteState {
    bool GroupMode = false;
    int RadioCount = 0;  // radios to write
    int RadiosDone = 0;
    bool FirstRadioPending = false;
    bool WaitingNextRadio = false;
    int32_t TimeoutsWhileWaiting = 0;
    int32_t AcksWhileWaiting = 0;
};

struct PortSearchState {
    QList<int> Ports;
    int PortIndex = 0;
    int CurPort = 0, CurHandshaking = 0, CurStopBits = 1;
    int SavedMode = 0;
    bool Found = false;
    int FoundPort = 0, FoundHandshaking = 0, FoundStopBits = 1;
    bool Ran = false;  // searched once already in this communication
};

class ProgramProtocol {
public:
    ProgramProtocol(Program& p, LinkPort& port, ReplyTimer& waitTimer, ReplyTimer& timerWrite);
    ~ProgramProtocol();
    ProgramProtocol(const ProgramProtocol&) = delete;
    ProgramProtocol& operator=(const ProgramProtocol&) = delete;

    void SetView(LinkView* view) { view_ = view; }

    // Where the ports are: the device of a port number, and the port numbers
    // present in listing order. The system's ports unless replaced.
    std::function<QString(int)> deviceForPort;
    std::function<QList<int>()> listPorts;

    // Link state.
    int CommMode = CommIdle;
    int ReadStep = StepNone;
    int WriteStep = StepNone;
    int EndAddr = kTransferEnd;
    int BlockLen = 16;
    int CurAddr = -16;
    int LastPercent = 0;
    int ProgramRetry = 0;
    int IdRetry = 0;
    QString RadioModel;
    bool LinkBusy = false;
    GroupWriteState group;
    PortSearchState search;
    MemImage image{};

    // Roads from the main window.
    void mnuReadFromRadio_Click();
    void mnuWriteToRadio_Click();  // commits open edits, then arms TimerWrite
    void TimerWrite_Timer();
    // The group write of radioCount radios (at least one).
    void mnuMWriteToRadio_Click(int radioCount);
    void mnuRadioInfo_Click();
    void ReadRMGDataFromRadio();

    // From the progress windows.
    void ProgressLoaded();     // FrmProgress's load: starts a read or write
    void ProgressClosed();     // the user closed FrmProgress
    void MProgressLoaded();    // frmMProgress's load: starts the group write
    void MProgressUnloaded();  // frmMProgress closed by the user

    // Events.
    void MSComm1_OnComm(const QByteArray& received);
    void WaitTimer_Timer();
    void OnLineLost();

    // Port opening (prepares the link state for CommMode); shows the message
    // on failure.
    bool OpenCommPort();

    // The protocol's operations.
    void SendProgramCmd();
    void SendIdRequest();
    void SendEndCmd();
    void SendReadRequest();
    void SendNextReadRequest();
    void SendWriteBlock();
    void SendNextWriteBlock();
    void FinishTransfer();
    void StoreDataBlock(const QByteArray& reply);
    void UpdateCommProgress();
    bool CheckRadioModel();
    void OnCommReplyOK();
    void PromptCommRetry();
    void PromptCommRestart();
    void EndComm(bool ok);

    // Port search.
    void StartPortSearch();
    void SendPortProbe(bool resetRetry);
    void NextPortAttempt(bool advance);
    bool CheckProbeModel();
    void FinishPortSearch();
    void OnPortSearchReply();
    void SaveCommSettings();
    bool OpenPortWith(int portNo, int handshaking, int stopBits);
    // "Cannot Open Communication Port." with the reason of the last failed open.
    QString CannotOpenPortText() const;

private:
    void SendCommFrame(const QByteArray& frame, int replyLength);
    void ParseIdentity(const QByteArray& reply);
    Answer AskDuringLink(const QString& text, Buttons buttons, Icon icon);
    bool ReopenPort();
    bool ReopenOrEnd();
    void HandshakeFailed();
    void SendNextBlock();
    bool GroupStepProgram();
    bool GroupEndOk();
    void ShowRestartProgress();
    bool OpenForMode(int mode);
    bool Confirm(const LangText& question);
    bool EncodeForWrite();
    void PortSearchReceive(const QByteArray& received);
    void PortSearchTimeout();
    int Step() const { return CommMode == CommWrite ? WriteStep : ReadStep; }

    Program& p_;
    LinkPort& port_;
    ReplyTimer& waitTimer_;
    ReplyTimer& timerWrite_;
    LinkView* view_ = nullptr;
    bool promptOpen_ = false;  // a link prompt is up: replies and time-outs wait
};

}  // namespace zr50
