// The memory image: its map, the channel codec, the settings areas and the
// round trip of a whole document.

#include "codec/MemImage.h"
#include "model/ByteIO.h"
#include "model/Document.h"
#include "rules/SharedHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>

using namespace zr50;

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

// Differences between two images as "address: before -> after".
std::map<int, std::pair<int, int>> Diff(const MemImage& a, const MemImage& b) {
    std::map<int, std::pair<int, int>> d;
    for (int i = 0; i < kMemImageSize; ++i)
        if (a[i] != b[i]) d[i] = {a[i], b[i]};
    return d;
}

QByteArray Bytes(const MemImage& img, int addr, int n) {
    return QByteArray(reinterpret_cast<const char*>(img.data()) + addr, n);
}

// A document with every value the image carries set, all different from the
// defaults, and every channel position of some groups used in shuffled slots.
std::unique_ptr<Document> RichDocument(unsigned seed) {
    std::mt19937 rng(seed);
    auto any = [&](int lo, int hi) {
        return int16_t(std::uniform_int_distribution<>(lo, hi)(rng));
    };
    auto doc = std::make_unique<Document>();
    DataHeaderRec& r = doc->DataRec;
    OptFeatRec& f = r.OptFeat;
    for (int b = 0; b < kBands; ++b)
        for (int g = 1; g <= GroupCount(b); ++g) {
            const int positions = g == MemGroupOf(b) ? 99 : g == VfoGroupOf(b) ? 1 : 40;
            std::vector<int> numbers;
            for (int n = 1; n <= positions; ++n)
                if (positions == 1 || any(0, 2) > 0) numbers.push_back(n);
            std::shuffle(numbers.begin(), numbers.end(), rng);
            r.ChCount(b, g) = int16_t(numbers.size());
            for (size_t s = 0; s < numbers.size(); ++s) {
                ChannelRecord& c = doc->ChData(b, int(s) + 1, g);
                c = Channel(numbers[s], "");
                c.RxFreq.set(QString::number(any(2000, 2999)) + QString::number(any(1000, 9999)));
                c.Scan = any(0, 1);
                for (int16_t* v : {&c.DecTone, &c.DecDcs, &c.Mode, &c.EncTone, &c.RxCtc, &c.Roger,
                                   &c.BOT, &c.EOT, &c.Call})
                    *v = any(0, 255);
                for (int16_t* v : {&c.HiCut, &c.Echo, &c.Add10K, &c.Busy, &c.Public})
                    *v = any(0, 1);
                for (int16_t* v : {&c.NbAnl, &c.Rep, &c.TxCtc, &c.CtcDcs}) *v = any(0, 3);
            }
        }
    for (int b = 0; b < kBands; ++b)
        for (int g = 1; g <= GroupCount(b); ++g) {
            f.GroupValid(b, g) = any(0, 1);
            f.MemCh(b, g) = any(1, 256);
            f.GroupChRef(b, g) = any(0, 255);
            for (int k = 0; k < 2; ++k) {
                f.EmgCh(b, g, k) = any(1, 256);
                f.EmgMode(b, g, k) = any(0, 3);
            }
        }
    r.CurBand = 1;
    f.BandHighNibble = any(-1, 14);
    f.WorkGroup = {any(1, 256), any(1, 256)};
    f.AuxFlag0 = 1;  // the radio's bit, never written
    f.AuxFlag1 = 1;
    r.EMG = 3;
    r.VFO = 1;
    for (auto& v : f.ModeEnable) v = any(0, 1);
    f.VoltLimit = {any(256, 32767), any(256, 32767), any(0, 255)};
    r.TxOffset = 50000;
    r.CWFreq = 200;
    r.FreqCh = 1;
    for (int16_t* v : {&f.PubHiCut, &f.PubEcho, &f.PubAdd10K, &f.PubBusy}) *v = any(0, 1);
    f.PubNbAnl = 3;
    for (int16_t* v : {&f.PubMode, &f.PubBOT, &f.PubEOT, &f.PubCall, &f.Beep, &f.INDIC, &f.MIC,
                       &f.NOG, &f.TOT, &f.SWRProtect, &f.BatProtect, &f.SCM, &f.Fin, &f.Color,
                       &f.DTMFSendTime, &f.DTMFFirstDigitTime, &f.DTMFFirstDigitDelay,
                       &f.DTMFStarHashTime, &f.DTMFDCode, &f.DTMFDisp, &f.CurMenuPage,
                       &f.FMDeviation, &f.SSBTone, &f.PFKey, &r.ASQLevel})
        *v = any(0, 255);
    for (uint8_t* v : {&r.HFDWBand, &r.HFDWChan, &r.HFDWMode, &r.HamDWBand, &r.HamDWChan,
                       &r.HamDWMode, &r.ComChanRb, &r.MicType, &r.VoxLevel, &r.VoxDelay, &r.RxNR,
                       &r.TxNR, &r.VOX, &r.VolPath, &r.EchoVol, &r.EchoTime, &r.VFOStep, &r.AMNPC,
                       &r.FinRange, &r.CWBeep, &r.Dim, &r.VoxSpk, &r.AGC, &r.CWRx, &r.CWBkin,
                       &r.CWOffset, &r.RxColor, &r.TxColor})
        *v = uint8_t(any(0, 255));
    for (uint8_t* v : {&r.VolDisplay, &r.SQLDisplay, &r.POWDisplay, &r.RFGDisplay}) *v = 1;
    const QString keys = QStringLiteral("0123456789ABCD*#");
    for (int k = 1; k <= kDtmfCodes; ++k) {
        QString code;
        for (int i = any(0, 16); i > 0; --i) code += keys.at(any(0, 15));
        f.DTMFCode[k].set(code);
    }
    for (int t = 1; t <= kToneRecords; ++t) {
        ToneRecord& tr = r.RBToneTable[t];
        tr.Cycles = any(0, 255);
        tr.Interval = any(0, 255);
        for (int s = 1; s <= kToneSteps; ++s) {
            tr.Step[s].ToneFreq = any(0, 255);
            tr.Step[s].ToneLen = any(0, 255);
        }
    }
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
    EXPECT_EQ(PadHexText(QStringLiteral("28015"), 8), QStringLiteral("28015000"));
    EXPECT_EQ(PadHexText(QString(), 8), QStringLiteral("FFFFFFFF"));
    EXPECT_EQ(PadHexText(QStringLiteral("        "), 8), QStringLiteral("FFFFFFFF"));
    EXPECT_EQ(PadHexText(QStringLiteral("FFFFFFFF"), 8), QStringLiteral("FFFFFFFF"));
    EXPECT_EQ(PadHexText(QStringLiteral("2801500 "), 8), QStringLiteral("28015000"));
    EXPECT_EQ(PadHexText(QStringLiteral("123456789"), 8), QStringLiteral("123456789"));
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
    EXPECT_EQ(Diff(*before, *img).size(), 17u);
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
        EXPECT_TRUE(Diff(*before, *img).empty()) << k.band << " " << k.group << " " << k.no;
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
    EXPECT_EQ((*img)[0x4900], 1);
    EXPECT_EQ((*img)[0x491E], 2);
    EXPECT_EQ((*img)[0x4940], 3);
    EXPECT_EQ((*img)[0x4940 + 29], 0x77);
    EXPECT_EQ((*img)[0x495E], 4);
    EXPECT_EQ((*img)[0x493C], 0xFF);  // bytes 60..63 of a pair are not used
}

