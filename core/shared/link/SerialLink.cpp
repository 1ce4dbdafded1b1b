#include "link/SerialLink.h"

#include <QFile>
#include <QFileInfo>
#include <sys/ioctl.h>
#include <unistd.h>
#include <algorithm>
#include <utility>

namespace zr50 {

namespace {

QSerialPort::Parity ParityOf(char p) {
    switch (p) {
    case 'E': case 'e': return QSerialPort::EvenParity;
    case 'O': case 'o': return QSerialPort::OddParity;
    case 'M': case 'm': return QSerialPort::MarkParity;
    case 'S': case 's': return QSerialPort::SpaceParity;
    default: return QSerialPort::NoParity;
    }
}

QSerialPort::DataBits DataBitsOf(int n) {
    switch (n) {
    case 5: return QSerialPort::Data5;
    case 6: return QSerialPort::Data6;
    case 7: return QSerialPort::Data7;
    default: return QSerialPort::Data8;
    }
}

// Qt reports a refused device and one locked by another program alike; the
// file's own permissions tell them apart.
OpenFailure FailureOf(QSerialPort::SerialPortError error, const QString& path) {
    if (path.isEmpty() || error == QSerialPort::DeviceNotFoundError || !QFileInfo::exists(path))
        return OpenFailure::NoDevice;
    if (error != QSerialPort::PermissionError) return OpenFailure::Unknown;
    return ::access(QFile::encodeName(path).constData(), R_OK | W_OK) == 0 ? OpenFailure::Busy
                                                                            : OpenFailure::NoPermission;
}

}  // namespace

SerialLinkPort::SerialLinkPort() {
    QObject::connect(&port_, &QSerialPort::readyRead, [this] { OnReadyRead(); });
    QObject::connect(&port_, &QSerialPort::errorOccurred,
                     [this](QSerialPort::SerialPortError e) { OnError(e); });
}

SerialLinkPort::~SerialLinkPort() {
    onReceive = nullptr;
    onLineLost = nullptr;
    Close();
}

QSerialPort::FlowControl SerialLinkPort::FlowControlOf(int handshaking) {
    switch (handshaking) {
    case 1: return QSerialPort::SoftwareControl;
    case 2:
    case 3: return QSerialPort::HardwareControl;
    default: return QSerialPort::NoFlowControl;
    }
}

bool SerialLinkPort::Open(const QString& device, const LineSettings& s) {
    Close();
    // The lock is taken by device name: a link and its device must share it.
    const QString target = QFileInfo(device).canonicalFilePath();
    port_.setPortName(target.isEmpty() ? device : target);
    port_.setBaudRate(s.baud);
    port_.setParity(ParityOf(s.parity));
    port_.setDataBits(DataBitsOf(s.dataBits));
    port_.setStopBits(s.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    port_.setFlowControl(FlowControlOf(s.handshaking));
    if (device.isEmpty() || !port_.open(QIODevice::ReadWrite)) {
        failure_ = FailureOf(port_.error(), device);
        port_.clearError();
        return false;
    }
    failure_ = OpenFailure::None;
    received_.clear();
    open_ = true;
    return true;
}

void SerialLinkPort::Close() {
    open_ = false;
    received_.clear();
    if (port_.isOpen()) port_.close();
    port_.clearError();
}

bool SerialLinkPort::IsOpen() const { return open_ && port_.isOpen(); }

void SerialLinkPort::SetThreshold(int bytes) { threshold_ = bytes; }

void SerialLinkPort::ClearInput() {
    received_.clear();
    if (!IsOpen()) return;
    port_.clear(QSerialPort::Input);
    port_.readAll();  // whatever Qt had already taken in
}

void SerialLinkPort::Output(const QByteArray& bytes) {
    if (IsOpen()) port_.write(bytes);
}

int SerialLinkPort::OutputPending() const {
    if (!IsOpen()) return 0;
    int queued = 0;
    // A UART's driver holds what Qt has handed it until the wire takes it.
    if (::ioctl(port_.handle(), TIOCOUTQ, &queued) != 0) queued = 0;
    return int(port_.bytesToWrite()) + std::max(queued, 0);
}

void SerialLinkPort::Drain() {
    // Qt keeps what was not yet written in its own buffer, which a close drops.
    for (int i = 0; i < 50 && IsOpen() && port_.bytesToWrite() > 0; ++i)
        port_.waitForBytesWritten(20);
}

void SerialLinkPort::OnReadyRead() {
    if (!open_) return;
    received_ += port_.readAll();
    if (threshold_ <= 0 || received_.size() < threshold_) return;
    const QByteArray bytes = std::exchange(received_, QByteArray());
    if (onReceive) onReceive(bytes);
}

void SerialLinkPort::OnError(QSerialPort::SerialPortError error) {
    if (error == QSerialPort::NoError) return;
    if (error == QSerialPort::TimeoutError) {
        port_.clearError();
        return;
    }
    if (!open_) return;  // a failed open is reported by Open itself
    // The port may still say it is open; the line is gone all the same.
    Close();
    if (onLineLost) onLineLost();
}

TimerReply::TimerReply(int intervalMs) {
    timer_.setSingleShot(true);
    timer_.setInterval(intervalMs);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (onTimeout) onTimeout();
    });
}

}  // namespace zr50
