// The .dat/.fre reader on arbitrary bytes: the first 1699 bytes are the .dat,
// the rest the .fre. Whatever it accepts must survive the document's copies
// and write back to the same bytes.

#include "files/DocumentFiles.h"
#include "model/ByteIO.h"

#include <cstdint>
#include <cstdlib>

using namespace zr50;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray in(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArray dat = in.left(kDataFileSize);
    const QByteArray fre = in.mid(kDataFileSize);

    static Document doc;
    if (!ParseDocumentFiles(dat, fre, doc.SavedDataRec, doc.SavedChData)) return 0;
    doc.CopySavedToData();
    if (!doc.DataMatchesSaved()) std::abort();
    if (EncodeRecord(doc.SavedDataRec) != dat) std::abort();
    const QByteArray channels = EncodeChannelFile(doc.DataRec, doc.ChData);
    if (channels != fre.left(channels.size())) std::abort();
    doc.CopyDataToSaved();
    return 0;
}
