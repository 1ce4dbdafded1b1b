// The stored layout of the records, the modified test of the document and the
// helpers shared across the program.

#include "model/ByteIO.h"
#include "model/Document.h"
#include "rules/Numbers.h"
#include "rules/SharedHelpers.h"

#include <gtest/gtest.h>

#include <map>

using namespace zr50;

namespace {

// Records the file offset of every field it is walked over.
class OffsetRecorder {
public:
    template <class T>
    void operator()(const T& field) {
        offsets[reinterpret_cast<const void*>(&field)] = pos;
        pos += Size(field);
    }
    int At(const void* field) const {
        auto it = offsets.find(field);
        return it == offsets.end() ? -1 : it->second;
    }
    std::map<const void*, int> offsets;
    int pos = 0;

private:
    static int Size(int16_t) { return 2; }
    static int Size(int32_t) { return 4; }
    static int Size(uint8_t) { return 1; }
    template <int N>
    static int Size(const FixedText<N>&) { return N; }
};

TEST(RecordLayout, HeaderFieldOffsets) {
    DataHeaderRec r;
    OffsetRecorder o;
    layout::Visit(o, std::as_const(r));
    const OptFeatRec& f = r.OptFeat;
    const std::map<const void*, int> expected = {
        {&r.VersionText, 0}, {&r.CurBand, 4}, {&r.CurGroup[0], 6}, {&r.CurGroup[1], 8},
        {&r.CurRow(0, 1), 10}, {&r.CurRow(1, 1), 12}, {&r.CurRow(0, 2), 14},
        {&r.CurRow(1, 17), 76}, {&r.ChCount(0, 1), 78}, {&r.ChCount(1, 17), 144},
        {&r.FileId.ModelText, 146}, {&r.FileId.ModelCode, 153}, {&r.FileId.BandKind, 155},
        {&r.FileId.MakeDate, 157}, {&r.FileId.IdVersionText, 165}, {&r.FileId.ModelFamily, 170},
        {&r.FileId.InitBandKind, 176}, {&r.FileId.IdMark, 178},
        {&f.GroupValid(0, 1), 180}, {&f.GroupName(0, 1), 180 + 68}, {&f.GroupName(1, 1), 180 + 72},
        {&f.EmgCh(0, 1, 0), 180 + 204}, {&f.EmgCh(0, 1, 1), 180 + 272},
        {&f.BandHighNibble, 180 + 340}, {&f.WorkMode, 180 + 342}, {&f.WorkGroup[1], 180 + 346},
        {&f.VOXFunction, 180 + 348}, {&f.AuxFlag0, 180 + 350}, {&f.AuxFlag1, 180 + 352},
        {&f.MemCh(0, 1), 180 + 354}, {&f.EmgMode(0, 1, 0), 180 + 422},
        {&f.GroupChRef(0, 1), 180 + 558}, {&f.PubBOT, 180 + 626}, {&f.RTIX, 180 + 632},
        {&f.PubHiCut, 180 + 636}, {&f.PubRoger, 180 + 646}, {&f.Beep, 180 + 648},
        {&f.INDIC, 180 + 650}, {&f.SWRProtect, 180 + 658}, {&f.SCM, 180 + 662},
        {&f.VoltLimit[0], 180 + 670}, {&f.PubMode, 180 + 676}, {&f.ModeEnable[0], 180 + 678},
        {&f.DTMFSendTime, 180 + 690}, {&f.DTMFCode[1], 180 + 702}, {&f.DTMFCode[16], 180 + 942},
        {&f.FMDeviation, 180 + 958}, {&f.LongKey, 180 + 964},
        {&r.RBToneTable[1].Step[1].ToneFreq, 1146}, {&r.RBToneTable[1].Step[1].ToneLen, 1148},
        {&r.RBToneTable[1].Cycles, 1146 + 56}, {&r.RBToneTable[2].Step[1].ToneFreq, 1206},
        {&r.TxOffset, 1626}, {&r.FreqCh, 1630}, {&r.ASQLevel, 1632}, {&r.RSSILevel[0], 1634},
        {&r.MicType, 1658}, {&r.FinRange, 1682}, {&r.HFPublic, 1683}, {&r.HamPublic, 1685},
        {&r.CWFreq, 1687}, {&r.TxColor, 1698},
    };
    for (const auto& [field, offset] : expected) EXPECT_EQ(o.At(field), offset) << offset;
    EXPECT_EQ(o.pos, kDataFileSize);
}

TEST(RecordLayout, ChannelFieldOffsets) {
    ChannelRecord c;
    OffsetRecorder o;
    layout::Visit(o, std::as_const(c));
    const std::map<const void*, int> expected = {
        {&c.RxFreq, 6},    {&c.TxFreq, 14}, {&c.Reserved1, 22}, {&c.TxCtc, 26},  {&c.Reserved3, 32},
        {&c.Mode, 34},     {&c.Roger, 46},  {&c.Public, 50},    {&c.CtcDcs, 58}, {&c.DecDcs, 62}};
    for (const auto& [field, offset] : expected) EXPECT_EQ(o.At(field), offset) << offset;
    EXPECT_EQ(o.pos, kChannelRecordSize);
}

class ModifiedTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.DataRec.ChCount(0, 1) = 3;
        for (int s = 1; s <= 3; ++s) {
            ChannelRecord& c = doc.ChData(0, s, 1);
            c.ChNo = int16_t(s * 2);
            c.ChUsed = 1;
            c.RxFreq.set(QStringLiteral("2801%1000").arg(s));
        }
        doc.DataRec.OptFeat.GroupName(0, 1).set(QStringLiteral("A"));
        doc.CopyDataToSaved();
    }
    bool ModifiedBy(const std::function<void(Document&)>& change) const {
        Document d = doc;
        change(d);
        return d.IsDataModified();
    }
    Document doc;
};

