#include "UserSettings.h"

#include <QSettings>

namespace zr50 {

namespace {
QString Key(const QString& section, const QString& key) { return section + QLatin1Char('/') + key; }
}  // namespace

QString GetSetting(const QString& app, const QString& section, const QString& key,
                   const QString& defaultValue) {
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, app, app);
    return s.value(Key(section, key), defaultValue).toString();
}

void SaveSetting(const QString& app, const QString& section, const QString& key,
                 const QString& value) {
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, app, app);
    s.setValue(Key(section, key), value);
}

}  // namespace zr50
