// The version table, the compatibility test and the hand-over to another
// version (its success is seen through the file open and the link).

#include "support/Scripted.h"
#include "versions/Versions.h"

#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;

namespace {

class VersionsTest : public ::testing::Test {
protected:
    void Table(const QByteArray& ini) {
        WriteFile(p.paths.VersionIni(), ini);
        InitVersions(p);
    }
    bool Compatible(const char* sw, const char* fw) {
        return IsVersionCompatible(p.versions, QLatin1String(sw), QLatin1String(fw));
    }
    TestProgram tp;
    Program& p = tp.p();
};

TEST_F(VersionsTest, TableAndCompatibility) {
    Table("[Version]\nCurrentVersion=V200\nSoftVersionCount=2\nFirmVersionCount=3\n"
          "[Soft]\nVersion0=V200\nVersion1=V300\n"
          "[Firm]\nFirm0=V200V210\nFirm1=V300V210\nFirm2=V200V200\n");
    EXPECT_EQ(p.doc.DataRec.VersionText.raw(), QStringLiteral("V200"));
    EXPECT_EQ(p.versions.CurrentVersion, QStringLiteral("V200"));
    EXPECT_EQ(p.versions.SoftVersions, QStringList({"V200", "V300"}));
    EXPECT_TRUE(Compatible("V200", "V210"));
    EXPECT_FALSE(Compatible("V200", "V211"));
    EXPECT_FALSE(Compatible("v200", "V210"));
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
