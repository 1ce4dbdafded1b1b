// The memory image: its map, the channel codec, the settings areas, refused
// encodes and the round trip of any image through a document.

#include "codec/ImageMap.h"
#include "codec/MemImage.h"
#include "model/ByteIO.h"
#include "model/Document.h"
#include "rules/SharedHelpers.h"
#include "support/ScriptedLink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <random>
#include <vector>

using namespace zr50;
using namespace zr50::test;

namespace {

std::unique_ptr<MemImage> Cleared() {
    auto img = std::make_unique<MemImage>();
    ClearMemImage(*img);
    return img;
}

ChannelRecord Channel(int no, const char* freq) {
    ChannelRecord c;
    c.ChNo = int16_t(no);
    c.ChUsed = 1;
    c.RxFreq.set(QLatin1String(freq));
    return c;
}

// The number of bytes in which two images differ.
int Changed(const MemImage& a, const MemImage& b) {
    return int(std::inner_product(a.begin(), a.end(), b.begin(), 0, std::plus<>(), std::not_equal_to<>()));
}

QByteArray Bytes(const MemImage& img, int addr, int n) {
    return QByteArray(reinterpret_cast<const char*>(img.data()) + addr, n);
}

// A document every value of which that the image carries came from noise.
std::unique_ptr<Document> NoiseDocument(unsigned seed, bool decimal = true) {
    auto doc = std::make_unique<Document>();
    DecodeAllData(*NoiseImage(seed, decimal), *doc);
    return doc;
}

}  // namespace

TEST(MemImageMap, ClearSetsBitmapsAndSettingsToZero) {
    auto img = Cleared();
    for (int a = 0; a < kMemImageSize; ++a) {
        const bool zero = (a >= 0x4600 && a <= 0x4900) || (a >= 0x5C80 && a <= 0x5CBF);
        ASSERT_EQ((*img)[a], zero ? 0x00 : 0xFF) << std::hex << a;
    }
}

TEST(MemImageMap, PadHexText) {
    const std::pair<const char*, const char*> texts[] = {{"28015", "28015000"}, {"", "FFFFFFFF"},
        {"        ", "FFFFFFFF"}, {"FFFFFFFF", "FFFFFFFF"}, {"2801500 ", "28015000"}, {"123456789", "123456789"}};
    for (const auto& [in, out] : texts) EXPECT_EQ(PadHexText(QLatin1String(in), 8), QLatin1String(out)) << in;
}

TEST(ChannelCodec, RecordBytesAndBitmaps) {
    auto img = Cleared();
    auto before = std::make_unique<MemImage>(*img);
    ChannelRecord c = Channel(12, "28015000");
    c.Scan = 1;
    c.TxCtc = 1, c.Rep = 2, c.Public = 1;
    c.HiCut = 1, c.Busy = 1, c.NbAnl = 2;
    c.DecTone = 4, c.DecDcs = 5, c.Mode = 3, c.EncTone = 7, c.RxCtc = 8, c.Roger = 2;
    c.BOT = 12, c.EOT = 13, c.Call = 14;
    ASSERT_FALSE(EncodeChannel(c, 1, 3, *img));
    const int a = 0x2580 + (2 * 40 + 11) * 16;
    EXPECT_EQ(Bytes(*img, a, 16),
              QByteArray::fromHex("28015000040503070851" "02c60c0d0eff"));
    // Group 3 of band 1: byte 1 bit 3 of each bitmap.
    EXPECT_EQ(Changed(*before, *img), 17);
    EXPECT_EQ((*img)[0x4680 + 10 + 1], 0x08);
    EXPECT_EQ((*img)[0x4780 + 10 + 1], 0x08);

    // Blank frequency, no tone types, no scan: the flag bit and the scan bit stay clear.
    ASSERT_FALSE(EncodeChannel(Channel(1, ""), 0, 1, *img));
    EXPECT_EQ(Bytes(*img, 0, 4), QByteArray::fromHex("ffffffff"));
    EXPECT_EQ((*img)[11], 0x00);
    EXPECT_EQ((*img)[0x4600], 0x01);
    EXPECT_EQ((*img)[0x4700], 0x00);
}

