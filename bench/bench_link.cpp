// Whole-image reads and writes through the link against the simulated radio on
// a pseudo-terminal: wall time with the line unthrottled, and with the radio
// throttled to a baud rate the ratio of the transfer's time to the pure line
// time of its bytes. Prints figures; asserts nothing.
//
// bench_link [baud]   (default 9600; 0 skips the throttled runs)

#include "SimRadio.h"
#include "link/HeadlessLinkView.h"
#include "link/ProgramProtocol.h"
#include "link/SerialLink.h"
#include "support/ScriptedLink.h"
#include "support/Scripted.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <cstdlib>

using namespace zr50;

namespace {

struct Run {
    double ms = 0;
    qint64 bytes = 0;  // both ways
    bool ok = false;
};

template <class F>
void InRadioThread(sim::SimRadio* radio, F f) {
    QMetaObject::invokeMethod(radio, f, Qt::BlockingQueuedConnection);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int baud = argc > 1 ? std::atoi(argv[1]) : 9600;

    QThread thread;
    auto* radio = new sim::SimRadio;
    radio->moveToThread(&thread);
    QObject::connect(&thread, &QThread::finished, radio, &QObject::deleteLater);
    thread.start();
    bool started = false;
    QString device;
    InRadioThread(radio, [&] {
        started = radio->Start();
        device = radio->DevicePath();
    });
    QTemporaryDir mapDir;
    if (!started || !QFile::link(device, mapDir.path() + QStringLiteral("/com40"))) {
        std::fprintf(stderr, "cannot start the simulated radio\n");
        return 1;
    }
    qputenv("KDRADIO_PORT_DIR", mapDir.path().toLocal8Bit());

    test::TestProgram tp;
    Program& p = tp.p();
    p.settings.PortNo = 40;
    p.versions.VersionPairTable = QStringList{"V200", "V200"};
    test::FillWritableDocument(p.doc);
    SerialLinkPort port;
    TimerReply wait(300), timerWrite(20);
    ProgramProtocol link(p, port, wait, timerWrite);
    link.listPorts = [] { return QList<int>{40}; };
    HeadlessLinkView view(p, link);

    auto measure = [&](bool read, int rate) {
        InRadioThread(radio, [&] {
            radio->SetBaudRate(rate);
            radio->counters = sim::RadioCounters();
        });
        tp.prompter.shown.clear();
        QElapsedTimer clock;
        clock.start();
        if (read)
            link.mnuReadFromRadio_Click();
        else
            link.TimerWrite_Timer();
        Run r;
        r.ms = clock.nsecsElapsed() / 1e6;
        InRadioThread(radio, [&] { r.bytes = radio->counters.bytesIn + radio->counters.bytesOut; });
        // Only the question and the result: no time-out, no restart.
        r.ok = tp.prompter.shown.size() == 2;
        return r;
    };
    auto report = [](const char* what, const Run& r, int rate) {
        std::printf("%-6s %8.0f ms  %6lld bytes", what, r.ms, static_cast<long long>(r.bytes));
        if (rate > 0) {
            const double lineMs = r.bytes * 10.0 * 1000.0 / rate;
            std::printf("  line time %8.0f ms  ratio %.4f", lineMs, r.ms / lineMs);
        }
        std::printf("%s\n", r.ok ? "" : "  (prompts beyond the usual: not a clean run)");
    };

    std::printf("Whole image (1484 blocks), unthrottled:\n");
    report("read", measure(true, 0), 0);
    report("write", measure(false, 0), 0);
    if (baud > 0) {
        std::printf("Radio throttled to %d baud:\n", baud);
        report("read", measure(true, baud), baud);
        report("write", measure(false, baud), baud);
    }
    thread.quit();
    thread.wait();
    return 0;
}
