#include "FlashRadio.h"

#include <QTimer>
#include <algorithm>

namespace kdi::sim {

FlashRadio::FlashRadio() {
    // Bytes take the time the program's line setting gives them, as on a cable.
    line_.SetBaudRate(zr50::sim::PacedLine::kLineRate);
    line_.onArriving = [this](char, double at) {
        // The first byte of frame strayFrame: nothing half-heard, the frame before complete.
        if (strayFrame > 0 && radio.Pending() == 0 && radio.Frames() == strayFrame - 1)
            line_.Send(QByteArray(1, strayByte), at);
    };
    line_.onByte = [this](char c, double at) { Answer(radio.Hear(QByteArray(1, c)), at); };
    line_.onQuiet = [this] {
        if (radio.Pending() > 0) Answer(radio.Quiet(), line_.Now());
    };
}

void FlashRadio::Answer(const QList<QByteArray>& replies, double at) {
    // Each call completes at most the frame just counted.
    const bool late = lateFrame > 0 && radio.Frames() == lateFrame;
    for (const QByteArray& r : replies) {
        if (late)  // by a timer of its own, so answers queued meanwhile go first
            QTimer::singleShot(int(std::max(0.0, at - line_.Now())) + lateMs, &line_,
                               [this, r] { line_.Send(r, line_.Now(), pieces_, pauseMs_); });
        else
            line_.Send(r, at, pieces_, pauseMs_);
    }
    if (!saveTo.isEmpty() && radio.counters.ends != endsSaved_) {
        endsSaved_ = radio.counters.ends;
        radio.SaveTo(saveTo);
    }
}

}  // namespace kdi::sim
