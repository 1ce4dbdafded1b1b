#include "codec/MemImage.h"

#include "codec/ImageMap.h"
#include "model/Document.h"
#include "rules/DtmfRefs.h"
#include "rules/SharedHelpers.h"

#include <algorithm>
#include <bitset>
#include <limits>
#include <memory>

namespace zr50 {

using namespace imagemap;

namespace {

constexpr int kFreqDigits = 8;
const char* const kNoFreq = "FFFFFFFF";

// Emergency modes other than FM, AM, USB, LSB go to the radio as FM.
int CleanEmgMode(int v) { return v > 3 ? 0 : v; }

// A code as the radio is given it: a file may hold anything, and a stray "E"
// or "F" would reach the radio as "*" or "#".
QString CleanDtmfCode(const FixedText<16>& code) { return DTMFKeysOf(StripNull(code.raw())); }

// The slots whose code the cleaning empties, as the encoder drops them.
DTMFSlotGone CleanedAwayIn(const Document& doc) {
    return [gone = DTMFCodesCleanedAway(doc)](int k) {
        return k >= 1 && k <= kDtmfCodes && gone.test(size_t(k));
    };
}

bool AllDigits(const QString& t) {
    return !t.isEmpty() && std::all_of(t.begin(), t.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

// Writes document values into the image; the first value that does not fit
// stops it and is kept as the error.
class Encoder {
public:
    explicit Encoder(MemImage& image) : img_(image) {}

    template <class T>
    void operator()(const Field& f, const T& value) { Put(f, int(value)); }
    template <class T>
    void ReadOnly(const Field&, const T&) {}
    void WriteOnly(const Field& f, int value) { Put(f, value); }
    template <class T>
    void EmgMode(const Field& f, const T& value) { Put(f, CleanEmgMode(value)); }
    template <class T>
    void DtmfRef(const Field& f, const T& value) { Put(f, KeptDTMFRef(value, goneCodes)); }

    template <class T>
    void Word(int lo, int hi, const char* name, const T& value) {
        const long v = long(value);
        if (error || !Fits(v, 0, 0xFFFF, name)) return;
        img_[lo] = uint8_t(v % 256);
        img_[hi] = uint8_t(v / 256);
    }

    // Sets the channel's bit in a bitmap; bits are only ever added.
    void OrBit(int addr, uint8_t bit, int value, const char* name) {
        if (error || !Fits(value, 0, 1, name)) return;
        if (value) img_[addr] |= bit;
    }

    void PutByte(int addr, uint8_t v) { img_[addr] = v; }

    QString context;
    EncodeError error;
    // Code slots whose references go out as none.
    DTMFSlotGone goneCodes = [](int) { return false; };

private:
    bool Fits(long v, long lo, long hi, const char* name) {
        if (v >= lo && v <= hi) return true;
        error = QStringLiteral("%1: %2 = %3 does not fit the radio's byte")
                    .arg(context, QLatin1String(name))
                    .arg(v);
        return false;
    }

    void Put(const Field& f, int value) {
        if (error) return;
        const int max = (1 << f.width) - 1;
        int stored = value + f.offset;
        if (f.masked)
            stored &= max;
        else if (!Fits(value, -f.offset, max - f.offset, f.name))
            return;
        uint8_t& b = img_[f.addr];
        if (f.width == 8) {
            b = uint8_t(stored);
            return;
        }
        // A packed byte is built from nothing: its unused bits go out as 0.
        if (!packed_.test(size_t(f.addr))) {
            packed_.set(size_t(f.addr));
            b = 0;
        }
        b = uint8_t((b & ~(max << f.shift)) | (stored << f.shift));
    }

    MemImage& img_;
    std::bitset<kMemImageSize> packed_;
};

// Reads image values into the document. A value the document's field cannot
// hold leaves that field as it was.
class Decoder {
public:
    explicit Decoder(const MemImage& image) : img_(image) {}

    template <class T>
    void operator()(const Field& f, T& value) { Get(f, value); }
    template <class T>
    void ReadOnly(const Field& f, T& value) { Get(f, value); }
    void WriteOnly(const Field&, int) {}
    template <class T>
    void EmgMode(const Field& f, T& value) { Get(f, value); }
    template <class T>
    void DtmfRef(const Field& f, T& value) { Get(f, value); }

    template <class T>
    void Word(int lo, int hi, const char*, T& value) {
        Assign(long(img_[hi]) * 256 + img_[lo], value);
    }

private:
    template <class T>
    static void Assign(long v, T& value) {
        if (v >= long(std::numeric_limits<T>::min()) && v <= long(std::numeric_limits<T>::max()))
            value = T(v);
    }
    template <class T>
    void Get(const Field& f, T& value) {
        const int max = (1 << f.width) - 1;
        Assign(long((img_[f.addr] >> f.shift) & max) - f.offset, value);
    }

    const MemImage& img_;
};

QString GroupContext(int band, int group) {
    return QStringLiteral("band %1 group %2").arg(band).arg(group);
}

void EncodeChannelWith(Encoder& enc, const ChannelRecord& ch, int band, int group) {
    const auto place = PlaceOf(band, group, ch.ChNo);
    if (!place) return;
    enc.context = GroupContext(band, group) + QStringLiteral(" channel %1").arg(ch.ChNo);
    const QString t = PadHexText(ch.RxFreq.raw(), kFreqDigits);
    const bool bcd = t.size() == kFreqDigits && AllDigits(t);
    for (int i = 0; i < 4; ++i)
        enc.PutByte(place->record + i, bcd ? uint8_t(t.mid(2 * i, 2).toUInt(nullptr, 16)) : 0xFF);
    ChannelFields(enc, place->record, ch);
    enc.OrBit(place->presentByte, place->bit, 1, "present");
    enc.OrBit(place->scanByte, place->bit, ch.Scan, "Scan");
}

void EncodeChannels(Encoder& enc, const Document& doc) {
    for (int band = 0; band < kBands; ++band)
        for (int g = 1; g <= GroupCount(band); ++g) {
            const int count = std::min<int>(doc.DataRec.ChCount(band, g), kMaxSlots);
            for (int s = 1; s <= count && !enc.error; ++s)
                EncodeChannelWith(enc, doc.ChData(band, s, g), band, g);
        }
}

void EncodeOptFeaturesWith(Encoder& enc, const Document& doc) {
    const DataHeaderRec& r = doc.DataRec;
    for (int band = 0; band < kBands; ++band)
        for (int g = 1; g <= LetteredGroupCount(band); ++g) {
            enc.context = GroupContext(band, g);
            GroupFields(enc, band, g, r.OptFeat);
        }
    enc.context = QStringLiteral("settings");
    SettingsFields(enc, r);
    for (int k = 1; k <= kDtmfCodes; ++k) {
        const QString code = CleanDtmfCode(r.OptFeat.DTMFCode[k]);
        const int row = DtmfRowOf(k);
        for (int i = 0; i < 16; ++i)
            enc.PutByte(row + i,
                        uint8_t(i < code.size() ? DtmfCharToCode(code.mid(i, 1)) : kDtmfEnd));
    }
}

void EncodeToneDataWith(Encoder& enc, const Document& doc) {
    for (int t = 1; t <= kToneRecords; ++t) {
        enc.context = QStringLiteral("tone %1").arg(t);
        ToneFields(enc, t, doc.DataRec.RBToneTable[t]);
    }
}

// Runs one encoding step on a copy of the image; the image changes only when
// every value fits.
template <class Step>
EncodeError EncodeInto(MemImage& image, Step step) {
    auto out = std::make_unique<MemImage>(image);
    Encoder enc(*out);
    step(enc);
    if (enc.error) return enc.error;
    image = *out;
    return std::nullopt;
}

}  // namespace

void ClearMemImage(MemImage& image) {
    image.fill(0xFF);
    std::fill(image.begin() + kZeroedFrom, image.begin() + kZeroedTo + 1, 0x00);
    std::fill(image.begin() + kMemBitmapsFrom, image.begin() + kMemBitmapsTo + 1, 0x00);
}

QString PadHexText(const QString& text, int width) {
    QString t = StripNull(text);
    if (t.isEmpty() || t == QLatin1String(kNoFreq)) return QLatin1String(kNoFreq);
    while (t.size() < width) t += QLatin1Char('0');
    return t;
}

EncodeError EncodeChannel(const ChannelRecord& ch, int band, int group, MemImage& image) {
    return EncodeInto(image, [&](Encoder& enc) { EncodeChannelWith(enc, ch, band, group); });
}

EncodeError EncodeOptFeatures(const Document& doc, MemImage& image) {
    return EncodeInto(image, [&](Encoder& enc) {
        enc.goneCodes = CleanedAwayIn(doc);
        EncodeOptFeaturesWith(enc, doc);
    });
}

EncodeError EncodeToneData(const Document& doc, MemImage& image) {
    return EncodeInto(image, [&](Encoder& enc) { EncodeToneDataWith(enc, doc); });
}

std::bitset<kDtmfCodes + 1> DTMFCodesCleanedAway(const Document& doc) {
    std::bitset<kDtmfCodes + 1> gone;
    for (int k = 1; k <= kDtmfCodes; ++k)
        gone[size_t(k)] =
            IsDTMFCodeSet(doc, k) && CleanDtmfCode(doc.DataRec.OptFeat.DTMFCode[k]).isEmpty();
    return gone;
}

EncodeError EncodeAllData(Document& doc, MemImage& image) {
    // Taken before the codes are cleaned: afterwards a gone code looks empty already.
    const DTMFSlotGone gone = CleanedAwayIn(doc);
    const EncodeError error = EncodeInto(image, [&](Encoder& enc) {
        enc.goneCodes = gone;
        EncodeChannels(enc, doc);
        if (!enc.error) EncodeOptFeaturesWith(enc, doc);
        if (!enc.error) EncodeToneDataWith(enc, doc);
    });
    if (error) return error;
    // The document now holds what the radio was given.
    OptFeatRec& f = doc.DataRec.OptFeat;
    for (int band = 0; band < kBands; ++band)
        for (int g = 1; g <= LetteredGroupCount(band); ++g)
            for (int k = 0; k < 2; ++k)
                f.EmgMode(band, g, k) = int16_t(CleanEmgMode(f.EmgMode(band, g, k)));
    for (int k = 1; k <= kDtmfCodes; ++k) f.DTMFCode[k].set(CleanDtmfCode(f.DTMFCode[k]));
    DropDTMFRefs(doc, gone);
    return std::nullopt;
}

void DecodeChannel(const MemImage& image, int band, int position, int group, Document& doc) {
    const auto place = PlaceOf(band, group, position);
    if (!place) return;
    const bool present = group == VfoGroupOf(band) || (image[place->presentByte] & place->bit);
    if (!present) return;
    QString t;
    for (int i = 0; i < 4; ++i) t += Hex2(image[place->record + i]);
    if (!AllDigits(t)) return;  // no frequency: the channel is dropped
    int16_t& count = doc.DataRec.ChCount(band, group);
    const int slot = std::max<int>(count, 0) + 1;
    if (slot > kMaxSlots) return;
    count = int16_t(slot);
    ChannelRecord& c = doc.ChData(band, slot, group);
    c.ChUsed = 1;
    c.ChNo = int16_t(position);
    c.Scan = (image[place->scanByte] & place->bit) ? 1 : 0;
    c.RxFreq.set(t);
    // The image has no transmit frequency: a read channel is simplex, as a new one is.
    c.TxFreq = c.RxFreq;
    c.Reserved1 = c.Reserved2 = c.Reserved3 = 0;
    Decoder dec(image);
    ChannelFields(dec, place->record, c);
}

void DecodeOptFeatures(const MemImage& image, Document& doc) {
    DataHeaderRec& r = doc.DataRec;
    Decoder dec(image);
    for (int band = 0; band < kBands; ++band)
        for (int g = 1; g <= LetteredGroupCount(band); ++g) GroupFields(dec, band, g, r.OptFeat);
    SettingsFields(dec, r);
    for (int k = 1; k <= kDtmfCodes; ++k) {
        const int row = DtmfRowOf(k);
        QString code;
        for (int i = 0; i < 16; ++i) {
            const int key = image[row + i];
            if (key >= kDtmfEnd) {
                code += QChar(0);
                break;
            }
            code += DtmfCodeToChar(key);
        }
        r.OptFeat.DTMFCode[k].set(code);
    }
    doc.SetBandText(BandTextOf(r.CurBand));
}

void DecodeToneData(const MemImage& image, Document& doc) {
    Decoder dec(image);
    for (int t = 1; t <= kToneRecords; ++t) ToneFields(dec, t, doc.DataRec.RBToneTable[t]);
}

void DecodeAllData(const MemImage& image, Document& doc) {
    for (int band = 0; band < kBands; ++band)
        for (int g = 1; g <= kMaxGroups; ++g) doc.DataRec.ChCount(band, g) = 0;
    // Every slot starts never written: nothing of the document before survives.
    doc.ChData = ChannelStore();
    DecodeOptFeatures(image, doc);
    for (int band = 0; band < kBands; ++band)
        for (int g = 1; g <= GroupCount(band); ++g) {
            doc.DataRec.ChCount(band, g) = 0;
            for (int k = 1; k <= PositionsOf(band, g); ++k) DecodeChannel(image, band, k, g, doc);
        }
    DecodeToneData(image, doc);
}

}  // namespace zr50
