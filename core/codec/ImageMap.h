#pragma once
// Where each value of the document lives in the memory image. Every address is
// written here once; the walkers below call an IO object for every field, and
// the encoder and the decoder both use them (as RecordLayout.h does for files).
// A reference to a DTMF code goes through DtmfRef: the encoder writes none for
// a code its cleaning empties.

#include "codec/MemImage.h"
#include "model/Records.h"

#include <optional>

namespace zr50::imagemap {

constexpr int kRecordSize = 16;
constexpr int kLetteredPositions = 40;
constexpr int kMemPositions = 99;  // the area has room for 100 records
constexpr int kVfoPositions = 1;
constexpr int kGroupBitmapBytes = 5;

// Cleared to 0x00 rather than 0xFF: the bitmaps, the group and settings bytes
// and (inclusive end) the first byte of the tone table.
constexpr int kZeroedFrom = 0x4600, kZeroedTo = 0x4900;
constexpr int kMemBitmapsFrom = 0x5C80, kMemBitmapsTo = 0x5CBF;

constexpr int kDtmfRows = 0x4480;  // 16 rows of 16 bytes
constexpr int kDtmfEnd = 16;       // the byte after the last key of a code
constexpr int kToneTable = 0x4900;  // records in pairs of 64 bytes, 30 bytes each
constexpr int kTonePairSize = 64, kToneRecordSize = 30;

struct BandAreas {
    int letteredRecords;  // 40 records per lettered group
    int presentBits;      // 5 bytes per group number, lettered and VFO
    int scanBits;
    int vfoRecord;
    int memRecords;
    int memPresentBits;  // one 16-byte row
    int memScanBits;
    int groupValid;  // a bit per lettered group
    int emgCh;       // two bytes per lettered group
    int emgMode;
    int memCh;  // one byte per lettered group
    int groupChRef;  // group 1 only
    int workGroup;
};

constexpr BandAreas kBandAreas[kBands] = {
    {0x0000, 0x4600, 0x4700, 0x4810, 0x5000, 0x5C80, 0x5CA0, 0x4800, 0x4580, 0x45C0, 0x4840,
     0x4808, 0x4805},
    {0x2580, 0x4680, 0x4780, 0x4820, 0x5640, 0x5C90, 0x5CB0, 0x4802, 0x45A0, 0x45E0, 0x4850,
     0x4809, 0x4806},
};

// One value's place: `width` bits from bit `shift` of the byte at `addr`, holding
// the document value plus `offset`. A masked field keeps only the bits that fit
// (the rest never reach the radio); any other value that does not fit is refused.
struct Field {
    int addr;
    int shift;
    int width;
    int offset;
    const char* name;
    bool masked = false;
};

constexpr Field Byte(int addr, const char* name, int offset = 0) {
    return {addr, 0, 8, offset, name};
}
constexpr Field Bits(int addr, int shift, int width, const char* name, int offset = 0) {
    return {addr, shift, width, offset, name};
}

// A channel number's record and bitmap bits within its group.
struct ChannelPlace {
    int record;
    int presentByte;
    int scanByte;
    uint8_t bit;
};

inline int PositionsOf(int band, int group) {
    if (band < 0 || band >= kBands || group < 1 || group > GroupCount(band)) return 0;
    if (group == MemGroupOf(band)) return kMemPositions;
    if (group == VfoGroupOf(band)) return kVfoPositions;
    return kLetteredPositions;
}

// No place for a number beyond the group's positions: its bytes would land on
// another group's records or bits.
inline std::optional<ChannelPlace> PlaceOf(int band, int group, int n) {
    if (n < 1 || n > PositionsOf(band, group)) return std::nullopt;
    const BandAreas& a = kBandAreas[band];
    const int i = n - 1;
    const uint8_t bit = uint8_t(1u << (i % 8));
    if (group == MemGroupOf(band))
        return ChannelPlace{a.memRecords + i * kRecordSize, a.memPresentBits + i / 8,
                            a.memScanBits + i / 8, bit};
    const int bitmap = (group - 1) * kGroupBitmapBytes + i / 8;
    const int lettered = a.letteredRecords + ((group - 1) * kLetteredPositions + i) * kRecordSize;
    const int record = group == VfoGroupOf(band) ? a.vfoRecord : lettered;
    return ChannelPlace{record, a.presentBits + bitmap, a.scanBits + bitmap, bit};
}

// Packed bytes: several values share each.
constexpr int kChOptions = 9, kChTones = 11;  // within a channel record
constexpr int kBandByte = 0x4804, kFlagsByte = 0x4807, kModeEnableByte = 0x4A06,
              kPubOptionsByte = 0x4A07, kDisplayByte = 0x4A30;

// Bytes 4..14 of a channel record at address a; bytes 0..3 hold the frequency
// and byte 15 is never written.
template <class IO, class C>
void ChannelFields(IO& io, int a, C& c) {
    io(Byte(a + 4, "DecTone"), c.DecTone);
    io(Byte(a + 5, "DecDcs"), c.DecDcs);
    io(Byte(a + 6, "Mode"), c.Mode);
    io(Byte(a + 7, "EncTone"), c.EncTone);
    io(Byte(a + 8, "RxCtc"), c.RxCtc);
    io(Bits(a + kChOptions, 0, 1, "HiCut"), c.HiCut);
    io(Bits(a + kChOptions, 2, 1, "Echo"), c.Echo);
    io(Bits(a + kChOptions, 3, 1, "Add10K"), c.Add10K);
    io(Bits(a + kChOptions, 4, 1, "Busy"), c.Busy);
    io(Bits(a + kChOptions, 5, 2, "NbAnl"), c.NbAnl);
    io(Byte(a + 10, "Roger"), c.Roger);
    io(Bits(a + kChTones, 0, 2, "Rep"), c.Rep);
    io(Bits(a + kChTones, 2, 2, "TxCtc"), c.TxCtc);
    io(Bits(a + kChTones, 4, 2, "CtcDcs"), c.CtcDcs);
    io.WriteOnly(Bits(a + kChTones, 6, 1, "tone flag"), c.TxCtc > 0 || c.CtcDcs > 0 ? 1 : 0);
    io(Bits(a + kChTones, 7, 1, "Public"), c.Public);
    io.DtmfRef(Byte(a + 12, "BOT"), c.BOT);
    io.DtmfRef(Byte(a + 13, "EOT"), c.EOT);
    io.DtmfRef(Byte(a + 14, "Call"), c.Call);
}

// The settings of lettered group g (band 0: 1..15, band 1: 1..12).
template <class IO, class F>
void GroupFields(IO& io, int band, int g, F& f) {
    const BandAreas& a = kBandAreas[band];
    const int i = g - 1;
    io(Bits(a.groupValid + i / 8, i % 8, 1, "group valid"), f.GroupValid(band, g));
    io(Byte(a.emgCh + 2 * i, "emergency channel 1", -1), f.EmgCh(band, g, 0));
    io(Byte(a.emgCh + 2 * i + 1, "emergency channel 2", -1), f.EmgCh(band, g, 1));
    io.EmgMode(Byte(a.emgMode + 2 * i, "emergency mode 1"), f.EmgMode(band, g, 0));
    io.EmgMode(Byte(a.emgMode + 2 * i + 1, "emergency mode 2"), f.EmgMode(band, g, 1));
    io(Byte(a.memCh + i, "MEM channel", -1), f.MemCh(band, g));
    if (g == 1) io(Byte(a.groupChRef, "group channel reference"), f.GroupChRef(band, g));
}

// Everything of the settings area but the group settings and the DTMF codes.
template <class IO, class R>
void SettingsFields(IO& io, R& r) {
    auto& f = r.OptFeat;
    io(Bits(kBandByte, 0, 4, "CurBand"), r.CurBand);
    io(Bits(kBandByte, 4, 4, "BandHighNibble", 1), f.BandHighNibble);
    for (int band = 0; band < kBands; ++band)
        io(Byte(kBandAreas[band].workGroup, "WorkGroup", -1), f.WorkGroup[band]);
    io.ReadOnly(Bits(kFlagsByte, 0, 1, "AuxFlag0"), f.AuxFlag0);
    io(Bits(kFlagsByte, 1, 1, "AuxFlag1"), f.AuxFlag1);
    io(Bits(kFlagsByte, 2, 2, "EMG"), r.EMG);
    io(Bits(kFlagsByte, 4, 1, "VFO"), r.VFO);
    io(Byte(0x4860, "HFDWBand"), r.HFDWBand);
    io(Byte(0x4861, "HFDWChan"), r.HFDWChan);
    io(Byte(0x4862, "HFDWMode"), r.HFDWMode);
    io(Byte(0x4863, "HamDWBand"), r.HamDWBand);
    io(Byte(0x4864, "HamDWChan"), r.HamDWChan);
    io(Byte(0x4865, "HamDWMode"), r.HamDWMode);
    io.Word(0x4A00, 0x4A01, "VoltLimit 2", f.VoltLimit[1]);
    io.Word(0x4A02, 0x4A03, "VoltLimit 1", f.VoltLimit[0]);
    io(Byte(0x4A04, "VoltLimit 3"), f.VoltLimit[2]);
    io(Byte(0x4A05, "PubMode"), f.PubMode);
    io(Bits(kModeEnableByte, 0, 1, "ModeEnable FM"), f.ModeEnable[kEnableFM]);
    io(Bits(kModeEnableByte, 1, 1, "ModeEnable AM"), f.ModeEnable[kEnableAM]);
    io(Bits(kModeEnableByte, 2, 1, "ModeEnable USB"), f.ModeEnable[kEnableUSB]);
    io(Bits(kModeEnableByte, 3, 1, "ModeEnable LSB"), f.ModeEnable[kEnableLSB]);
    io(Bits(kModeEnableByte, 4, 1, "ModeEnable PA"), f.ModeEnable[kEnablePA]);
    io(Bits(kModeEnableByte, 5, 1, "ModeEnable CW"), f.ModeEnable[kEnableCW]);
    io(Bits(kPubOptionsByte, 0, 1, "PubHiCut"), f.PubHiCut);
    io(Bits(kPubOptionsByte, 2, 1, "PubEcho"), f.PubEcho);
    io(Bits(kPubOptionsByte, 3, 1, "PubAdd10K"), f.PubAdd10K);
    io(Bits(kPubOptionsByte, 4, 1, "PubBusy"), f.PubBusy);
    io(Bits(kPubOptionsByte, 5, 2, "PubNbAnl"), f.PubNbAnl);
    // One byte serves both: the radio has a single roger-beep choice here.
    constexpr Field comChanRb = Byte(0x4A08, "ComChanRb");
    io(comChanRb, r.ComChanRb);
    io.ReadOnly(comChanRb, f.PubRoger);
    io.DtmfRef(Byte(0x4A09, "PubBOT"), f.PubBOT);
    io.DtmfRef(Byte(0x4A0A, "PubEOT"), f.PubEOT);
    io.DtmfRef(Byte(0x4A0B, "PubCall"), f.PubCall);
    io(Byte(0x4A0C, "Beep"), f.Beep);
    io(Byte(0x4A0D, "INDIC"), f.INDIC);
    io(Byte(0x4A0E, "MIC"), f.MIC);
    io(Byte(0x4A0F, "NOG"), f.NOG);
    io(Byte(0x4A10, "TOT"), f.TOT);
    io(Byte(0x4A11, "SWRProtect"), f.SWRProtect);
    io(Byte(0x4A12, "BatProtect"), f.BatProtect);
    io(Byte(0x4A13, "SCM"), f.SCM);
    io(Byte(0x4A14, "Fin"), f.Fin);
    io(Byte(0x4A15, "Color"), f.Color);
    io.WriteOnly(Byte(0x4A16, "reserved"), 0);
    io.Word(0x4A17, 0x4A18, "TxOffset", r.TxOffset);
    io(Field{0x4A19, 0, 1, 0, "FreqCh", true}, r.FreqCh);
    io(Byte(0x4A1A, "ASQLevel"), r.ASQLevel);
    io(Byte(0x4A1B, "DTMFSendTime"), f.DTMFSendTime);
    io(Byte(0x4A1C, "DTMFFirstDigitTime"), f.DTMFFirstDigitTime);
    io(Byte(0x4A1D, "DTMFFirstDigitDelay"), f.DTMFFirstDigitDelay);
    io(Byte(0x4A1E, "DTMFStarHashTime"), f.DTMFStarHashTime);
    io(Byte(0x4A1F, "DTMFDCode"), f.DTMFDCode);
    io(Byte(0x4A20, "DTMFDisp"), f.DTMFDisp);
    io(Byte(0x4A21, "CurMenuPage"), f.CurMenuPage);
    io(Byte(0x4A22, "MicType"), r.MicType);
    io(Byte(0x4A23, "VoxLevel"), r.VoxLevel);
    io(Byte(0x4A24, "VoxDelay"), r.VoxDelay);
    io(Byte(0x4A25, "RxNR"), r.RxNR);
    io(Byte(0x4A26, "TxNR"), r.TxNR);
    io(Byte(0x4A27, "VOX"), r.VOX);
    io(Byte(0x4A28, "VolPath"), r.VolPath);
    io(Byte(0x4A29, "EchoVol"), r.EchoVol);
    io(Byte(0x4A2A, "EchoTime"), r.EchoTime);
    io(Byte(0x4A2B, "VFOStep"), r.VFOStep);
    io(Byte(0x4A2C, "AMNPC"), r.AMNPC);
    io(Byte(0x4A2D, "FMDeviation"), f.FMDeviation);
    io(Byte(0x4A2E, "SSBTone"), f.SSBTone);
    io(Byte(0x4A2F, "PFKey"), f.PFKey);
    io(Bits(kDisplayByte, 0, 1, "VolDisplay"), r.VolDisplay);
    io(Bits(kDisplayByte, 1, 1, "SQLDisplay"), r.SQLDisplay);
    io(Bits(kDisplayByte, 2, 1, "POWDisplay"), r.POWDisplay);
    io(Bits(kDisplayByte, 3, 1, "RFGDisplay"), r.RFGDisplay);
    io(Byte(0x4A31, "FinRange"), r.FinRange);
    io.Word(0x4A32, 0x4A33, "CWFreq", r.CWFreq);
    io(Byte(0x4A34, "CWBeep"), r.CWBeep);
    io(Byte(0x4A35, "Dim"), r.Dim);
    io(Byte(0x4A36, "VoxSpk"), r.VoxSpk);
    io(Byte(0x4A37, "AGC"), r.AGC);
    io(Byte(0x4A38, "CWRx"), r.CWRx);
    io(Byte(0x4A39, "CWBkin"), r.CWBkin);
    io(Byte(0x4A3A, "CWOffset"), r.CWOffset);
    io(Byte(0x4A3B, "RxColor"), r.RxColor);
    io(Byte(0x4A3C, "TxColor"), r.TxColor);
}

inline int DtmfRowOf(int code) { return kDtmfRows + 16 * (code - 1); }

inline int ToneRecordAt(int r) {
    return kToneTable + (r - 1) / 2 * kTonePairSize + (r - 1) % 2 * kToneRecordSize;
}

template <class IO, class T>
void ToneFields(IO& io, int r, T& t) {
    const int a = ToneRecordAt(r);
    io(Byte(a, "Cycles"), t.Cycles);
    io(Byte(a + 1, "Interval"), t.Interval);
    for (int s = 1; s <= kToneSteps; ++s) {
        io(Byte(a + 1 + s, "ToneFreq"), t.Step[s].ToneFreq);
        io(Byte(a + 1 + kToneSteps + s, "ToneLen"), t.Step[s].ToneLen);
    }
}

}  // namespace zr50::imagemap
