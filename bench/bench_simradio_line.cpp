// How close the simulated radio's throttled line comes to the pure line time:
// reads blocks one at a time, as the program does, with the radio in a thread
// of its own. Prints figures; asserts nothing.

#include "SimRadio.h"
#include "link/SerialLink.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cstdio>
#include <cstdlib>

using namespace zr50;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int baud = 9600;
    const int blocks = argc > 1 ? std::atoi(argv[1]) : 100;

    QThread thread;
    auto* radio = new sim::SimRadio;
    radio->SetBaudRate(baud);
    radio->moveToThread(&thread);
    QObject::connect(&thread, &QThread::finished, radio, &QObject::deleteLater);
    thread.start();
    QString device;
    bool started = false;
    QMetaObject::invokeMethod(radio, [&] {
        started = radio->Start();
        device = radio->DevicePath();
    }, Qt::BlockingQueuedConnection);
    SerialLinkPort pc;
    if (!started || !pc.Open(device, LineSettings{})) {
        std::fprintf(stderr, "cannot open the simulated radio\n");
        return 1;
    }

    int addr = 0, done = 0;
    auto request = [&] {
        QByteArray f("R\0\0\x10", 4);
        f[1] = char(addr >> 8);
        f[2] = char(addr);
        pc.SetThreshold(22);
        pc.ClearBuffers();
        pc.Output(f);
    };
    QElapsedTimer clock;
    pc.onReceive = [&](const QByteArray&) {
        addr += 16;
        if (++done == blocks) {
            app.quit();
            return;
        }
        request();
    };
    clock.start();
    request();
    app.exec();
    const double ms = clock.nsecsElapsed() / 1e6;
    const double lineMs = blocks * 26 * 10 * 1000.0 / baud;
    std::printf("%d blocks at %d baud: %.0f ms, line time %.0f ms (%.1f%% over)\n", blocks, baud,
                ms, lineMs, 100.0 * (ms - lineMs) / lineMs);
    thread.quit();
    thread.wait();
    return 0;
}
