// Decoding any image must neither crash nor leave the document with more
// channels than a group has positions; re-encoding what was decoded must work.

#include "codec/MemImage.h"
#include "model/Document.h"

#include <cstdlib>
#include <memory>

using namespace zr50;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto image = std::make_unique<MemImage>();
    ClearMemImage(*image);
    // The input patches a cleared image: address high, address low, value.
    for (size_t i = 0; i + 3 <= size; i += 3)
        (*image)[((data[i] << 8) | data[i + 1]) % kMemImageSize] = data[i + 2];
    static Document doc;  // reused, so earlier runs leave stale slots behind
    DecodeAllData(*image, doc);
    for (int band = 0; band < kBands; ++band)
        for (int g = 1; g <= kMaxGroups; ++g) {
            const int count = doc.DataRec.ChCount(band, g);
            const int max = g > GroupCount(band) ? 0
                            : g == MemGroupOf(band) ? 99
                            : g == VfoGroupOf(band) ? 1
                                                    : 40;
            if (count < 0 || count > max) std::abort();
            for (int s = 1; s < count; ++s)
                if (doc.ChData(band, s, g).ChNo >= doc.ChData(band, s + 1, g).ChNo) std::abort();
        }
    auto again = std::make_unique<MemImage>();
    ClearMemImage(*again);
    (void)EncodeAllData(doc, *again);
    return 0;
}
