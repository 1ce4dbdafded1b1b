#pragma once
// The roger-beep player and the record's bar chart. The player is a state
// machine over a clock and a tone output: each step is handed to the output
// and the next one starts when the clock says the step is over, so the
// window stays usable for the whole playback. One player serves the program
// and outlives the tone window; it reads the document and the shown record
// number at every step and touches no window.

#include <QObject>
#include <QRectF>
#include <QColor>
#include <cstdint>
#include <functional>
#include <vector>

class QPainter;

namespace zr50 {

class Document;
class ToneClock;
class ToneOutput;
struct ToneRecord;

// One bar of the chart in the picture's scale units (y grows downwards).
struct ToneBar {
    QRectF rect;
    QColor colour;
};
// The bars of a record drawn into a picture of that inner size.
std::vector<ToneBar> ToneBars(const ToneRecord& r, double innerWidth, double innerHeight);

class ModBeep : public QObject {
    Q_OBJECT
public:
    ModBeep(const Document& doc, ToneOutput& output, ToneClock& clock);
    ~ModBeep() override;

    // The record the tone window shows (1..8); a playback follows it.
    int16_t CurToneRecord = 1;

    bool ToneStopFlag = false;
    int32_t PlayCycles = 0;
    int32_t PlayInterval = 0;  // ms

    // Calls done once that many seconds have passed, at once when none.
    void WaitSeconds(double seconds, std::function<void()> done);
    // The steps' lengths added up, in ms; steps below 0 count as 0.
    int64_t ToneRecordLength(const int16_t& record) const;
    // Clears the stop request and takes the cycles and interval; true when the
    // record has something to play.
    bool PrepareTonePlay(const int16_t& record);
    // Plays the prepared cycles of the record, whose number is read anew at
    // every step; Finished() at the end or when a step finds the stop request.
    // A playback still running is cut first.
    void PlayToneRecord(const int16_t& record);
    void DrawToneRecord(const int16_t& record, QPainter& painter, double innerWidth,
                        double innerHeight) const;

    bool IsPlaying() const { return playing_; }
    // Ends a playback at once and drops its sound, without Finished().
    void Cancel();

signals:
    void Finished();

private:
    const ToneRecord* RecordOf(const int16_t& record) const;
    void Advance();
    void End();

    const Document& doc_;
    ToneOutput& output_;
    ToneClock& clock_;
    const int16_t* record_ = nullptr;
    bool playing_ = false;
    int step_ = 0;  // next step; one past the last means the interval is next
    int32_t counter_ = 0;
};

}  // namespace zr50