TEST(EncodeAllData, RefusesAValueThatDoesNotFitAndChangesNothing) {
    auto doc = RichDocument(7);
    doc->DataRec.OptFeat.EmgCh(0, 14, 0) = 0;
    doc->DataRec.OptFeat.EmgMode(0, 2, 1) = 9;
    doc->DataRec.OptFeat.DTMFCode[1].set(QString::fromLatin1("1\0", 2));
    const QByteArray header = EncodeRecord(doc->DataRec);
    auto img = Cleared();
    const auto before = std::make_unique<MemImage>(*img);
    EXPECT_EQ(EncodeAllData(*doc, *img),
              QStringLiteral(
                  "band 0 group 14: emergency channel 1 = 0 does not fit the radio's byte"));
    EXPECT_EQ(EncodeRecord(doc->DataRec), header);
    EXPECT_TRUE(Diff(*before, *img).empty());

    doc->DataRec.OptFeat.EmgCh(0, 14, 0) = 1;
    doc->ChData(1, 1, 2).NbAnl = 4;
    EXPECT_EQ(EncodeAllData(*doc, *img),
              QStringLiteral("band 1 group 2 channel %1: NbAnl = 4 does not fit the radio's byte")
                  .arg(doc->ChData(1, 1, 2).ChNo));
    doc->ChData(1, 1, 2).NbAnl = 0;
    doc->DataRec.RBToneTable[8].Step[2].ToneFreq = 256;
    EXPECT_EQ(EncodeAllData(*doc, *img),
              QStringLiteral("tone 8: ToneFreq = 256 does not fit the radio's byte"));
    doc->DataRec.RBToneTable[8].Step[2].ToneFreq = 0;
    doc->DataRec.TxOffset = -1;
    EXPECT_TRUE(EncodeAllData(*doc, *img).has_value());
    EXPECT_TRUE(Diff(*before, *img).empty());
}

