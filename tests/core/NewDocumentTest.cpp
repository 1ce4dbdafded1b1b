// The new document from the built-in defaults and from its templates, and the
// templates the build ships: each can be written to the radio as it stands
// and reads back unchanged.

#include "codec/MemImage.h"
#include "files/DocumentFiles.h"
#include "files/NewDocument.h"
#include "rules/Defaults.h"
#include "rules/Numbers.h"
#include "rules/SharedHelpers.h"
#include "support/Scripted.h"

#include <QDate>
#include <QFile>
#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;

namespace {

QString Shipped(const QString& name) { return QStringLiteral(ZR50_PROGRAM_DIR "/Init/") + name; }

class NewDocumentTest : public ::testing::Test {
protected:
    // Copies a shipped template pair into the test installation.
    void Install(const QString& name) {
        const QString dat = p.paths.InitFolder() + QLatin1Char('/') + name;
        ASSERT_TRUE(QFile::copy(Shipped(name), dat));
        ASSERT_TRUE(QFile::copy(ChannelFilePath(Shipped(name)), ChannelFilePath(dat)));
    }
    TestProgram tp;
    Program& p = tp.p();
    Document& doc = p.doc;
};

TEST_F(NewDocumentTest, DefaultsStandWhenTheBlankTemplateIsMissing) {
    doc.DataFileName = QStringLiteral("x.dat");
    doc.IsUntitled = false;
    InitNewData(p);
    InitNewData(p);  // the counts start again from zero
    EXPECT_TRUE(doc.IsUntitled);
    EXPECT_EQ(doc.DataFileName, QStringLiteral("new.dat"));
    EXPECT_FALSE(doc.IsDataModified());
    ASSERT_EQ(doc.DataRec.ChCount(0, 1), 7);
    EXPECT_EQ(doc.ChData(0, 6, 1).ChNo, 46);
    EXPECT_EQ(doc.ChData(0, 7, 1).ChNo, 1);
    EXPECT_EQ(doc.ChData(0, 7, 1).RxFreq.raw(), QStringLiteral("28015000"));
    EXPECT_EQ(doc.DataRec.ChCount(0, 14), 0);
    EXPECT_TRUE(tp.prompter.shown.isEmpty());
}

TEST_F(NewDocumentTest, DefaultSettingsIdentityAndTonesKeepWhatTheyDoNotName) {
    auto& o = doc.DataRec.OptFeat;
    o.ModeEnable[kEnableCW] = 7;
    doc.DataRec.RBToneTable[1].Step[8].ToneLen = 55;
    InitDocumentHeader(doc);
    InitOptFeatureDefaults(doc);
    InitFileId(doc, QDate(2024, 2, 9));
    InitToneDefaults(doc);
    for (int band = 0; band < kBands; ++band)
        for (int g = 1; g <= 13; ++g) EXPECT_EQ(StripNull(o.GroupName(band, g).raw()), QString(QChar('A' + g - 1)));
    EXPECT_EQ(o.GroupName(1, 13).raw(), QString::fromLatin1("M\0  ", 4));
    EXPECT_EQ(o.ModeEnable, (std::array<int16_t, 6>{1, 1, 1, 1, 7, 1}));
    EXPECT_EQ(doc.DataRec.RBToneTable[1].Step[8].ToneLen, 55);
    EXPECT_EQ(o.DTMFCode[16].raw(), QString(QChar(0)) + QString(15, QLatin1Char(' ')));
    EXPECT_EQ(doc.DataRec.FileId.MakeDate.raw(), QStringLiteral("20240209"));
    EXPECT_EQ(doc.DataRec.FileId.InitBandKind, 1);  // the start-up band text is not the HF text
    doc.SetBandText(BandTextOf(0));
    InitFileId(doc, QDate(2024, 2, 9));
    EXPECT_EQ(doc.DataRec.FileId.InitBandKind, 0);
}

TEST_F(NewDocumentTest, DefaultChannelOfAGroup) {
    tp.forms.loaded << QStringLiteral("frmCommChInfo");
    AddDefaultChannel(p, 0, 11);
    EXPECT_EQ(doc.DataRec.ChCount(0, 11), 0);
    AddDefaultChannel(p, 1, 8);
    EXPECT_EQ(doc.DataRec.ChCount(1, 8), 1);
    EXPECT_EQ(doc.ChData(1, 1, 8).RxFreq.raw(), QStringLiteral("28145000"));
    EXPECT_EQ(tp.forms.CallNames(), QStringList(2, QStringLiteral("frmCommChInfo.reShowGrid")));
    EXPECT_EQ(tp.forms.calls[1].args, QVariantList{1});
}

TEST_F(NewDocumentTest, TemplatesByBandKind) {
    // The band text at start-up is not the HF one: the kind 1 template.
    EXPECT_EQ(InitTemplatePath(p, InitTemplate::Blank), p.paths.InitFolder() + "/1_KD4412_New.dat");
    Install(QStringLiteral("1_KD4412_New.dat"));
    InitNewData(p);
    EXPECT_EQ(doc.DataRec.ChCount(0, 1) + doc.DataRec.ChCount(0, 11), 1);
    EXPECT_EQ(doc.BandText, QStringLiteral("28.0000 - 29.6950 MHz"));
    EXPECT_FALSE(doc.IsDataModified());

    doc.SetBandText(QStringLiteral("24.7150 - 30.1050 MHz"));
    EXPECT_EQ(InitTemplatePath(p, InitTemplate::InitialSettings), p.paths.InitFolder() + "/0_KD4412.dat");
    Install(QStringLiteral("0_KD4412.dat"));
    EXPECT_TRUE(LoadInitDataFile(p));
    EXPECT_EQ(doc.DataRec.ChCount(0, 1), 40);
    EXPECT_EQ(doc.DataRec.CurBand, 0);
}

TEST(ShippedTemplates, WriteToTheRadioAndReadBackUnchanged) {
    for (const char* name : {"0_KD4412_New.dat", "0_KD4412.dat", "1_KD4412_New.dat", "1_KD4412.dat"}) {
        SCOPED_TRACE(name);
        TestProgram tp;
        Document& doc = tp.p().doc;
        ASSERT_TRUE(LoadDataFileRaw(tp.p(), Shipped(QLatin1String(name))));
        const int kind = name[0] - '0';
        EXPECT_EQ(doc.DataRec.CurBand, kind);
        EXPECT_EQ(doc.DataRec.FileId.InitBandKind, kind);
        const bool blank = QByteArray(name).contains("New");

        for (int band = 0; band < kBands; ++band) {
            BandLimits range;
            ParseBandText(BandTextOf(band), range);
            for (int g = 1; g <= GroupCount(band); ++g) {
                const int n = doc.DataRec.ChCount(band, g);
                const int positions = g == MemGroupOf(band) ? 99 : g == VfoGroupOf(band) ? 1 : 40;
                if (g <= LetteredGroupCount(band)) {
                    EXPECT_EQ(doc.DataRec.OptFeat.GroupValid(band, g), n > 0 ? 1 : 0);
                    if (blank) {
                        EXPECT_EQ(n, g <= 10 ? 1 : 0);
                    }
                }
                for (int s = 1; s <= n; ++s) {
                    const ChannelRecord& c = doc.ChData(band, s, g);
                    EXPECT_GE(c.ChNo, s == 1 ? 1 : doc.ChData(band, s - 1, g).ChNo + 1);
                    EXPECT_LE(c.ChNo, positions);
                    const double mhz = *ParseNumber(c.RxFreq.raw()) / 1e6;
                    EXPECT_TRUE(mhz >= range.BandMin - 1e-9 && mhz <= range.BandMax + 1e-9)
                        << band << "/" << g << "/" << s << ": " << mhz;
                }
            }
        }

        MemImage image, again;
        ClearMemImage(image);
        ClearMemImage(again);
        ASSERT_EQ(EncodeAllData(doc, image), std::nullopt);
        EXPECT_FALSE(doc.IsDataModified());  // the encode repaired nothing
        DecodeAllData(image, doc);
        EXPECT_FALSE(doc.IsDataModified());
        ASSERT_EQ(EncodeAllData(doc, again), std::nullopt);
        EXPECT_TRUE(image == again);
    }
}

}  // namespace
