#include "SimRadio.h"

#include <chrono>
#include <thread>

#include <QFile>
#include <QSaveFile>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace zr50::sim {

namespace {

const QByteArray kProgram = "PROGRAM";
const QByteArray kEnd = "END";
const QByteArray kProgramAck("KD\x06", 3);
constexpr char kAck = 0x06;
constexpr char kNak = 0x15;
constexpr char kIdent = 0x02;
constexpr int kHeader = 4;  // 'R' or 'W', address high, address low, length

bool Matches(FrameKind kind, int address, const Frame& f) {
    return kind == f.kind && (address < 0 || address == f.address);
}

}  // namespace

uint8_t FrameChecksum(const QByteArray& frame) {
    unsigned sum = 0;
    for (int i = 1; i <= frame.size() - 3; ++i) sum += uint8_t(frame[i]);
    return uint8_t(sum);
}

SimRadio::SimRadio(QObject* parent) : QObject(parent), image_(std::make_unique<MemImage>()) {
    ClearMemImage(*image_);
    pump_ = new QTimer(this);
    pump_->setSingleShot(true);
    pump_->setTimerType(Qt::PreciseTimer);
    connect(pump_, &QTimer::timeout, this, [this] { Pump(); });
    clock_.start();
}

SimRadio::~SimRadio() { CloseLine(); }

bool SimRadio::Start(QString* error) {
    CloseLine();
    if (!pty_.Open(error)) return false;
    notifier_ = new QSocketNotifier(pty_.MasterFd(), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { OnReadable(); });
    return true;
}

void SimRadio::CloseLine() {
    if (notifier_) {
        // May run inside the notifier's own signal (an observer unplugging).
        notifier_->setEnabled(false);
        notifier_->deleteLater();
        notifier_ = nullptr;
    }
    if (pump_) pump_->stop();
    out_.clear();
    in_.clear();
    pty_.Close();
}

void SimRadio::DropRepliesTo(FrameKind kind, int address) {
    dropRules_.push_back({kind, address});
}

void SimRadio::CorruptReplyTo(FrameKind kind, int address, Corruption how, int times) {
    corruptRules_.push_back({kind, address, how, times});
}

void SimRadio::ClearFaults() {
    dropNext_ = 0;
    dropRules_.clear();
    corruptRules_.clear();
    pieces_ = 1;
    pauseMs_ = delayMs_ = 0;
    echo_ = unplugged_ = false;
}

void SimRadio::SplitReplies(int pieces, int pauseMs) {
    pieces_ = std::max(1, pieces);
    pauseMs_ = std::max(0, pauseMs);
}

void SimRadio::OnReadable() {
    const QByteArray chunk = pty_.ReadAvailable();
    if (chunk.isEmpty()) return;
    counters.bytesIn += chunk.size();
    // Each byte is taken as arriving at line speed after the one before it.
    double at = std::max(inFree_, Now());
    for (char c : chunk) {
        if (!pty_.IsOpen()) return;
        at += byteMs_;
        if (echo_) Send(QByteArray(1, c), at);
        in_.append(c);
        Parse(at);
    }
    inFree_ = at;
}

// Takes every complete frame off the front of the input; bytes that start no
// frame are skipped one at a time, so the stream finds the next frame again.
void SimRadio::Parse(double at) {
    while (!in_.isEmpty()) {
        const char first = in_[0];
        auto fixed = [&](const QByteArray& text, FrameKind kind) {
            const int n = std::min<int>(int(in_.size()), int(text.size()));
            if (in_.left(n) != text.left(n)) return -1;  // not this frame after all
            if (n < text.size()) return 0;
            in_.remove(0, int(text.size()));
            Handle({kind}, {}, at);
            return 1;
        };
        int done = -1;
        if (first == 'P') {
            done = fixed(kProgram, FrameKind::Program);
        } else if (first == 'E') {
            done = fixed(kEnd, FrameKind::End);
        } else if (first == kIdent) {
            in_.remove(0, 1);
            Handle({FrameKind::Ident}, {}, at);
            done = 1;
        } else if (first == 'R' || first == 'W') {
            if (in_.size() < kHeader) return;
            Frame f{first == 'R' ? FrameKind::Read : FrameKind::Write,
                    uint8_t(in_[1]) * 256 + uint8_t(in_[2]), uint8_t(in_[3])};
            if (f.kind == FrameKind::Read) {
                in_.remove(0, kHeader);
                Handle(f, {}, at);
            } else {
                const int size = kHeader + f.length + 2;
                if (in_.size() < size) return;
                const QByteArray frame = in_.left(size);
                in_.remove(0, size);
                if (frame[size - 1] != kAck || uint8_t(frame[size - 2]) != FrameChecksum(frame))
                    ++counters.badFrames;
                else
                    Handle(f, frame.mid(kHeader, f.length), at);
            }
            done = 1;
        }
        if (done == 0) return;
        if (done < 0) {
            in_.remove(0, 1);
            ++counters.garbage;
        }
    }
}

