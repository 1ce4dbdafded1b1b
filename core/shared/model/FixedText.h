#pragma once
// A fixed-length single-byte text field as the stored records hold it.
// The bytes are kept exactly, so a record read and written again is unchanged.

#include <QByteArray>
#include <QString>
#include <array>
#include <cstring>

namespace zr50 {

template <int N>
struct FixedText {
    // A field never set holds NULs, as a fresh record does.
    std::array<char, N> bytes{};

    // All N characters, NULs and padding included.
    QString raw() const { return QString::fromLatin1(bytes.data(), N); }

    // Left-aligned, cut or blank-padded to N characters.
    void set(const QString& text) {
        const QByteArray b = text.toLatin1();
        for (int i = 0; i < N; ++i) bytes[i] = i < b.size() ? b[i] : ' ';
    }

    bool operator==(const FixedText& o) const { return bytes == o.bytes; }
    bool operator!=(const FixedText& o) const { return bytes != o.bytes; }
};

}  // namespace zr50