TEST(ChannelCodec, PlacesOfMemAndVfoGroups) {
    auto img = Cleared();
    ASSERT_FALSE(EncodeChannel(Channel(99, "29000000"), 0, 16, *img));
    ASSERT_FALSE(EncodeChannel(Channel(1, "29100000"), 0, 17, *img));
    ASSERT_FALSE(EncodeChannel(Channel(9, "29200000"), 1, 13, *img));
    ASSERT_FALSE(EncodeChannel(Channel(1, "29300000"), 1, 14, *img));
    EXPECT_EQ(Bytes(*img, 0x5000 + 98 * 16, 2), QByteArray::fromHex("2900"));
    EXPECT_EQ((*img)[0x5C80 + 12], 0x04);
    EXPECT_EQ(Bytes(*img, 0x4810, 2), QByteArray::fromHex("2910"));
    EXPECT_EQ((*img)[0x4650], 0x01);
    EXPECT_EQ(Bytes(*img, 0x5640 + 8 * 16, 2), QByteArray::fromHex("2920"));
    EXPECT_EQ((*img)[0x5C90 + 1], 0x01);
    EXPECT_EQ(Bytes(*img, 0x4820, 2), QByteArray::fromHex("2930"));
    EXPECT_EQ((*img)[0x46C1], 0x01);
}

TEST(ChannelCodec, NumbersBeyondTheGroupGoNowhere) {
    auto img = Cleared();
    const auto before = std::make_unique<MemImage>(*img);
    struct Case { int band, group, no; } cases[] = {
        {0, 1, 41}, {0, 15, 46}, {1, 12, 41}, {0, 16, 100}, {1, 13, 100}, {0, 17, 2},
        {1, 14, 0}, {0, 2, -3}, {1, 15, 1}};
    for (const Case& k : cases) {
        ChannelRecord c = Channel(k.no, "28000000");
        c.Scan = 1;
        EXPECT_FALSE(EncodeChannel(c, k.band, k.group, *img));
        EXPECT_EQ(Changed(*before, *img), 0) << k.band << " " << k.group << " " << k.no;
    }
}

TEST(ChannelCodec, DecodeFillsSlotsByAscendingNumber) {
    auto img = Cleared();
    Document doc;
    ChannelRecord old = Channel(77, "21000000");
    old.TxFreq.set(QStringLiteral("21500000"));
    old.Reserved1 = old.Reserved2 = old.Reserved3 = 9;
    doc.ChData(0, 1, 16) = old;
    (*img)[0x5C80] = 0x05;  // present 1 and 3
    (*img)[0x5CA0] = 0x04;  // 3 scans
    for (int n : {1, 3}) std::fill_n(img->begin() + 0x5000 + (n - 1) * 16, 4, uint8_t(0x20 + n));
    (*img)[0x5C80 + 12] = 0x08;  // position 100 is never read
    DecodeAllData(*img, doc);
    ASSERT_EQ(doc.DataRec.ChCount(0, 16), 2);
    const ChannelRecord& c1 = doc.ChData(0, 1, 16);
    EXPECT_EQ(c1.ChNo, 1);
    EXPECT_EQ(c1.Scan, 0);
    EXPECT_EQ(c1.RxFreq.raw(), QStringLiteral("21212121"));
    EXPECT_EQ(c1.TxFreq, c1.RxFreq);
    EXPECT_EQ(c1.Reserved1 + c1.Reserved2 + c1.Reserved3, 0);
    EXPECT_EQ(doc.ChData(0, 2, 16).ChNo, 3);
    EXPECT_EQ(doc.ChData(0, 2, 16).Scan, 1);

    // Present but no BCD frequency: dropped. VFO: present without its bit.
    (*img)[0x5C80] = 0x07;
    std::fill_n(img->begin() + 0x4810, 4, uint8_t(0x27));
    std::fill_n(img->begin() + 0x4820, 4, uint8_t(0xFF));  // cleared, it would read as 0 Hz
    DecodeAllData(*img, doc);
    EXPECT_EQ(doc.DataRec.ChCount(0, 16), 2);
    EXPECT_EQ(doc.DataRec.ChCount(0, 17), 1);
    EXPECT_EQ(doc.DataRec.ChCount(1, 14), 0);
}

