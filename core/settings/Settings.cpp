#include "Settings.h"

#include "rules/SharedHelpers.h"

namespace zr50 {

QString Paths::ParentFolder() const { return zr50::ParentFolder(ProgramFolder); }
QString Paths::SettingsIni() const { return ParentFolder() + QStringLiteral("/language/mysetup.ini"); }
QString Paths::VersionIni() const { return ParentFolder() + QStringLiteral("/Version.ini"); }
QString Paths::InitFolder() const { return ProgramFolder + QStringLiteral("/Init"); }
QString Paths::PictureFolder() const { return ProgramFolder + QStringLiteral("/PIC"); }

}  // namespace zr50
