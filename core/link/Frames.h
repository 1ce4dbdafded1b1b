#pragma once
// The frames of the radio's programming protocol and the shape tests of its
// replies. Every test only says whether a reply has the expected shape; none
// of them fails on bad input.

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace zr50 {

constexpr int kBlockLen = 16;
constexpr char kAckByte = 0x06;

QByteArray ProgramCmd();  // "PROGRAM"
QByteArray IdRequest();   // 0x02
QByteArray EndCmd();      // "END"
// 'R', address high, address low, length.
QByteArray ReadRequest(int addr, int len);
// 'W', address high, address low, length, the data, CheckSum8, 0x06.
QByteArray DataBlockFrame(int addr, const uint8_t* data, int len);

// Sum modulo 256 from index first up to the byte n + 1 places before the end;
// the sum byte itself sits n places before the end.
uint8_t CheckSum8(const QByteArray& frame, int first, int n);
void SetCheckSum8(QByteArray& frame, int first, int n);

bool IsAck(const QByteArray& reply);         // exactly 0x06
bool IsProgramAck(const QByteArray& reply);  // exactly "KD" 0x06
bool IsRadioIdReply(const QByteArray& reply);  // 16 bytes starting with 'I'
// A data block for this address and length with its tail and checksum intact.
bool IsValidDataReply(const QByteArray& reply, int curAddr, int blockLen);

struct RadioIdentity {
    QString model;    // bytes 1..7, cut at the first NUL and trimmed
    bool extBand = false;  // byte 8 is 1
    QString version;  // bytes 9..12 as they are
};
// Expects a reply that passed IsRadioIdReply.
RadioIdentity ParseRadioIdReply(const QByteArray& reply);

}  // namespace zr50
