#include "DtmfRefs.h"

#include "model/Document.h"
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

}  // namespace zr50
