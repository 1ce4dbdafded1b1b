#pragma once
// A hand-advanced clock for the tone player, tone records written as lists
// of (frequency code, length) steps, and the tone window's user actions.

#include "FrmToneTips.h"
#include "model/Records.h"
#include "link/ProgramProtocol.h"
#include "support/widgets/InstalledProgram.h"
#include "support/widgets/WindowHarness.h"
#include "sound/ToneClock.h"
#include "sound/ToneOutput.h"

#include <QTabBar>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <utility>
#include <vector>

namespace zr50::test {

class FakeToneClock : public ToneClock {
public:
    void Wait(int64_t ms, std::function<void()> done) override {
        pending = ms;
        done_ = std::move(done);
    }
    void Cancel() override { done_ = nullptr; }
    bool Waiting() const { return bool(done_); }
    // The wait runs out; false when there was none.
    bool Fire() {
        if (!done_) return false;
        auto done = std::move(done_);
        done_ = nullptr;
        now += pending;
        done();
        return true;
    }
    // Every wait runs out, up to a bound that only keeps a broken test from hanging.
    int RunOut(int limit = 100000) {
        int fired = 0;
        while (fired < limit && Fire()) ++fired;
        return fired;
    }
    int64_t now = 0;  // ms of waits that ran out
    int64_t pending = 0;

private:
    std::function<void()> done_;
};

using Piece = RecordingToneOutput::Piece;
using Pieces = std::vector<Piece>;

inline void SetSteps(ToneRecord& r, std::initializer_list<std::pair<int, int>> steps, int cycles,
                     int interval) {
    r = ToneRecord{};
    int k = 1;
    for (const auto& [freq, len] : steps) {
        r.Step[size_t(k)].ToneFreq = int16_t(freq);
        r.Step[size_t(k)].ToneLen = int16_t(len);
        ++k;
    }
    r.Cycles = int16_t(cycles);
    r.Interval = int16_t(interval);
}

// A click on a tab, as the user makes it (choices in lists: Choose).
inline void ClickTab(FrmToneTips* w, int n) {
    QTest::mouseClick(w->TabStrip1, Qt::LeftButton, {}, w->TabStrip1->tabRect(n - 1).center());
}

// The installed program with a recorded tone output on a hand-advanced clock
// and one simulated radio.
class ProgramWithTones : public ::testing::Test, protected InstalledProgram {
protected:
    void SetUp() override {
        services = [this](Zr50Services& s) {
            s.toneOutput = &out;
            s.toneClock = &clock;
        };
        ASSERT_TRUE(Start({&radio}));
    }
    void TearDown() override { zr50.reset(); }  // before the radio and the tone output go
    Program& p() { return zr50->p(); }
    frmMain& main() { return zr50->main(); }
    bool Idle() { return zr50->link().CommMode == 0; }

    RecordingToneOutput out;
    FakeToneClock clock;
    sim::SimRadio radio;
};

}  // namespace zr50::test
