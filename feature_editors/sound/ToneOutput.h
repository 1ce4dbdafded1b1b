#pragma once
// Where the roger-beep tones sound. The player keeps the time on its own clock
// and hands the output one piece of sound per step, in order; the output plays
// them back to back, so a tone or a pause lasts exactly what it was given even
// when the player's timer fires a little late.

#include <cstdint>
#include <memory>
#include <vector>

namespace zr50 {

class ToneOutput {
public:
    virtual ~ToneOutput() = default;
    // A playback starts.
    virtual void Begin() {}
    // A tone of hz for ms milliseconds, after what is already queued.
    virtual void Sound(int64_t hz, int64_t ms) = 0;
    // Silence for ms milliseconds, after what is already queued.
    virtual void Silence(int64_t ms) = 0;
    // The playback was cut short: what is queued or sounding is dropped.
    virtual void Stop() = 0;
};

// For a machine without sound: nothing sounds, the player still keeps the time.
class SilentToneOutput : public ToneOutput {
public:
    void Sound(int64_t, int64_t) override {}
    void Silence(int64_t) override {}
    void Stop() override {}
};

// Keeps what it was asked to play, for tests.
class RecordingToneOutput : public ToneOutput {
public:
    struct Piece {
        int64_t hz;  // 0 for silence
        int64_t ms;
        bool operator==(const Piece& o) const { return hz == o.hz && ms == o.ms; }
    };
    void Begin() override { ++begins; }
    void Sound(int64_t hz, int64_t ms) override { pieces.push_back({hz, ms}); }
    void Silence(int64_t ms) override { pieces.push_back({0, ms}); }
    void Stop() override { ++stops; }

    std::vector<Piece> pieces;
    int begins = 0;
    int stops = 0;
};

// The sound card's default device when it opens at the start of a playback,
// else silent timing; a later playback tries the device again. Nothing is
// reported either way.
std::unique_ptr<ToneOutput> SoundCardToneOutput();

}  // namespace zr50
