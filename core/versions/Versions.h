#pragma once
// Version management: the version table, the compatibility test, the question
// shown on a mismatch and the hand-over to another installed version.

#include "VersionTable.h"

#include <QString>
#include <functional>

namespace zr50 {

struct Program;

enum class VersionKind { Firmware = 0, DataFile = 1 };

// Texts, the document's version field, then the table from Version.ini. A
// missing or malformed file gives an empty table: nothing is compatible.
void InitVersions(Program& p);
VersionTable ReadVersionTable(const QString& versionIni);

QString SoftwareForVersion(const VersionTable& t, const QString& v);
bool IsVersionCompatible(const VersionTable& t, const QString& sw, const QString& fw);
// "V200" -> "V2.00": the first two characters, ".", the last two.
QString ShownVersion(const QString& v);
QString VersionMismatchText(const Program& p, const QString& sw, const QString& fw, VersionKind kind);

// Starts the version that goes with firmware or data version v and ends this
// process. When there is none, or it cannot be started, the missing-version
// message is shown and the program goes on. beforeStart runs just before the
// start (the link closes its port there).
void StartOtherVersion(Program& p, const QString& v, const std::function<void()>& beforeStart = {});

}  // namespace zr50
