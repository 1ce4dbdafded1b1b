#include "Versions.h"

#include "Program.h"
#include "platform/IniFile.h"
#include "rules/SharedHelpers.h"

namespace zr50 {

namespace {
// Longer values are not part of the format.
constexpr int kMaxValueLength = 511;
// More entries than this are taken for a damaged file.
constexpr int kMaxEntries = 1000;

QString Value(const QString& ini, const char* section, const QString& key) {
    return StripNull(
        GetProfileString(ini, QString::fromLatin1(section), key).left(kMaxValueLength));
}

int Count(const QString& ini, const char* key) {
    bool ok = false;
    const int n = Value(ini, "Version", QString::fromLatin1(key)).toInt(&ok);
    return ok && n > 0 && n <= kMaxEntries ? n : 0;
}
}  // namespace

VersionTable ReadVersionTable(const QString& ini) {
    VersionTable t;
    t.CurrentVersion = Value(ini, "Version", QStringLiteral("CurrentVersion")).left(4);
    const int soft = Count(ini, "SoftVersionCount");
    const int firm = Count(ini, "FirmVersionCount");
    for (int i = 0; i < soft; ++i)
        t.SoftVersions << Value(ini, "Soft", QStringLiteral("Version%1").arg(i));
    for (int i = 0; i < firm; ++i) {
        const QString pair = Value(ini, "Firm", QStringLiteral("Firm%1").arg(i));
        t.VersionPairTable << pair.left(4) << pair.right(4);
    }
    return t;
}

void InitVersions(Program& p) {
    InitVersionTexts(p.texts);
    p.doc.DataRec.VersionText.set(QString::fromLatin1(kOwnVersion));
    p.versions = ReadVersionTable(p.paths.VersionIni());
}

QString SoftwareForVersion(const VersionTable& t, const QString& v) {
    for (int i = 0; i + 1 < t.VersionPairTable.size(); i += 2)
        if (t.VersionPairTable[i + 1] == v) return t.VersionPairTable[i];
    return QString();
}

bool IsVersionCompatible(const VersionTable& t, const QString& sw, const QString& fw) {
    for (int i = 0; i + 1 < t.VersionPairTable.size(); i += 2)
        if (t.VersionPairTable[i] == sw && t.VersionPairTable[i + 1] == fw) return true;
    return false;
}

QString ShownVersion(const QString& v) { return v.left(2) + QLatin1Char('.') + v.right(2); }

QString VersionMismatchText(const Program& p, const QString& sw, const QString& fw,
                            VersionKind kind) {
    const VersionTexts& t = p.texts.Version;
    const LangText& label = kind == VersionKind::Firmware ? t.FirmwareLabel : t.DataFileLabel;
    return p.T(t.Question) + QLatin1String("\r\n") + p.T(label) + QLatin1Char(' ') +
           ShownVersion(fw) + QLatin1String("\r\n") + p.T(t.SoftwareLabel) + QLatin1Char(' ') +
           ShownVersion(sw);
}

void StartOtherVersion(Program& p, const QString& v, const std::function<void()>& beforeStart) {
    const QString sw = SoftwareForVersion(p.versions, v);
    if (!sw.isEmpty()) {
        const QString path = p.paths.ParentFolder() + QLatin1Char('/') + sw +
                             QStringLiteral("/KD_270/") + p.paths.ProgramName;
        if (beforeStart) beforeStart();
        if (p.process.StartDetached(path)) {
            p.process.ExitNow(0);
            return;
        }
    }
    p.prompter.Ask(p.T(p.texts.Version.MissingVersion), Buttons::Ok, Icon::None);
}

}  // namespace zr50
