#include "ToneRefs.h"

#include "Program.h"
#include "rules/GroupBounds.h"

namespace zr50 {

int ValidToneIndex(const Document& doc, int k) {
    if (k < 1 || k > kToneRecords) return 0;
    const ToneRecord& t = doc.DataRec.RBToneTable[size_t(k)];
    if (t.Cycles < 1) return 0;
    for (int s = 1; s <= kToneSteps; ++s)
        if (t.Step[size_t(s)].ToneLen > 0) return k;
    return 0;
}

int CountToneRecords(const Document& doc) {
    int count = 0;
    for (int k = 1; k <= kToneRecords; ++k)
        if (ValidToneIndex(doc, k) > 0) ++count;
    return count;
}

void RevalidateToneUsers(Program& p) {
    ForEachChannel(p.doc, [&p](ChannelRecord& r) {
        r.Roger = int16_t(ValidToneIndex(p.doc, r.Roger));
    });
    DataHeaderRec& d = p.doc.DataRec;
    d.OptFeat.PubRoger = int16_t(ValidToneIndex(p.doc, d.OptFeat.PubRoger));
    // The byte the radio is given, whether or not a window shows it.
    d.ComChanRb = uint8_t(ValidToneIndex(p.doc, d.ComChanRb));
    p.forms.Call(QStringLiteral("frmCommChInfo"), "ShowRB");
    p.forms.Call(QStringLiteral("FrmOptFeatures"), "ShowRB");
}

}  // namespace zr50
