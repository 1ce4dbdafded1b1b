#pragma once
// What the radio protocols need of a serial line and of a reply timer. The
// protocol state machines act only through these; the Qt adapters (QSerialPort,
// QTimer) and test peers implement them.

#include <QByteArray>
#include <QString>
#include <chrono>
#include <functional>

namespace zr50 {

struct LineSettings {
    int baud = 9600;
    char parity = 'N';
    int dataBits = 8;
    int stopBits = 1;
    int handshaking = 0;  // 0 none, 1 XON/XOFF, 2 RTS/CTS, 3 both
};

// Why the last Open failed, as far as the system says.
enum class OpenFailure { None, Unknown, NoDevice, NoPermission, Busy };

class LinkPort {
public:
    virtual ~LinkPort() = default;
    // False when the device cannot be opened (missing, busy, not a serial line).
    virtual bool Open(const QString& device, const LineSettings& settings) = 0;
    virtual OpenFailure LastOpenFailure() const { return OpenFailure::Unknown; }
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Received bytes are delivered once at least this many are buffered.
    virtual void SetThreshold(int bytes) = 0;
    // Forgets what has been received. Output is never thrown away: bytes
    // handed over may be a frame still on the wire, which the radio must get
    // whole or the books of what it has heard no longer balance.
    virtual void ClearInput() = 0;
    virtual void Output(const QByteArray& bytes) = 0;
    // Bytes handed to Output that have not yet left for the line, as far as
    // can be told (the port's own buffer and the driver's queue).
    virtual int OutputPending() const { return 0; }
    // Returns once the bytes handed to Output have left for the line, so a
    // close right after cannot cut them off.
    virtual void Drain() {}
    // The line's clock in milliseconds: how long bytes have been on their way.
    virtual double NowMs() const {
        using namespace std::chrono;
        return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
    }

    // All bytes buffered, once at least the threshold has arrived.
    std::function<void(const QByteArray&)> onReceive;
    // The line is gone (device unplugged, peer closed, I/O error).
    std::function<void()> onLineLost;
};

class ReplyTimer {
public:
    virtual ~ReplyTimer() = default;
    virtual void Start() = 0;  // (re)starts the single-shot interval
    virtual void Stop() = 0;
    virtual bool IsActive() const = 0;
    // The interval of the next Start.
    virtual void SetInterval(int /*ms*/) {}
    std::function<void()> onTimeout;
};

}  // namespace zr50
