// Start-up: the order of its steps, the settings file on first and later
// runs, files that lack keys or hold values that are no use; the version table;
// the platform stand-ins for settings files and the locale.

#include "files/DocumentFiles.h"
#include "files/NewDocument.h"
#include "platform/IniFile.h"
#include "platform/UserSettings.h"
#include "settings/StartUp.h"
#include "support/Scripted.h"
#include "versions/Versions.h"

#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>

using namespace zr50;
using namespace zr50::test;

namespace {

class SettingsTest : public ProgramTest {
protected:
    void PutIni(const QByteArray& text) { WriteFile(p.paths.SettingsIni(), text); }
    // The five keys as the file holds them.
    std::string Keys() {
        QStringList out;
        for (const char* k : {"IsFirstRun", "comPort", "Handshaking", "StopBit", "CurrentLanguage"})
            out << QString::fromLatin1(k) + QLatin1Char('=') + SettingsKey(p, k, QStringLiteral("<none>"));
        return out.join(QLatin1Char(' ')).toStdString();
    }
    static constexpr const char* kShipped =
        "[language]\nIsFirstRun=1\ncomPort=1\nHandshaking=0\nStopBit=1\nCurrentLanguage=1\n";

};

TEST_F(SettingsTest, StartUpStepsInOrderAndShutDownRestoresTheSeparator) {
    PutIni(kShipped);
    WriteFile(p.paths.VersionIni(), "[Version]\nFirmVersionCount=1\n[Firm]\nFirm0=V200V200\n");
    // A blank template of the band kind the start-up band text gives.
    p.doc.DataRec.CurBand = 1;
    p.doc.DataRec.ChCount(1, 2) = 1;
    p.doc.DataFileName = InitTemplatePath(p, InitTemplate::Blank);
    ASSERT_TRUE(WriteDataFile(p));
    p.doc = Document();
    p.texts = TextTables();
    p.settings.MWriteEnable = p.settings.SkipInitFile = 1;

    FakeLocale locale(0x0804, QStringLiteral(","));
    QStringList seen;
    locale.onCall = [&](const char* what) {
        seen << QStringLiteral("%1: pairs %2, IsFirstRun %3, separator %4")
                    .arg(QLatin1String(what))
                    .arg(p.versions.FirmVersionCount())
                    .arg(SettingsKey(p, "IsFirstRun"), locale.separator);
    };
    StartUpState state;
    StartUp(p, locale, state);
    EXPECT_EQ(seen, QStringList({"separator: pairs 1, IsFirstRun 1, separator ,",
                                 "system: pairs 1, IsFirstRun 1, separator ."}));
    EXPECT_EQ(p.settings.MWriteEnable + p.settings.SkipInitFile, 0);
    EXPECT_EQ(p.settings.CurLanguage, kChinese);
    // The template's band text, so the new document came after the settings.
    EXPECT_EQ(p.doc.BandText, QStringLiteral("28.0000 - 29.6950 MHz"));
    EXPECT_EQ(p.doc.DataRec.ChCount(1, 2), 1);
    EXPECT_TRUE(p.doc.IsUntitled);
    EXPECT_FALSE(p.doc.IsDataModified());
    EXPECT_EQ(p.texts.Msg.FileError.en, QStringLiteral("file error."));

    state.ShutDown();
    EXPECT_EQ(locale.sets, QStringList({"804:.", "804:,"}));
}

TEST_F(SettingsTest, FirstAndLaterRuns) {
    for (uint32_t lcid : {0x0804u, 0x0404u, 0x0C04u}) {
        PutIni(kShipped);
        LoadSettings(p, FakeLocale(lcid));
        const int language = lcid == 0x0804 ? kChinese : kEnglish;
        EXPECT_EQ(p.settings.CurLanguage, language) << lcid;
        EXPECT_EQ(p.settings.AppliedLanguage, language);
        EXPECT_EQ(SettingsKey(p, "IsFirstRun") + SettingsKey(p, "CurrentLanguage"),
                  QStringLiteral("0%1").arg(language));
    }
    EXPECT_EQ(p.doc.BandText, QStringLiteral("28.0000 - 29.6990 MHz"));
    EXPECT_DOUBLE_EQ(p.doc.Limits.BandMax, 29.699);

    PutIni("[language]\nIsFirstRun=0\ncomPort=7\nHandshaking=2\nStopBit=2\nCurrentLanguage=2\n");
    LoadSettings(p, FakeLocale(0x0409));
    const Settings& s = p.settings;
    EXPECT_EQ(std::make_tuple(s.CurLanguage, s.SysLanguage, s.AppliedLanguage),
              std::make_tuple(kChinese, kEnglish, kEnglish));
    EXPECT_EQ(std::make_tuple(s.PortNo, s.PortHandshaking, s.PortStopBits), std::make_tuple(7, 2, 2));
}

TEST_F(SettingsTest, MissingOrUnusableValuesFallBackAndAreWrittenBack) {
    const struct {
        const char* file;
        const char* keys;
    } cases[] = {
        {nullptr, "IsFirstRun=0 comPort=1 Handshaking=0 StopBit=1 CurrentLanguage=2"},
        {"[language]\nIsFirstRun=0\ncomPort=COM3\nHandshaking=\nStopBit=2\nCurrentLanguage=7\n",
         "IsFirstRun=0 comPort=1 Handshaking=0 StopBit=2 CurrentLanguage=2"},
        // An unreadable flag is a first run; a missing port key keeps the value in force.
        {"[language]\nIsFirstRun=maybe\ncomPort=99999\nCurrentLanguage=1\n",
         "IsFirstRun=0 comPort=1 Handshaking=0 StopBit=2 CurrentLanguage=2"},
    };
    for (const auto& c : cases) {
        if (c.file) PutIni(c.file);
        LoadSettings(p, FakeLocale(0x0804));
        EXPECT_EQ(p.settings.PortNo, 1);
        EXPECT_EQ(p.settings.CurLanguage, kChinese);
        EXPECT_EQ(Keys(), c.keys);
    }
}

}  // namespace

