#include "ModBeep.h"

#include "ToneClock.h"
#include "ToneOutput.h"
#include "model/Document.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace zr50 {

namespace {
// Ties to even, as the chart's widths and heights are rounded.
double RoundEven(double v) { return std::nearbyint(v); }
int64_t LengthOf(const ToneStep& s) { return std::max<int64_t>(s.ToneLen, 0); }
}  // namespace

std::vector<ToneBar> ToneBars(const ToneRecord& r, double innerWidth, double innerHeight) {
    std::vector<ToneBar> bars;
    const double a = RoundEven(innerWidth - 100);
    const double b = RoundEven(innerHeight - 100);
    int64_t total = 0;
    for (int k = 1; k <= kToneSteps; ++k) total += LengthOf(r.Step[size_t(k)]);
    if (total < 1) return bars;
    double x = 50;
    const double base = innerHeight - 50;
    for (int k = 1; k <= kToneSteps; ++k) {
        const ToneStep& s = r.Step[size_t(k)];
        if (s.ToneLen <= 0) continue;
        const double w = RoundEven(double(s.ToneLen) * a / double(total));
        // A code beyond the editor's 255 stays within the picture.
        const double h = std::clamp(RoundEven(double(s.ToneFreq) * b / 256), 0.0, std::max(b, 0.0));
        const QColor colour = k % 2 ? QColor(255, 0, 0) : QColor(0, 0, 255);
        bars.push_back({QRectF(x, base - h, w, h), colour});
        x += w;
    }
    return bars;
}

ModBeep::ModBeep(const Document& doc, ToneOutput& output, ToneClock& clock)
    : doc_(doc), output_(output), clock_(clock) {}

ModBeep::~ModBeep() { Cancel(); }

const ToneRecord* ModBeep::RecordOf(const int16_t& record) const {
    if (record < 1 || record > kToneRecords) return nullptr;
    return &doc_.DataRec.RBToneTable[size_t(record)];
}

void ModBeep::WaitSeconds(double seconds, std::function<void()> done) {
    if (!(seconds > 0)) {
        done();
        return;
    }
    // Whole milliseconds, at least the time asked for (0.01 s is 10 ms, not 11).
    clock_.Wait(int64_t(std::ceil(seconds * 1000 - 1e-6)), std::move(done));
}

int64_t ModBeep::ToneRecordLength(const int16_t& record) const {
    const ToneRecord* r = RecordOf(record);
    int64_t sum = 0;
    if (r)
        for (int k = 1; k <= kToneSteps; ++k) sum += LengthOf(r->Step[size_t(k)]) * 10;
    return sum;
}

bool ModBeep::PrepareTonePlay(const int16_t& record) {
    ToneStopFlag = false;
    const ToneRecord* r = RecordOf(record);
    PlayCycles = r ? r->Cycles : 0;
    PlayInterval = r ? int32_t(r->Interval) * 10 : 0;
    return ToneRecordLength(record) >= 5;
}

void ModBeep::PlayToneRecord(const int16_t& record) {
    Cancel();
    record_ = &record;
    counter_ = 0;
    if (PlayCycles <= 0) {
        emit Finished();
        return;
    }
    playing_ = true;
    step_ = 1;
    output_.Begin();
    Advance();
}

void ModBeep::Advance() {
    // Loops over what takes no time; returns while a step or the interval sounds.
    while (playing_) {
        if (step_ <= kToneSteps) {
            const ToneRecord* r = RecordOf(*record_);
            const ToneStep s = r ? r->Step[size_t(step_)] : ToneStep{};
            ++step_;
            const int64_t ms = int64_t(s.ToneLen) * 10;
            if (ms <= 5) continue;  // no sound, no pause, no stop check
            if (ToneStopFlag) {
                End();
                return;
            }
            const int64_t hz = int64_t(s.ToneFreq) * 10;
            if (hz < 50)
                output_.Silence(ms);
            else
                output_.Sound(hz, ms);
            clock_.Wait(ms, [this] { Advance(); });
            return;
        }
        if (step_ == kToneSteps + 1) {
            // The pause after the repetition, the last one included.
            ++step_;
            if (PlayInterval > 0) {
                output_.Silence(PlayInterval);
                WaitSeconds(PlayInterval / 1000.0, [this] { Advance(); });
                return;
            }
        }
        if (++counter_ >= PlayCycles) {
            End();
            return;
        }
        step_ = 1;
    }
}

void ModBeep::End() {
    playing_ = false;
    clock_.Cancel();
    emit Finished();
}

void ModBeep::Cancel() {
    clock_.Cancel();
    if (!playing_) return;
    playing_ = false;
    output_.Stop();
}

void ModBeep::DrawToneRecord(const int16_t& record, QPainter& painter, double innerWidth,
                             double innerHeight) const {
    const ToneRecord* r = RecordOf(record);
    if (!r) return;
    for (const ToneBar& bar : ToneBars(*r, innerWidth, innerHeight))
        painter.fillRect(bar.rect, bar.colour);
}

}  // namespace zr50
