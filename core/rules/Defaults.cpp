#include "Defaults.h"

#include "Program.h"
#include "rules/ChannelEdit.h"

#include <QDate>

#include <array>
#include <utility>
#include <vector>

namespace zr50 {

namespace {
// The six default frequencies: channels 41..46 in this order, and channel 1 of
// groups 1..10 by (group - 1) mod 6.
const std::array<const char*, 6> kDefaultFreqs = {"28.015000", "28.145000", "28.115000",
                                                  "28.085000", "28.055000", "28.025000"};
constexpr int kDefaultGroups = 13;     // groups given defaults in both bands
constexpr int kChannelOneGroups = 10;  // groups that get channel 1

// The visible text, then a NUL, then blanks.
template <int N>
void SetCutText(FixedText<N>& t, const QString& visible) {
    t.set(visible + QChar(0));
}

using Step = std::pair<int, int>;  // frequency (10 Hz), length (10 ms)

// Steps 1.. as given, played once without interval; later steps are kept.
void SetTone(ToneRecord& t, const std::vector<Step>& steps) {
    for (size_t i = 0; i < steps.size(); ++i) {
        t.Step[i + 1].ToneFreq = int16_t(steps[i].first);
        t.Step[i + 1].ToneLen = int16_t(steps[i].second);
    }
    t.Cycles = 1;
    t.Interval = 0;
}

// Steps 1..count alternating a, b, a, ...
void SetAlternating(ToneRecord& t, int count, Step a, Step b) {
    std::vector<Step> steps;
    for (int s = 1; s <= count; ++s) steps.push_back(s % 2 ? a : b);
    SetTone(t, steps);
}
}  // namespace

QString DefaultGroupFrequency(int group) {
    if (group < 1 || group > kChannelOneGroups) return QString();
    return QLatin1String(kDefaultFreqs[size_t((group - 1) % 6)]);
}

void InitDocumentHeader(Document& doc) {
    DataHeaderRec& d = doc.DataRec;
    d.VersionText.set(QString::fromLatin1(kOwnVersion));
    d.CurBand = 0;
    d.CurGroup = {1, 1};
    for (int g = 1; g <= 17; ++g) d.CurRow(0, g) = 1;
    for (int g = 1; g <= 13; ++g) d.CurRow(1, g) = 1;
}

void InitDefaultChannelFre(Document& doc) {
    for (int band = 0; band < kBands; ++band) {
        for (int g = 1; g <= kDefaultGroups; ++g) {
            doc.DataRec.ChCount(band, g) = 0;
            for (int i = 0; i < 6; ++i)
                AddChannel(doc, kPlainChannelMax + 1 + i, band, g,
                           QLatin1String(kDefaultFreqs[size_t(i)]));
        }
        for (int g = 1; g <= kChannelOneGroups; ++g)
            AddChannel(doc, 1, band, g, DefaultGroupFrequency(g));
    }
}

void InitOptFeatureDefaults(Document& doc) {
    OptFeatRec& o = doc.DataRec.OptFeat;
    for (int band = 0; band < kBands; ++band) {
        for (int g = 1; g <= kDefaultGroups; ++g) {
            o.GroupValid(band, g) = 1;
            SetCutText(o.GroupName(band, g), QString(QLatin1Char(char('A' + g - 1))));
            o.EmgCh(band, g, 0) = o.EmgCh(band, g, 1) = 1;
            o.EmgMode(band, g, 0) = o.EmgMode(band, g, 1) = 1;
            o.MemCh(band, g) = 1;
            o.GroupChRef(band, g) = 41;
        }
    }
    o.BandHighNibble = 2;
    o.WorkMode = 1;
    o.WorkGroup = {1, 1};
    o.VOXFunction = o.AuxFlag0 = o.AuxFlag1 = 0;
    o.RTIX = o.TTIX = 0;
    o.PubBOT = o.PubEOT = o.PubCall = 0;
    o.PubHiCut = 0;
    o.PubNbAnl = 1;
    o.PubEcho = o.PubAdd10K = o.PubBusy = o.PubRoger = 0;
    o.Beep = 1;
    o.INDIC = 0;
    o.MIC = 30;
    o.NOG = 0;
    o.TOT = 0;
    o.SWRProtect = 1;
    o.BatProtect = 1;
    o.SCM = o.Fin = o.Color = 0;
    o.CurMenuPage = 1;
    o.VoltLimit = {97, 168, 160};
    o.PubMode = 1;
    for (int w : {kEnableFM, kEnableAM, kEnableUSB, kEnableLSB, kEnablePA})
        o.ModeEnable[size_t(w)] = 1;
    o.DTMFSendTime = o.DTMFFirstDigitTime = o.DTMFFirstDigitDelay = 1;
    o.DTMFStarHashTime = o.DTMFDCode = o.DTMFDisp = 0;
    for (int k = 1; k <= kDtmfCodes; ++k) SetCutText(o.DTMFCode[size_t(k)], QString());

    DataHeaderRec& d = doc.DataRec;
    d.TxOffset = 100;
    d.FreqCh = 0;
    d.ASQLevel = 5;
    d.RSSILevel = {0, 3, 10, 14, 24, 35, 0, 5, 8, 12, 23, 35};
}

void InitFileId(Document& doc, const QDate& today) {
    FileIdRec& id = doc.DataRec.FileId;
    id.MakeDate.set(today.toString(QStringLiteral("yyyyMMdd")));
    id.IdVersionText.set(QStringLiteral("V2.00"));
    id.ModelFamily.set(doc.ModelName.left(6));
    id.InitBandKind = int16_t(BandKindOf(doc.BandText));
    id.IdMark = 67;
}

void InitToneDefaults(Document& doc) {
    auto& t = doc.DataRec.RBToneTable;
    SetAlternating(t[1], 7, {210, 10}, {0, 10});
    SetAlternating(t[2], 14, {80, 4}, {0, 4});
    SetAlternating(t[3], 7, {170, 3}, {90, 3});
    SetTone(t[4], {{64, 6}, {94, 6}, {134, 6}, {163, 6}, {192, 6}});
    SetAlternating(t[5], 6, {150, 20}, {70, 20});
}

void AddDefaultChannel(Program& p, int band, int group) {
    const QString freq = DefaultGroupFrequency(group);
    if (!freq.isEmpty()) AddChannel(p.doc, 1, band, group, freq);
    p.forms.Call(QStringLiteral("frmCommChInfo"), "reShowGrid", {1});
}

}  // namespace zr50
