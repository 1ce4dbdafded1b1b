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

void RevalidateDTMFUsers(Program& p) {
    auto valid = [&p](int16_t& ref) { ref = int16_t(ValidDTMFIndex(p.doc, ref)); };
    ForEachChannel(p.doc, [&valid](ChannelRecord& r) {
        valid(r.BOT);
        valid(r.EOT);
        valid(r.Call);
    });
    OptFeatRec& o = p.doc.DataRec.OptFeat;
    valid(o.PubBOT);
    valid(o.PubEOT);
    valid(o.PubCall);
    p.forms.Call(QStringLiteral("frmCommChInfo"), "ShowDTMF");
    p.forms.Call(QStringLiteral("FrmOptFeatures"), "ShowDTMF");
}

}  // namespace zr50
