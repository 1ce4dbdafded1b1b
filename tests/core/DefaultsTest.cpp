// The built-in defaults of a new document (what stands when no template is read).

#include "rules/Defaults.h"
#include "rules/SharedHelpers.h"
#include "support/Scripted.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;

TEST(Defaults, ChannelsOfNewDocument) {
    Document doc;
    InitDefaultChannelFre(doc);
    InitDefaultChannelFre(doc);  // counts start again from zero
    const auto number = [&](int b, int s, int g) { return doc.ChData(b, s, g).ChNo; };
    EXPECT_EQ(doc.DataRec.ChCount(0, 1), 7);
    EXPECT_EQ(number(0, 6, 1), 46);
    EXPECT_EQ(number(0, 7, 1), 1);
    EXPECT_EQ(doc.ChData(0, 7, 1).RxFreq.raw(), QStringLiteral("28015000"));
    EXPECT_EQ(doc.ChData(0, 2, 1).RxFreq.raw(), QStringLiteral("28145000"));
    EXPECT_EQ(doc.DataRec.ChCount(1, 11), 6);
    EXPECT_EQ(doc.DataRec.ChCount(0, 14), 0);
}

TEST(Defaults, SettingsIdentityAndTonesKeepWhatTheyDoNotName) {
    Document doc;
    auto& o = doc.DataRec.OptFeat;
    auto& tones = doc.DataRec.RBToneTable;
    o.ModeEnable[kEnableCW] = 7;
    tones[1].Step[8].ToneLen = 55;
    InitDocumentHeader(doc);
    InitOptFeatureDefaults(doc);
    InitFileId(doc, QDate(2024, 2, 9));
    InitToneDefaults(doc);

    for (int band = 0; band < kBands; ++band)
        for (int g = 1; g <= 13; ++g)
            EXPECT_EQ(StripNull(o.GroupName(band, g).raw()), QString(QChar('A' + g - 1)));
    EXPECT_EQ(o.GroupName(1, 13).raw(), QString::fromLatin1("M\0  ", 4));
    EXPECT_EQ(o.GroupValid(0, 14), 0);
    EXPECT_EQ(o.ModeEnable, (std::array<int16_t, 6>{1, 1, 1, 1, 7, 1}));
    EXPECT_EQ(o.DTMFCode[16].raw(), QString(QChar(0)) + QString(15, QLatin1Char(' ')));
    EXPECT_EQ(doc.DataRec.CurRow(1, 14), 0);

    const FileIdRec& id = doc.DataRec.FileId;
    EXPECT_EQ(id.MakeDate.raw(), QStringLiteral("20240209"));
    EXPECT_EQ(id.ModelFamily.raw(), QStringLiteral("KD4412"));
    EXPECT_EQ(id.InitBandKind, 1);  // the start-up band text is not the HF text
    doc.SetBandText(BandTextOf(0));
    InitFileId(doc, QDate(2024, 2, 9));
    EXPECT_EQ(id.InitBandKind, 0);

    EXPECT_EQ(tones[1].Step[7].ToneFreq, 210);
    EXPECT_EQ(tones[1].Step[8].ToneLen, 55);
    EXPECT_EQ(tones[2].Step[14].ToneLen, 4);
    EXPECT_EQ(tones[6].Cycles, 0);
}

TEST(Defaults, AddDefaultChannelForGroupSettings) {
    TestProgram t;
    Program& p = t.p();
    t.forms.loaded << QStringLiteral("frmCommChInfo");
    AddDefaultChannel(p, 0, 11);
    EXPECT_EQ(p.doc.DataRec.ChCount(0, 11), 0);
    AddDefaultChannel(p, 1, 8);
    EXPECT_EQ(p.doc.DataRec.ChCount(1, 8), 1);
    EXPECT_EQ(p.doc.ChData(1, 1, 8).RxFreq.raw(), QStringLiteral("28145000"));
    EXPECT_EQ(t.forms.CallNames(), QStringList(2, QStringLiteral("frmCommChInfo.reShowGrid")));
    EXPECT_EQ(t.forms.calls[1].args, QVariantList{1});
}
