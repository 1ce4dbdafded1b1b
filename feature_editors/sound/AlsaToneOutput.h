#pragma once
// Tones on an ALSA device: a sine of each piece's frequency, written by a
// thread of its own so the user-interface thread never waits for the device.
// The stream runs on between pieces (silence is written, not skipped), so the
// tones and pauses keep their lengths to the sample.

#include "ToneOutput.h"

#include <memory>
#include <thread>

namespace zr50 {

class AlsaToneOutput : public ToneOutput {
public:
    static constexpr int kRate = 48000;  // frames per second, one channel, 16-bit
    static constexpr int kChunk = kRate / 100;  // frames per write: 10 ms

    // Null when the device does not open; ALSA's own complaints are kept quiet.
    static std::unique_ptr<AlsaToneOutput> Open(const char* device = "default");
    // Waits about a second at most for the writer: one stuck in a stalled
    // device is left behind with the device, which it closes should its call
    // ever return.
    ~AlsaToneOutput() override;

    void Sound(int64_t hz, int64_t ms) override;
    void Silence(int64_t ms) override;
    // Drops what is queued and returns at once; the writer drops what the
    // device holds as soon as its device call returns, before any later piece.
    void Stop() override;
    // Returns once everything queued has been handed to the device.
    void Flush();
    // The device failed while writing (unplugged, say); pieces are dropped since.
    bool Failed() const;

private:
    struct Writer;  // shared with the writer thread, which may outlive the output
    explicit AlsaToneOutput(std::shared_ptr<Writer> writer);
    void Queue(int64_t hz, int64_t ms);

    std::shared_ptr<Writer> writer_;
    std::thread thread_;
};

}  // namespace zr50
