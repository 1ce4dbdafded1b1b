#include "ScriptedLink.h"

#include "link/Frames.h"
#include "link/ProgramProtocol.h"
#include "model/Document.h"

#include <gtest/gtest.h>

#include <random>

namespace zr50::test {

std::unique_ptr<MemImage> NoiseImage(unsigned seed, bool decimal) {
    std::mt19937 rng(seed);
    auto img = std::make_unique<MemImage>();
    for (uint8_t& b : *img) {
        b = uint8_t(rng());
        if (decimal) b = uint8_t(b % 10 * 16 + b / 16 % 10);
    }
    return img;
}

void FillWritableDocument(Document& d, unsigned seed) {
    DecodeAllData(*NoiseImage(seed), d);
    EncodedImage(d);  // the values a write would repair (emergency modes, codes) already are
    d.DataFileName = QStringLiteral("/data/mine.dat");
    d.IsUntitled = false;
    d.CopyDataToSaved();
}

MemImage EncodedImage(Document& d) {
    MemImage m;
    ClearMemImage(m);
    EXPECT_FALSE(EncodeAllData(d, m).has_value());
    return m;
}

bool SameTransferred(const MemImage& a, const MemImage& b) {
    return std::equal(a.begin(), a.begin() + kTransferEnd, b.begin());
}

bool ScriptedPort::Open(const QString& dev, const LineSettings& settings) {
    if (vanished || missing.contains(dev)) return false;
    open_ = true;
    device = dev;
    opened << dev;
    openSettings << settings;
    threshold = 1;
    buffer.clear();
    return true;
}

void ScriptedPort::Close() {
    open_ = false;
    buffer.clear();
    inFlight.clear();
}

void ScriptedPort::Output(const QByteArray& bytes) {
    if (!open_) return;
    sent << bytes;
    const int baud = openSettings.isEmpty() ? 0 : openSettings.last().baud;
    if (carry && baud > 0) now += double(bytes.size()) * 10000.0 / baud;
    if (!peer) return;
    for (const QByteArray& chunk : peer(bytes)) inFlight.push_back(chunk);
}

void ScriptedPort::Arrive(const QByteArray& bytes) {
    if (!open_) return;
    buffer += bytes;
    if (buffer.size() < threshold || !onReceive) return;
    const QByteArray all = buffer;
    buffer.clear();
    onReceive(all);
}

bool ScriptedPort::ArriveNext() {
    if (inFlight.empty()) return false;
    const QByteArray chunk = inFlight.front();
    inFlight.pop_front();
    Arrive(chunk);
    return true;
}

void ScriptedPort::Unplug() {
    vanished = true;
    inFlight.clear();
    if (onLineLost) onLineLost();
}

bool ManualTimer::Fire() {
    if (!active) return false;
    active = false;
    if (onTimeout) onTimeout();
    return true;
}

QByteArray ScriptedRadio::IdReply() const {
    QByteArray r(16, '\0');
    r[0] = 'I';
    r.replace(1, qMin(int(model.size()), 7), model.left(7));
    r[8] = extBand;
    r.replace(9, 4, version.left(4));
    return r.left(16);
}

QList<QByteArray> ScriptedRadio::Answer(const QByteArray& f) {
    if (f == ProgramCmd()) return {QByteArray("KD\x06")};
    if (f == IdRequest()) return {IdReply()};
    if (f == EndCmd()) {
        ++ends;
        return {QByteArray(1, kAckByte)};
    }
    if (f.size() < 4) return {};
    const int addr = uint8_t(f[1]) * 256 + uint8_t(f[2]);
    const int len = uint8_t(f[3]);
    if (addr + len > kMemImageSize) return {};
    if (f[0] == 'R' && f.size() == 4)
        return {DataBlockFrame(addr, memory.data() + addr, len)};
    if (f[0] == 'W' && f.size() == len + 6 && uint8_t(f[len + 4]) == CheckSum8(f, 1, 1)) {
        std::copy_n(reinterpret_cast<const uint8_t*>(f.constData()) + 4, len,
                    memory.begin() + addr);
        ++blocksWritten;
        return {QByteArray(1, kAckByte)};
    }
    return {};
}

RecordingLinkView::RecordingLinkView(ProgramProtocol& link) : link_(link) { link_.SetView(this); }

RecordingLinkView::~RecordingLinkView() { link_.SetView(nullptr); }

void RecordingLinkView::ShowProgress() {
    progressVisible = true;
    ++shows;
    values << 0;
    percentText = QStringLiteral("0%");
    link_.ProgressLoaded();
}

void RecordingLinkView::ShowMProgress() {
    mProgressVisible = true;
    ++shows;
    values << 0;
    percentText = QStringLiteral("0%");
    radioNumbers << 1;
    link_.MProgressLoaded();
}

void RecordingLinkView::UserCloses() {
    if (progressVisible) {
        progressVisible = false;
        link_.ProgressClosed();
    } else if (mProgressVisible) {
        mProgressVisible = false;
        link_.MProgressUnloaded();
    }
}

}  // namespace zr50::test
