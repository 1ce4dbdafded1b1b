// How close the simulated radio's throttled line comes to the pure line time,
// without the program: a bare client reads, then writes, blocks one at a time,
// with the radio in a thread of its own. This is the floor under the link
// benchmark's ratios. Prints figures; asserts nothing.

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

    // One pass: a frame per block, the next sent when the whole reply is in.
    auto pass = [&](const char* name, char command, int replyLength) {
        int addr = 0, done = 0;
        auto send = [&] {
            QByteArray f(4, '\0');
            f[0] = command;
            f[1] = char(addr >> 8);
            f[2] = char(addr);
            f[3] = 16;
            if (command == 'W') {
                f += QByteArray(16, '\x5A') + QByteArray("\0\x06", 2);
                f[f.size() - 2] = char(sim::FrameChecksum(f));
            }
            pc.SetThreshold(replyLength);
            pc.ClearInput();
            pc.Output(f);
            return f.size();
        };
        int frameLength = 0;
        QElapsedTimer clock;
        pc.onReceive = [&](const QByteArray&) {
            addr += 16;
            if (++done == blocks) {
                app.quit();
                return;
            }
            send();
        };
        clock.start();
        frameLength = send();
        app.exec();
        const double ms = clock.nsecsElapsed() / 1e6;
        const double lineMs = blocks * (frameLength + replyLength) * 10 * 1000.0 / baud;
        std::printf("%s %d blocks at %d baud: %.0f ms, line time %.0f ms (ratio %.4f)\n", name, blocks,
                    baud, ms, lineMs, ms / lineMs);
    };
    pass("read ", 'R', 22);
    pass("write", 'W', 1);
    thread.quit();
    thread.wait();
    return 0;
}
