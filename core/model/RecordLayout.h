#pragma once
// The stored layout of the document records, written once and used in both
// directions: an IO object is called for every field in file order. Readers take
// non-const records, writers const ones. Arrays run band fastest, then group, then k.

#include "Records.h"

#include <type_traits>

namespace zr50::layout {

template <class R, class T>
using IfRecord = std::enable_if_t<std::is_same_v<std::remove_const_t<R>, T>, int>;

template <class IO, class P>
void PerGroupFields(IO& io, P& a) {
    for (int g = 1; g <= kMaxGroups; ++g)
        for (int b = 0; b < kBands; ++b) io(a(b, g));
}

template <class IO, class P>
void PerGroupKFields(IO& io, P& a) {
    for (int k = 0; k < 2; ++k)
        for (int g = 1; g <= kMaxGroups; ++g)
            for (int b = 0; b < kBands; ++b) io(a(b, g, k));
}

template <class IO, class R, IfRecord<R, FileIdRec> = 0>
void Visit(IO& io, R& r) {
    io(r.ModelText);
    io(r.ModelCode);
    io(r.BandKind);
    io(r.MakeDate);
    io(r.IdVersionText);
    io(r.ModelFamily);
    io(r.InitBandKind);
    io(r.IdMark);
}

template <class IO, class R, IfRecord<R, OptFeatRec> = 0>
void Visit(IO& io, R& r) {
    PerGroupFields(io, r.GroupValid);
    PerGroupFields(io, r.GroupName);
    PerGroupKFields(io, r.EmgCh);
    io(r.BandHighNibble);
    io(r.WorkMode);
    for (auto& w : r.WorkGroup) io(w);
    io(r.VOXFunction);
    io(r.AuxFlag0);
    io(r.AuxFlag1);
    PerGroupFields(io, r.MemCh);
    PerGroupKFields(io, r.EmgMode);
    PerGroupFields(io, r.GroupChRef);
    for (auto* f : {&r.PubBOT, &r.PubEOT, &r.PubCall, &r.RTIX, &r.TTIX, &r.PubHiCut, &r.PubNbAnl,
                    &r.PubEcho, &r.PubAdd10K, &r.PubBusy, &r.PubRoger, &r.Beep, &r.INDIC, &r.MIC,
                    &r.NOG, &r.TOT, &r.SWRProtect, &r.BatProtect, &r.SCM, &r.Fin, &r.Color,
                    &r.CurMenuPage})
        io(*f);
    for (auto& v : r.VoltLimit) io(v);
    io(r.PubMode);
    for (auto& v : r.ModeEnable) io(v);
    for (auto* f : {&r.DTMFSendTime, &r.DTMFFirstDigitTime, &r.DTMFFirstDigitDelay,
                    &r.DTMFStarHashTime, &r.DTMFDCode, &r.DTMFDisp})
        io(*f);
    for (int k = 1; k <= kDtmfCodes; ++k) io(r.DTMFCode[k]);
    for (auto* f : {&r.FMDeviation, &r.SSBTone, &r.PFKey, &r.LongKey}) io(*f);
}

template <class IO, class R, IfRecord<R, ToneRecord> = 0>
void Visit(IO& io, R& r) {
    for (int s = 1; s <= kToneSteps; ++s) {
        io(r.Step[s].ToneFreq);
        io(r.Step[s].ToneLen);
    }
    io(r.Cycles);
    io(r.Interval);
}

template <class IO, class R, IfRecord<R, DataHeaderRec> = 0>
void Visit(IO& io, R& r) {
    io(r.VersionText);
    io(r.CurBand);
    for (auto& g : r.CurGroup) io(g);
    PerGroupFields(io, r.CurRow);
    PerGroupFields(io, r.ChCount);
    Visit(io, r.FileId);
    Visit(io, r.OptFeat);
    for (int t = 1; t <= kToneRecords; ++t) Visit(io, r.RBToneTable[t]);
    io(r.TxOffset);
    io(r.FreqCh);
    io(r.ASQLevel);
    for (auto& v : r.RSSILevel) io(v);
    for (auto* f : {&r.MicType, &r.VoxLevel, &r.VoxDelay, &r.RxNR, &r.TxNR, &r.KeyLock, &r.VolPath,
                    &r.EchoVol, &r.EchoTime, &r.EMG, &r.VOX, &r.VFOStep, &r.AMNPC, &r.VFO,
                    &r.HFDWBand, &r.HFDWChan, &r.HFDWMode, &r.HamDWBand, &r.HamDWChan, &r.HamDWMode,
                    &r.VolDisplay, &r.SQLDisplay, &r.POWDisplay, &r.RFGDisplay, &r.FinRange})
        io(*f);
    io(r.HFPublic);
    io(r.HamPublic);
    for (auto* f : {&r.CWFreq, &r.CWBeep, &r.Dim, &r.ASQ, &r.VoxSpk, &r.AGC, &r.ComChanRb, &r.CWRx,
                    &r.CWBkin, &r.CWOffset, &r.RxColor, &r.TxColor})
        io(*f);
}

template <class IO, class R, IfRecord<R, ChannelRecord> = 0>
void Visit(IO& io, R& r) {
    io(r.ChNo);
    io(r.ChUsed);
    io(r.Scan);
    io(r.RxFreq);
    io(r.TxFreq);
    for (auto* f : {&r.Reserved1, &r.Reserved2, &r.TxCtc, &r.EncTone, &r.RxCtc, &r.Reserved3,
                    &r.Mode, &r.HiCut, &r.NbAnl, &r.Echo, &r.Add10K, &r.Busy, &r.Roger, &r.Rep,
                    &r.Public, &r.BOT, &r.EOT, &r.Call, &r.CtcDcs, &r.DecTone, &r.DecDcs})
        io(*f);
}

}  // namespace zr50::layout
