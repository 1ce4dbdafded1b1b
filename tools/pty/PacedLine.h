#pragma once
// The far end of a simulated serial line on a pseudo-terminal: bytes heard are
// taken as arriving at line speed, bytes sent leave at line speed, optionally
// each heard byte is echoed at once (a half-duplex line) and replies go out in
// pieces with pauses between them.
//
// It lives in the event loop of the thread that calls Start().

#include "PseudoTerminal.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <deque>
#include <functional>

class QSocketNotifier;
class QTimer;

namespace zr50::sim {

class PacedLine : public QObject {
public:
    explicit PacedLine(QObject* parent = nullptr);
    ~PacedLine() override;

    bool Start(QString* error = nullptr);
    QString DevicePath() const { return pty_.DevicePath(); }
    bool IsOpen() const { return pty_.IsOpen(); }
    // The device disappears for whoever has it open.
    void CloseLine();

    // Each byte heard, at the time (ms on Now()'s clock) it has fully arrived.
    std::function<void(char byte, double at)> onByte;
    // The same, before the byte is echoed: what is sent from here goes out ahead of the echo.
    std::function<void(char byte, double at)> onArriving;
    // A piece of bytes went out to the line in one write.
    std::function<void(int bytes)> onWritten;
    // The line has been quiet for QuietMs after the last byte heard.
    std::function<void()> onQuiet;
    int quietMs = 5;

    // Sends bytes no earlier than notBefore, as pieces with pauses between them.
    void Send(const QByteArray& bytes, double notBefore, int pieces = 1, int pauseMs = 0);
    double Now() const { return clock_.nsecsElapsed() / 1e6; }

    // 10 bits per byte both ways; 0 for no throttle; kLineRate for the rate
    // the far end has set on the line, as a cable would carry it.
    static constexpr int kLineRate = -1;
    void SetBaudRate(int baud) {
        lineRate_ = baud == kLineRate;
        byteMs_ = baud > 0 ? 10000.0 / baud : 0.0;
    }
    void SetEcho(bool on) { echo_ = on; }

private:
    struct OutByte {
        double due;
        char byte;
        bool startsPiece;
        bool endsPiece;
        bool echo;
    };
    void OnReadable();
    void Queue(const QByteArray& bytes, double notBefore, bool echo = false);
    void Pump();

    PseudoTerminal pty_;
    QSocketNotifier* notifier_ = nullptr;
    QTimer* pump_ = nullptr;
    QTimer* quiet_ = nullptr;
    QElapsedTimer clock_;
    double inFree_ = 0, outFree_ = 0, byteMs_ = 0;
    bool lineRate_ = false;
    std::deque<OutByte> out_;
    bool echo_ = false;
};

}  // namespace zr50::sim
