#include "Document.h"

#include "model/ByteIO.h"
#include "rules/SharedHelpers.h"

#include <algorithm>

namespace zr50 {

namespace {
const char* const kHfBandText = "24.7150 - 30.1050 MHz";

// Equal texts are equal up to their first NUL, as the windows show them.
template <int N>
void Strip(FixedText<N>& t) {
    t.set(StripNull(t.raw()));
}

// The channel as the modified test sees it: the transmit frequency, which
// follows the receive one, and the reserved words are not the user's.
QByteArray ComparedChannel(ChannelRecord c) {
    c.TxFreq = FixedText<8>();
    c.Reserved1 = c.Reserved2 = c.Reserved3 = 0;
    return EncodeRecord(c);
}

// The header as the modified test sees it: what the user edits or a radio
// read fills. Navigation (band, groups, rows), the version text and the
// groups band 1 does not have are left out.
QByteArray ComparedHeader(DataHeaderRec r) {
    r.VersionText = FixedText<4>();
    r.CurBand = 0;
    r.CurGroup = {};
    r.CurRow = {};
    r.ChCount = {};  // compared group by group with the channels
    OptFeatRec& f = r.OptFeat;
    for (int band = 0; band < kBands; ++band)
        for (int g = 1; g <= kMaxGroups; ++g) {
            if (g > GroupCount(band)) {
                f.GroupValid(band, g) = f.MemCh(band, g) = f.GroupChRef(band, g) = 0;
                f.GroupName(band, g) = FixedText<4>();
                for (int k = 0; k < 2; ++k) f.EmgCh(band, g, k) = f.EmgMode(band, g, k) = 0;
            }
            Strip(f.GroupName(band, g));
        }
    for (int k = 1; k <= kDtmfCodes; ++k) Strip(f.DTMFCode[k]);
    return EncodeRecord(r);
}

// A group's count without the never-numbered records at its end: the slot the
// channel window exposes in an empty VFO group holds nothing of the user's.
int CountedSlots(const DataHeaderRec& rec, const ChannelStore& ch, int band, int group) {
    int n = std::clamp<int>(rec.ChCount(band, group), 0, kMaxSlots);
    while (n > 0 && ch(band, n, group).ChNo == 0) --n;
    return n;
}

}  // namespace

Document::Document() { SetBandText(BandText); }

void Document::SetBandText(const QString& text) {
    BandText = text;
    ParseBandText(BandText, Limits);
}

void Document::CopyDataToSaved() {
    FillFileId(DataRec.FileId, ModelName, BandText);
    DataRec.VersionText.set(QString::fromLatin1(kOwnVersion));
    SavedDataRec = DataRec;
    SavedChData = ChData;
}

void Document::CopySavedToData() {
    DataRec = SavedDataRec;
    DataVersion = DataRec.VersionText.raw();
    ModelName = QString::fromLatin1(kModelName);
    SetBandText(BandTextOf(DataRec.CurBand));
    // The whole store: no slot of the document before may survive, counted or not.
    ChData = SavedChData;
}

int Document::FindChannelIndex(int chNo, int band, int group) const {
    const int n = DataRec.ChCount(band, group);
    for (int s = 1; s <= n && s <= kMaxSlots; ++s)
        if (ChData(band, s, group).ChNo == chNo) return s;
    return 0;
}

bool Document::DataMatchesSaved() const {
    for (int band = 0; band < kBands; ++band) {
        for (int g = 1; g <= GroupCount(band); ++g) {
            const int n = CountedSlots(DataRec, ChData, band, g);
            if (n != CountedSlots(SavedDataRec, SavedChData, band, g)) return false;
            for (int s = 1; s <= n; ++s) {
                const ChannelRecord& saved = SavedChData(band, s, g);
                int w = s;
                if (ChData(band, s, g).ChNo != saved.ChNo) {
                    // Reordered channels are no modification: match by number.
                    w = FindChannelIndex(saved.ChNo, band, g);
                    if (w == 0) return false;
                }
                if (ComparedChannel(saved) != ComparedChannel(ChData(band, w, g))) return false;
            }
        }
    }
    return ComparedHeader(DataRec) == ComparedHeader(SavedDataRec);
}

QString BandTextOf(int band) {
    if (band == 0) return QString::fromLatin1(kHfBandText);
    if (band == 1) return QStringLiteral("28.0000 - 29.6950 MHz");
    return QStringLiteral("28.0000 - 29.6990 MHz");
}

int BandKindOf(const QString& bandText) { return bandText == QLatin1String(kHfBandText) ? 0 : 1; }

void FillFileId(FileIdRec& id, const QString& modelName, const QString& bandText) {
    id.ModelText.set(modelName.left(7));
    id.BandKind = int16_t(BandKindOf(bandText));
    id.ModelCode = 248;
    id.ModelFamily.set(modelName.left(6));
}

}  // namespace zr50
