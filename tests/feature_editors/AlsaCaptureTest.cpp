// The ALSA output end to end without a sound card: ALSA is pointed at a
// configuration of the test's own whose default device writes the raw samples
// to a file, a record is played through the real player, and the captured
// samples are measured. A device writing into a pipe nobody reads stands for
// a sound server that has stalled. The test's own definitions of a few ALSA
// calls take precedence over the library's: they note the thread that makes
// each call, and can keep the device full.

#include "ToneTestSupport.h"
#include "model/Document.h"
#include "sound/AlsaToneOutput.h"
#include "sound/ModBeep.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <alsa/asoundlib.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

using namespace zr50;
using namespace zr50::test;

namespace {

// The device calls the program makes (not ALSA's calls to itself), by name;
// "ui " before those of the thread that filled the device.
struct WatchedDevice {
    std::mutex m;
    std::condition_variable cv;
    std::vector<std::string> calls;
    std::thread::id ui;
    bool full = false;
    int waitsForRoom = 0;

    // While full, a write finds no room and a wait for room lasts until the
    // test makes some; filling starts the notes afresh.
    void SetFull(bool on) {
        {
            std::lock_guard<std::mutex> lock(m);
            if (on) {
                ui = std::this_thread::get_id();
                calls.clear();
                waitsForRoom = 0;
            }
            full = on;
        }
        cv.notify_all();
    }
    bool WriterWaits() {
        std::lock_guard<std::mutex> lock(m);
        return waitsForRoom > 0;
    }
    size_t Count() {
        std::lock_guard<std::mutex> lock(m);
        return calls.size();
    }
    // Up to n calls from the index on, one string.
    std::string Calls(size_t from, size_t n = SIZE_MAX) {
        std::lock_guard<std::mutex> lock(m);
        std::string out;
        for (size_t i = from; i < calls.size() && i - from < n; ++i)
            out += (out.empty() ? "" : ", ") + calls[i];
        return out;
    }
    bool UiCalled() {
        std::lock_guard<std::mutex> lock(m);
        for (const std::string& c : calls)
            if (c.rfind("ui ", 0) == 0) return true;
        return false;
    }
};
WatchedDevice device;

thread_local int alsaDepth = 0;
// Notes a call unless ALSA makes it inside one already noted.
class Noted {
public:
    explicit Noted(const char* name) {
        if (alsaDepth++ > 0) return;
        std::lock_guard<std::mutex> lock(device.m);
        device.calls.push_back((std::this_thread::get_id() == device.ui ? "ui " : "") +
                               std::string(name));
    }
    ~Noted() { --alsaDepth; }
};

template <class F>
F* Real(const char* name) {
    return reinterpret_cast<F*>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int snd_pcm_drop(snd_pcm_t* pcm) {
    Noted noted("drop");
    static auto* real = Real<int(snd_pcm_t*)>("snd_pcm_drop");
    return real(pcm);
}

extern "C" int snd_pcm_prepare(snd_pcm_t* pcm) {
    Noted noted("prepare");
    static auto* real = Real<int(snd_pcm_t*)>("snd_pcm_prepare");
    return real(pcm);
}

extern "C" snd_pcm_sframes_t snd_pcm_writei(snd_pcm_t* pcm, const void* buffer,
                                            snd_pcm_uframes_t size) {
    Noted noted("write");
    {
        std::lock_guard<std::mutex> lock(device.m);
        if (device.full) return -EAGAIN;
    }
    static auto* real =
        Real<snd_pcm_sframes_t(snd_pcm_t*, const void*, snd_pcm_uframes_t)>("snd_pcm_writei");
    return real(pcm, buffer, size);
}

extern "C" int snd_pcm_wait(snd_pcm_t* pcm, int timeout) {
    Noted noted("wait");
    {
        std::unique_lock<std::mutex> lock(device.m);
        if (device.full) {
            ++device.waitsForRoom;
            // The bound only keeps a broken test from hanging.
            device.cv.wait_for(lock, std::chrono::seconds(10), [] { return !device.full; });
            return 1;
        }
    }
    static auto* real = Real<int(snd_pcm_t*, int)>("snd_pcm_wait");
    return real(pcm, timeout);
}

namespace {

constexpr double kRate = AlsaToneOutput::kRate;

// A stretch of the capture: a tone (with its frequency by zero crossings) or silence.
struct Stretch {
    bool tone;
    double ms;
    double hz;
};

// Silence is a run of zero samples longer than half a millisecond; a sine
// touches zero only for a sample at a time.
std::vector<Stretch> Measure(const std::vector<int16_t>& s) {
    std::vector<Stretch> out;
    const size_t minSilence = size_t(kRate / 2000);
    size_t i = 0;
    while (i < s.size()) {
        size_t j = i;
        while (j < s.size() && s[j] == 0) ++j;
        if (j - i >= minSilence || j == s.size()) {
            out.push_back({false, (j - i) * 1000 / kRate, 0});
            i = j;
            continue;
        }
        // A tone runs until the next long run of zeros.
        size_t end = i, zeros = 0, flips = 0;
        int sign = 0;
        for (end = i; end < s.size(); ++end) {
            zeros = s[end] == 0 ? zeros + 1 : 0;
            if (zeros >= minSilence) break;
            const int now = s[end] > 0 ? 1 : s[end] < 0 ? -1 : 0;
            if (now != 0 && sign != 0 && now != sign) ++flips;
            if (now != 0) sign = now;
        }
        const size_t toneEnd = end - (zeros >= minSilence ? zeros - 1 : 0);
        const double seconds = double(toneEnd - i) / kRate;
        out.push_back({true, seconds * 1000, (flips + 1) / (2 * seconds)});
        i = toneEnd;
    }
    return out;
}

// Points ALSA at a configuration of the test's own for the rest of the process.
QString UseAlsaConfig(const QTemporaryDir& dir, const QByteArray& body) {
    const QString path = dir.filePath(QStringLiteral("asound.conf"));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(body);
    f.close();
    qputenv("ALSA_CONFIG_PATH", path.toLocal8Bit());
    return path;
}

// A default device that writes the raw samples to that file.
QByteArray FileDevice(const QByteArray& path) {
    return "pcm.!default {\n  type file\n  slave { pcm { type null } }\n  file \"" + path +
           "\"\n  format \"raw\"\n}\n";
}

// Whether a thread of this process sits in a write to the file at path.
bool AThreadWritesTo(const QByteArray& path) {
    const QString target = QFileInfo(QString::fromLocal8Bit(path)).canonicalFilePath();
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& t : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile f(tasks.filePath(t + QStringLiteral("/syscall")));
        if (!f.open(QIODevice::ReadOnly)) continue;
        const QList<QByteArray> call = f.readAll().split(' ');
        if (call.size() < 2 || call[0].toLong() != SYS_write) continue;
        const QString fd = QStringLiteral("/proc/self/fd/%1").arg(call[1].toLong(nullptr, 0));
        if (QFileInfo(fd).canonicalFilePath() == target) return true;
    }
    return false;
}

// Whether call returns, run on a thread of its own; the bound only keeps a hang
// from holding the run, and a call that hangs is left behind with what it holds.
template <class Call>
bool Returns(Call call) {
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> returned = done->get_future();
    std::thread([call = std::make_unique<Call>(std::move(call)), done]() mutable {
        (*call)();
        call.reset();  // what it holds goes before it counts as returned
        done->set_value();
    }).detach();
    return returned.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
}

TEST(AlsaCapture, ARecordSoundsWithItsFrequenciesAndLengths) {
    QTemporaryDir dir;
    const QString capture = dir.filePath(QStringLiteral("capture.raw"));
    UseAlsaConfig(dir, FileDevice(capture.toLocal8Bit()));
    {
        std::unique_ptr<AlsaToneOutput> out = AlsaToneOutput::Open();
        ASSERT_NE(out, nullptr);
        Document doc;
        FakeToneClock clock;
        ModBeep beep(doc, *out, clock);
        // 1000 Hz 200 ms, pause 100 ms, 400 Hz 50 ms, (nothing), pause 30 ms,
        // 2500 Hz 30 ms, then the 500 ms interval; twice.
        SetSteps(doc.DataRec.RBToneTable[1], {{100, 20}, {0, 10}, {40, 5}, {90, 0}, {2, 3}, {250, 3}},
                 2, 50);
        ASSERT_TRUE(beep.PrepareTonePlay(beep.CurToneRecord));
        beep.PlayToneRecord(beep.CurToneRecord);
        clock.RunOut();
        EXPECT_FALSE(beep.IsPlaying());
        out->Flush();
        EXPECT_FALSE(out->Failed());
    }  // closing the device writes the last samples out

    QFile f(capture);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    std::vector<int16_t> samples(size_t(bytes.size()) / 2);
    std::memcpy(samples.data(), bytes.constData(), samples.size() * 2);
    EXPECT_NEAR(samples.size() / kRate * 1000, 2 * 910, 1);

    const std::vector<Stretch> got = Measure(samples);
    const Stretch once[] = {{true, 200, 1000}, {false, 100, 0}, {true, 50, 400},
                            {false, 30, 0},    {true, 30, 2500}, {false, 500, 0}};
    ASSERT_EQ(got.size(), 2 * std::size(once));
    for (size_t i = 0; i < got.size(); ++i) {
        const Stretch& want = once[i % std::size(once)];
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i].tone, want.tone);
        EXPECT_NEAR(got[i].ms, want.ms, 2);
        if (want.tone) {
            EXPECT_NEAR(got[i].hz, want.hz, want.hz * 0.02);
        }
    }
}

