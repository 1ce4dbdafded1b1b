#pragma once
// The table of which program version goes with which firmware and data-file
// version, read from Version.ini at start-up.

#include <QString>
#include <QStringList>

namespace zr50 {

struct VersionTable {
    QString CurrentVersion;
    QStringList SoftVersions;
    // Element 2i: software version of pair i; element 2i + 1: its firmware or
    // data-file version.
    QStringList VersionPairTable;
    int FirmVersionCount() const { return int(VersionPairTable.size() / 2); }
};

}  // namespace zr50
