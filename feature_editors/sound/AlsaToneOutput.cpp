#include "AlsaToneOutput.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

namespace zr50 {

namespace {
constexpr double kAmplitude = 0.3 * 32767;
constexpr unsigned kLatencyUs = 60000;
// The longest the writer waits for room in the device before it looks for a
// stop or the end again: how late a stop's drop can come.
constexpr int kRoomWaitMs = 20;
// The longest the program's exit waits for the writer.
constexpr auto kExitWait = std::chrono::seconds(1);
constexpr double kPi = 3.14159265358979323846;

void Quiet(const char*, int, const char*, int, const char*, ...) {}
}  // namespace

struct AlsaToneOutput::Writer {
    struct Piece {
        int64_t hz;
        int64_t frames;
    };
    enum class Result { Done, Stopped, Failed };

    explicit Writer(snd_pcm_t* p) : pcm(p) {}
    void Run();
    Result Write(const Piece& piece, uint64_t generation);
    Result WriteFrames(const int16_t* frames, long count, uint64_t generation);

    // Once the writer runs, only it calls the device: any call can wait for a
    // stalled sound server.
    snd_pcm_t* const pcm;
    std::mutex m;
    std::condition_variable cv;
    std::deque<Piece> queue;
    uint64_t generation = 0;  // raised by every stop and at the end
    bool dropDevice = false;  // a stop whose drop the writer still owes
    bool writing = false;
    bool quit = false;
    bool failed = false;
    bool finished = false;  // the device is closed
};

std::unique_ptr<AlsaToneOutput> AlsaToneOutput::Open(const char* device) {
    // A machine without a sound card is no fault: ALSA must not print about it.
    snd_lib_error_set_handler(&Quiet);
    snd_pcm_t* pcm = nullptr;
    // Without blocking: a busy device fails at once, and a full one is waited
    // for a little at a time, so no write holds the writer for long.
    if (snd_pcm_open(&pcm, device, SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0) return nullptr;
    if (snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, 1, kRate, 1,
                           kLatencyUs) < 0) {
        snd_pcm_close(pcm);
        return nullptr;
    }
    return std::unique_ptr<AlsaToneOutput>(new AlsaToneOutput(std::make_shared<Writer>(pcm)));
}

AlsaToneOutput::AlsaToneOutput(std::shared_ptr<Writer> writer)
    : writer_(std::move(writer)), thread_([w = writer_] { w->Run(); }) {}

AlsaToneOutput::~AlsaToneOutput() {
    Writer& w = *writer_;
    std::unique_lock<std::mutex> lock(w.m);
    w.quit = true;
    w.queue.clear();
    ++w.generation;
    w.cv.notify_all();
    const bool closed = w.cv.wait_for(lock, kExitWait, [&w] { return w.finished; });
    lock.unlock();
    if (closed)
        thread_.join();
    else
        thread_.detach();  // it holds its share of the writer and the device
}

void AlsaToneOutput::Sound(int64_t hz, int64_t ms) { Queue(hz, ms); }
void AlsaToneOutput::Silence(int64_t ms) { Queue(0, ms); }

void AlsaToneOutput::Queue(int64_t hz, int64_t ms) {
    if (ms <= 0) return;
    Writer& w = *writer_;
    {
        std::lock_guard<std::mutex> lock(w.m);
        if (w.failed) return;
        // Above half the rate a sine cannot be written: such a tone stays silent.
        w.queue.push_back({hz * 2 < kRate ? std::max<int64_t>(hz, 0) : 0, ms * kRate / 1000});
    }
    w.cv.notify_all();
}

void AlsaToneOutput::Stop() {
    Writer& w = *writer_;
    {
        std::lock_guard<std::mutex> lock(w.m);
        w.queue.clear();
        ++w.generation;
        w.dropDevice = true;
    }
    w.cv.notify_all();
}

void AlsaToneOutput::Flush() {
    Writer& w = *writer_;
    std::unique_lock<std::mutex> lock(w.m);
    w.cv.wait(lock, [&w] { return (w.queue.empty() && !w.writing) || w.failed; });
}

bool AlsaToneOutput::Failed() const {
    std::lock_guard<std::mutex> lock(writer_->m);
    return writer_->failed;
}

void AlsaToneOutput::Writer::Run() {
    std::unique_lock<std::mutex> lock(m);
    for (;;) {
        cv.wait(lock, [this] { return quit || dropDevice || !queue.empty(); });
        if (quit) break;
        // Before the next piece, or the drop would cut into it.
        if (dropDevice) {
            dropDevice = false;
            lock.unlock();
            snd_pcm_drop(pcm);
            snd_pcm_prepare(pcm);
            lock.lock();
            continue;
        }
        const Piece piece = queue.front();
        queue.pop_front();
        const uint64_t started = generation;
        writing = true;
        lock.unlock();
        const Result result = Write(piece, started);
        lock.lock();
        writing = false;
        if (result == Result::Failed) {
            failed = true;
            queue.clear();
        }
        cv.notify_all();
    }
    lock.unlock();
    snd_pcm_close(pcm);
    lock.lock();
    finished = true;
    cv.notify_all();
}

AlsaToneOutput::Writer::Result AlsaToneOutput::Writer::Write(const Piece& piece, uint64_t started) {
    std::vector<int16_t> chunk(kChunk);
    const double step = 2 * kPi * double(piece.hz) / kRate;
    for (int64_t done = 0; done < piece.frames;) {
        const long count = long(std::min<int64_t>(kChunk, piece.frames - done));
        for (long i = 0; i < count; ++i)
            chunk[size_t(i)] =
                piece.hz > 0 ? int16_t(std::lround(kAmplitude * std::sin(step * double(done + i)))) : 0;
        const Result r = WriteFrames(chunk.data(), count, started);
        if (r != Result::Done) return r;
        done += count;
    }
    return Result::Done;
}

AlsaToneOutput::Writer::Result AlsaToneOutput::Writer::WriteFrames(const int16_t* frames, long count,
                                                                   uint64_t started) {
    std::unique_lock<std::mutex> lock(m);
    while (count > 0) {
        if (started != generation) return Result::Stopped;
        lock.unlock();
        snd_pcm_sframes_t n = snd_pcm_writei(pcm, frames, snd_pcm_uframes_t(count));
        // An underrun (the stream ran dry between playbacks) or a suspend is recovered.
        if (n < 0 && n != -EAGAIN) n = snd_pcm_recover(pcm, int(n), 1);
        lock.lock();
        // After a stop, whatever the device said is no failure.
        if (started != generation) return Result::Stopped;
        if (n == -EAGAIN) {
            lock.unlock();
            snd_pcm_wait(pcm, kRoomWaitMs);
            lock.lock();
            continue;
        }
        if (n < 0) return Result::Failed;
        frames += n;
        count -= long(n);
    }
    return Result::Done;
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
