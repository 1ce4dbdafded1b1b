#pragma once
// An in-memory serial line, a hand-fired timer, a radio that answers frames
// from its own memory, and progress windows that record what they show: the
// link's state machine driven step by step without a device or a clock.

#include "codec/MemImage.h"
#include "link/LinkPort.h"
#include "link/LinkView.h"

#include <QList>
#include <QString>
#include <QSet>
#include <deque>
#include <memory>

namespace zr50 {
class Document;
class ProgramProtocol;
}

namespace zr50::test {

// The link's texts as the English user sees them.
namespace linktext {
inline const QString kConfirmRead = QStringLiteral("Read data from radio.\r\nDo you wish continue?");
inline const QString kConfirmWrite = QStringLiteral("Write data to radio.\r\nDo you wish continue?");
inline const QString kCheck = QStringLiteral("Check Connection. Retry or Cancel?");
inline const QString kReadDone = QStringLiteral("Read Data Completed.");
inline const QString kWriteDone = QStringLiteral("Write Data Completed.");
inline const QString kCannotOpen = QStringLiteral("Cannot Open Communication Port.");
inline const QString kWrongModel = QStringLiteral("Model type is wrong.");
}  // namespace linktext

constexpr int kBlocks = 1484;  // 16-byte blocks from 0x0000 to 0x5CB0

// Random image bytes; with decimal set every nibble is a digit, so each
// channel marked present has a frequency.
std::unique_ptr<MemImage> NoiseImage(unsigned seed, bool decimal = true);
// A saved document ("/data/mine.dat") every value of which fits the image: the
// decode of a noise image, with channels in every group of both bands.
void FillWritableDocument(Document& d, unsigned seed = 1);
// The image a write of the document sends (the encode must succeed).
MemImage EncodedImage(Document& d);
// Equal over the transferred addresses 0x0000..0x5CBF.
bool SameTransferred(const MemImage& a, const MemImage& b);

class ScriptedPort : public LinkPort {
public:
    bool Open(const QString& device, const LineSettings& settings) override;
    void Close() override;
    bool IsOpen() const override { return open_; }
    void SetThreshold(int bytes) override { threshold = bytes; }
    void ClearInput() override { buffer.clear(); }
    void Output(const QByteArray& bytes) override;
    int OutputPending() const override { return pending; }
    double NowMs() const override { return now; }

    // The peer's answer to a frame: chunks that arrive one after another.
    std::function<QList<QByteArray>(const QByteArray& frame)> peer;
    // Bytes arrive; they are delivered once the threshold is buffered.
    void Arrive(const QByteArray& bytes);
    // Lets the next chunk in flight arrive; false when none is.
    bool ArriveNext();
    // The device vanishes: the line is lost and it cannot be opened until back.
    void Unplug();
    void PlugIn() { vanished = false; }

    QString device;  // of the open port
    QStringList opened;  // every successful open
    QList<LineSettings> openSettings;
    QSet<QString> missing;  // devices that cannot be opened
    bool vanished = false;
    QList<QByteArray> sent;
    int threshold = 1;
    QByteArray buffer;
    std::deque<QByteArray> inFlight;
    // The line's clock. Each Output takes its bytes' time on the wire at the
    // open speed, so what arrives after it comes no sooner than a radio could
    // answer; with carry off the clock stands and answers come at once.
    double now = 0;
    bool carry = true;
    int pending = 0;  // bytes reported as not yet gone out

private:
    bool open_ = false;
};

class ManualTimer : public ReplyTimer {
public:
    void Start() override {
        active = true;
        if (clock) startedAt = *clock;
    }
    void Stop() override { active = false; }
    bool IsActive() const override { return active; }
    void SetInterval(int ms) override { interval = ms; }
    // The interval runs out; false when the timer was not running.
    bool Fire();
    bool active = false;
    int interval = 0;
    // Where a line's clock is kept, to note when the timer was last started.
    const double* clock = nullptr;
    double startedAt = 0;
};

// A radio that answers every frame from its memory.
struct ScriptedRadio {
    MemImage memory{};
    QByteArray model = "KD4412P";
    char extBand = 0;
    QByteArray version = "V200";
    int ends = 0;    // END frames answered
    int blocksWritten = 0;
    QList<QByteArray> Answer(const QByteArray& frame);
    QByteArray IdReply() const;
};

class RecordingLinkView : public LinkView {
public:
    explicit RecordingLinkView(ProgramProtocol& link);
    ~RecordingLinkView() override;

    // Loads the window (which starts the transfer) and returns at once.
    void ShowProgress() override;
    bool IsProgressVisible() const override { return progressVisible; }
    void SetProgressValue(int value) override { values << value; }
    void SetPercentText(const QString& text) override { percentText = text; }
    void UnloadProgress() override { progressVisible = false; }

    void ShowMProgress() override;
    void SetMProgressValue(int value) override { values << value; }
    void SetMPercentText(const QString& text) override { percentText = text; }
    void SetRadioNumber(int number) override { radioNumbers << number; }
    void UnloadMProgress() override { mProgressVisible = false; }

    void UserCloses();  // the user closes the window that is shown

    bool progressVisible = false;
    bool mProgressVisible = false;
    int shows = 0;
    QList<int> values;  // every value the bar took
    QString percentText;
    QList<int> radioNumbers;

private:
    ProgramProtocol& link_;
};

}  // namespace zr50::test