void SimRadio::Handle(const Frame& f, const QByteArray& data, double at) {
    received.push_back(f);
    if (onFrame) onFrame(f);
    if (!pty_.IsOpen()) return;  // the observer pulled the plug
    switch (f.kind) {
    case FrameKind::Program:
        ++counters.program;
        written_ = false;
        Reply(f, kProgramAck, at);
        break;
    case FrameKind::Ident: {
        ++counters.ident;
        QByteArray id(16, '\0');
        id[0] = 'I';
        for (int i = 0; i < 7 && i < identity.model.size(); ++i) id[1 + i] = identity.model[i];
        id[8] = identity.extBand ? 1 : 0;
        for (int i = 0; i < 4 && i < identity.firmware.size(); ++i)
            id[9 + i] = identity.firmware[i];
        Reply(f, id, at);
        break;
    }
    case FrameKind::Read: {
        ++counters.reads;
        QByteArray r;
        r.append('W').append(char(f.address >> 8)).append(char(f.address)).append(char(f.length));
        for (int i = 0; i < f.length; ++i) {
            const int a = f.address + i;
            r.append(char(a < kMemImageSize ? (*image_)[a] : 0xFF));
        }
        r.append('\0').append(kAck);
        r[r.size() - 2] = char(FrameChecksum(r));
        Reply(f, r, at);
        break;
    }
    case FrameKind::Write:
        ++counters.writes;
        for (int i = 0; i < data.size() && f.address + i < kMemImageSize; ++i)
            (*image_)[f.address + i] = uint8_t(data[i]);
        written_ = true;
        Reply(f, QByteArray(1, kAck), at);
        break;
    case FrameKind::End:
        ++counters.ends;
        if (written_) SaveImage();
        written_ = false;
        Reply(f, QByteArray(1, kAck), at);
        break;
    }
}

void SimRadio::Reply(const Frame& f, QByteArray bytes, double at) {
    auto rule = std::find_if(dropRules_.begin(), dropRules_.end(),
                             [&](const auto& r) { return Matches(r.first, r.second, f); });
    if (unplugged_ || dropNext_ > 0 || rule != dropRules_.end()) {
        if (dropNext_ > 0 && !unplugged_) --dropNext_;
        ++counters.dropped;
        return;
    }
    for (Rule& r : corruptRules_) {
        if (r.times == 0 || !Matches(r.kind, r.address, f)) continue;
        if (r.times > 0) --r.times;
        const bool block = bytes.size() > kHeader + 2 && bytes[0] == 'W';
        switch (r.how) {
        case Corruption::Checksum:
            if (block) bytes[bytes.size() - 2] = char(bytes[bytes.size() - 2] ^ 0x5A);
            break;
        case Corruption::Address:
            if (block) bytes[2] = char(bytes[2] ^ 0x10);
            break;
        case Corruption::Length:
            if (block) bytes[3] = char(bytes[3] - 1);
            break;
        case Corruption::Tail:
            bytes[bytes.size() - 1] = kNak;
            break;
        }
    }
    ++counters.replies;
    double start = at + delayMs_;
    const int pieces = std::min<int>(pieces_, int(bytes.size()));
    for (int k = 0, from = 0; k < pieces; ++k) {
        const int to = int(bytes.size()) * (k + 1) / pieces;
        Send(bytes.mid(from, to - from), k == 0 ? start : std::max(outFree_, Now()) + pauseMs_);
        from = to;
    }
}

void SimRadio::Send(const QByteArray& bytes, double notBefore) {
    double t = std::max(notBefore, outFree_);
    for (int i = 0; i < bytes.size(); ++i) {
        t += byteMs_;
        out_.push_back({t, bytes[i], i == 0, i == bytes.size() - 1});
    }
    outFree_ = t;
    Pump();
}

void SimRadio::Pump() {
    // A piece's last byte is the one a receiver waits for: timers count whole
    // milliseconds, so the pump wakes early for it and waits out the rest here,
    // keeping a throttled line's timing to well under a millisecond.
    double now = Now();
    if (!out_.empty() && out_.front().endsPiece && out_.front().due > now &&
        out_.front().due - now < 2.5) {
        std::this_thread::sleep_for(std::chrono::microseconds(qint64((out_.front().due - now) * 1000)));
        now = Now();
    }
    QByteArray due;
    while (!out_.empty() && out_.front().due <= now &&
           (due.isEmpty() || !out_.front().startsPiece)) {
        due.append(out_.front().byte);
        out_.pop_front();
    }
    if (!due.isEmpty() && pty_.Write(due)) {
        counters.bytesOut += due.size();
        ++counters.chunksOut;
    }
    if (out_.empty() || pump_->isActive()) return;
    const OutByte& next = out_.front();
    int ms = std::max(0, int(std::floor(next.due - now - (next.endsPiece ? 2.0 : 0.0))));
    // A piece that is already due still waits for a pass of its own.
    if (!due.isEmpty() && next.startsPiece) ms = std::max(ms, 1);
    pump_->start(ms);
}

void SimRadio::SaveImage() {
    if (saveImageTo.isEmpty()) return;
    QSaveFile f(saveImageTo);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(reinterpret_cast<const char*>(image_->data()), kMemImageSize);
        f.commit();
    }
}

}  // namespace zr50::sim
