#pragma once
// Whole document records through the byte reader/writer, field by field in
// the order RecordLayout.h gives.

#include "RecordLayout.h"
#include "model/ByteStream.h"

#include <QByteArray>

namespace zr50 {

template <class R>
QByteArray EncodeRecord(const R& r) {
    ByteWriter w;
    layout::Visit(w, r);
    return w.bytes();
}

// Reads one record at pos; false when the bytes run out before the record ends.
template <class R>
bool DecodeRecord(const QByteArray& in, int pos, R& r) {
    ByteReader rd(in, pos);
    layout::Visit(rd, r);
    return !rd.isShort();
}

}  // namespace zr50
