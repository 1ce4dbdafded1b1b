#pragma once
// A simulated KD4412 radio on a pseudo-terminal: it holds a memory image and
// answers the programming frames as the radio does, with knobs for every fault
// a line or a radio shows (dropped, corrupted, split, delayed or echoed replies,
// no answer, device gone, another model) and an optional baud-rate throttle.
//
// It lives in the event loop of the thread that calls Start(); to run it in a
// thread of its own, move it there first and call Start() from that thread.

#include "PacedLine.h"
#include "codec/MemImage.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace zr50::sim {

enum class FrameKind { Program, Ident, Read, Write, End };

struct Frame {
    FrameKind kind;
    int address = -1;  // Read and Write
    int length = 0;    // Read and Write
};

enum class Corruption { Checksum, Address, Length, Tail };

struct RadioIdentity {
    QByteArray model = "KD4412P";  // up to 7 bytes; a shorter one ends in NULs
    bool extBand = false;
    QByteArray firmware = "V200";  // 4 bytes
};

struct RadioCounters {
    int program = 0, ident = 0, reads = 0, writes = 0, ends = 0;
    int badFrames = 0;  // data frames with a wrong checksum or tail: not answered
    int garbage = 0;    // bytes that start no frame
    int replies = 0;    // replies sent (dropped ones not counted)
    int dropped = 0;
    qint64 bytesIn = 0, bytesOut = 0;
    int chunksOut = 0;  // separate writes to the line
};

class SimRadio : public QObject {
public:
    explicit SimRadio(QObject* parent = nullptr);
    ~SimRadio() override;

    // Opens the pseudo-terminal and starts listening.
    bool Start(QString* error = nullptr);
    QString DevicePath() const { return line_.DevicePath(); }

    // 0x0000..0x5CC0; filled 0xFF and cleared like the program's image at start.
    MemImage& Image() { return *image_; }
    RadioIdentity identity;
    RadioCounters counters;
    std::vector<Frame> received;  // every frame heard, in order
    // Called for each frame heard, before it is answered.
    std::function<void(const Frame&)> onFrame;
    // Where the image goes after an "END" that follows writes (empty: nowhere).
    QString saveImageTo;

    // Faults. A reply that matches several knobs is dropped first.
    void DropNextReplies(int n) { dropNext_ = n; }
    // Every reply to this kind of frame (and address, for Read and Write; -1 any).
    void DropRepliesTo(FrameKind kind, int address = -1);
    // times: how many replies to spoil (-1: every one).
    void CorruptReplyTo(FrameKind kind, int address, Corruption how, int times = 1);
    void ClearFaults();
    // Each reply goes out in this many pieces with a pause between them.
    void SplitReplies(int pieces, int pauseMs);
    void SetReplyDelay(int ms) { delayMs_ = ms; }
    void SetEcho(bool on) { line_.SetEcho(on); }
    // Still hears the line but answers nothing.
    void SetUnplugged(bool on) { unplugged_ = on; }
    // The device disappears for whoever has it open.
    void CloseLine();
    // 10 bits per byte both ways; 0 for no throttle.
    void SetBaudRate(int baud) { line_.SetBaudRate(baud); }

private:
    struct Rule {
        FrameKind kind;
        int address;
        Corruption how;
        int times;
    };
    void Parse(double at);
    void Handle(const Frame& f, const QByteArray& data, double at);
    void Reply(const Frame& f, QByteArray bytes, double at);
    void SaveImage();

    PacedLine line_{this};
    std::unique_ptr<MemImage> image_;
    QByteArray in_;
    bool written_ = false;

    int dropNext_ = 0;
    std::vector<std::pair<FrameKind, int>> dropRules_;
    std::vector<Rule> corruptRules_;
    int pieces_ = 1, pauseMs_ = 0, delayMs_ = 0;
    bool unplugged_ = false;
};

// CheckSum8 of a data frame: bytes 1 .. size - 3 (address to last data byte).
uint8_t FrameChecksum(const QByteArray& frame);

}  // namespace zr50::sim
