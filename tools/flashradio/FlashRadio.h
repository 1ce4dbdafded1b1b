#pragma once
// A simulated radio for KDImager3 on a pseudo-terminal: the answers of
// FlashRadioModel on a paced line, with echo, split replies and a baud-rate
// throttle. It lives in the event loop of the thread that calls Start().

#include "FlashRadioModel.h"
#include "PacedLine.h"

namespace kdi::sim {

class FlashRadio {
public:
    FlashRadio();
    bool Start(QString* error = nullptr) { return line_.Start(error); }
    QString DevicePath() const { return line_.DevicePath(); }

    FlashRadioModel radio;
    // Where the pages go after each end byte (empty: nowhere).
    QString saveTo;

    // Faults of the line (0: off); frames count from the start, handshake
    // first, and again from 0 whenever radio is replaced.
    // The answer to frame lateFrame leaves lateMs late; later answers do not wait for it.
    int lateFrame = 0;
    int lateMs = 0;
    // One stray byte goes out just before frame strayFrame begins (before its echo).
    int strayFrame = 0;
    char strayByte = 0x06;

    void SetEcho(bool on) { line_.SetEcho(on); }
    // At the line's own rate unless set (0: no throttle).
    void SetBaudRate(int baud) { line_.SetBaudRate(baud); }
    // Each reply goes out in this many pieces with a pause between them.
    void SplitReplies(int pieces, int pauseMs) {
        pieces_ = pieces;
        pauseMs_ = pauseMs;
    }
    void CloseLine() { line_.CloseLine(); }
    zr50::sim::PacedLine& line() { return line_; }

private:
    void Answer(const QList<QByteArray>& replies, double at);
    zr50::sim::PacedLine line_;
    int pieces_ = 1, pauseMs_ = 0;
    int endsSaved_ = 0;
};

}  // namespace kdi::sim
