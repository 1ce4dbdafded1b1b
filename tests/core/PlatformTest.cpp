// The stand-ins for the platform's settings files, locale and per-user store.

#include "platform/IniFile.h"
#include "platform/Locale.h"
#include "platform/UserSettings.h"

#include <QFile>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>

using namespace zr50;

namespace {

QString ReadAll(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QString::fromUtf8(f.readAll());
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
}

TEST(IniFile, MissingFileGivesDefaultAndIsCreatedOnWrite) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/language/mysetup.ini");
    EXPECT_EQ(GetProfileString(path, QStringLiteral("language"), QStringLiteral("comPort"),
                               QStringLiteral("d")),
              QStringLiteral("d"));
    ASSERT_TRUE(WriteProfileString(path, QStringLiteral("language"), QStringLiteral("comPort"),
                                   QStringLiteral("3")));
    EXPECT_EQ(ReadAll(path), QStringLiteral("[language]\ncomPort=3\n"));
    EXPECT_EQ(GetProfileString(path, QStringLiteral("language"), QStringLiteral("comPort")),
              QStringLiteral("3"));
}

TEST(IniFile, CaseInsensitiveAndOtherLinesKept) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/a.ini");
    WriteAll(path,
             "; shipped settings\r\n[Other]\r\ncomPort=9\r\n\r\n[LANGUAGE]\r\n"
             "  ComPort = 2 \r\nIsFirstRun=1\r\n\r\n[Tail]\r\nx=\"quoted\"\r\n");
    EXPECT_EQ(GetProfileString(path, QStringLiteral("language"), QStringLiteral("comport")),
              QStringLiteral("2"));
    EXPECT_EQ(GetProfileString(path, QStringLiteral("tail"), QStringLiteral("X")),
              QStringLiteral("quoted"));
    ASSERT_TRUE(WriteProfileString(path, QStringLiteral("language"), QStringLiteral("comPort"),
                                   QStringLiteral("5")));
    ASSERT_TRUE(WriteProfileString(path, QStringLiteral("language"),
                                   QStringLiteral("CurrentLanguage"), QStringLiteral("2")));
    ASSERT_TRUE(WriteProfileString(path, QStringLiteral("new"), QStringLiteral("k"),
                                   QStringLiteral("v")));
    EXPECT_EQ(ReadAll(path),
              QStringLiteral("; shipped settings\r\n[Other]\r\ncomPort=9\r\n\r\n[LANGUAGE]\r\n"
                             "ComPort=5\r\nIsFirstRun=1\r\nCurrentLanguage=2\r\n\r\n[Tail]\r\n"
                             "x=\"quoted\"\r\n[new]\r\nk=v\r\n"));
}

TEST(IniFile, CommentsAreNotKeys) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/a.ini");
    WriteAll(path, "[s]\n;k=1\n=2\n");
    EXPECT_EQ(GetProfileString(path, QStringLiteral("s"), QStringLiteral(";k"), QStringLiteral("-")),
              QStringLiteral("-"));
    EXPECT_EQ(GetProfileString(path, QStringLiteral("s"), QString(), QStringLiteral("-")),
              QStringLiteral("-"));
}

TEST(IniFile, UnwritableFileReportsFailure) {
    EXPECT_FALSE(WriteProfileString(QStringLiteral("/proc/zr50-no/such.ini"), QStringLiteral("s"),
                                    QStringLiteral("k"), QStringLiteral("v")));
}

TEST(Locale, LcidOfNames) {
    EXPECT_EQ(LcidOfLocaleName(QStringLiteral("zh_CN.UTF-8")), 0x0804u);
    EXPECT_EQ(LcidOfLocaleName(QStringLiteral("zh_TW.UTF-8")), 0x0404u);
    EXPECT_EQ(LcidOfLocaleName(QStringLiteral("zh_HK")), 0x0C04u);
    EXPECT_EQ(LcidOfLocaleName(QStringLiteral("de_DE.UTF-8@euro")), 0x0407u);
    EXPECT_EQ(LcidOfLocaleName(QStringLiteral("C")), 0x0409u);
    EXPECT_EQ(LcidOfLocaleName(QString()), 0x0409u);
}

