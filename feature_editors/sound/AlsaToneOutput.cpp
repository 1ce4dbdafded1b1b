#include "AlsaToneOutput.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace zr50 {

namespace {
constexpr int kChunk = AlsaToneOutput::kRate / 100;  // 10 ms per write
constexpr double kAmplitude = 0.3 * 32767;
constexpr unsigned kLatencyUs = 60000;
constexpr double kPi = 3.14159265358979323846;

void Quiet(const char*, int, const char*, int, const char*, ...) {}
}  // namespace

std::unique_ptr<AlsaToneOutput> AlsaToneOutput::Open(const char* device) {
    // A machine without a sound card is no fault: ALSA must not print about it.
    snd_lib_error_set_handler(&Quiet);
    snd_pcm_t* pcm = nullptr;
    // Opened without blocking, so a busy device fails at once instead of hanging.
    if (snd_pcm_open(&pcm, device, SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0) return nullptr;
    if (snd_pcm_nonblock(pcm, 0) < 0 ||
        snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, 1, kRate, 1,
                           kLatencyUs) < 0) {
        snd_pcm_close(pcm);
        return nullptr;
    }
    return std::unique_ptr<AlsaToneOutput>(new AlsaToneOutput(pcm));
}

AlsaToneOutput::AlsaToneOutput(snd_pcm_t* pcm) : pcm_(pcm), thread_([this] { Run(); }) {}

AlsaToneOutput::~AlsaToneOutput() {
    {
        std::lock_guard<std::mutex> lock(m_);
        quit_ = true;
        queue_.clear();
        ++generation_;
    }
    cv_.notify_all();
    thread_.join();
    snd_pcm_close(pcm_);
}

void AlsaToneOutput::Sound(int64_t hz, int64_t ms) { Queue(hz, ms); }
void AlsaToneOutput::Silence(int64_t ms) { Queue(0, ms); }

void AlsaToneOutput::Queue(int64_t hz, int64_t ms) {
    if (ms <= 0) return;
    {
        std::lock_guard<std::mutex> lock(m_);
        if (failed_) return;
        // Above half the rate a sine cannot be written: such a tone stays silent.
        queue_.push_back({hz * 2 < kRate ? std::max<int64_t>(hz, 0) : 0, ms * kRate / 1000});
    }
    cv_.notify_all();
}

void AlsaToneOutput::Stop() {
    {
        std::lock_guard<std::mutex> lock(m_);
        queue_.clear();
        ++generation_;
        dropDevice_ = true;
    }
    cv_.notify_all();
}

void AlsaToneOutput::Flush() {
    std::unique_lock<std::mutex> lock(m_);
    cv_.wait(lock, [this] { return (queue_.empty() && !writing_) || failed_; });
}

bool AlsaToneOutput::Failed() const {
    std::lock_guard<std::mutex> lock(m_);
    return failed_;
}

void AlsaToneOutput::Run() {
    std::unique_lock<std::mutex> lock(m_);
    for (;;) {
        cv_.wait(lock, [this] { return quit_ || dropDevice_ || !queue_.empty(); });
        if (quit_) return;
        if (dropDevice_) {
            // Only this thread touches the device.
            dropDevice_ = false;
            lock.unlock();
            snd_pcm_drop(pcm_);
            snd_pcm_prepare(pcm_);
            lock.lock();
            continue;
        }
        const Piece piece = queue_.front();
        queue_.pop_front();
        const uint64_t generation = generation_;
        writing_ = true;
        lock.unlock();
        const bool ok = Write(piece, generation);
        lock.lock();
        writing_ = false;
        if (!ok && generation == generation_ && !quit_) {
            failed_ = true;
            queue_.clear();
        }
        cv_.notify_all();
    }
}

bool AlsaToneOutput::Write(const Piece& piece, uint64_t generation) {
    std::vector<int16_t> chunk(kChunk);
    const double step = 2 * kPi * double(piece.hz) / kRate;
    for (int64_t done = 0; done < piece.frames;) {
        {
            std::lock_guard<std::mutex> lock(m_);
            if (generation != generation_) return true;  // stopped: not a failure
        }
        const long count = long(std::min<int64_t>(kChunk, piece.frames - done));
        for (long i = 0; i < count; ++i)
            chunk[size_t(i)] =
                piece.hz > 0 ? int16_t(std::lround(kAmplitude * std::sin(step * double(done + i)))) : 0;
        if (!WriteFrames(chunk.data(), count)) return false;
        done += count;
    }
    return true;
}

bool AlsaToneOutput::WriteFrames(const int16_t* frames, long count) {
    while (count > 0) {
        snd_pcm_sframes_t n = snd_pcm_writei(pcm_, frames, snd_pcm_uframes_t(count));
        if (n == -EAGAIN) continue;
        // An underrun (the stream ran dry between playbacks) or a suspend is recovered.
        if (n < 0) n = snd_pcm_recover(pcm_, int(n), 1);
        if (n < 0) return false;
        frames += n;
        count -= long(n);
    }
    return true;
}

namespace {
// Tries the device at each playback until it opens; silent timing meanwhile.
class SoundCard : public ToneOutput {
public:
    void Begin() override {
        if (alsa_ && !alsa_->Failed()) return;
        std::unique_ptr<AlsaToneOutput> opened = AlsaToneOutput::Open();
        alsa_ = opened.get();
        active_ = opened ? std::unique_ptr<ToneOutput>(std::move(opened))
                         : std::make_unique<SilentToneOutput>();
    }
    void Sound(int64_t hz, int64_t ms) override { active_->Sound(hz, ms); }
    void Silence(int64_t ms) override { active_->Silence(ms); }
    void Stop() override { active_->Stop(); }

private:
    std::unique_ptr<ToneOutput> active_ = std::make_unique<SilentToneOutput>();
    AlsaToneOutput* alsa_ = nullptr;  // active_ when the device is open
};
}  // namespace

std::unique_ptr<ToneOutput> SoundCardToneOutput() { return std::make_unique<SoundCard>(); }

}  // namespace zr50
