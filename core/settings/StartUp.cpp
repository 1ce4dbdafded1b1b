#include "StartUp.h"

#include "Program.h"
#include "files/NewDocument.h"
#include "platform/IniFile.h"
#include "rules/Numbers.h"
#include "versions/Versions.h"

#include <optional>

namespace zr50 {

namespace {

const QString kSection = QStringLiteral("language");

QString ReadKey(const Program& p, const char* key) {
    return GetProfileString(p.paths.SettingsIni(), kSection, QString::fromLatin1(key)).trimmed();
}

void WriteKey(const Program& p, const char* key, int value) {
    WriteProfileString(p.paths.SettingsIni(), kSection, QString::fromLatin1(key),
                       QString::number(value));
}

// A Boolean as text: a number (non-zero is true) or True/False.
std::optional<bool> ToBool(const QString& text) {
    if (const auto n = ParseNumber(text)) return *n != 0;
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
    return std::nullopt;
}

// A port setting the file lacks keeps the value in force and is written back,
// so the file holds every key again.
void ReadPortSetting(const Program& p, const char* key, int& value) {
    if (const auto v = ToInt16(ReadKey(p, key)))
        value = *v;
    else
        WriteKey(p, key, value);
}

}  // namespace

void LoadSettings(Program& p, const LocaleService& locale) {
    Settings& s = p.settings;
    s.PortNo = 1;
    const bool chineseSystem =
        QString::number(locale.SystemDefaultLcid(), 16) == QLatin1String("804");
    s.CurLanguage = s.SysLanguage = s.AppliedLanguage = chineseSystem ? kChinese : kEnglish;
    p.messages = MessageQueue();

    s.FirstRunFlag = ToBool(ReadKey(p, "IsFirstRun")).value_or(true);
    if (s.SkipInitFile != 0) s.FirstRunFlag = false;

    p.doc.ModelName = QString::fromLatin1(kModelName);
    p.doc.DataRec.CurBand = 1;
    p.doc.SetBandText(QStringLiteral("28.0000 - 29.6990 MHz"));  // parses the limits too
    p.doc.DataVersion = QString::fromLatin1(kOwnVersion);

    s.PortNo = ToInt16(ReadKey(p, "comPort")).value_or(1);
    ReadPortSetting(p, "Handshaking", s.PortHandshaking);
    ReadPortSetting(p, "StopBit", s.PortStopBits);

    if (s.FirstRunFlag) {
        s.FirstRunFlag = false;
        WriteKey(p, "IsFirstRun", 0);
    } else {
        const auto lang = ToInt16(ReadKey(p, "CurrentLanguage"));
        if (lang == kEnglish || lang == kChinese) s.CurLanguage = *lang;
    }
    WriteKey(p, "comPort", s.PortNo);
    WriteKey(p, "CurrentLanguage", s.CurLanguage);
}

void StartUp(Program& p, LocaleService& locale, StartUpState& state) {
    InitVersions(p);
    p.settings.MWriteEnable = 0;
    p.settings.SkipInitFile = 0;
    state.separator.Force(locale);
    LoadSettings(p, locale);
    InitNewData(p);
    InitEnglishText(p.texts);
}

}  // namespace zr50
