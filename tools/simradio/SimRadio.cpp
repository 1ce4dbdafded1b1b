#include "SimRadio.h"


#include <QFile>
#include <QSaveFile>
#include <algorithm>

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
    line_.onByte = [this](char c, double at) {
        ++counters.bytesIn;
        in_.append(c);
        Parse(at);
    };
    line_.onWritten = [this](int bytes) {
        counters.bytesOut += bytes;
        ++counters.chunksOut;
    };
}

SimRadio::~SimRadio() { CloseLine(); }

bool SimRadio::Start(QString* error) {
    CloseLine();
    return line_.Start(error);
}

void SimRadio::CloseLine() {
    in_.clear();
    line_.CloseLine();
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
    unplugged_ = false;
    line_.SetEcho(false);
}

void SimRadio::SplitReplies(int pieces, int pauseMs) {
    pieces_ = std::max(1, pieces);
    pauseMs_ = std::max(0, pauseMs);
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
    if (!line_.IsOpen()) return;  // the observer pulled the plug
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
    line_.Send(bytes, at + delayMs_, pieces_, pauseMs_);
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