ProcessLocale::Env EnvOf(std::map<std::string, QString> vars) {
    return [vars](const char* name) {
        auto it = vars.find(name);
        return it == vars.end() ? QString() : it->second;
    };
}

TEST(Locale, SystemLanguageAndNumbersFromTheEnvironment) {
    ProcessLocale zh(EnvOf({{"LANG", QStringLiteral("zh_CN.UTF-8")},
                            {"LC_NUMERIC", QStringLiteral("de_DE.UTF-8")}}));
    EXPECT_EQ(zh.SystemDefaultLcid(), 0x0804u);
    EXPECT_EQ(zh.UserDefaultLcid(), 0x0407u);
    EXPECT_EQ(zh.DecimalSeparator(zh.UserDefaultLcid()), QStringLiteral(","));
    ProcessLocale all(EnvOf({{"LC_ALL", QStringLiteral("en_US.UTF-8")},
                             {"LANG", QStringLiteral("zh_CN.UTF-8")}}));
    EXPECT_EQ(all.SystemDefaultLcid(), 0x0409u);
    EXPECT_EQ(all.DecimalSeparator(0), QStringLiteral("."));
}

class FakeLocale : public LocaleService {
public:
    uint32_t SystemDefaultLcid() const override { return 0x0407; }
    uint32_t UserDefaultLcid() const override { return 0x0407; }
    QString DecimalSeparator(uint32_t) const override { return sep; }
    void SetDecimalSeparator(uint32_t lcid, const QString& s) override {
        sets.push_back({lcid, s});
        sep = s;
    }
    QString sep;
    std::vector<std::pair<uint32_t, QString>> sets;
};

TEST(Locale, CommaIsForcedAndRestoredDotIsNeverTouched) {
    FakeLocale comma;
    comma.sep = QStringLiteral(",");
    DecimalSeparatorGuard g;
    g.Force(comma);
    EXPECT_EQ(comma.sep, QStringLiteral("."));
    g.Restore();
    EXPECT_EQ(comma.sep, QStringLiteral(","));
    ASSERT_EQ(comma.sets.size(), 2u);
    EXPECT_EQ(comma.sets[0].first, 0x0407u);

    FakeLocale dot;
    dot.sep = QStringLiteral(".");
    DecimalSeparatorGuard g2;
    g2.Force(dot);
    g2.Restore();
    EXPECT_TRUE(dot.sets.empty());
}

TEST(Locale, ForcingSwitchesQtNumberFormatting) {
    ProcessLocale de(EnvOf({{"LC_NUMERIC", QStringLiteral("de_DE.UTF-8")}}));
    DecimalSeparatorGuard g;
    g.Force(de);
    EXPECT_EQ(QLocale().toString(1.5), QStringLiteral("1.5"));
    g.Restore();
    QLocale::setDefault(QLocale::c());
}

TEST(UserSettings, StoresPerApplication) {
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    EXPECT_EQ(GetSetting(QStringLiteral("ZR50"), QStringLiteral("Settings"),
                         QStringLiteral("MainLeft"), QStringLiteral("100")),
              QStringLiteral("100"));
    SaveSetting(QStringLiteral("ZR50"), QStringLiteral("Settings"), QStringLiteral("MainLeft"),
                QStringLiteral("250"));
    EXPECT_EQ(GetSetting(QStringLiteral("ZR50"), QStringLiteral("Settings"),
                         QStringLiteral("MainLeft"), QStringLiteral("100")),
              QStringLiteral("250"));
    EXPECT_EQ(GetSetting(QStringLiteral("Other"), QStringLiteral("Settings"),
                         QStringLiteral("MainLeft"), QStringLiteral("100")),
              QStringLiteral("100"));
}

}  // namespace