TEST_F(ModifiedTest, ReorderedChannelsAreNotAModification) {
    EXPECT_FALSE(doc.IsDataModified());
    std::swap(doc.ChData(0, 1, 1), doc.ChData(0, 3, 1));
    EXPECT_FALSE(doc.IsDataModified());
    doc.ChData(0, 1, 1).ChNo = 9;  // a number the saved group lacks
    EXPECT_TRUE(doc.IsDataModified());
}

TEST_F(ModifiedTest, ComparedFieldsCount) {
    for (auto field : {&ChannelRecord::Scan, &ChannelRecord::Mode, &ChannelRecord::EncTone,
                       &ChannelRecord::BOT, &ChannelRecord::Public})
        EXPECT_TRUE(ModifiedBy([field](Document& d) { d.ChData(0, 2, 1).*field += 1; }));
    const std::function<void(DataHeaderRec&)> changes[] = {
        [](DataHeaderRec& r) { r.ChCount(0, 1) = 2; },
        [](DataHeaderRec& r) { r.TxOffset = 5; },
        [](DataHeaderRec& r) { r.RSSILevel[11] = 1; },
        [](DataHeaderRec& r) { r.RBToneTable[8].Step[14].ToneLen = 1; },
        [](DataHeaderRec& r) { r.RBToneTable[2].Interval = 1; },
        [](DataHeaderRec& r) { r.FileId.MakeDate.set(QStringLiteral("2020")); },
        [](DataHeaderRec& r) { r.OptFeat.EmgCh(1, 14, 1) = 3; },
        [](DataHeaderRec& r) { r.OptFeat.ModeEnable[kEnablePA] = 1; },
        [](DataHeaderRec& r) { r.OptFeat.VoltLimit[2] = 1; },
        [](DataHeaderRec& r) { r.OptFeat.DTMFDisp = 1; },
    };
    for (size_t i = 0; i < std::size(changes); ++i)
        EXPECT_TRUE(ModifiedBy([&](Document& d) { changes[i](d.DataRec); })) << i;
    EXPECT_TRUE(ModifiedBy([](Document& d) { d.ChData(0, 2, 1).RxFreq.set(QStringLiteral("2900000")); }));
    // Band 1 has 14 groups: group 15 is not part of it.
    EXPECT_FALSE(ModifiedBy([](Document& d) { d.DataRec.OptFeat.GroupValid(1, 15) = 1; }));
}

