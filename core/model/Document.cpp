#include "Document.h"

#include "rules/SharedHelpers.h"

namespace zr50 {

namespace {
const char* const kHfBandText = "24.7150 - 30.1050 MHz";

bool SameChannel(const ChannelRecord& a, const ChannelRecord& b) {
    return a.ChNo == b.ChNo && a.ChUsed == b.ChUsed && a.Scan == b.Scan && a.RxFreq == b.RxFreq &&
           a.EncTone == b.EncTone && a.Reserved3 == b.Reserved3 && a.Mode == b.Mode &&
           a.HiCut == b.HiCut && a.NbAnl == b.NbAnl && a.Echo == b.Echo && a.Add10K == b.Add10K &&
           a.Busy == b.Busy && a.Rep == b.Rep && a.Public == b.Public && a.BOT == b.BOT &&
           a.EOT == b.EOT && a.Call == b.Call;
}

bool SameFileId(const FileIdRec& a, const FileIdRec& b) {
    return a.ModelText == b.ModelText && a.ModelCode == b.ModelCode && a.BandKind == b.BandKind &&
           a.MakeDate == b.MakeDate && a.IdVersionText == b.IdVersionText &&
           a.ModelFamily == b.ModelFamily && a.InitBandKind == b.InitBandKind &&
           a.IdMark == b.IdMark;
}

template <int N>
bool SameStripped(const FixedText<N>& a, const FixedText<N>& b) {
    return StripNull(a.raw()) == StripNull(b.raw());
}

bool SameOptFeat(const OptFeatRec& a, const OptFeatRec& b) {
    for (int band = 0; band < kBands; ++band) {
        for (int g = 1; g <= GroupCount(band); ++g) {
            if (!SameStripped(a.GroupName(band, g), b.GroupName(band, g))) return false;
            for (int k = 0; k < 2; ++k)
                if (a.EmgMode(band, g, k) != b.EmgMode(band, g, k)) return false;
            if (a.GroupChRef(band, g) != b.GroupChRef(band, g)) return false;
            for (int k = 0; k < 2; ++k)
                if (a.EmgCh(band, g, k) != b.EmgCh(band, g, k)) return false;
            if (a.MemCh(band, g) != b.MemCh(band, g)) return false;
            if (a.GroupValid(band, g) != b.GroupValid(band, g)) return false;
        }
    }
    // RTIX, TTIX, PubRoger, ModeEnable CW and the last four words are not compared.
    if (a.BandHighNibble != b.BandHighNibble || a.WorkMode != b.WorkMode ||
        a.WorkGroup != b.WorkGroup || a.VOXFunction != b.VOXFunction ||
        a.AuxFlag0 != b.AuxFlag0 || a.AuxFlag1 != b.AuxFlag1 || a.PubBOT != b.PubBOT ||
        a.PubEOT != b.PubEOT || a.PubCall != b.PubCall || a.PubHiCut != b.PubHiCut ||
        a.PubNbAnl != b.PubNbAnl || a.PubEcho != b.PubEcho || a.PubAdd10K != b.PubAdd10K ||
        a.PubBusy != b.PubBusy || a.Beep != b.Beep || a.INDIC != b.INDIC || a.MIC != b.MIC ||
        a.NOG != b.NOG || a.TOT != b.TOT || a.SWRProtect != b.SWRProtect ||
        a.BatProtect != b.BatProtect || a.SCM != b.SCM || a.Fin != b.Fin ||
        a.Color != b.Color || a.CurMenuPage != b.CurMenuPage || a.VoltLimit != b.VoltLimit ||
        a.PubMode != b.PubMode)
        return false;
    for (int w : {kEnableFM, kEnableAM, kEnableUSB, kEnableLSB, kEnablePA})
        if (a.ModeEnable[w] != b.ModeEnable[w]) return false;
    if (a.DTMFSendTime != b.DTMFSendTime || a.DTMFFirstDigitTime != b.DTMFFirstDigitTime ||
        a.DTMFFirstDigitDelay != b.DTMFFirstDigitDelay ||
        a.DTMFStarHashTime != b.DTMFStarHashTime || a.DTMFDCode != b.DTMFDCode ||
        a.DTMFDisp != b.DTMFDisp)
        return false;
    for (int k = 1; k <= kDtmfCodes; ++k)
        if (!SameStripped(a.DTMFCode[k], b.DTMFCode[k])) return false;
    return true;
}

bool SameTones(const DataHeaderRec& a, const DataHeaderRec& b) {
    for (int t = 1; t <= kToneRecords; ++t) {
        const ToneRecord& x = a.RBToneTable[t];
        const ToneRecord& y = b.RBToneTable[t];
        if (x.Cycles != y.Cycles || x.Interval != y.Interval) return false;
        for (int s = 1; s <= kToneSteps; ++s)
            if (x.Step[s].ToneFreq != y.Step[s].ToneFreq || x.Step[s].ToneLen != y.Step[s].ToneLen)
                return false;
    }
    return true;
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
    for (int band = 0; band < kBands; ++band)
        for (int g = 1; g <= GroupCount(band); ++g)
            for (int s = 1; s <= DataRec.ChCount(band, g) && s <= kMaxSlots; ++s)
                SavedChData(band, s, g) = ChData(band, s, g);
}

void Document::CopySavedToData() {
    DataRec = SavedDataRec;
    DataVersion = DataRec.VersionText.raw();
    ModelName = QString::fromLatin1(kModelName);
    SetBandText(BandTextOf(DataRec.CurBand));
    for (int band = 0; band < kBands; ++band)
        for (int g = 1; g <= GroupCount(band); ++g)
            for (int s = 1; s <= SavedDataRec.ChCount(band, g) && s <= kMaxSlots; ++s)
                ChData(band, s, g) = SavedChData(band, s, g);
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
            const int n = DataRec.ChCount(band, g);
            if (n != SavedDataRec.ChCount(band, g)) return false;
            for (int s = 1; s <= n && s <= kMaxSlots; ++s) {
                const ChannelRecord& saved = SavedChData(band, s, g);
                int w = s;
                if (ChData(band, s, g).ChNo != saved.ChNo) {
                    // Reordered channels are no modification: match by number.
                    w = FindChannelIndex(saved.ChNo, band, g);
                    if (w == 0) return false;
                }
                if (!SameChannel(saved, ChData(band, w, g))) return false;
            }
        }
    }
    if (!SameFileId(DataRec.FileId, SavedDataRec.FileId)) return false;
    if (!SameOptFeat(DataRec.OptFeat, SavedDataRec.OptFeat)) return false;
    if (DataRec.TxOffset != SavedDataRec.TxOffset || DataRec.FreqCh != SavedDataRec.FreqCh ||
        DataRec.ASQLevel != SavedDataRec.ASQLevel || DataRec.RSSILevel != SavedDataRec.RSSILevel)
        return false;
    return SameTones(DataRec, SavedDataRec);
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