TEST(AlsaCapture, WithoutADeviceTheSoundCardKeepsSilentTime) {
    QTemporaryDir dir;
    UseAlsaConfig(dir, "pcm.nothing { type null }\n");
    EXPECT_EQ(AlsaToneOutput::Open(), nullptr);
    std::unique_ptr<ToneOutput> card = SoundCardToneOutput();
    Document doc;
    FakeToneClock clock;
    ModBeep beep(doc, *card, clock);
    SetSteps(doc.DataRec.RBToneTable[1], {{100, 20}, {0, 10}}, 3, 10);
    ASSERT_TRUE(beep.PrepareTonePlay(beep.CurToneRecord));
    beep.PlayToneRecord(beep.CurToneRecord);
    EXPECT_EQ(clock.RunOut(), 9);
    EXPECT_EQ(clock.now, 3 * 400);
}

TEST(AlsaCapture, AStalledDeviceHoldsUpNeitherStopNorTheEnd) {
    QTemporaryDir dir;
    const QByteArray pipe = dir.filePath(QStringLiteral("stalled")).toLocal8Bit();
    ASSERT_EQ(mkfifo(pipe.constData(), 0600), 0);
    // Never read and never closed, and full from the start: the device's first
    // write to it neither ends nor fails.
    const int reader = open(pipe.constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const int filler = open(pipe.constData(), O_WRONLY | O_NONBLOCK);
    ASSERT_GE(filler, 0);
    const std::vector<char> block(4096, 0);
    while (write(filler, block.data(), block.size()) > 0) {
    }
    close(filler);
    UseAlsaConfig(dir, FileDevice(pipe));
    std::shared_ptr<AlsaToneOutput> out = AlsaToneOutput::Open();
    ASSERT_NE(out, nullptr);
    out->Sound(1000, 10000);
    ASSERT_TRUE(RunUntil([&] { return AThreadWritesTo(pipe); }));
    EXPECT_TRUE(Returns([out] {
        out->Stop();
        out->Sound(400, 100);
    }));
    EXPECT_TRUE(Returns([out = std::move(out)]() mutable { out.reset(); }));
}

TEST(AlsaCapture, AStopWhileTheWriterWaitsForRoomLeavesTheDeviceToTheWriter) {
    QTemporaryDir dir;
    UseAlsaConfig(dir, FileDevice(dir.filePath(QStringLiteral("capture.raw")).toLocal8Bit()));
    std::unique_ptr<AlsaToneOutput> out = AlsaToneOutput::Open();
    ASSERT_NE(out, nullptr);
    device.SetFull(true);
    out->Sound(1000, 10000);
    ASSERT_TRUE(RunUntil([] { return device.WriterWaits(); }));
    const size_t stop = device.Count();
    out->Stop();
    out->Sound(400, 100);
    device.SetFull(false);
    ASSERT_TRUE(RunUntil([&] { return device.Calls(stop).find("write") != std::string::npos; }));
    // What the device held goes before the new piece.
    EXPECT_EQ(device.Calls(stop, 3), "drop, prepare, write");
    out.reset();
    EXPECT_FALSE(device.UiCalled()) << device.Calls(0);
}

}  // namespace
