#pragma once
// Checks for band, group and count values taken from a document: a file or a
// radio can carry anything, and every array index must stay inside the arrays.

#include "model/Document.h"

#include <algorithm>

namespace zr50 {

inline bool IsBandGroup(int band, int group) {
    return band >= 0 && band < kBands && group >= 1 && group <= kMaxGroups;
}

// The slots in use of a group, 0..99; 0 for a band or group outside the arrays.
inline int UsedSlots(const Document& doc, int band, int group) {
    if (!IsBandGroup(band, group)) return 0;
    return std::clamp(int(doc.DataRec.ChCount(band, group)), 0, kMaxSlots);
}

// Every channel of every group of both bands (lettered groups, MEM and VFO),
// in slot order: the walk of every repair of references and modes, so no
// group keeps a reference to something gone.
template <class F>
void ForEachChannel(Document& doc, F&& f) {
    for (int band = 0; band < kBands; ++band)
        for (int g = 1; g <= GroupCount(band); ++g)
            for (int s = 1; s <= UsedSlots(doc, band, g); ++s) f(doc.ChData(band, s, g));
}

}  // namespace zr50
