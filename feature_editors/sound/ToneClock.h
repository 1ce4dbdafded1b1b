#pragma once
// The player's clock: one wait at a time, ended by a callback on the
// user-interface thread. Tests use a hand-advanced one.

#include <QTimer>
#include <cstdint>
#include <functional>

namespace zr50 {

class ToneClock {
public:
    virtual ~ToneClock() = default;
    // Calls done once ms milliseconds have passed; replaces a wait not yet over.
    virtual void Wait(int64_t ms, std::function<void()> done) = 0;
    virtual void Cancel() = 0;
};

class QtToneClock : public ToneClock {
public:
    QtToneClock();
    void Wait(int64_t ms, std::function<void()> done) override;
    void Cancel() override;

private:
    QTimer timer_;
    std::function<void()> done_;
};

}  // namespace zr50
