// The port search: tries every listed port with handshaking 0..3 and one or
// two stop bits until a radio of the expected model answers, then lets the
// interrupted read or write go on there.

#include "Frames.h"
#include "Program.h"
#include "ProgramProtocol.h"
#include "platform/IniFile.h"
#include "rules/SharedHelpers.h"

namespace zr50 {

namespace {
constexpr int kMaxSearchPorts = 256;
constexpr int kProbesPerCombination = 3;
}  // namespace

// Runs inside a read or write whose chosen port did not answer; the transfer
// resumes wherever the radio is found.
void ProgramProtocol::StartPortSearch() {
    PortSearchState& s = search;
    s.Ran = true;
    s.SavedMode = CommMode;
    s.Ports = listPorts ? listPorts().mid(0, kMaxSearchPorts) : QList<int>();
    s.Found = false;
    s.PortIndex = 0;
    s.CurPort = s.Ports.value(0);
    s.CurHandshaking = 0;
    s.CurStopBits = 1;
    CommMode = CommPortSearch;
    NextPortAttempt(false);
}

void ProgramProtocol::SendPortProbe(bool resetRetry) {
    if (resetRetry) ProgramRetry = 0;
    // The probe waits for the whole "KD" 0x06 the radio answers with.
    SendProgramCmd();
}

void ProgramProtocol::NextPortAttempt(bool advance) {
    PortSearchState& s = search;
    if (advance && ++s.CurHandshaking > 3) {
        s.CurHandshaking = 0;
        if (++s.CurStopBits > 2) {
            s.CurStopBits = 1;
            ++s.PortIndex;
            s.CurPort = s.Ports.value(s.PortIndex);
        }
    }
    while (s.PortIndex < s.Ports.size()) {
        if (OpenPortWith(s.CurPort, s.CurHandshaking, s.CurStopBits)) {
            SendPortProbe(true);
            return;
        }
        // A port that cannot be opened is left after its first try.
        ++s.PortIndex;
        s.CurPort = s.Ports.value(s.PortIndex);
        s.CurHandshaking = 0;
        s.CurStopBits = 1;
    }
    FinishPortSearch();
}

bool ProgramProtocol::CheckProbeModel() {
    waitTimer_.Stop();
    if (StripNull(RadioModel) == StripNull(p_.doc.ModelName)) return true;
    PortSearchState& s = search;
    if (!s.Found) {
        s.Found = true;
        s.FoundPort = s.CurPort;
        s.FoundHandshaking = s.CurHandshaking;
        s.FoundStopBits = s.CurStopBits;
    }
    return false;
}

void ProgramProtocol::PortSearchReceive(const QByteArray& received) {
    if (ReadStep == StepProgram && (IsAck(received) || IsProgramAck(received))) {
        OnPortSearchReply();
    } else if (ReadStep == StepIdent && IsRadioIdReply(received)) {
        ParseIdentity(received);
        OnPortSearchReply();
    }
}

void ProgramProtocol::OnPortSearchReply() {
    waitTimer_.Stop();
    if (ReadStep == StepProgram) {
        ReadStep = StepIdent;
        SendIdRequest();
        return;
    }
    if (ReadStep != StepIdent) return;
    if (!CheckProbeModel()) {
        NextPortAttempt(true);
        return;
    }
    const PortSearchState& s = search;
    CommMode = s.SavedMode;
    ReadStep = CommMode == CommRead ? int(StepIdent) : int(StepNone);
    WriteStep = CommMode == CommWrite ? int(StepIdent) : int(StepNone);
    p_.settings.PortNo = s.CurPort;
    p_.settings.PortHandshaking = s.CurHandshaking;
    p_.settings.PortStopBits = s.CurStopBits;
    SaveCommSettings();
    ProgramRetry = IdRetry = 0;
    // The identity just received goes through the transfer's own check.
    OnCommReplyOK();
}

void ProgramProtocol::PortSearchTimeout() {
    if (ReadStep == StepProgram) {
        if (++ProgramRetry < kProbesPerCombination)
            SendPortProbe(false);
        else
            NextPortAttempt(true);
    } else if (ReadStep == StepIdent) {
        NextPortAttempt(true);
    }
}

void ProgramProtocol::FinishPortSearch() {
    const PortSearchState& s = search;
    CommMode = s.SavedMode;
    ProgramRetry = IdRetry = 0;
    if (!s.Found) {
        // A restart goes on at the chosen port, not at the last combination tried.
        if (port_.IsOpen()) port_.Close();
        PromptCommRestart();
        return;
    }
    p_.settings.PortNo = s.FoundPort;
    p_.settings.PortHandshaking = s.FoundHandshaking;
    p_.settings.PortStopBits = s.FoundStopBits;
    if (CommMode == CommRead) ReadStep = StepProgram;
    else WriteStep = StepProgram;
    SaveCommSettings();
    if (!OpenPortWith(s.FoundPort, s.FoundHandshaking, s.FoundStopBits)) {
        PromptCommRestart();
        return;
    }
    // The transfer starts again there; its own check reports the model.
    SendProgramCmd();
}

void ProgramProtocol::SaveCommSettings() {
    const Settings& st = p_.settings;
    const QString ini = p_.paths.SettingsIni();
    const QString section = QStringLiteral("language");
    WriteProfileString(ini, section, QStringLiteral("comPort"), QString::number(st.PortNo));
    WriteProfileString(ini, section, QStringLiteral("Handshaking"),
                       QString::number(st.PortHandshaking));
    WriteProfileString(ini, section, QStringLiteral("StopBit"), QString::number(st.PortStopBits));
    p_.forms.Call(QStringLiteral("frmMain"), "SetStatusText",
                  {2, p_.T(p_.texts.Main.Com) + QString::number(st.PortNo)});
}

}  // namespace zr50