// ----------------------------------------------------------------------------
// The version table, the compatibility test and the hand-over to another
// version (its success is seen through the file open and the link).

namespace {

class VersionsTest : public ProgramTest {
protected:
    void Table(const QByteArray& ini) {
        WriteFile(p.paths.VersionIni(), ini);
        InitVersions(p);
    }
    bool Compatible(const char* sw, const char* fw) {
        return IsVersionCompatible(p.versions, QLatin1String(sw), QLatin1String(fw));
    }
};

TEST_F(VersionsTest, TableAndCompatibility) {
    Table("[Version]\nCurrentVersion=V200\nSoftVersionCount=2\nFirmVersionCount=3\n"
          "[Soft]\nVersion0=V200\nVersion1=V300\n"
          "[Firm]\nFirm0=V200V210\nFirm1=V300V210\nFirm2=V200V200\n");
    EXPECT_EQ(p.doc.DataRec.VersionText.raw(), QStringLiteral("V200"));
    EXPECT_EQ(p.versions.CurrentVersion, QStringLiteral("V200"));
    EXPECT_EQ(p.versions.SoftVersions, QStringList({"V200", "V300"}));
    EXPECT_TRUE(Compatible("V200", "V210") && !Compatible("V200", "V211") && !Compatible("v200", "V210"));
    // Two pairs with one firmware: the lower index wins.
    EXPECT_EQ(SoftwareForVersion(p.versions, QStringLiteral("V210")), QStringLiteral("V200"));
    EXPECT_EQ(SoftwareForVersion(p.versions, QStringLiteral("V999")), QString());
}

TEST_F(VersionsTest, MissingOrMalformedFileGivesAnEmptyTable) {
    InitVersions(p);
    EXPECT_FALSE(Compatible("V200", "V200"));
    for (const char* ini : {"[Version]\nFirmVersionCount=lots\n[Firm]\nFirm0=V200V200\n",
                            "[Version]\nFirmVersionCount=-4\n"}) {
        Table(ini);
        EXPECT_EQ(p.versions.FirmVersionCount(), 0) << ini;
    }
    // A count beyond the entries present reads empty pairs, which match nothing real.
    Table("[Version]\nFirmVersionCount=2\n[Firm]\nFirm0=V200V200\n");
    EXPECT_EQ(p.versions.FirmVersionCount(), 2);
    EXPECT_TRUE(Compatible("V200", "V200"));
}

TEST_F(VersionsTest, MismatchTextInBothLanguages) {
    EXPECT_EQ(ShownVersion(QStringLiteral("V1234")), QStringLiteral("V1.34"));
    EXPECT_EQ(VersionMismatchText(p, QStringLiteral("V200"), QStringLiteral("V210"), VersionKind::Firmware),
              QStringLiteral("incompatible version. It may cause unknown error.To start the "
                             "corresponding software version, or not?\r\nFirmware version is "
                             "V2.10\r\nprogramming software is V2.00"));
    p.settings.CurLanguage = kChinese;
    EXPECT_EQ(VersionMismatchText(p, QStringLiteral("V200"), QStringLiteral("V300"), VersionKind::DataFile),
              QString::fromUtf8("版本不兼容，有可能引起未知错误，是否启动对应版本软件？\r\n"
                                "数据文件版本为 V3.00\r\n写频软件版本为 V2.00"));
}

TEST_F(VersionsTest, HandOverWithoutAVersionOrAProgramShowsTheMessageAndGoesOn) {
    InitVersions(p);
    StartOtherVersion(p, QStringLiteral("V310"));
    EXPECT_TRUE(tp.process.started.isEmpty());
    Table("[Version]\nFirmVersionCount=1\n[Firm]\nFirm0=V300V310\n");
    tp.process.startSucceeds = false;
    StartOtherVersion(p, QStringLiteral("V310"));
    EXPECT_EQ(tp.process.started, QStringList{p.paths.ParentFolder() + QStringLiteral("/V300/KD_270/ZR50")});
    EXPECT_TRUE(tp.process.exitCodes.isEmpty());
    EXPECT_EQ(tp.prompter.Texts(),
              QStringList(2, QStringLiteral("Fail to start the software. This version does not exist.")));
}

}  // namespace

