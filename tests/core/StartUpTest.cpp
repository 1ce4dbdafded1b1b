// Start-up: the order of its steps, the settings file on first and later
// runs, and files that lack keys or hold values that are no use.

#include "files/DocumentFiles.h"
#include "files/NewDocument.h"
#include "settings/StartUp.h"
#include "support/Scripted.h"

#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;

namespace {

class SettingsTest : public ::testing::Test {
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

    TestProgram tp;
    Program& p = tp.p();
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