TEST(SettingsCodec, GroupAreasAndBandNibble) {
    Document doc;
    OptFeatRec& f = doc.DataRec.OptFeat;
    for (int b = 0; b < kBands; ++b)
        for (int g = 1; g <= LetteredGroupCount(b); ++g) {
            f.EmgCh(b, g, 0) = f.EmgCh(b, g, 1) = f.MemCh(b, g) = 1;
        }
    f.WorkGroup = {1, 1};
    for (int g : {1, 3, 9}) f.GroupValid(0, g) = 1;
    f.EmgCh(1, 12, 1) = 40;
    f.EmgMode(1, 12, 0) = 4;
    f.EmgMode(1, 12, 1) = 3;
    f.MemCh(0, 15) = 99;
    f.GroupChRef(1, 1) = 7;
    doc.DataRec.CurBand = 1;
    f.BandHighNibble = 2;
    doc.DataRec.TxOffset = 50000;
    f.DTMFCode[2].set(QString::fromLatin1("12*#\0x", 6));
    auto img = Cleared();
    ASSERT_FALSE(EncodeAllData(doc, *img));
    EXPECT_EQ(Bytes(*img, 0x4800, 4), QByteArray::fromHex("05010000"));
    EXPECT_EQ(Bytes(*img, 0x45A0 + 22, 2), QByteArray::fromHex("0027"));
    EXPECT_EQ(Bytes(*img, 0x45E0 + 22, 2), QByteArray::fromHex("0003"));
    EXPECT_EQ(f.EmgMode(1, 12, 0), 0);
    EXPECT_EQ(f.EmgMode(1, 12, 1), 3);
    EXPECT_EQ((*img)[0x4840 + 14], 98);
    EXPECT_EQ((*img)[0x4809], 7);
    EXPECT_EQ((*img)[0x4804], 0x31);
    EXPECT_EQ(Bytes(*img, 0x4A17, 2), QByteArray::fromHex("50c3"));
    EXPECT_EQ(Bytes(*img, 0x4490, 16), QByteArray::fromHex("01020e0f101010101010101010101010"));
    EXPECT_EQ(f.DTMFCode[2].raw(), QStringLiteral("12*#            "));

    (*img)[0x4804] = 0x30;
    (*img)[0x4480] = 16;
    DecodeAllData(*img, doc);
    EXPECT_EQ(doc.DataRec.CurBand, 0);
    EXPECT_EQ(f.BandHighNibble, 2);
    EXPECT_EQ(doc.BandText, QStringLiteral("24.7150 - 30.1050 MHz"));
    EXPECT_DOUBLE_EQ(doc.Limits.BandMax, 30.105);
    EXPECT_EQ(StripNull(f.DTMFCode[1].raw()), QString());
    EXPECT_EQ(StripNull(f.DTMFCode[2].raw()), QStringLiteral("12*#"));
}

TEST(SettingsCodec, ToneRecordsInPairs) {
    Document doc;
    for (int t = 1; t <= kToneRecords; ++t) doc.DataRec.RBToneTable[t].Cycles = int16_t(t);
    doc.DataRec.RBToneTable[3].Step[14].ToneLen = 0x77;
    auto img = Cleared();
    ASSERT_FALSE(EncodeToneData(doc, *img));
    // Bytes 60..63 of a pair are not used.
    const auto at = [&](int a) { return int((*img)[a]); };
    EXPECT_EQ(std::make_tuple(at(0x4900), at(0x491E), at(0x4940), at(0x4940 + 29), at(0x495E), at(0x493C)),
              std::make_tuple(1, 2, 3, 0x77, 4, 0xFF));
}

TEST(EncodeAllData, RefusesAValueThatDoesNotFitAndChangesNothing) {
    auto doc = NoiseDocument(7);
    // Values the encode would repair (it must not on refusal), and one it refuses.
    doc->DataRec.OptFeat.EmgMode(0, 2, 1) = 9;
    doc->DataRec.OptFeat.DTMFCode[1].set(QString::fromLatin1("1\0", 2));
    doc->DataRec.OptFeat.EmgCh(0, 14, 0) = 0;
    const QByteArray header = EncodeRecord(doc->DataRec);
    auto img = Cleared();
    const auto before = std::make_unique<MemImage>(*img);
    EXPECT_EQ(EncodeAllData(*doc, *img),
              QStringLiteral("band 0 group 14: emergency channel 1 = 0 does not fit the radio's byte"));
    EXPECT_EQ(EncodeRecord(doc->DataRec), header);
    EXPECT_EQ(Changed(*before, *img), 0);

    doc->DataRec.OptFeat.EmgCh(0, 14, 0) = 1;
    doc->DataRec.ChCount(1, 2) = 1;
    doc->ChData(1, 1, 2) = Channel(5, "28000000");
    doc->ChData(1, 1, 2).NbAnl = 4;
    EXPECT_EQ(EncodeAllData(*doc, *img),
              QStringLiteral("band 1 group 2 channel 5: NbAnl = 4 does not fit the radio's byte"));
    doc->ChData(1, 1, 2).NbAnl = 0;
    doc->DataRec.RBToneTable[8].Step[2].ToneFreq = 256;
    EXPECT_EQ(EncodeAllData(*doc, *img), QStringLiteral("tone 8: ToneFreq = 256 does not fit the radio's byte"));
    doc->DataRec.RBToneTable[8].Step[2].ToneFreq = 0;
    doc->DataRec.TxOffset = -1;
    EXPECT_TRUE(EncodeAllData(*doc, *img).has_value());
    EXPECT_EQ(Changed(*before, *img), 0);
}