TEST_F(ModifiedTest, EveryEditedOrReadFieldCounts) {
    // Fields the channel window edits and a radio read fills.
    for (auto field : {&ChannelRecord::TxCtc, &ChannelRecord::RxCtc, &ChannelRecord::Roger,
                       &ChannelRecord::CtcDcs, &ChannelRecord::DecTone, &ChannelRecord::DecDcs})
        EXPECT_TRUE(ModifiedBy([field](Document& d) { d.ChData(0, 2, 1).*field += 1; }));
    // The option bytes and words, the public-channel settings and the last option words.
    const std::function<void(DataHeaderRec&)> changes[] = {
        [](DataHeaderRec& r) { r.MicType = 1; },
        [](DataHeaderRec& r) { r.FinRange = 1; },
        [](DataHeaderRec& r) { r.CWFreq = 40; },
        [](DataHeaderRec& r) { r.TxColor = 1; },
        [](DataHeaderRec& r) { r.HFPublic = 1; },
        [](DataHeaderRec& r) { r.HamPublic = 1; },
        [](DataHeaderRec& r) { r.OptFeat.RTIX = 100; },
        [](DataHeaderRec& r) { r.OptFeat.TTIX = -100; },
        [](DataHeaderRec& r) { r.OptFeat.PubRoger = 2; },
        [](DataHeaderRec& r) { r.OptFeat.ModeEnable[kEnableCW] = 1; },
        [](DataHeaderRec& r) { r.OptFeat.FMDeviation = 1; },
        [](DataHeaderRec& r) { r.OptFeat.LongKey = 1; },
        [](DataHeaderRec& r) { r.OptFeat.DTMFCode[16].set(QStringLiteral("123")); },
    };
    for (size_t i = 0; i < std::size(changes); ++i)
        EXPECT_TRUE(ModifiedBy([&](Document& d) { changes[i](d.DataRec); })) << i;
}

TEST_F(ModifiedTest, NavigationAndUnshownFieldsAreIgnored) {
    ChannelRecord& c = doc.ChData(0, 2, 1);
    c.TxFreq.set(QStringLiteral("29000000"));
    c.Reserved1 = 1, c.Reserved2 = 2, c.Reserved3 = 3;
    auto& d = doc.DataRec;
    d.VersionText.set(QStringLiteral("V100"));
    d.CurBand = 1, d.CurGroup[0] = 5, d.CurRow(0, 3) = 7;
    doc.ChData(0, 4, 1).ChNo = 33;  // a slot beyond the count is not part of the document
    EXPECT_FALSE(doc.IsDataModified());
}

TEST_F(ModifiedTest, NulPaddedTextsEqualBlankPadded) {
    FixedText<4>& name = doc.DataRec.OptFeat.GroupName(0, 1);
    name.bytes = {'A', '\0', ' ', ' '};
    EXPECT_FALSE(doc.IsDataModified());
    name.set(QStringLiteral("AB"));
    EXPECT_TRUE(doc.IsDataModified());

    doc.CopyDataToSaved();
    doc.DataRec.OptFeat.DTMFCode[3].bytes.fill('\0');
    doc.SavedDataRec.OptFeat.DTMFCode[3].set(QString());
    EXPECT_FALSE(doc.IsDataModified());
}

TEST_F(ModifiedTest, FindChannelIndexLooksOnlyWithinTheCount) {
    doc.DataRec.ChCount(0, 1) = 2;
    EXPECT_EQ(doc.FindChannelIndex(4, 0, 1), 2);
    EXPECT_EQ(doc.FindChannelIndex(6, 0, 1), 0);
}

}  // namespace

