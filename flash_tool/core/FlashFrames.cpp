#include "FlashFrames.h"

#include "Project.h"

namespace kdi {

namespace {

uint16_t SumOf(const QByteArray& bytes, int from, int to) {
    uint32_t sum = 0;
    for (int i = from; i <= to && i < bytes.size(); ++i) sum += uint8_t(bytes[i]);
    return uint16_t(sum);
}

void PutSum(QByteArray& frame, uint16_t sum) {
    frame.append(char(sum & 0xFF));
    frame.append(char(sum >> 8));
}

}  // namespace

uint16_t Sum16(const QByteArray& frame) { return SumOf(frame, 1, 1028); }

QByteArray WritePageFrame(uint32_t address, const QByteArray& data) {
    QByteArray f;
    f.reserve(kPageFrameSize);
    f.append(kPageFrameStart);
    for (int i = 0; i < 4; ++i) f.append(char((address >> (8 * i)) & 0xFF));
    f.append(data.left(kPageSize));
    if (data.size() < kPageSize) f.append(QByteArray(kPageSize - data.size(), char(0xFF)));
    PutSum(f, Sum16(f));
    f.append(kAck);
    return f;
}

QByteArray ReadPageRequest(int page) {
    QByteArray f;
    f.append(kIdRequest);
    f.append(char((page >> 8) & 0xFF));
    f.append(char(page & 0xFF));
    f.append(kAck);
    return f;
}

QByteArray ReadPageReply(int page, const QByteArray& data) {
    QByteArray f;
    f.reserve(kReadReplySize);
    f.append(kAck);
    f.append(char((page >> 8) & 0xFF));
    f.append(char(page & 0xFF));
    f.append(data.left(kPageSize));
    if (data.size() < kPageSize) f.append(QByteArray(kPageSize - data.size(), char(0xFF)));
    PutSum(f, SumOf(f, 1, 2 + kPageSize));
    f.append(kAck);
    return f;
}

std::optional<RadioId> ParseIdReply(const QByteArray& bytes, int from) {
    if (from < 0 || bytes.size() != qsizetype(from) + kIdReplySize) return std::nullopt;
    const char* r = bytes.constData() + from;
    if (r[0] != 'I' || r[15] != kAck) return std::nullopt;
    RadioId id;
    for (int i = 1; i <= 7; ++i) {
        const uint8_t c = uint8_t(r[i]);
        if (c == 0x00 || c == 0xFF) break;
        id.model += QChar::fromLatin1(char(c));
    }
    for (int i = 9; i <= 12; ++i) {
        const uint8_t c = uint8_t(r[i]);
        if (c != 0x00 && c != 0xFF) id.version += QChar::fromLatin1(char(c));
    }
    return id;
}

QByteArray IdReply(const QByteArray& model, const QByteArray& version) {
    QByteArray r(kIdReplySize, '\0');
    r[0] = 'I';
    for (int i = 0; i < 7 && i < model.size(); ++i) r[1 + i] = model[i];
    for (int i = 0; i < 4 && i < version.size(); ++i) r[9 + i] = version[i];
    r[15] = kAck;
    return r;
}

std::optional<QByteArray> ParseReadPageReply(const QByteArray& bytes, int from, int page) {
    if (from < 0 || bytes.size() != qsizetype(from) + kReadReplySize) return std::nullopt;
    const QByteArray r = bytes.mid(from);
    if (r[0] != kAck || r[kReadReplySize - 1] != kAck) return std::nullopt;
    if (uint8_t(r[1]) != ((page >> 8) & 0xFF) || uint8_t(r[2]) != (page & 0xFF)) return std::nullopt;
    const uint16_t sum = SumOf(r, 1, 2 + kPageSize);
    if (uint8_t(r[3 + kPageSize]) != (sum & 0xFF) || uint8_t(r[4 + kPageSize]) != (sum >> 8))
        return std::nullopt;
    return r.mid(3, kPageSize);
}

}  // namespace kdi