TEST(EncodeAllData, ReferencesToACodeTheCleaningEmptiesBecomeNone) {
    auto doc = std::make_unique<Document>();
    FillWritableDocument(*doc, 4);
    OptFeatRec& f = doc->DataRec.OptFeat;
    f.DTMFCode[3].set(QStringLiteral("xyz"));
    f.DTMFCode[5].set(QString());
    ASSERT_GE(doc->DataRec.ChCount(1, 2), 1);
    ChannelRecord& ch = doc->ChData(1, 1, 2);
    ch.BOT = 3, ch.EOT = 5, ch.Call = 3;
    f.PubBOT = 3, f.PubEOT = 5, f.PubCall = 3;
    const auto place = imagemap::PlaceOf(1, 2, ch.ChNo);
    ASSERT_TRUE(place);
    const auto refs = [&] { return std::vector<int>{ch.BOT, ch.EOT, ch.Call, f.PubBOT, f.PubEOT, f.PubCall}; };
    // The image the radio would get had the references to code 3 been none.
    auto none = std::make_unique<Document>(*doc);
    none->ChData(1, 1, 2).BOT = none->ChData(1, 1, 2).Call = 0;
    none->DataRec.OptFeat.PubBOT = none->DataRec.OptFeat.PubCall = 0;
    const MemImage expected = EncodedImage(*none);

    // Refused: the references and the junk code stay.
    int16_t& tone = doc->DataRec.RBToneTable[8].Step[2].ToneFreq;
    const int16_t fits = tone;
    tone = 256;
    auto img = Cleared();
    const auto before = std::make_unique<MemImage>(*img);
    ASSERT_TRUE(EncodeAllData(*doc, *img).has_value());
    EXPECT_EQ(refs(), std::vector<int>({3, 5, 3, 3, 5, 3}));
    EXPECT_EQ(StripNull(f.DTMFCode[3].raw()), QStringLiteral("xyz"));
    EXPECT_EQ(Changed(*before, *img), 0);

    // Code 5 was empty before any cleaning: its references are left.
    tone = fits;
    ASSERT_FALSE(EncodeAllData(*doc, *img));
    EXPECT_EQ(refs(), std::vector<int>({0, 5, 0, 0, 5, 0}));
    EXPECT_EQ(Bytes(*img, place->record + 12, 3), QByteArray::fromHex("000500"));
    EXPECT_EQ(Bytes(*img, 0x4A09, 3), QByteArray::fromHex("000500"));
    EXPECT_EQ(Changed(expected, *img), 0);
}

