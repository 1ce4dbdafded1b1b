#include "PacedLine.h"

#include <QSocketNotifier>
#include <QTimer>
#include <asm/termbits.h>
#include <sys/ioctl.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace zr50::sim {

namespace {
// The rate the far end set on its side of the pseudo-terminal; 0 when unknown.
int LineRateOf(int masterFd) {
    struct termios2 t {};
    return ::ioctl(masterFd, TCGETS2, &t) == 0 ? int(t.c_ospeed) : 0;
}
}  // namespace

PacedLine::PacedLine(QObject* parent) : QObject(parent) {
    pump_ = new QTimer(this);
    pump_->setSingleShot(true);
    pump_->setTimerType(Qt::PreciseTimer);
    connect(pump_, &QTimer::timeout, this, [this] { Pump(); });
    quiet_ = new QTimer(this);
    quiet_->setSingleShot(true);
    connect(quiet_, &QTimer::timeout, this, [this] {
        if (onQuiet) onQuiet();
    });
    clock_.start();
}

PacedLine::~PacedLine() {
    onByte = nullptr;
    onArriving = nullptr;
    onWritten = nullptr;
    onQuiet = nullptr;
    CloseLine();
}

bool PacedLine::Start(QString* error) {
    CloseLine();
    if (!pty_.Open(error)) return false;
    notifier_ = new QSocketNotifier(pty_.MasterFd(), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { OnReadable(); });
    return true;
}

void PacedLine::CloseLine() {
    if (notifier_) {
        // May run inside the notifier's own signal.
        notifier_->setEnabled(false);
        notifier_->deleteLater();
        notifier_ = nullptr;
    }
    pump_->stop();
    quiet_->stop();
    out_.clear();
    pty_.Close();
}

void PacedLine::OnReadable() {
    const QByteArray chunk = pty_.ReadAvailable();
    if (chunk.isEmpty()) return;
    if (lineRate_) {
        const int rate = LineRateOf(pty_.MasterFd());
        byteMs_ = rate > 0 ? 10000.0 / rate : 0.0;
    }
    // Each byte is taken as arriving at line speed after the one before it.
    double at = std::max(inFree_, Now());
    for (char c : chunk) {
        if (!pty_.IsOpen()) return;  // a listener pulled the plug
        at += byteMs_;
        if (onArriving) onArriving(c, at);
        if (echo_) Queue(QByteArray(1, c), at, /*echo=*/true);
        if (onByte) onByte(c, at);
    }
    inFree_ = at;
    Pump();
    if (pty_.IsOpen() && onQuiet) quiet_->start(std::max(0, int(std::ceil(at - Now()))) + quietMs);
}

void PacedLine::Send(const QByteArray& bytes, double notBefore, int pieces, int pauseMs) {
    if (!pty_.IsOpen() || bytes.isEmpty()) return;
    pieces = std::clamp(pieces, 1, int(bytes.size()));
    for (int k = 0, from = 0; k < pieces; ++k) {
        const int to = int(bytes.size()) * (k + 1) / pieces;
        Queue(bytes.mid(from, to - from), k == 0 ? notBefore : std::max(outFree_, Now()) + pauseMs);
        from = to;
    }
    Pump();
}

void PacedLine::Queue(const QByteArray& bytes, double notBefore, bool echo) {
    double t = std::max(notBefore, outFree_);
    // An echo runs on as one piece at line speed: a piece per byte would cost
    // a pump pass, a millisecond at least, for every byte.
    const bool join = echo && !out_.empty() && out_.back().echo;
    if (join) out_.back().endsPiece = false;
    for (int i = 0; i < bytes.size(); ++i) {
        t += byteMs_;
        out_.push_back({t, bytes[i], i == 0 && !join, i == bytes.size() - 1, echo});
    }
    outFree_ = t;
}

void PacedLine::Pump() {
    // A piece's last byte is the one a receiver waits for: timers count whole
    // milliseconds, so the pump wakes early for it and waits out the rest here.
    double now = Now();
    if (!out_.empty() && out_.front().endsPiece && out_.front().due > now &&
        out_.front().due - now < 2.5) {
        std::this_thread::sleep_for(std::chrono::microseconds(qint64((out_.front().due - now) * 1000)));
        now = Now();
    }
    QByteArray due;
    while (!out_.empty() && out_.front().due <= now && (due.isEmpty() || !out_.front().startsPiece)) {
        due.append(out_.front().byte);
        out_.pop_front();
    }
    if (!due.isEmpty() && pty_.Write(due) && onWritten) onWritten(int(due.size()));
    if (out_.empty() || pump_->isActive()) return;
    const OutByte& next = out_.front();
    int ms = std::max(0, int(std::floor(next.due - now - (next.endsPiece ? 2.0 : 0.0))));
    // A piece that is already due still waits for a pass of its own.
    if (!due.isEmpty() && next.startsPiece) ms = std::max(ms, 1);
    pump_->start(ms);
}

}  // namespace zr50::sim
