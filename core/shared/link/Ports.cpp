#include "link/Ports.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <QStandardPaths>
#include <map>

namespace zr50 {

namespace {

constexpr int kDevicesPerKind = 32;

struct DeviceKind {
    const char* prefix;
    int firstNumber;
};
constexpr DeviceKind kDeviceKinds[] = {{"ttyS", 1}, {"ttyUSB", 33}, {"ttyACM", 65}};

}  // namespace

int PortNumberOfDevice(const QString& deviceName) {
    for (const DeviceKind& kind : kDeviceKinds) {
        const QLatin1String prefix(kind.prefix);
        if (!deviceName.startsWith(prefix)) continue;
        const QString digits = deviceName.mid(prefix.size());
        bool ok = false;
        const int k = digits.toInt(&ok);
        // "ttyS01" or "ttyS+1" would alias another device's number.
        if (!ok || k < 0 || k >= kDevicesPerKind || QString::number(k) != digits) return 0;
        return kind.firstNumber + k;
    }
    return 0;
}

QString DefaultPortMapDir() {
    const QString env = qEnvironmentVariable("KDRADIO_PORT_DIR");
    if (!env.isEmpty()) return env;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/KDRadio/ports");
}

SerialPortList EnumSerialPorts(const QString& portMapDir) {
    std::map<int, QString> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const int n = PortNumberOfDevice(info.portName());
        if (n > 0) ports[n] = info.systemLocation();
    }
    // "COM" and at most three digits, as the port setting is read back.
    static const QRegularExpression linkName(QStringLiteral("^com([1-9][0-9]{0,2})$"),
                                             QRegularExpression::CaseInsensitiveOption);
    const QDir dir(portMapDir.isEmpty() ? DefaultPortMapDir() : portMapDir);
    const auto filter = QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot;
    for (const QFileInfo& entry : dir.entryInfoList(filter)) {
        const auto m = linkName.match(entry.fileName());
        if (!m.hasMatch()) continue;
        // A link to a device that is gone is a port that is not present.
        const QString device = entry.canonicalFilePath();
        if (device.isEmpty()) continue;
        ports[m.captured(1).toInt()] = device;
    }
    SerialPortList list;
    for (const auto& [n, device] : ports) list.entries.push_back({n, device});
    if (!list.entries.empty()) list.first = list.entries.front().number;
    return list;
}

QString DeviceForPort(int n, const QString& portMapDir) {
    for (const SerialPortEntry& e : EnumSerialPorts(portMapDir).entries)
        if (e.number == n) return e.device;
    return QString();
}

}  // namespace zr50
