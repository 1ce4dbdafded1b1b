#pragma once
// The per-user settings store of an application: values by section and key,
// kept in the platform's native settings for that application.

#include <QString>

namespace zr50 {

QString GetSetting(const QString& app, const QString& section, const QString& key,
                   const QString& defaultValue);
void SaveSetting(const QString& app, const QString& section, const QString& key,
                 const QString& value);

}  // namespace zr50