TEST(EncodeAllData, AnyImageDecodesWithinBoundsAndRoundTrips) {
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        // Any bytes give channels in their positions and values that fit the image again.
        for (bool decimal : {false, true}) {
            const auto doc = NoiseDocument(seed, decimal);
            for (int b = 0; b < kBands; ++b)
                for (int g = 1; g <= GroupCount(b); ++g) {
                    const int positions = g == MemGroupOf(b) ? 99 : g == VfoGroupOf(b) ? 1 : 40;
                    ASSERT_LE(doc->DataRec.ChCount(b, g), positions);
                    for (int s = 1, last = 0; s <= doc->DataRec.ChCount(b, g); last = doc->ChData(b, s++, g).ChNo)
                        ASSERT_TRUE(doc->ChData(b, s, g).ChNo > last && doc->ChData(b, s, g).ChNo <= positions);
                }
            auto img = Cleared();
            ASSERT_FALSE(EncodeAllData(*doc, *img));
        }

        // Decimal bytes give every channel present a frequency (and the VFO
        // groups their channel, which an image without one reads back as 0 Hz).
        const auto sorted = NoiseDocument(seed, true);
        auto src = std::make_unique<Document>(*sorted);
        std::mt19937 rng(seed);
        for (int b = 0; b < kBands; ++b)  // slots in any order encode alike
            for (int g = 1; g <= GroupCount(b); ++g)
                for (int s = src->DataRec.ChCount(b, g); s > 1; --s)
                    std::swap(src->ChData(b, s, g), src->ChData(b, 1 + int(rng() % s), g));
        auto img = Cleared();
        ASSERT_FALSE(EncodeAllData(*src, *img));

        // Into a target whose fields the image does not carry hold other values.
        auto dst = std::make_unique<Document>();
        DecodeRecord(QByteArray(reinterpret_cast<const char*>(NoiseImage(seed + 100, false)->data()), kDataFileSize), 0,
                     dst->DataRec);
        const DataHeaderRec base = dst->DataRec;
        DecodeAllData(*img, *dst);
        const DataHeaderRec& r = dst->DataRec;
        for (int b = 0; b < kBands; ++b)
            for (int g = 1; g <= kMaxGroups; ++g) {
                if (g > GroupCount(b)) {
                    EXPECT_EQ(r.ChCount(b, g), 0);
                    continue;
                }
                ASSERT_EQ(r.ChCount(b, g), sorted->DataRec.ChCount(b, g));
                for (int s = 1; s <= r.ChCount(b, g); ++s)
                    EXPECT_EQ(EncodeRecord(dst->ChData(b, s, g)), EncodeRecord(sorted->ChData(b, s, g)))
                        << b << "/" << g << "/" << s;
            }
        const OptFeatRec &f = r.OptFeat, &k = base.OptFeat;
        EXPECT_TRUE(std::tie(r.VersionText, r.CurGroup, r.CurRow.v, r.RSSILevel, r.KeyLock, r.ASQ, r.HFPublic,
                             r.HamPublic, f.GroupName.v, f.WorkMode, f.VOXFunction, f.RTIX, f.TTIX, f.LongKey) ==
                    std::tie(base.VersionText, base.CurGroup, base.CurRow.v, base.RSSILevel, base.KeyLock, base.ASQ,
                             base.HFPublic, base.HamPublic, k.GroupName.v, k.WorkMode, k.VOXFunction, k.RTIX,
                             k.TTIX, k.LongKey));
        EXPECT_EQ(EncodeRecord(r.FileId), EncodeRecord(base.FileId));
        for (int b = 0; b < kBands; ++b)
            for (int g = 2; g <= kMaxGroups; ++g) {
                EXPECT_EQ(f.GroupChRef(b, g), k.GroupChRef(b, g));
                if (g > LetteredGroupCount(b)) {
                    EXPECT_TRUE(std::tie(f.GroupValid(b, g), f.MemCh(b, g), f.EmgCh(b, g, 0), f.EmgCh(b, g, 1),
                                         f.EmgMode(b, g, 0), f.EmgMode(b, g, 1)) ==
                                std::tie(k.GroupValid(b, g), k.MemCh(b, g), k.EmgCh(b, g, 0), k.EmgCh(b, g, 1),
                                         k.EmgMode(b, g, 0), k.EmgMode(b, g, 1)))
                        << b << "/" << g;
                }
            }
        EXPECT_EQ(f.AuxFlag0, 0);  // the radio's bit is never written
        EXPECT_EQ(f.PubRoger, r.ComChanRb);

        // Every value it carries came back: the document encodes to the very same image.
        auto again = Cleared();
        ASSERT_FALSE(EncodeAllData(*dst, *again));
        EXPECT_EQ(Changed(*img, *again), 0);
    }
}

TEST(DecodeAllData, ValuesTheDocumentCannotHoldAreLeftAlone) {
    auto img = Cleared();
    Document doc;
    doc.DataRec.OptFeat.VoltLimit[1] = 120;
    doc.DataRec.CWFreq = 35;
    (*img)[0x4A01] = 0x80;  // 0x80xx does not fit a 16-bit signed value
    (*img)[0x4A33] = 0x01;
    (*img)[0x4805] = 0xFF;
    DecodeAllData(*img, doc);
    EXPECT_EQ(doc.DataRec.OptFeat.VoltLimit[1], 120);
    EXPECT_EQ(doc.DataRec.CWFreq, 35);
    EXPECT_EQ(doc.DataRec.OptFeat.WorkGroup[0], 256);  // 0xFF + 1
}
