#include "DtmfRefs.h"

#include "Program.h"
#include "rules/GroupBounds.h"
#include "rules/SharedHelpers.h"

namespace zr50 {

bool IsDTMFCodeSet(const Document& doc, int k) {
    if (k < 1 || k > kDtmfCodes) return false;
    return !StripNull(doc.DataRec.OptFeat.DTMFCode[k].raw()).isEmpty();
}

int ValidDTMFIndex(const Document& doc, int k) {
    if (k <= 0) return 0;
    return IsDTMFCodeSet(doc, k) ? k : 0;
}

void SetDTMFCodeSlot(FixedText<16>& slot, const QString& code) { slot.set(StripNull(code) + QChar(0)); }

QChar DTMFKeyChar(QChar c) {
    const char16_t u = c.unicode();
    if ((u >= '0' && u <= '9') || u == '*' || u == '#' || (u >= 'A' && u <= 'D')) return c;
    if (u >= 'a' && u <= 'd') return QChar(char16_t(u - 'a' + 'A'));
    return QChar();
}

QString DTMFKeysOf(const QString& text) {
    QString keys;
    for (QChar c : text)
        if (const QChar k = DTMFKeyChar(c); !k.isNull()) keys += k;
    return keys;
}

int KeptDTMFRef(int ref, const DTMFSlotGone& gone) { return ref != 0 && gone(ref) ? 0 : ref; }

void DropDTMFRefs(Document& doc, const DTMFSlotGone& gone) {
    auto keep = [&gone](int16_t& ref) { ref = int16_t(KeptDTMFRef(ref, gone)); };
    ForEachChannel(doc, [&keep](ChannelRecord& r) {
        keep(r.BOT);
        keep(r.EOT);
        keep(r.Call);
    });
    OptFeatRec& o = doc.DataRec.OptFeat;
    keep(o.PubBOT);
    keep(o.PubEOT);
    keep(o.PubCall);
}

void ShowDTMFUsers(Program& p) {
    p.forms.Call(QStringLiteral("frmCommChInfo"), "ShowDTMF");
    p.forms.Call(QStringLiteral("FrmOptFeatures"), "ShowDTMF");
}

void RevalidateDTMFUsers(Program& p) {
    DropDTMFRefs(p.doc, [&doc = p.doc](int k) { return !IsDTMFCodeSet(doc, k); });
    ShowDTMFUsers(p);
}

}  // namespace zr50
