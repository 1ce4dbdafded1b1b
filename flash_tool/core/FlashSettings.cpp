#include "FlashSettings.h"

#include "platform/IniFile.h"

#include <QDir>
#include <algorithm>

namespace kdi {

namespace {
const QString kSection = QStringLiteral("language");
}

QStringList SpeedItems() {
    return {QStringLiteral("9600"),   QStringLiteral("14400 "), QStringLiteral("19200 "),
            QStringLiteral("28800 "), QStringLiteral("38400 "), QStringLiteral("56000 "),
            QStringLiteral("115200"), QStringLiteral("128000"), QStringLiteral("256000")};
}

QString SpeedItemOf(const QString& speedText) {
    const QStringList items = SpeedItems();
    for (const QString& item : items)
        if (item.trimmed() == speedText.trimmed()) return item;
    return items.front();
}

QStringList TimeOutItems() {
    QStringList items;
    for (int s = 1; s <= 10; ++s) items << QStringLiteral("%1S").arg(s);
    return items;
}

void FlashSettings::Load() {
    bool ok = false;
    const int port = zr50::GetProfileString(path, kSection, QStringLiteral("comPort")).toInt(&ok);
    comPort = ok ? port : 0;
    // A first run (or a key that holds no number) starts at 115200 and 3 s,
    // and the file says so from then on.
    const QString speed = zr50::GetProfileString(path, kSection, QStringLiteral("PortSpeed"));
    speed.trimmed().toInt(&ok);
    if (ok) PortSpeed = speed;
    else SetPortSpeed(QStringLiteral("115200"));
    const int time = zr50::GetProfileString(path, kSection, QStringLiteral("PortTime")).toInt(&ok);
    // 0 would fire the reply timer without pause, and the timer counts milliseconds.
    if (ok) PortTime = std::clamp(time, 1, 10);
    else SetPortTime(3);
}

void FlashSettings::SetComPort(int port) {
    comPort = port;
    zr50::WriteProfileString(path, kSection, QStringLiteral("comPort"), QString::number(port));
}

void FlashSettings::SetPortSpeed(const QString& speedText) {
    PortSpeed = speedText;
    zr50::WriteProfileString(path, kSection, QStringLiteral("PortSpeed"), speedText);
}

void FlashSettings::SetPortTime(int seconds) {
    PortTime = std::clamp(seconds, 1, 10);
    zr50::WriteProfileString(path, kSection, QStringLiteral("PortTime"), QString::number(PortTime));
}

int FlashSettings::Baud() const {
    bool ok = false;
    const int baud = PortSpeed.trimmed().toInt(&ok);
    return ok && baud > 0 ? baud : 0;
}

QString SettingsIniPath(const QString& programDir) {
    return QDir(programDir).filePath(QStringLiteral("mysetup.ini"));
}

OsVersionInfo QueryOsVersion() {
    OsVersionInfo info;
    info.known = true;
    return info;
}

bool FixedPortListFor(const OsVersionInfo& info) {
    return info.productType == 1 && info.platformId == 2 && info.major == 6 && info.minor == 0;
}

}  // namespace kdi

#include "FlashTexts.h"
#include "ui/Prompter.h"

namespace kdi {

bool GetOsKind(zr50::Prompter& prompter, const OsVersionInfo& info) {
    if (!info.known) {
        prompter.Ask(text::kUnknownOs, zr50::Buttons::Ok, zr50::Icon::None,
                     QString::fromLatin1(text::kTitle));
        return false;
    }
    return FixedPortListFor(info);
}

}  // namespace kdi
