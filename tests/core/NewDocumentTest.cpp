// The new document with and without its blank template, and the templates the
// build ships: each can be written to the radio as it stands and reads back
// unchanged.

#include "codec/MemImage.h"
#include "files/DocumentFiles.h"
#include "files/NewDocument.h"
#include "rules/Numbers.h"
#include "rules/SharedHelpers.h"
#include "support/Scripted.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;

namespace {

QString Shipped(const QString& name) { return QStringLiteral(ZR50_PROGRAM_DIR "/Init/") + name; }

// Copies a shipped template pair into the test installation.
void Install(Program& p, const QString& name) {
    const QString dat = p.paths.InitFolder() + QLatin1Char('/') + name;
    ASSERT_TRUE(QFile::copy(Shipped(name), dat));
    ASSERT_TRUE(QFile::copy(ChannelFilePath(Shipped(name)), ChannelFilePath(dat)));
}

class NewDocumentTest : public ::testing::Test {
protected:
    TestProgram tp;
    Program& p = tp.p();
    Document& doc = p.doc;
};

TEST_F(NewDocumentTest, DefaultsStandWhenTheBlankTemplateIsMissing) {
    doc.DataFileName = QStringLiteral("x.dat");
    doc.IsUntitled = false;
    InitNewData(p);
    EXPECT_TRUE(doc.IsUntitled);
    EXPECT_EQ(doc.DataFileName, QStringLiteral("new.dat"));
    EXPECT_FALSE(doc.IsDataModified());
    ASSERT_EQ(doc.DataRec.ChCount(0, 1), 7);
    EXPECT_EQ(doc.ChData(0, 7, 1).ChNo, 1);
    EXPECT_EQ(doc.ChData(0, 7, 1).RxFreq.raw(), QStringLiteral("28015000"));
    EXPECT_EQ(doc.DataRec.ChCount(0, 11), 6);
    EXPECT_EQ(doc.DataRec.ChCount(0, 14), 0);
    EXPECT_EQ(doc.DataRec.OptFeat.GroupName(1, 13).raw().left(1), QStringLiteral("M"));
    EXPECT_TRUE(tp.prompter.shown.isEmpty());
}

TEST_F(NewDocumentTest, TemplatesByBandKind) {
    // The band text at start-up is not the HF one: the kind 1 template.
    EXPECT_EQ(InitTemplatePath(p, InitTemplate::Blank), p.paths.InitFolder() + "/1_KD4412_New.dat");
    Install(p, QStringLiteral("1_KD4412_New.dat"));
    InitNewData(p);
    EXPECT_EQ(doc.DataRec.ChCount(0, 1) + doc.DataRec.ChCount(0, 11), 1);
    EXPECT_EQ(doc.BandText, QStringLiteral("28.0000 - 29.6950 MHz"));
    EXPECT_FALSE(doc.IsDataModified());

    doc.SetBandText(QStringLiteral("24.7150 - 30.1050 MHz"));
    EXPECT_EQ(InitTemplatePath(p, InitTemplate::InitialSettings),
              p.paths.InitFolder() + "/0_KD4412.dat");
    Install(p, QStringLiteral("0_KD4412.dat"));
    EXPECT_TRUE(LoadInitDataFile(p));
    EXPECT_EQ(doc.DataRec.ChCount(0, 1), 40);
    EXPECT_EQ(doc.DataRec.CurBand, 0);
}

TEST(ShippedTemplates, WriteToTheRadioAndReadBackUnchanged) {
    for (int kind : {0, 1}) {
        for (const char* suffix : {"_KD4412_New.dat", "_KD4412.dat"}) {
            const QString name = QString::number(kind) + QLatin1String(suffix);
            SCOPED_TRACE(name.toStdString());
            TestProgram tp;
            Program& p = tp.p();
            Document& doc = p.doc;
            ASSERT_TRUE(LoadDataFileRaw(p, Shipped(name)));
            EXPECT_EQ(doc.DataRec.CurBand, kind);
            EXPECT_EQ(doc.DataRec.FileId.InitBandKind, kind);
            const bool blank = name.contains(QLatin1String("New"));

            for (int band = 0; band < kBands; ++band) {
                BandLimits range;
                ParseBandText(BandTextOf(band), range);
                for (int g = 1; g <= GroupCount(band); ++g) {
                    const int n = doc.DataRec.ChCount(band, g);
                    const int positions = g == MemGroupOf(band)   ? 99
                                          : g == VfoGroupOf(band) ? 1
                                                                  : 40;
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
                        EXPECT_GE(mhz, range.BandMin - 1e-9) << band << "/" << g << "/" << s;
                        EXPECT_LE(mhz, range.BandMax + 1e-9) << band << "/" << g << "/" << s;
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
}

}  // namespace
