#pragma once
// The serial line and the reply timer on Qt: QSerialPort and QTimer.

#include "link/LinkPort.h"

#include <QSerialPort>
#include <QTimer>

namespace zr50 {

class SerialLinkPort : public LinkPort {
public:
    SerialLinkPort();
    ~SerialLinkPort() override;

    // Opens a device path (or a link to one). A device another program (or
    // another port object) has open is refused.
    bool Open(const QString& device, const LineSettings& settings) override;
    OpenFailure LastOpenFailure() const override { return failure_; }
    void Close() override;
    bool IsOpen() const override;
    // Threshold 0 or less delivers nothing, as the serial control's did.
    void SetThreshold(int bytes) override;
    void ClearInput() override;
    void Output(const QByteArray& bytes) override;
    int OutputPending() const override;
    void Drain() override;

    // Handshaking 0 none, 1 XON/XOFF, 2 RTS/CTS; 3 (both) has no Qt equivalent
    // and takes RTS/CTS, the one of the two that cannot disturb binary frames.
    static QSerialPort::FlowControl FlowControlOf(int handshaking);

private:
    void OnReadyRead();
    void OnError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    QByteArray received_;  // buffered, not yet delivered
    int threshold_ = 1;
    bool open_ = false;
    OpenFailure failure_ = OpenFailure::None;
};

class TimerReply : public ReplyTimer {
public:
    explicit TimerReply(int intervalMs = 300);
    void Start() override { timer_.start(); }
    void Stop() override { timer_.stop(); }
    bool IsActive() const override { return timer_.isActive(); }
    void SetInterval(int ms) override { timer_.setInterval(ms); }
    int Interval() const { return timer_.interval(); }

private:
    QTimer timer_;
};

}  // namespace zr50
