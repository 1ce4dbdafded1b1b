#pragma once
// KDImager3's settings: mysetup.ini in the program's own folder, section
// "language", keys comPort, PortSpeed and PortTime; Duplex lives for the run.

#include <QString>
#include <QStringList>

namespace kdi {

// The speed list as the window offers it (the middle five end with a blank).
QStringList SpeedItems();
// The list item a speed text stands for, blanks aside (the settings file
// keeps no trailing blank); the first item when none is.
QString SpeedItemOf(const QString& speedText);
// "1S" to "10S".
QStringList TimeOutItems();

struct FlashSettings {
    QString path;      // the settings file
    int comPort = 0;   // 0: none chosen
    QString PortSpeed = QStringLiteral("9600");
    int PortTime = 1;  // seconds, 1..10
    bool Duplex = false;  // set: the line does not echo

    // Reads the three keys. A missing or non-numeric comPort reads as 0 (no
    // port chosen); a missing or non-numeric PortSpeed or PortTime takes
    // "115200" or 3 s and is written back; a time-out outside 1..10 takes the
    // nearest of them.
    void Load();
    // Each writes its key at once.
    void SetComPort(int port);
    void SetPortSpeed(const QString& speedText);
    void SetPortTime(int seconds);

    // The line rate of PortSpeed; 0 when it is not a number.
    int Baud() const;
};

QString SettingsIniPath(const QString& programDir);

// The OS version record the port-list decision looks at.
struct OsVersionInfo {
    bool known = false;
    int productType = 0;  // 1 workstation
    int platformId = 0;   // 2 NT
    int major = 0;
    int minor = 0;
};
// This system's record: Linux is no NT system, so the list is never fixed.
OsVersionInfo QueryOsVersion();
// FixedPortList: an NT 6.0 workstation lists ports 1 to 256 instead of those present.
bool FixedPortListFor(const OsVersionInfo& info);

}  // namespace kdi

namespace zr50 {
class Prompter;
}

namespace kdi {
// GetOsKind: FixedPortList for this system; an unknown system gets its message
// and the list read from the system.
bool GetOsKind(zr50::Prompter& prompter, const OsVersionInfo& info = QueryOsVersion());
}  // namespace kdi
