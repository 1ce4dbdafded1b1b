#include "ChannelEdit.h"

#include "Program.h"
#include "rules/ChannelRefs.h"
#include "rules/FrequencyRules.h"
#include "rules/GroupBounds.h"

#include <algorithm>

namespace zr50 {

bool DeleteChannel(Document& doc, int slot, int band, int group) {
    const int count = UsedSlots(doc, band, group);
    if (slot < 1 || slot > count) return false;
    const int n = count - 1;
    doc.DataRec.ChCount(band, group) = int16_t(n);
    for (int s = slot; s <= n; ++s) doc.ChData(band, s, group) = doc.ChData(band, s + 1, group);
    return true;
}

void SetRxFreqText(const Document& doc, ChannelRecord& rec, int column, const QString& value) {
    if (column == 1) rec.RxFreq.set(PadFreqText(doc, value));
}

bool AddChannel(Document& doc, int chNo, int band, int group, const QString& freq) {
    if (!IsBandGroup(band, group)) return false;
    // A negative count is read as an empty group, as everywhere else. The VFO
    // group has one position: a channel added there takes its only slot, which
    // the group's lists hold at one.
    const int n = group == VfoGroupOf(band) ? 1 : std::max(int(doc.DataRec.ChCount(band, group)), 0) + 1;
    if (n > kMaxSlots) return false;
    doc.DataRec.ChCount(band, group) = int16_t(n);
    ChannelRecord& r = doc.ChData(band, n, group);
    r.ChNo = int16_t(chNo);
    r.ChUsed = 1;
    r.Scan = 1;
    r.Mode = 0;
    const QString stored = PadFreqText(doc, freq);
    r.RxFreq.set(stored);
    r.TxFreq.set(stored);
    r.NbAnl = 1;
    r.TxCtc = r.EncTone = r.Reserved3 = 0;
    r.HiCut = r.Echo = r.Add10K = r.Busy = r.Roger = r.Rep = r.Public = 0;
    r.BOT = r.EOT = r.Call = 0;
    return true;
}

void CommitChannelEdit(Program& p, int chNo, int column, QString& value) {
    if (!value.isEmpty()) value = NormalizeFreqInput(p, value, false, true);
    DataHeaderRec& d = p.doc.DataRec;
    const int b = d.CurBand;
    if (b >= 0 && b < kBands) {
        if (d.CurGroup[size_t(b)] == 0) d.CurGroup[size_t(b)] = 1;
        const int g = d.CurGroup[size_t(b)];
        const int slot = IsBandGroup(b, g) ? p.doc.FindChannelIndex(chNo, b, g) : 0;
        if (slot > 0 && value.isEmpty()) {
            if (CountPlainChannels(p.doc, b, g) >= 2) {
                DeleteChannel(p.doc, slot, b, g);
                RevalidateChannelRefs(p, b, g, chNo);
            } else if (CountOtherPlainChannels(p.doc, b, g, chNo) >= 1) {
                // The band keeps a plain channel elsewhere: this group goes out of use.
                d.OptFeat.GroupValid(b, g) = 0;
                DeleteChannel(p.doc, slot, b, g);
            }
        } else if (slot > 0) {
            SetRxFreqText(p.doc, p.doc.ChData(b, slot, g), column, value);
        } else if (!value.isEmpty() && IsBandGroup(b, g)) {
            if (AddChannel(p.doc, chNo, b, g, value)) RevalidateChannelRefs(p, b, g, chNo);
        }
    }
    p.forms.Call(QStringLiteral("frmCommChInfo"), "reShowGrid", {chNo});
}

}  // namespace zr50
