#pragma once
// The serial ports the program offers, each under a "COM" number, as the
// registry's list of serial ports did.

#include <QString>
#include <vector>

namespace zr50 {

struct SerialPortEntry {
    int number = 0;   // 3 for "COM3"
    QString device;   // the device path opened for it
};

struct SerialPortList {
    std::vector<SerialPortEntry> entries;  // ascending by number
    int first = 0;                         // the first number listed, 0 when none
};

// The number a device name takes: ttyS<k> -> k + 1, ttyUSB<k> -> k + 33,
// ttyACM<k> -> k + 65 (k below 32); 0 for any other device.
int PortNumberOfDevice(const QString& deviceName);

// The per-user port map: a folder of links com<N> -> device. KDRADIO_PORT_DIR
// names another folder (for tests and odd set-ups).
QString DefaultPortMapDir();

// The devices present, numbered by the rule above, then the port map's links
// to existing devices, which add numbers or take them over. An empty folder
// argument uses the default folder.
SerialPortList EnumSerialPorts(const QString& portMapDir = QString());

// The device of port n, or an empty text when there is none.
QString DeviceForPort(int n, const QString& portMapDir = QString());

}  // namespace zr50
