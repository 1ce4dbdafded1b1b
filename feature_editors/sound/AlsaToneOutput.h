#pragma once
// Tones on an ALSA device: a sine of each piece's frequency, written by a
// thread of its own so the user-interface thread never waits for the device.
// The stream runs on between pieces (silence is written, not skipped), so the
// tones and pauses keep their lengths to the sample.

#include "ToneOutput.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

typedef struct _snd_pcm snd_pcm_t;

namespace zr50 {

class AlsaToneOutput : public ToneOutput {
public:
    static constexpr int kRate = 48000;  // frames per second, one channel, 16-bit

    // Null when the device does not open; ALSA's own complaints are kept quiet.
    static std::unique_ptr<AlsaToneOutput> Open(const char* device = "default");
    ~AlsaToneOutput() override;

    void Sound(int64_t hz, int64_t ms) override;
    void Silence(int64_t ms) override;
    void Stop() override;
    // Returns once everything queued has been handed to the device.
    void Flush();
    // The device failed while writing (unplugged, say); pieces are dropped since.
    bool Failed() const;

private:
    struct Piece {
        int64_t hz;
        int64_t frames;
    };
    explicit AlsaToneOutput(snd_pcm_t* pcm);
    void Queue(int64_t hz, int64_t ms);
    void Run();
    // Writes one piece; false when a stop or the end cut it short.
    bool Write(const Piece& piece, uint64_t generation);
    bool WriteFrames(const int16_t* frames, long count);

    snd_pcm_t* pcm_;
    mutable std::mutex m_;
    std::condition_variable cv_;
    std::deque<Piece> queue_;
    uint64_t generation_ = 0;  // raised by every stop
    bool dropDevice_ = false;
    bool writing_ = false;
    bool quit_ = false;
    bool failed_ = false;
    std::thread thread_;
};

}  // namespace zr50
