// A whole KDImager3 write of 256 pages against the simulated flash radio, with
// the radio in a thread of its own: at 115200 baud (ratio of the transfer time
// to the pure line time of its bytes, beside the simulated line's own floor
// measured in the same run by a bare client sending the same page frames) and
// on a fast line of 921600 baud (pages per second; the program takes no answer
// sooner than its frame can cross the line, so a line without a speed is no
// measure). The transfer is timed up to the end byte's answer; the quiet the
// program then waits for (the reply time-out, 3 s here) is printed apart.
// Prints figures; asserts nothing.

#include "FlashFrames.h"
#include "FlashRadio.h"
#include "UpdateProtocol.h"
#include "link/SerialLink.h"
#include "support/Scripted.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cstdio>
#include <cstdlib>

using namespace kdi;

namespace {

constexpr int kPages = 256;

class NoWindows : public FlashView {
public:
    UpdateProtocol* link = nullptr;
    void ShowProgress() override { link->StartSession(); }
    bool IsProgressVisible() const override { return false; }
    void SetProgressValue(int) override {}
    void SetPercentText(const QString&) override {}
    void UnloadProgress() override {}
    void ShowBydata() override {}
};

struct RadioThread {
    QThread thread;
    sim::FlashRadio radio;
    QString device;
    explicit RadioThread(int baud) {
        radio.SetBaudRate(baud);
        radio.line().moveToThread(&thread);
        thread.start();
        QMetaObject::invokeMethod(&radio.line(), [this] {
            if (radio.Start()) device = radio.DevicePath();
        }, Qt::BlockingQueuedConnection);
    }
    ~RadioThread() {
        QMetaObject::invokeMethod(&radio.line(), [this] {
            radio.CloseLine();
            radio.line().moveToThread(QCoreApplication::instance()->thread());
        }, Qt::BlockingQueuedConnection);
        thread.quit();
        thread.wait();
    }
};

double LineMs(qint64 bytes, int baud) { return bytes * 10 * 1000.0 / baud; }

// The bare floor: page frames one after another, each sent when its ACK is in.
double FloorRatio(QCoreApplication& app, int baud) {
    RadioThread r(baud);
    zr50::SerialLinkPort pc;
    zr50::LineSettings line;
    line.baud = baud;
    if (r.device.isEmpty() || !pc.Open(r.device, line)) return 0;
    int done = 0;
    auto send = [&] {
        pc.SetThreshold(1);
        pc.Output(WritePageFrame(uint32_t(done) * 1024, QByteArray(1024, char(done))));
    };
    pc.onReceive = [&](const QByteArray&) {
        if (++done == kPages) {
            app.quit();
            return;
        }
        send();
    };
    QElapsedTimer clock;
    clock.start();
    send();
    app.exec();
    const double ms = clock.nsecsElapsed() / 1e6;
    return ms / LineMs(qint64(kPages) * (kPageFrameSize + 1), baud);
}

struct WriteTimes {
    double answered = 0;  // until the end byte's answer came in
    double total = 0;     // until the session ended, after the quiet behind that answer
    int pages = 0;        // pages the radio holds
};

// The whole write through the protocol.
WriteTimes Write(QCoreApplication& app, int baud) {
    WriteTimes t;
    RadioThread r(baud);
    zr50::test::ScriptedPrompter prompter;
    FlashProject project(prompter);
    project.SetModelText(0, QStringLiteral("KD-F1"));
    project.SetModelText(1, QStringLiteral("V100"));
    project.BlockList.resize(1);
    project.BlockList[0].Address = 0;
    project.BlockList[0].Length = kPages * 1024;
    project.ProjHead.BlockCount = 1;
    project.ProjHead.PoolSize = kPages * 1024;
    project.DataPool = QByteArray(kPages * 1024, char(0x5A));
    FlashSettings settings;
    settings.comPort = 1;
    settings.PortSpeed = QString::number(baud);
    settings.PortTime = 3;
    settings.Duplex = true;
    zr50::SerialLinkPort port;
    zr50::TimerReply wait;
    UpdateProtocol link(project, settings, port, wait, prompter);
    const QString device = r.device;
    link.SetDeviceOfPort([device](int) { return device; });
    NoWindows view;
    view.link = &link;
    link.SetView(&view);
    QElapsedTimer clock;
    clock.start();
    if (!link.CommandWrite(true)) return t;
    while (link.CommMode != 0) {
        app.processEvents(QEventLoop::WaitForMoreEvents);
        if (t.answered == 0 && link.WriteStep == kStepEnd && link.Phase == Waiting::Confirm)
            t.answered = clock.nsecsElapsed() / 1e6;
    }
    t.total = clock.nsecsElapsed() / 1e6;
    QMetaObject::invokeMethod(&r.radio.line(), [&] { t.pages = r.radio.radio.counters.pages; },
                              Qt::BlockingQueuedConnection);
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int baud = argc > 1 ? std::atoi(argv[1]) : 115200;
    // Handshake, identity and end byte with their answers, then every page frame and its ACK.
    const qint64 bytes = 6 + 1 + 1 + 16 + qint64(kPages) * (kPageFrameSize + 1) + 1 + 1;

    const WriteTimes w = Write(app, baud);
    const double line = LineMs(bytes, baud);
    const double floor = FloorRatio(app, baud);
    std::printf("write %d pages at %d baud: %.0f ms to the end byte's answer, line time %.0f ms, "
                "ratio %.4f (the bare line's floor %.4f); the quiet behind that answer adds %.0f ms; "
                "%d pages landed\n",
                kPages, baud, w.answered, line, w.answered / line, floor, w.total - w.answered, w.pages);

    const int fastBaud = 921600;
    const WriteTimes fast = Write(app, fastBaud);
    std::printf("write %d pages at %d baud: %.0f ms to the end byte's answer, line time %.0f ms, ratio %.4f, "
                "%.0f pages/s; the quiet behind it adds %.0f ms; %d pages landed\n",
                kPages, fastBaud, fast.answered, LineMs(bytes, fastBaud), fast.answered / LineMs(bytes, fastBaud),
                kPages * 1000.0 / fast.answered, fast.total - fast.answered, fast.pages);
    return 0;
}
