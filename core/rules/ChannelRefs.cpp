#include "ChannelRefs.h"

#include "Program.h"
#include "rules/GroupBounds.h"

#include <algorithm>

namespace zr50 {

namespace {
bool IsPlain(int chNo) { return chNo <= kPlainChannelMax; }

int CountChannels(const Document& doc, int band, int group, bool plain) {
    int count = 0;
    for (int s = 1; s <= UsedSlots(doc, band, group); ++s)
        if (IsPlain(doc.ChData(band, s, group).ChNo) == plain) ++count;
    return count;
}
}  // namespace

QStringList FillChannelCombo(Document& doc, int band, int group, int kind) {
    doc.DataRec.ChCount(0, VfoGroupOf(0)) = 1;
    doc.DataRec.ChCount(1, VfoGroupOf(1)) = 1;
    std::vector<int> numbers;
    for (int s = 1; s <= UsedSlots(doc, band, group); ++s) {
        const int n = doc.ChData(band, s, group).ChNo;
        if ((kind == 0 && IsPlain(n)) || (kind == 1 && !IsPlain(n))) numbers.push_back(n);
    }
    std::sort(numbers.begin(), numbers.end());
    QStringList items;
    for (int n : numbers)
        items << (kind == 0 ? QString::number(n)
                            : QLatin1Char('M') + QString::number(n - kPlainChannelMax));
    return items;
}

int ChannelKindMatches(int n, int ref) { return IsPlain(n) == IsPlain(ref) ? n : 0; }

int CountPlainChannels(const Document& doc, int band, int group) {
    return CountChannels(doc, band, group, true);
}

int CountSameKindChannels(const Document& doc, int band, int group, int ref) {
    return CountChannels(doc, band, group, IsPlain(ref));
}

int CountOtherPlainChannels(const Document& doc, int band, int group, int n) {
    const int last = band == 0 ? 10 : band == 1 ? 9 : 0;
    int count = 0;
    for (int g = 1; g <= last; ++g) {
        if (doc.DataRec.OptFeat.GroupValid(band, g) != 1) continue;
        for (int s = 1; s <= UsedSlots(doc, band, g); ++s) {
            const int chNo = doc.ChData(band, s, g).ChNo;
            if (IsPlain(chNo) && !(g == group && chNo == n)) ++count;
        }
    }
    return count;
}

int ValidateChannelRef(const Document& doc, int band, int group, int ref) {
    int first = 0;
    bool firstFound = false;
    for (int s = 1; s <= UsedSlots(doc, band, group); ++s) {
        const int chNo = doc.ChData(band, s, group).ChNo;
        if (chNo == ref) return ref;
        if (!firstFound && IsPlain(chNo) == IsPlain(ref)) {
            first = chNo;
            firstFound = true;
        }
    }
    return first;
}

void RevalidateChannelRefs(Program& p, int band, int group, int /*chNo*/) {
    if (IsBandGroup(band, group)) {
        OptFeatRec& o = p.doc.DataRec.OptFeat;
        for (int k = 0; k < 2; ++k)
            o.EmgCh(band, group, k) =
                int16_t(ValidateChannelRef(p.doc, band, group, o.EmgCh(band, group, k)));
        o.MemCh(band, group) =
            int16_t(ValidateChannelRef(p.doc, band, group, o.MemCh(band, group)));
    }
    const QString form = QStringLiteral("frmCommChInfo");
    p.forms.Call(form, "InitValidComboList");
    p.forms.Call(form, "ShowValidComboText");
}

}  // namespace zr50
