// The built-in defaults of a new document (what stands when no template is read).

#include "rules/Defaults.h"
#include "rules/DtmfRefs.h"
#include "rules/SharedHelpers.h"
#include "support/Scripted.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;

namespace {
std::vector<int> Numbers(const Document& doc, int band, int group) {
    std::vector<int> out;
    for (int s = 1; s <= doc.DataRec.ChCount(band, group); ++s)
        out.push_back(doc.ChData(band, s, group).ChNo);
    return out;
}

void ApplyDefaults(Document& doc) {
    InitDocumentHeader(doc);
    InitDefaultChannelFre(doc);
    InitOptFeatureDefaults(doc);
    InitFileId(doc, QDate(2024, 2, 9));
    InitToneDefaults(doc);
}
}  // namespace

TEST(Defaults, ChannelsOfNewDocument) {
    Document doc;
    InitDefaultChannelFre(doc);
    InitDefaultChannelFre(doc);  // counts start again from zero
    EXPECT_EQ(Numbers(doc, 0, 1), (std::vector<int>{41, 42, 43, 44, 45, 46, 1}));
    EXPECT_EQ(doc.ChData(0, 7, 1).RxFreq.raw(), QStringLiteral("28015000"));
    EXPECT_EQ(doc.ChData(0, 2, 1).RxFreq.raw(), QStringLiteral("28145000"));
    EXPECT_EQ(Numbers(doc, 1, 11), (std::vector<int>{41, 42, 43, 44, 45, 46}));
    EXPECT_EQ(doc.ChData(1, 7, 10).RxFreq.raw(), QStringLiteral("28085000"));
    EXPECT_EQ(doc.ChData(0, 7, 7).RxFreq.raw(), QStringLiteral("28015000"));
    EXPECT_EQ(doc.DataRec.ChCount(0, 14), 0);
    EXPECT_EQ(doc.DataRec.ChCount(1, 14), 0);

    EXPECT_EQ(DefaultGroupFrequency(6), QStringLiteral("28.025000"));
    EXPECT_EQ(DefaultGroupFrequency(8), QStringLiteral("28.145000"));
    EXPECT_EQ(DefaultGroupFrequency(11), QString());
    EXPECT_EQ(DefaultGroupFrequency(0), QString());
}

TEST(Defaults, SettingsIdentityAndTones) {
    Document doc;
    auto& o = doc.DataRec.OptFeat;
    o.ModeEnable[kEnableCW] = 7;  // not a default: kept
    doc.DataRec.RBToneTable[1].Step[8].ToneLen = 55;
    doc.DataRec.RBToneTable[6].Cycles = 4;
    ApplyDefaults(doc);

    for (int band = 0; band < kBands; ++band)
        for (int g = 1; g <= 13; ++g) {
            EXPECT_EQ(StripNull(o.GroupName(band, g).raw()), QString(QChar('A' + g - 1)));
            EXPECT_EQ(o.GroupValid(band, g), 1);
        }
    EXPECT_EQ(o.GroupName(1, 13).raw(), QString::fromLatin1("M\0  ", 4));
    EXPECT_EQ(o.GroupValid(0, 14), 0);
    EXPECT_EQ(o.GroupChRef(0, 5), 41);
    EXPECT_EQ(o.ModeEnable, (std::array<int16_t, 6>{1, 1, 1, 1, 7, 1}));
    EXPECT_EQ(o.VoltLimit, (std::array<int16_t, 3>{97, 168, 160}));
    EXPECT_EQ(o.DTMFCode[16].raw(), QString(QChar(0)) + QString(15, QLatin1Char(' ')));
    EXPECT_FALSE(IsDTMFCodeSet(doc, 1));
    EXPECT_EQ(doc.DataRec.RSSILevel[5], 35);
    EXPECT_EQ(doc.DataRec.RSSILevel[7], 5);
    EXPECT_EQ(doc.DataRec.TxOffset, 100);
    EXPECT_EQ(doc.DataRec.CurRow(1, 13), 1);
    EXPECT_EQ(doc.DataRec.CurRow(1, 14), 0);

    const FileIdRec& id = doc.DataRec.FileId;
    EXPECT_EQ(id.MakeDate.raw(), QStringLiteral("20240209"));
    EXPECT_EQ(id.ModelFamily.raw(), QStringLiteral("KD4412"));
    EXPECT_EQ(id.IdVersionText.raw(), QStringLiteral("V2.00"));
    EXPECT_EQ(id.InitBandKind, 1);  // the start-up band text is not the HF text
    EXPECT_EQ(id.IdMark, 67);
    doc.SetBandText(BandTextOf(0));
    InitFileId(doc, QDate(2024, 2, 9));
    EXPECT_EQ(id.InitBandKind, 0);

    const auto& tones = doc.DataRec.RBToneTable;
    EXPECT_EQ(tones[1].Step[7].ToneFreq, 210);
    EXPECT_EQ(tones[1].Step[6].ToneFreq, 0);
    EXPECT_EQ(tones[1].Step[8].ToneLen, 55);
    EXPECT_EQ(tones[2].Step[14].ToneFreq, 0);
    EXPECT_EQ(tones[2].Step[13].ToneFreq, 80);
    EXPECT_EQ(tones[3].Step[2].ToneFreq, 90);
    EXPECT_EQ(tones[4].Step[5].ToneFreq, 192);
    EXPECT_EQ(tones[5].Step[6].ToneLen, 20);
    EXPECT_EQ(tones[5].Cycles, 1);
    EXPECT_EQ(tones[6].Cycles, 4);
}

TEST(Defaults, AddDefaultChannelForGroupSettings) {
    TestProgram t;
    Program& p = t.p();
    t.forms.loaded << QStringLiteral("frmCommChInfo");
    AddDefaultChannel(p, 0, 11);
    EXPECT_EQ(p.doc.DataRec.ChCount(0, 11), 0);
    AddDefaultChannel(p, 1, 8);
    EXPECT_EQ(Numbers(p.doc, 1, 8), std::vector<int>{1});
    EXPECT_EQ(p.doc.ChData(1, 1, 8).RxFreq.raw(), QStringLiteral("28145000"));
    EXPECT_EQ(t.forms.CallNames(),
              QStringList({"frmCommChInfo.reShowGrid", "frmCommChInfo.reShowGrid"}));
    EXPECT_EQ(t.forms.calls[1].args, QVariantList{1});
    AddDefaultChannel(p, 7, 1);  // a band no document has: nothing stored
    EXPECT_EQ(p.doc.DataRec.ChCount(1, 1), 0);
}
