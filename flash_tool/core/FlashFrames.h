#pragma once
// The bytes of the update protocol, both ways. Multi-byte numbers are
// little-endian unless said.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace kdi {

constexpr char kAck = 0x06;
constexpr char kNak = 0x15;
constexpr char kIdRequest = 0x02;
constexpr char kEndByte = 0x18;
constexpr char kPageFrameStart = 0x01;
inline const QByteArray kUpdateCmd = QByteArrayLiteral("UPDATE");

constexpr int kPageFrameSize = 1032;  // 0x01, address, 1024 data, sum, 0x06
constexpr int kIdReplySize = 16;
constexpr int kReadRequestSize = 4;   // 0x02, page high, page low, 0x06
// The answer to a read request: 0x06, page high, page low, 1024 data bytes,
// the 16-bit sum of page number and data (low byte first), 0x06.
constexpr int kReadReplySize = 1030;

// The page frame's sum: bytes 1 to 1028 (address and data), mod 65536.
uint16_t Sum16(const QByteArray& frame);
// data must hold 1024 bytes.
QByteArray WritePageFrame(uint32_t address, const QByteArray& data);
QByteArray ReadPageRequest(int page);
QByteArray ReadPageReply(int page, const QByteArray& data);

struct RadioId {
    QString model;    // bytes 1..7 up to the first 0x00 or 0xFF
    QString version;  // bytes 9..12 without their 0x00 and 0xFF bytes
};
// An identity reply: exactly from + 16 bytes, "I" first, 0x06 last.
std::optional<RadioId> ParseIdReply(const QByteArray& bytes, int from);
QByteArray IdReply(const QByteArray& model, const QByteArray& version);

// The 1024 data bytes of the answer to a read request for page, from index
// from on: exactly from + 1030 bytes with both 0x06, the page and the sum right.
std::optional<QByteArray> ParseReadPageReply(const QByteArray& bytes, int from, int page);

}  // namespace kdi
