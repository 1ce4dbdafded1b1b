#pragma once
// The radio document's records. Field names and order follow the stored layout;
// RecordLayout.h walks them in file order.

#include "model/FixedText.h"

#include <array>
#include <cassert>
#include <cstdint>
#include <vector>

namespace zr50 {

constexpr int kBands = 2;
constexpr int kMaxGroups = 17;  // per-group arrays hold 17 groups for both bands
constexpr int kMaxSlots = 99;
constexpr int kToneRecords = 8;
constexpr int kToneSteps = 14;
constexpr int kDtmfCodes = 16;

// Indexed (band 0..1, group 1..17); index 0 of the group is unused.
template <class T>
struct PerGroup {
    std::array<std::array<T, kMaxGroups + 1>, kBands> v{};
    T& operator()(int band, int group) {
        assert(band >= 0 && band < kBands && group >= 1 && group <= kMaxGroups);
        return v[band][group];
    }
    const T& operator()(int band, int group) const {
        assert(band >= 0 && band < kBands && group >= 1 && group <= kMaxGroups);
        return v[band][group];
    }
};

// Indexed (band 0..1, group 1..17, k 0..1).
template <class T>
struct PerGroupK {
    std::array<std::array<std::array<T, 2>, kMaxGroups + 1>, kBands> v{};
    T& operator()(int band, int group, int k) {
        assert(band >= 0 && band < kBands && group >= 1 && group <= kMaxGroups && k >= 0 && k < 2);
        return v[band][group][k];
    }
    const T& operator()(int band, int group, int k) const {
        assert(band >= 0 && band < kBands && group >= 1 && group <= kMaxGroups && k >= 0 && k < 2);
        return v[band][group][k];
    }
};

struct FileIdRec {
    FixedText<7> ModelText;
    int16_t ModelCode = 0;
    int16_t BandKind = 0;
    FixedText<8> MakeDate;
    FixedText<5> IdVersionText;
    FixedText<6> ModelFamily;
    int16_t InitBandKind = 0;
    int16_t IdMark = 0;
};

struct OptFeatRec {
    PerGroup<int16_t> GroupValid;
    PerGroup<FixedText<4>> GroupName;
    PerGroupK<int16_t> EmgCh;
    int16_t BandHighNibble = 0;
    int16_t WorkMode = 0;
    std::array<int16_t, 2> WorkGroup{};
    int16_t VOXFunction = 0;
    int16_t AuxFlag0 = 0;
    int16_t AuxFlag1 = 0;
    PerGroup<int16_t> MemCh;
    PerGroupK<int16_t> EmgMode;
    PerGroup<int16_t> GroupChRef;
    int16_t PubBOT = 0, PubEOT = 0, PubCall = 0;
    int16_t RTIX = 0, TTIX = 0;
    int16_t PubHiCut = 0, PubNbAnl = 0, PubEcho = 0, PubAdd10K = 0, PubBusy = 0, PubRoger = 0;
    int16_t Beep = 0;
    int16_t INDIC = 0, MIC = 0, NOG = 0, TOT = 0;
    int16_t SWRProtect = 0, BatProtect = 0;
    int16_t SCM = 0, Fin = 0, Color = 0, CurMenuPage = 0;
    std::array<int16_t, 3> VoltLimit{};
    int16_t PubMode = 0;
    // Order FM, AM, USB, LSB, CW, PA (not the order of the mode numbers).
    std::array<int16_t, 6> ModeEnable{};
    int16_t DTMFSendTime = 0, DTMFFirstDigitTime = 0, DTMFFirstDigitDelay = 0;
    int16_t DTMFStarHashTime = 0, DTMFDCode = 0, DTMFDisp = 0;
    std::array<FixedText<16>, kDtmfCodes + 1> DTMFCode{};  // 1..16
    int16_t FMDeviation = 0, SSBTone = 0, PFKey = 0, LongKey = 0;
};

enum ModeEnableWord { kEnableFM = 0, kEnableAM, kEnableUSB, kEnableLSB, kEnableCW, kEnablePA };

struct ToneStep {
    int16_t ToneFreq = 0;  // 10 Hz units; below 5 is a pause
    int16_t ToneLen = 0;   // 10 ms units
};

struct ToneRecord {
    std::array<ToneStep, kToneSteps + 1> Step{};  // 1..14
    int16_t Cycles = 0;
    int16_t Interval = 0;  // 10 ms units
};

struct DataHeaderRec {
    FixedText<4> VersionText;
    int16_t CurBand = 0;
    std::array<int16_t, 2> CurGroup{};
    PerGroup<int16_t> CurRow;
    PerGroup<int16_t> ChCount;
    FileIdRec FileId;
    OptFeatRec OptFeat;
    std::array<ToneRecord, kToneRecords + 1> RBToneTable{};  // 1..8
    int32_t TxOffset = 0;
    int16_t FreqCh = 0;
    int16_t ASQLevel = 0;
    std::array<int16_t, 12> RSSILevel{};
    // Option bytes: list positions of the optional-features window.
    uint8_t MicType = 0, VoxLevel = 0, VoxDelay = 0, RxNR = 0, TxNR = 0, KeyLock = 0, VolPath = 0,
            EchoVol = 0, EchoTime = 0, EMG = 0, VOX = 0, VFOStep = 0, AMNPC = 0, VFO = 0,
            HFDWBand = 0, HFDWChan = 0, HFDWMode = 0, HamDWBand = 0, HamDWChan = 0, HamDWMode = 0,
            VolDisplay = 0, SQLDisplay = 0, POWDisplay = 0, RFGDisplay = 0, FinRange = 0;
    int16_t HFPublic = 0;
    int16_t HamPublic = 0;
    uint8_t CWFreq = 0, CWBeep = 0, Dim = 0, ASQ = 0, VoxSpk = 0, AGC = 0, ComChanRb = 0, CWRx = 0,
            CWBkin = 0, CWOffset = 0, RxColor = 0, TxColor = 0;
};

struct ChannelRecord {
    int16_t ChNo = 0;
    int16_t ChUsed = 0;
    int16_t Scan = 0;
    FixedText<8> RxFreq;
    FixedText<8> TxFreq;
    int16_t Reserved1 = 0, Reserved2 = 0;
    int16_t TxCtc = 0;    // encode tone type: 0 off, 1 CTCSS, 2 DCS
    int16_t EncTone = 0;  // encode CTCSS list index
    int16_t RxCtc = 0;    // encode DCS list index
    int16_t Reserved3 = 0;
    int16_t Mode = 0;
    int16_t HiCut = 0, NbAnl = 0, Echo = 0, Add10K = 0, Busy = 0;
    int16_t Roger = 0;
    int16_t Rep = 0;
    int16_t Public = 0;
    int16_t BOT = 0, EOT = 0, Call = 0;
    int16_t CtcDcs = 0;   // decode tone type
    int16_t DecTone = 0;  // decode CTCSS list index
    int16_t DecDcs = 0;   // decode DCS list index
};

constexpr int kDataFileSize = 1699;
constexpr int kChannelRecordSize = 64;

// Channels indexed (band 0..1, slot 1..99, group 1..17), kept on the heap.
class ChannelStore {
public:
    ChannelStore() : v_(kBands * (kMaxSlots + 1) * (kMaxGroups + 1)) {}
    ChannelRecord& operator()(int band, int slot, int group) { return v_[index(band, slot, group)]; }
    const ChannelRecord& operator()(int band, int slot, int group) const {
        return v_[index(band, slot, group)];
    }

private:
    static size_t index(int band, int slot, int group) {
        assert(band >= 0 && band < kBands && slot >= 1 && slot <= kMaxSlots && group >= 1 &&
               group <= kMaxGroups);
        return (size_t(band) * (kMaxSlots + 1) + size_t(slot)) * (kMaxGroups + 1) + size_t(group);
    }
    std::vector<ChannelRecord> v_;
};

// Groups of a band: 17 for band 0 (A..O, MEM, VFO), 14 for band 1 (A..L, MEM, VFO).
inline int GroupCount(int band) { return band == 0 ? 17 : 14; }
inline int MemGroupOf(int band) { return band == 0 ? 16 : 13; }
inline int VfoGroupOf(int band) { return band == 0 ? 17 : 14; }
inline int LetteredGroupCount(int band) { return band == 0 ? 15 : 12; }

// Channel numbers 41.. in a lettered group are the "M" channels.
constexpr int kPlainChannelMax = 40;

}  // namespace zr50