// ----------------------------------------------------------------------------
// The stand-ins for the platform's settings files and locale.

namespace {

TEST(IniFile, MissingFileGivesDefaultAndIsCreatedOnWrite) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("language/mysetup.ini"));
    const QString s = QStringLiteral("language"), k = QStringLiteral("comPort");
    EXPECT_EQ(GetProfileString(path, s, k, QStringLiteral("d")), QStringLiteral("d"));
    ASSERT_TRUE(WriteProfileString(path, s, k, QStringLiteral("3")));
    EXPECT_EQ(ReadFile(path), QByteArray("[language]\ncomPort=3\n"));
    EXPECT_EQ(GetProfileString(path, s, k), QStringLiteral("3"));
    EXPECT_FALSE(WriteProfileString(QStringLiteral("/proc/zr50-no/such.ini"), s, k, QStringLiteral("v")));
}

TEST(IniFile, CaseInsensitiveAndOtherLinesKept) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.ini"));
    WriteFile(path, "; shipped settings\r\n[Other]\r\ncomPort=9\r\n\r\n[LANGUAGE]\r\n"
                    "  ComPort = 2 \r\nIsFirstRun=1\r\n\r\n[Tail]\r\nx=\"quoted\"\r\n;k=1\r\n=2\r\n");
    auto get = [&](const char* section, const char* key) {
        return GetProfileString(path, QLatin1String(section), QLatin1String(key), QStringLiteral("-"));
    };
    EXPECT_EQ(get("language", "comport"), QStringLiteral("2"));
    EXPECT_EQ(get("tail", "X"), QStringLiteral("quoted"));
    EXPECT_EQ(get("tail", ";k"), QStringLiteral("-"));  // comments are not keys
    EXPECT_EQ(get("tail", ""), QStringLiteral("-"));
    auto set = [&](const char* section, const char* key, const char* value) {
        return WriteProfileString(path, QLatin1String(section), QLatin1String(key), QLatin1String(value));
    };
    ASSERT_TRUE(set("language", "comPort", "5") && set("language", "CurrentLanguage", "2") && set("new", "k", "v"));
    EXPECT_EQ(ReadFile(path), QByteArray("; shipped settings\r\n[Other]\r\ncomPort=9\r\n\r\n[LANGUAGE]\r\n"
                                         "ComPort=5\r\nIsFirstRun=1\r\nCurrentLanguage=2\r\n\r\n[Tail]\r\n"
                                         "x=\"quoted\"\r\n;k=1\r\n=2\r\n[new]\r\nk=v\r\n"));
}

