// The stand-ins for the platform's settings files, locale and per-user store.

#include "platform/IniFile.h"
#include "platform/UserSettings.h"
#include "support/Scripted.h"

#include <QLocale>
#include <QSettings>
#include <gtest/gtest.h>

#include <map>

using namespace zr50;
using namespace zr50::test;

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
}

TEST(Locale, CommaIsForcedAndRestoredDotIsNeverTouched) {
    FakeLocale comma(0x0407, QStringLiteral(","));
    DecimalSeparatorGuard g;
    g.Force(comma);
    EXPECT_EQ(comma.separator, QStringLiteral("."));
    g.Restore();
    EXPECT_EQ(comma.sets, QStringList({"407:.", "407:,"}));

    FakeLocale dot(0x0407);
    g.Force(dot);
    g.Restore();
    EXPECT_TRUE(dot.sets.isEmpty());
}

TEST(UserSettings, StoresPerApplication) {
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    auto get = [](const char* app) {
        return GetSetting(QLatin1String(app), QStringLiteral("Settings"), QStringLiteral("MainLeft"),
                          QStringLiteral("100"));
    };
    SaveSetting(QStringLiteral("ZR50"), QStringLiteral("Settings"), QStringLiteral("MainLeft"), QStringLiteral("250"));
    EXPECT_EQ(get("ZR50"), QStringLiteral("250"));
    EXPECT_EQ(get("Other"), QStringLiteral("100"));
}

}  // namespace