// ----------------------------------------------------------------------------
// Text, number and name helpers shared across the program: their edge cases.

TEST(SharedHelpers, TextsAndNames) {
    EXPECT_EQ(StripNull(QString::fromLatin1("AB\0\0  ", 6)), QStringLiteral("AB"));
    EXPECT_EQ(StripNull(QString::fromLatin1("AB  \0", 5)), QStringLiteral("AB  "));
    EXPECT_EQ(StripNull(QString::fromLatin1("\0\0  ", 4)), QString());

    const std::pair<const char*, int> keys[] = {{"*", 14}, {"#", 15}, {"d", 13}, {"G", 16}, {"", 16}, {"7x", 7}};
    for (const auto& [key, code] : keys) EXPECT_EQ(DtmfCharToCode(QLatin1String(key)), code) << key;
    for (int c = 0; c < 16; ++c) EXPECT_EQ(DtmfCharToCode(DtmfCodeToChar(c)), c);
    EXPECT_EQ(DtmfCodeToChar(10), QStringLiteral("A"));

    EXPECT_EQ(GroupIndexOf(1, QStringLiteral("M")), 0);
    EXPECT_EQ(GroupIndexOf(0, QStringLiteral("M")), 13);
    EXPECT_EQ(GroupIndexOf(2, QStringLiteral("A")), 0);
    EXPECT_EQ(GroupIndexOf(0, QStringLiteral("a")), 0);
    EXPECT_EQ(GroupNameOf(1, 15), QStringLiteral("A"));
    EXPECT_EQ(GroupNameOf(3, 1), QString());
    for (int b = 0; b < 2; ++b)
        for (int g = 1; g <= GroupCount(b); ++g) EXPECT_EQ(GroupIndexOf(b, GroupNameOf(b, g)), g);
    EXPECT_EQ(GroupNameOf(0, 16) + GroupNameOf(0, 17) + GroupNameOf(1, 13), QStringLiteral("MEMVFOMEM"));

    EXPECT_EQ(FileNameOfPath(QStringLiteral("C:\\x\\a.dat")), QStringLiteral("a.dat"));
    EXPECT_EQ(ParentFolder(QStringLiteral("/KD_270")), QStringLiteral("/KD_270"));
    EXPECT_TRUE(IsVersionText(QString::fromLatin1("V210\0 ", 6)));
    for (const char* no : {"X200", "V20", "V2000", "VABC"}) EXPECT_FALSE(IsVersionText(QLatin1String(no))) << no;
}

TEST(SharedHelpers, NumbersParsingAndRounding) {
    for (const char* yes : {" 28.015 ", "2801500 ", "-1e3", ".5"}) EXPECT_TRUE(IsNumeric(QLatin1String(yes))) << yes;
    for (const char* no : {"", "        ", "28,015", "FFFFFFFF", "."}) EXPECT_FALSE(IsNumeric(QLatin1String(no))) << no;
    EXPECT_EQ(*ParseNumber(QStringLiteral("&HFF")), 255.0);
    EXPECT_EQ(RoundHalfEven(2.5) + RoundHalfEven(3.5), 6.0);
    EXPECT_EQ(StrToIntDef(QStringLiteral("12"), 7), 12);
    EXPECT_EQ(StrToIntDef(QStringLiteral("x"), 7), 7);
    EXPECT_EQ(StrToIntDef(QStringLiteral("40000"), 7), 7);
    EXPECT_EQ(FormatFixed(8.5, 5), QStringLiteral("8.50000"));
    EXPECT_EQ(FormatFixed(-0.0000001, 5), QStringLiteral("0.00000"));
    EXPECT_EQ(ShortestText(24.715), QStringLiteral("24.715"));
    EXPECT_EQ(Hex2(0x0A), QStringLiteral("0A"));
}
