#pragma once
// Sectioned key=value settings files read and written one value at a time:
// sections and keys match without regard to case, every other line of the file
// is kept as it was, and a missing file (and its folder) is created on write.

#include <QString>

namespace zr50 {

// The value of key in section, blanks around it removed (a value wrapped in
// double quotes loses them); defaultValue when the file, section or key is missing.
QString GetProfileString(const QString& path, const QString& section, const QString& key,
                         const QString& defaultValue = QString());

// Sets key in section, adding the section or key at need. False when the file
// cannot be written.
bool WriteProfileString(const QString& path, const QString& section, const QString& key,
                        const QString& value);

}  // namespace zr50
