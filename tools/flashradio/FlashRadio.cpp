#include "FlashRadio.h"

namespace kdi::sim {

FlashRadio::FlashRadio() {
    line_.onByte = [this](char c, double at) { Answer(radio.Hear(QByteArray(1, c)), at); };
    line_.onQuiet = [this] {
        if (radio.Pending() > 0) Answer(radio.Quiet(), line_.Now());
    };
}

void FlashRadio::Answer(const QList<QByteArray>& replies, double at) {
    for (const QByteArray& r : replies) line_.Send(r, at, pieces_, pauseMs_);
    if (!saveTo.isEmpty() && radio.counters.ends != endsSaved_) {
        endsSaved_ = radio.counters.ends;
        radio.SaveTo(saveTo);
    }
}

}  // namespace kdi::sim
