// The settings file at start-up: first and later runs, and files that lack
// keys or hold values that are no use.

#include "platform/IniFile.h"
#include "settings/StartUp.h"
#include "support/Scripted.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;

namespace {

class FakeLocale : public LocaleService {
public:
    explicit FakeLocale(uint32_t system, QString separator = QStringLiteral("."))
        : system(system), separator(std::move(separator)) {}
    uint32_t SystemDefaultLcid() const override { return system; }
    uint32_t UserDefaultLcid() const override { return 0x0409; }
    QString DecimalSeparator(uint32_t) const override { return separator; }
    void SetDecimalSeparator(uint32_t, const QString& s) override { separator = s, sets << s; }

    uint32_t system;
    QString separator;
    QStringList sets;
};

class SettingsTest : public ::testing::Test {
protected:
    QString ini() { return p.paths.SettingsIni(); }
    void PutIni(const QByteArray& text) {
        QFile f(ini());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QString Key(const char* key) {
        return GetProfileString(ini(), QStringLiteral("language"), QString::fromLatin1(key), "<none>");
    }
    // The five keys as the file holds them.
    std::string Keys() {
        QStringList out;
        for (const char* k : {"IsFirstRun", "comPort", "Handshaking", "StopBit", "CurrentLanguage"})
            out << QString::fromLatin1(k) + QLatin1Char('=') + Key(k);
        return out.join(QLatin1Char(' ')).toStdString();
    }
    static constexpr const char* kShipped =
        "[language]\nIsFirstRun=1\ncomPort=1\nHandshaking=0\nStopBit=1\nCurrentLanguage=1\n";

    TestProgram tp;
    Program& p = tp.p();
};

TEST_F(SettingsTest, FirstRunTakesTheSystemLanguage) {
    const struct {
        uint32_t lcid;
        int language;
    } cases[] = {{0x0804, kChinese}, {0x0404, kEnglish}, {0x0C04, kEnglish}, {0x0409, kEnglish}};
    for (const auto& c : cases) {
        PutIni(kShipped);
        LoadSettings(p, FakeLocale(c.lcid));
        EXPECT_EQ(p.settings.CurLanguage, c.language) << c.lcid;
        EXPECT_EQ(p.settings.SysLanguage, c.language);
        EXPECT_EQ(p.settings.AppliedLanguage, c.language);
        EXPECT_FALSE(p.settings.FirstRunFlag);
        EXPECT_EQ(Key("IsFirstRun"), QStringLiteral("0"));
        EXPECT_EQ(Key("CurrentLanguage"), QString::number(c.language));
    }
    EXPECT_EQ(p.doc.BandText, QStringLiteral("28.0000 - 29.6990 MHz"));
    EXPECT_DOUBLE_EQ(p.doc.Limits.BandMax, 29.699);
    EXPECT_EQ(p.doc.DataRec.CurBand, 1);
}

TEST_F(SettingsTest, LaterRunsTakeTheStoredLanguageAndPort) {
    PutIni("[language]\nIsFirstRun=0\ncomPort=7\nHandshaking=2\nStopBit=2\nCurrentLanguage=2\n");
    LoadSettings(p, FakeLocale(0x0409));
    EXPECT_EQ(p.settings.CurLanguage, kChinese);
    EXPECT_EQ(p.settings.SysLanguage, kEnglish);
    EXPECT_EQ(p.settings.AppliedLanguage, kEnglish);
    EXPECT_EQ(p.settings.PortNo, 7);
    EXPECT_EQ(p.settings.PortHandshaking, 2);
    EXPECT_EQ(p.settings.PortStopBits, 2);

    PutIni("[language]\nIsFirstRun=0\ncomPort=7\nHandshaking=0\nStopBit=1\nCurrentLanguage=1\n");
    LoadSettings(p, FakeLocale(0x0804));
    EXPECT_EQ(p.settings.CurLanguage, kEnglish);
    EXPECT_EQ(p.settings.SysLanguage, kChinese);

    // The start-up switch makes every run a later one.
    PutIni(kShipped);
    p.settings.SkipInitFile = 1;
    LoadSettings(p, FakeLocale(0x0804));
    EXPECT_EQ(p.settings.CurLanguage, kEnglish);
    EXPECT_EQ(Key("IsFirstRun"), QStringLiteral("1"));
}

TEST_F(SettingsTest, MissingOrUnusableValuesFallBackAndAreWrittenBack) {
    LoadSettings(p, FakeLocale(0x0804));  // no file at all
    EXPECT_EQ(p.settings.PortNo, 1);
    EXPECT_EQ(p.settings.CurLanguage, kChinese);
    EXPECT_EQ(Keys(), "IsFirstRun=0 comPort=1 Handshaking=0 StopBit=1 CurrentLanguage=2");

    PutIni("[language]\nIsFirstRun=0\ncomPort=COM3\nHandshaking=\nStopBit=2\nCurrentLanguage=7\n");
    LoadSettings(p, FakeLocale(0x0804));
    EXPECT_EQ(p.settings.PortNo, 1);
    EXPECT_EQ(p.settings.CurLanguage, kChinese);
    EXPECT_EQ(Keys(), "IsFirstRun=0 comPort=1 Handshaking=0 StopBit=2 CurrentLanguage=2");

    // An unreadable flag is a first run; a missing port key keeps the value in force.
    PutIni("[language]\nIsFirstRun=maybe\ncomPort=99999\nCurrentLanguage=1\n");
    LoadSettings(p, FakeLocale(0x0804));
    EXPECT_EQ(p.settings.PortNo, 1);
    EXPECT_EQ(p.settings.CurLanguage, kChinese);
    EXPECT_EQ(Keys(), "IsFirstRun=0 comPort=1 Handshaking=0 StopBit=2 CurrentLanguage=2");
}

}  // namespace
