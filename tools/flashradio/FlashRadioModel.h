#pragma once
// What a radio being flashed by KDImager3 does with the bytes it hears, with
// no line in between: it answers "UPDATE", the identity request, page frames
// (checking their sum and trailer) and the end byte, keeps the pages written,
// and answers page read requests from them. Fault knobs stand for a radio or
// line that drops, refuses, spoils or stops answering.

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <map>

namespace kdi::sim {

enum class HeardKind { Update, Ident, Page, Read, End, BadPage };

struct Heard {
    HeardKind kind;
    uint32_t address = 0;  // Page: flash address; Read: page number
};

struct FlashRadioCounters {
    int updates = 0, idents = 0, pages = 0, reads = 0, ends = 0;
    int badPages = 0;  // wrong sum or trailer: answered with NAK
    int naks = 0;      // every NAK sent
    int dropped = 0;   // replies not sent
    int garbage = 0;   // bytes that start no frame
};

class FlashRadioModel {
public:
    QByteArray model = "KD-F1";   // up to 7 bytes
    QByteArray version = "V100";  // 4 bytes

    // Flash pages by address (each 1024 bytes), as written or preset.
    std::map<uint32_t, QByteArray> pages;
    FlashRadioCounters counters;
    QList<Heard> heard;

    // Faults (0: off). Frames and pages are counted from the start.
    int dropEvery = 0;     // no reply to every Nth frame
    int nakEvery = 0;      // every Nth good page frame is refused with NAK (and not stored)
    int corruptEvery = 0;  // every Nth reply gets its first byte spoilt
    int stopAfter = 0;     // silent after N frames

    // Takes bytes in; returns the replies of the frames they complete.
    QList<QByteArray> Hear(const QByteArray& bytes);
    // The line fell quiet: a lone identity request is no read request's start.
    QList<QByteArray> Quiet();
    // Bytes still waiting for the rest of their frame.
    int Pending() const { return int(in_.size()); }
    // Frames heard so far, answered or not.
    int Frames() const { return frames_; }

    // Page p's bytes at address p * 1024 (0xFF where nothing was written).
    QByteArray PageAt(uint32_t address) const;
    // Address (4 bytes, little-endian) and 1024 bytes per page, in address order.
    QByteArray Dump() const;
    bool SaveTo(const QString& path) const;
    // Fills pages from a raw image placed at address 0.
    void LoadImage(const QByteArray& image);

private:
    QList<QByteArray> Parse(bool quiet);
    void Reply(QList<QByteArray>& out, QByteArray bytes);
    QByteArray in_;
    int frames_ = 0;
    int goodPages_ = 0;
    int replies_ = 0;
};

}  // namespace kdi::sim