ProcessLocale::Env EnvOf(std::map<std::string, QString> vars) {
    return [vars](const char* name) {
        auto it = vars.find(name);
        return it == vars.end() ? QString() : it->second;
    };
}

TEST(Locale, LcidsAndNumbersFromTheEnvironment) {
    const std::pair<const char*, uint32_t> names[] = {
        {"zh_CN.UTF-8", 0x0804}, {"zh_TW.UTF-8", 0x0404}, {"zh_HK", 0x0C04},
        {"de_DE.UTF-8@euro", 0x0407}, {"C", 0x0409}, {"", 0x0409}};
    for (const auto& [name, lcid] : names) EXPECT_EQ(LcidOfLocaleName(QLatin1String(name)), lcid) << name;

    ProcessLocale zh(EnvOf({{"LANG", QStringLiteral("zh_CN.UTF-8")}, {"LC_NUMERIC", QStringLiteral("de_DE.UTF-8")}}));
    EXPECT_EQ(zh.SystemDefaultLcid(), 0x0804u);
    EXPECT_EQ(zh.UserDefaultLcid(), 0x0407u);
    EXPECT_EQ(zh.DecimalSeparator(zh.UserDefaultLcid()), QStringLiteral(","));
    ProcessLocale all(EnvOf({{"LC_ALL", QStringLiteral("en_US.UTF-8")}, {"LANG", QStringLiteral("zh_CN.UTF-8")}}));
    EXPECT_EQ(all.SystemDefaultLcid(), 0x0409u);
    EXPECT_EQ(all.DecimalSeparator(0), QStringLiteral("."));

    // Forcing the separator switches Qt's number formatting.
    ProcessLocale de(EnvOf({{"LC_NUMERIC", QStringLiteral("de_DE.UTF-8")}}));
    DecimalSeparatorGuard g;
    g.Force(de);
    EXPECT_EQ(QLocale().toString(1.5), QStringLiteral("1.5"));
    g.Restore();
    QLocale::setDefault(QLocale::c());
    // A separator that is "." already is never touched (a comma is, at start-up).
    FakeLocale dot;
    g.Force(dot);
    g.Restore();
    EXPECT_TRUE(dot.sets.isEmpty());
}

TEST(UserSettings, KeptPerApplication) {
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    const QString app = QStringLiteral("ZR50"), section = QStringLiteral("Settings");
    EXPECT_EQ(GetSetting(app, section, QStringLiteral("MainLeft"), QStringLiteral("100")), QStringLiteral("100"));
    SaveSetting(app, section, QStringLiteral("MainLeft"), QStringLiteral("250"));
    EXPECT_EQ(GetSetting(app, section, QStringLiteral("MainLeft"), QStringLiteral("100")), QStringLiteral("250"));
    EXPECT_EQ(GetSetting(QStringLiteral("Other"), section, QStringLiteral("MainLeft"), QStringLiteral("100")),
              QStringLiteral("100"));
}

}  // namespace
