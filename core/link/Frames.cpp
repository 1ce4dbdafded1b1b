#include "Frames.h"

#include "rules/SharedHelpers.h"

namespace zr50 {

QByteArray ProgramCmd() { return QByteArrayLiteral("PROGRAM"); }
QByteArray IdRequest() { return QByteArray(1, char(0x02)); }
QByteArray EndCmd() { return QByteArrayLiteral("END"); }

QByteArray ReadRequest(int addr, int len) {
    QByteArray f;
    f.append('R').append(char((addr >> 8) & 0xFF)).append(char(addr & 0xFF)).append(char(len));
    return f;
}

QByteArray DataBlockFrame(int addr, const uint8_t* data, int len) {
    QByteArray f;
    f.reserve(len + 6);
    f.append('W').append(char((addr >> 8) & 0xFF)).append(char(addr & 0xFF)).append(char(len));
    f.append(reinterpret_cast<const char*>(data), len);
    f.append('\0').append(kAckByte);
    SetCheckSum8(f, 1, 1);
    return f;
}

uint8_t CheckSum8(const QByteArray& frame, int first, int n) {
    unsigned sum = 0;
    for (int i = qMax(first, 0); i <= frame.size() - n - 2; ++i) sum += uint8_t(frame[i]);
    return uint8_t(sum);
}

void SetCheckSum8(QByteArray& frame, int first, int n) {
    const int at = frame.size() - n - 1;
    if (at >= 0) frame[at] = char(CheckSum8(frame, first, n));
}

bool IsAck(const QByteArray& r) { return r.size() == 1 && r[0] == kAckByte; }

bool IsProgramAck(const QByteArray& r) {
    return r.size() == 3 && r[0] == 'K' && r[1] == 'D' && r[2] == kAckByte;
}

bool IsRadioIdReply(const QByteArray& r) { return r.size() == 16 && r[0] == 'I'; }

bool IsValidDataReply(const QByteArray& r, int curAddr, int blockLen) {
    if (r.size() < 4 || r[0] != 'W') return false;
    const int addr = uint8_t(r[1]) * 256 + uint8_t(r[2]);
    const int len = uint8_t(r[3]);
    if (addr != curAddr || len != blockLen || r.size() != len + 6) return false;
    return r[r.size() - 1] == kAckByte && uint8_t(r[r.size() - 2]) == CheckSum8(r, 1, 1);
}

RadioIdentity ParseRadioIdReply(const QByteArray& r) {
    RadioIdentity id;
    id.model = StripNull(QString::fromLatin1(r.mid(1, 7)));
    id.extBand = r.size() > 8 && r[8] == 1;
    id.version = QString::fromLatin1(r.mid(9, 4));
    return id;
}

}  // namespace zr50
