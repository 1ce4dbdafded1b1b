#include "Zr50Program.h"

#include "FrmOptFeatures.h"
#include "FrmDTMF.h"
#include "FrmToneTips.h"
#include "Program.h"
#include "frmCommChInfo.h"
#include "link/ProgramProtocol.h"
#include "link/SerialLink.h"
#include "settings/StartUp.h"
#include "sound/ModBeep.h"
#include "sound/ToneClock.h"
#include "sound/ToneOutput.h"
#include "windows/MdiForms.h"
#include "windows/ProgressWindows.h"
#include "windows/frmMain.h"

namespace zr50 {

struct Zr50Program::Parts {
    explicit Parts(const Zr50Services& s)
        : program(s.prompter, forms, s.process), wait(s.replyTimeoutMs), timerWrite(20),
          link(program, port, wait, timerWrite),
          ownOutput(s.toneOutput ? nullptr : SoundCardToneOutput()),
          beep(program.doc, s.toneOutput ? *s.toneOutput : *ownOutput,
               s.toneClock ? *s.toneClock : ownClock) {}

    MdiForms forms;
    Program program;
    StartUpState startUp;
    SerialLinkPort port;
    TimerReply wait;
    TimerReply timerWrite;
    ProgramProtocol link;
    // The one tone player; it outlives the tone window.
    std::unique_ptr<ToneOutput> ownOutput;
    QtToneClock ownClock;
    ModBeep beep;
    std::unique_ptr<ProgressWindows> progress;
    std::unique_ptr<frmMain> main;
};

Zr50Program::Zr50Program(Zr50Services s) : d_(std::make_unique<Parts>(s)) {
    Program& p = d_->program;
    p.paths.ProgramFolder = s.programFolder;
    p.paths.ProgramName = s.programName;
    StartUp(p, s.locale, d_->startUp);

    ProgramProtocol& link = d_->link;
    if (s.deviceForPort) link.deviceForPort = s.deviceForPort;
    if (s.listPorts) link.listPorts = s.listPorts;

    d_->forms.Register(QStringLiteral("frmCommChInfo"), ChannelWindowFactory(p));
    d_->forms.Register(QStringLiteral("FrmOptFeatures"), OptFeaturesFactory(p));
    d_->forms.Register(QStringLiteral("FrmDTMF"), DtmfWindowFactory(p));
    d_->forms.Register(QStringLiteral("FrmToneTips"), ToneWindowFactory(p, d_->beep));
    d_->main = std::make_unique<frmMain>(p, d_->forms);
    frmMain& w = *d_->main;
    d_->progress = std::make_unique<ProgressWindows>(p, link, &w);

    RadioRoads roads;
    roads.read = [&link] { link.mnuReadFromRadio_Click(); };
    roads.write = [&link] { link.mnuWriteToRadio_Click(); };
    roads.groupWrite = [&p, &link] {
        const int radios = p.prompter.AskNumber(p.T(p.texts.Main.RadioCount), 1, 99, 2);
        if (radios > 0) link.mnuMWriteToRadio_Click(radios);
    };
    roads.radioInfo = [&link] { link.mnuRadioInfo_Click(); };
    roads.readRMGData = [&link] { link.ReadRMGDataFromRadio(); };
    if (s.listPorts)
        roads.listPorts = [list = s.listPorts] {
            QStringList entries;
            for (int n : list()) entries << QStringLiteral("COM%1").arg(n);
            return entries;
        };
    w.SetRoads(roads);
    w.onShutdown = [this] { d_->startUp.ShutDown(); };
}

Zr50Program::~Zr50Program() {
    d_->forms.UnloadChildren();
    d_->progress.reset();
    d_->main.reset();
}

Program& Zr50Program::p() { return d_->program; }
MdiForms& Zr50Program::forms() { return d_->forms; }
ProgramProtocol& Zr50Program::link() { return d_->link; }
frmMain& Zr50Program::main() { return *d_->main; }
ModBeep& Zr50Program::beep() { return d_->beep; }

}  // namespace zr50
