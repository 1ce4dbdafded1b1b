#include "OptFeatTable.h"

#include "rules/Numbers.h"
#include "rules/SharedHelpers.h"

#include <algorithm>
#include <type_traits>

namespace zr50 {

namespace {
// A field of the option-feature record, and one of the document record itself.
template <auto M>
OptField Opt() {
    return {[](const DataHeaderRec& d) { return int(d.OptFeat.*M); },
            [](DataHeaderRec& d, int v) {
                using T = std::remove_reference_t<decltype(d.OptFeat.*M)>;
                d.OptFeat.*M = T(v);
            }};
}

template <auto M>
OptField Rec() {
    return {[](const DataHeaderRec& d) { return int(d.*M); },
            [](DataHeaderRec& d, int v) {
                using T = std::remove_reference_t<decltype(d.*M)>;
                d.*M = T(v);
            }};
}

template <int Word>
OptField ModeEnable() {
    return {[](const DataHeaderRec& d) { return int(d.OptFeat.ModeEnable[Word]); },
            [](DataHeaderRec& d, int v) { d.OptFeat.ModeEnable[Word] = int16_t(v); }};
}

using R = DataHeaderRec;
using O = OptFeatRec;
using C = OptConv;
constexpr bool kHidden = true;

std::vector<OptListRow> BuildListRows() {
    const OptField none;
    return {
        {0, Rec<&R::HamDWMode>(), C::Position, false},
        {1, none, C::None, kHidden},
        {2, Opt<&O::INDIC>(), C::Position, false},
        {3, Opt<&O::MIC>(), C::Number, false},
        {4, none, C::None, kHidden},
        {5, none, C::None, kHidden},
        {6, none, C::None, kHidden},
        {7, none, C::None, kHidden},
        {8, Opt<&O::NOG>(), C::Position, false},
        {9, Opt<&O::TOT>(), C::Tot, false},
        {10, Opt<&O::SCM>(), C::Position, false},
        {11, Opt<&O::Fin>(), C::Position, false},
        {12, Rec<&R::HFDWBand>(), C::Position, false},
        {13, Rec<&R::HFDWChan>(), C::Position, false},
        {14, Rec<&R::HFDWMode>(), C::Position, false},
        {15, Rec<&R::HamDWBand>(), C::Position, false},
        {16, Rec<&R::HamDWChan>(), C::Position, false},
        {17, Opt<&O::Color>(), C::Position, false},
        {18, Opt<&O::PubMode>(), C::PubMode, false},
        {19, Opt<&O::WorkMode>(), C::Position, kHidden},
        {20, none, C::None, kHidden},
        {21, Opt<&O::CurMenuPage>(), C::Number, kHidden},
        {22, Opt<&O::AuxFlag0>(), C::Position, kHidden},
        {23, Rec<&R::FreqCh>(), C::Position, kHidden},
        {24, Rec<&R::ASQLevel>(), C::Number, false},
        {25, Rec<&R::RxNR>(), C::NR, false},
        {26, Rec<&R::TxNR>(), C::NR, false},
        {27, Rec<&R::VoxLevel>(), C::Position, false},
        {28, Rec<&R::VoxDelay>(), C::Position, false},
        {29, Rec<&R::MicType>(), C::Position, false},
        {30, Rec<&R::KeyLock>(), C::Position, kHidden},
        {31, Rec<&R::VolPath>(), C::Position, false},
        {32, Rec<&R::EchoVol>(), C::Position, false},
        {33, Rec<&R::EchoTime>(), C::Position, false},
        {34, Rec<&R::EMG>(), C::Position, false},
        {35, Rec<&R::VOX>(), C::Position, false},
        {36, Rec<&R::VFOStep>(), C::Position, false},
        {37, Rec<&R::AMNPC>(), C::Position, false},
        {38, Rec<&R::VFO>(), C::Position, false},
        {39, Opt<&O::Beep>(), C::Position, false},
        {40, Opt<&O::FMDeviation>(), C::Position, false},
        {41, Opt<&O::SSBTone>(), C::Position, false},
        {42, Opt<&O::PFKey>(), C::Position, false},
        {43, Opt<&O::LongKey>(), C::Position, kHidden},
        {44, Rec<&R::FinRange>(), C::Position, false},
        {45, Rec<&R::HFPublic>(), C::Public, false},
        {46, Rec<&R::HamPublic>(), C::Public, false},
        {47, Rec<&R::CWFreq>(), C::CWFreq, false},
        {48, Rec<&R::CWBeep>(), C::Position, false},
        {49, Rec<&R::Dim>(), C::Position, false},
        {50, Rec<&R::ASQ>(), C::Position, kHidden},
        {51, Rec<&R::VoxSpk>(), C::Position, false},
        {52, Rec<&R::AGC>(), C::Position, false},
        {53, Rec<&R::ComChanRb>(), C::Number, false},
        {54, Rec<&R::CWRx>(), C::Position, false},
        {55, Rec<&R::CWBkin>(), C::Position, false},
        {56, Rec<&R::CWOffset>(), C::Position, false},
        {57, Rec<&R::RxColor>(), C::Position, kHidden},
        {58, Rec<&R::TxColor>(), C::Position, false},
        {200, Opt<&O::PubHiCut>(), C::Position, false},
        {201, Opt<&O::PubNbAnl>(), C::Position, false},
        {202, Opt<&O::PubEcho>(), C::Position, false},
        {203, Opt<&O::PubAdd10K>(), C::Position, false},
        {204, Opt<&O::PubBusy>(), C::Position, kHidden},
        // A tone number 0..8, as the image and the tone repairs keep it.
        {205, Opt<&O::PubRoger>(), C::Number, kHidden},
        {206, Opt<&O::PubBOT>(), C::Number, false},
        {207, Opt<&O::PubEOT>(), C::Number, false},
        {208, Opt<&O::PubCall>(), C::Number, false},
    };
}

std::vector<OptCheckRow> BuildCheckRows() {
    const OptField none;
    return {
        {100, Opt<&O::VOXFunction>(), 1, true, true, kHidden},
        // The flag is shown by one hidden box and stored by another.
        {101, Opt<&O::AuxFlag1>(), 0, true, false, kHidden},
        {102, none, 0, false, false, kHidden},
        {103, Opt<&O::SWRProtect>(), 1, true, true, false},
        {104, Opt<&O::BatProtect>(), 1, true, true, false},
        {105, ModeEnable<kEnableFM>(), 1, true, true, false},
        {106, ModeEnable<kEnableAM>(), 1, true, true, false},
        {107, ModeEnable<kEnableUSB>(), 1, true, true, false},
        {108, ModeEnable<kEnableLSB>(), 1, true, true, false},
        {109, ModeEnable<kEnablePA>(), 1, true, true, false},
        {110, ModeEnable<kEnableCW>(), 1, true, true, false},
        {111, Opt<&O::AuxFlag1>(), 0, false, true, kHidden},
    };
}
}  // namespace

const std::vector<OptListRow>& OptListRows() {
    static const std::vector<OptListRow> rows = BuildListRows();
    return rows;
}

const std::vector<OptCheckRow>& OptCheckRows() {
    static const std::vector<OptCheckRow> rows = BuildCheckRows();
    return rows;
}

const std::vector<OptField>& OptDisplayFields() {
    static const std::vector<OptField> fields = {Rec<&R::VolDisplay>(), Rec<&R::SQLDisplay>(),
                                                 Rec<&R::POWDisplay>(), Rec<&R::RFGDisplay>()};
    return fields;
}

const OptListRow* FindOptListRow(int index) {
    for (const OptListRow& r : OptListRows())
        if (r.index == index) return &r;
    return nullptr;
}

const OptCheckRow* FindOptCheckRow(int index) {
    for (const OptCheckRow& r : OptCheckRows())
        if (r.index == index) return &r;
    return nullptr;
}

OptChoice ChoiceFor(OptConv conv, int value) {
    switch (conv) {
        case C::None:
        case C::PubMode: return {};
        case C::Number: return {-1, QString::number(value)};
        case C::Tot: return {value / 3, {}};
        case C::NR: return {value == 0 ? 0 : value - 127, {}};
        case C::CWFreq: return {value - 30, {}};
        case C::Position:
        case C::Public: return {value, {}};
    }
    return {};
}

int ValueFor(OptConv conv, int position, const QString& text) {
    switch (conv) {
        case C::Number: return StrToIntDef(text, 0);
        case C::Tot: return position * 3;
        case C::NR: return position == 0 ? 0 : position + 127;
        case C::CWFreq: return position + 30;
        default: return position;
    }
}

int CheckSelectLimit(int v, int maxCount, int from, int to, int except,
                     const std::function<int(int)>& valueOf) {
    if (v > 0) return v;
    int ticked = 0;
    for (int i = from; i <= to; ++i)
        if (i != except && valueOf(i) > 0) ++ticked;
    return ticked < maxCount ? 1 : 0;
}

int CheckText4Order(const DataHeaderRec& d, int i, const QString& text) {
    const int stored = d.RSSILevel[size_t(i)];
    const std::optional<double> typed = ParseNumber(text);
    if (!typed) return stored;
    const double whole = RoundHalfEven(*typed);
    const int v = int(std::clamp(whole - 1, 0.0, 35.0));
    const bool first = i % 6 == 0;
    const bool last = i % 6 == 5;
    const bool aboveLeft = first || v > d.RSSILevel[size_t(i - 1)];
    const bool belowRight = last || v < d.RSSILevel[size_t(i + 1)];
    return aboveLeft && belowRight ? v : stored;
}

QString LimitedText(const QString& text, double lo, double hi, int decimals, const QString& fallback) {
    const std::optional<double> v = ParseNumber(text);
    if (!v) return fallback;
    return FormatFixed(std::clamp(*v, lo, hi), decimals);
}

QString OffsetText(const QString& text) {
    const std::optional<double> v = ParseNumber(text);
    if (!v) return QStringLiteral("0");
    if (*v > 100) return QStringLiteral("100.0");
    if (*v < -100) return QStringLiteral("-100.0");
    return text;
}

int ScaledValue(const QString& text, double factor) {
    const std::optional<double> v = ParseNumber(text);
    return v ? int(RoundHalfEven(*v * factor)) : 0;
}

void SetPublicFlags(Document& doc, int band, int flag) {
    // Every slot: a lettered group's M channels sit past slot 40, and a file
    // may count more channels than a group is meant to hold.
    for (int g = 1; g <= GroupCount(band); ++g)
        for (int s = 1; s <= kMaxSlots; ++s) doc.ChData(band, s, g).Public = int16_t(flag);
}

}  // namespace zr50
