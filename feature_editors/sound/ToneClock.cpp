#include "ToneClock.h"

#include <algorithm>
#include <limits>

namespace zr50 {

QtToneClock::QtToneClock() {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        // The callback may start the next wait.
        auto done = std::move(done_);
        done_ = nullptr;
        if (done) done();
    });
}

void QtToneClock::Wait(int64_t ms, std::function<void()> done) {
    done_ = std::move(done);
    // QTimer takes an int; a wait of weeks is as good as forever here.
    timer_.start(int(std::clamp<int64_t>(ms, 0, std::numeric_limits<int>::max())));
}

void QtToneClock::Cancel() {
    timer_.stop();
    done_ = nullptr;
}

}  // namespace zr50
