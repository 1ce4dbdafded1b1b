#pragma once
// The running ZR50, wired together: the program-wide state, the windows found
// by name, the serial link with its progress windows, and the main window.
// main() builds one from the system's services; end-to-end tests build one
// from scripted ones.

#include <QStringList>
#include <functional>
#include <memory>

namespace zr50 {

struct Program;
class Prompter;
class ProcessControl;
class LocaleService;
class MdiForms;
class ProgramProtocol;
class frmMain;
class ModBeep;
class ToneOutput;
class ToneClock;

struct Zr50Services {
    Zr50Services(Prompter& prompter, ProcessControl& process, LocaleService& locale, QString programFolder)
        : prompter(prompter), process(process), locale(locale), programFolder(std::move(programFolder)) {}

    Prompter& prompter;
    ProcessControl& process;
    LocaleService& locale;
    QString programFolder;
    QString programName = QStringLiteral("ZR50");
    // The ports: the system's unless a test names its own.
    std::function<QString(int)> deviceForPort;
    std::function<QList<int>()> listPorts;
    int replyTimeoutMs = 300;
    // Where the roger-beep tones sound and the player's clock: the sound card
    // and real time unless a test brings its own (it keeps them alive).
    ToneOutput* toneOutput = nullptr;
    ToneClock* toneClock = nullptr;
};

class Zr50Program {
public:
    explicit Zr50Program(Zr50Services services);
    ~Zr50Program();

    Program& p();
    MdiForms& forms();
    ProgramProtocol& link();
    frmMain& main();
    ModBeep& beep();

private:
    struct Parts;
    std::unique_ptr<Parts> d_;
};

}  // namespace zr50
