#pragma once
// The one reader/writer pair for stored records: little-endian integers and
// fixed-length texts, field by field.

#include "model/FixedText.h"

#include <QByteArray>
#include <cstdint>

namespace zr50 {

class ByteWriter {
public:
    void operator()(int16_t v) { put(uint16_t(v), 2); }
    void operator()(int32_t v) { put(uint32_t(v), 4); }
    void operator()(uint8_t v) { out_.append(char(v)); }
    template <int N>
    void operator()(const FixedText<N>& t) { out_.append(t.bytes.data(), N); }
    const QByteArray& bytes() const { return out_; }

private:
    void put(uint32_t v, int n) {
        for (int i = 0; i < n; ++i) out_.append(char((v >> (8 * i)) & 0xFF));
    }
    QByteArray out_;
};

// Reads from a byte range; a read past the end yields zeros and marks the reader short.
class ByteReader {
public:
    explicit ByteReader(const QByteArray& in, int pos = 0) : in_(in), pos_(pos) {}
    void operator()(int16_t& v) { v = int16_t(get(2)); }
    void operator()(int32_t& v) { v = int32_t(get(4)); }
    void operator()(uint8_t& v) { v = uint8_t(get(1)); }
    template <int N>
    void operator()(FixedText<N>& t) {
        for (int i = 0; i < N; ++i) t.bytes[i] = char(get(1));
    }
    bool isShort() const { return short_; }
    int position() const { return pos_; }

private:
    uint32_t get(int n) {
        uint32_t v = 0;
        for (int i = 0; i < n; ++i, ++pos_) {
            if (pos_ >= in_.size()) {
                short_ = true;
                continue;
            }
            v |= uint32_t(uint8_t(in_[pos_])) << (8 * i);
        }
        return v;
    }
    const QByteArray& in_;
    int pos_;
    bool short_ = false;
};

}  // namespace zr50