TEST(EncodeAllData, RoundTripKeepsEveryImageValueAndNothingElse) {
    for (unsigned seed : {1u, 2u, 3u}) {
        auto src = RichDocument(seed);
        auto img = Cleared();
        ASSERT_FALSE(EncodeAllData(*src, *img));

        // Fields the image does not carry must come out as the target held them.
        auto dst = RichDocument(seed + 100);
        DecodeAllData(*img, *dst);

        DataHeaderRec expected = src->DataRec;
        const DataHeaderRec& got = dst->DataRec;
        const auto keptDoc = RichDocument(seed + 100);
        const DataHeaderRec& kept = keptDoc->DataRec;
        expected.VersionText = kept.VersionText;
        expected.CurGroup = kept.CurGroup;
        expected.CurRow = kept.CurRow;
        expected.FileId = kept.FileId;
        expected.RSSILevel = kept.RSSILevel;
        expected.KeyLock = kept.KeyLock;
        expected.ASQ = kept.ASQ;
        expected.HFPublic = kept.HFPublic;
        expected.HamPublic = kept.HamPublic;
        OptFeatRec& ef = expected.OptFeat;
        const OptFeatRec& kf = kept.OptFeat;
        ef.GroupName = kf.GroupName;
        ef.WorkMode = kf.WorkMode;
        ef.VOXFunction = kf.VOXFunction;
        ef.RTIX = kf.RTIX;
        ef.TTIX = kf.TTIX;
        ef.LongKey = kf.LongKey;
        ef.AuxFlag0 = 0;
        ef.PubRoger = int16_t(expected.ComChanRb);
        ef.DTMFCode = got.OptFeat.DTMFCode;  // compared below
        for (int b = 0; b < kBands; ++b)
            for (int g = 1; g <= kMaxGroups; ++g) {
                if (g > LetteredGroupCount(b)) {
                    ef.GroupValid(b, g) = kf.GroupValid(b, g);
                    ef.MemCh(b, g) = kf.MemCh(b, g);
                    for (int k = 0; k < 2; ++k) {
                        ef.EmgCh(b, g, k) = kf.EmgCh(b, g, k);
                        ef.EmgMode(b, g, k) = kf.EmgMode(b, g, k);
                    }
                }
                if (g > 1) ef.GroupChRef(b, g) = kf.GroupChRef(b, g);
                if (g > GroupCount(b)) expected.ChCount(b, g) = 0;
            }
        const QByteArray gotBytes = EncodeRecord(got), wantBytes = EncodeRecord(expected);
        for (int i = 0; i < gotBytes.size(); ++i)
            EXPECT_EQ(gotBytes[i], wantBytes[i]) << "header offset " << i;
        for (int k = 1; k <= kDtmfCodes; ++k)
            EXPECT_EQ(StripNull(got.OptFeat.DTMFCode[k].raw()),
                      StripNull(src->DataRec.OptFeat.DTMFCode[k].raw()));

        for (int b = 0; b < kBands; ++b)
            for (int g = 1; g <= GroupCount(b); ++g) {
                std::vector<ChannelRecord> want;
                for (int s = 1; s <= src->DataRec.ChCount(b, g); ++s)
                    want.push_back(src->ChData(b, s, g));
                std::sort(want.begin(), want.end(), [](const auto& x, const auto& y) {
                    return x.ChNo < y.ChNo;
                });
                ASSERT_EQ(got.ChCount(b, g), int(want.size()));
                for (size_t s = 0; s < want.size(); ++s) {
                    want[s].TxFreq = want[s].RxFreq;
                    want[s].Reserved1 = want[s].Reserved2 = want[s].Reserved3 = 0;
                    EXPECT_EQ(EncodeRecord(dst->ChData(b, int(s) + 1, g)), EncodeRecord(want[s]))
                        << b << "/" << g << "/" << s;
                }
            }

        // And the decoded document encodes to the very same image.
        auto again = Cleared();
        ASSERT_FALSE(EncodeAllData(*dst, *again));
        EXPECT_TRUE(Diff(*img, *again).empty());
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
