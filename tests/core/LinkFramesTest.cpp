// Frames, checksums and the reply shape tests of the radio protocol.

#include "link/Frames.h"

#include <gtest/gtest.h>

using namespace zr50;

namespace {

QByteArray Block(int addr, uint8_t fill) {
    uint8_t data[kBlockLen];
    std::fill(std::begin(data), std::end(data), fill);
    return DataBlockFrame(addr, data, kBlockLen);
}

TEST(LinkFrames, CommandFrames) {
    EXPECT_EQ(ProgramCmd(), QByteArray("PROGRAM"));
    EXPECT_EQ(IdRequest(), QByteArray("\x02", 1));
    EXPECT_EQ(EndCmd(), QByteArray("END"));
    EXPECT_EQ(ReadRequest(0x5CB0, 16), QByteArray("R\x5C\xB0\x10", 4));
}

TEST(LinkFrames, DataBlockFrameAndChecksum) {
    const QByteArray f = Block(0x1230, 0xFF);
    ASSERT_EQ(f.size(), 22);
    EXPECT_EQ(f.left(4), QByteArray("W\x12\x30\x10", 4));
    EXPECT_EQ(uint8_t(f[20]), 0x42);  // 0x12 + 0x30 + 0x10 + 16 * 0xFF = 0x1042
    EXPECT_EQ(f[21], kAckByte);
    EXPECT_EQ(CheckSum8(f, 1, 1), 0x42);
    // The leading 'W' is not summed; a larger tail moves the sum byte.
    EXPECT_EQ(CheckSum8(QByteArray("\x05\x01\x02\x00\x06\x07", 6), 0, 2), 0x08);
    QByteArray g("\x01\x02\x03\x00\x06", 5);
    SetCheckSum8(g, 0, 1);
    EXPECT_EQ(g, QByteArray("\x01\x02\x03\x06\x06", 5));
    // Frames too short for a sum neither crash nor write outside.
    EXPECT_EQ(CheckSum8(QByteArray(), 1, 1), 0);
    QByteArray one("W");
    SetCheckSum8(one, 1, 1);
    EXPECT_EQ(one, QByteArray("W"));
}

TEST(LinkFrames, AcknowledgementsMatchExactly) {
    EXPECT_TRUE(IsAck(QByteArray("\x06", 1)));
    EXPECT_FALSE(IsAck(QByteArray("\x06\x06", 2)));
    EXPECT_FALSE(IsAck(QByteArray("\x15", 1)));
    EXPECT_TRUE(IsProgramAck(QByteArray("KD\x06")));
    EXPECT_FALSE(IsProgramAck(QByteArray("KD\x15")));
    EXPECT_FALSE(IsProgramAck(QByteArray("KD")));
    EXPECT_FALSE(IsProgramAck(QByteArray("KD\x06\x06")));
    EXPECT_FALSE(IsAck(QByteArray("KD\x06")));
}

TEST(LinkFrames, DataReplyNeedsAddressLengthSizeTailAndSum) {
    const QByteArray good = Block(0x0010, 0x5A);
    EXPECT_TRUE(IsValidDataReply(good, 0x0010, 16));
    EXPECT_FALSE(IsValidDataReply(good, 0x0020, 16));  // another address
    EXPECT_FALSE(IsValidDataReply(good, 0x0010, 8));   // another length

    QByteArray badTail = good;
    badTail[21] = 0x15;
    EXPECT_FALSE(IsValidDataReply(badTail, 0x0010, 16));
    QByteArray badSum = good;
    badSum[20] = char(badSum[20] + 1);
    EXPECT_FALSE(IsValidDataReply(badSum, 0x0010, 16));
    QByteArray badData = good;
    badData[7] = 0;
    EXPECT_FALSE(IsValidDataReply(badData, 0x0010, 16));
    EXPECT_FALSE(IsValidDataReply(good + '\x06', 0x0010, 16));  // one byte too many
    EXPECT_FALSE(IsValidDataReply(good.left(21), 0x0010, 16));
    QByteArray notW = good;
    notW[0] = 'R';
    EXPECT_FALSE(IsValidDataReply(notW, 0x0010, 16));
    EXPECT_FALSE(IsValidDataReply(QByteArray("W\x00\x10", 3), 0x0010, 16));
    // No address in a reply matches the position before the first block.
    EXPECT_FALSE(IsValidDataReply(Block(0xFFF0, 0), -16, 16));
}

TEST(LinkFrames, IdentityReply) {
    QByteArray r("IKD4412P\x01V210xyz", 16);
    ASSERT_TRUE(IsRadioIdReply(r));
    RadioIdentity id = ParseRadioIdReply(r);
    EXPECT_EQ(id.model, QStringLiteral("KD4412P"));
    EXPECT_TRUE(id.extBand);
    EXPECT_EQ(id.version, QStringLiteral("V210"));

    // A shorter model ends at its NUL; any byte 8 but 1 is the normal band.
    r = QByteArray("IKD44\0\0\0\x02V200\0\0\0", 16);
    id = ParseRadioIdReply(r);
    EXPECT_EQ(id.model, QStringLiteral("KD44"));
    EXPECT_FALSE(id.extBand);

    EXPECT_FALSE(IsRadioIdReply(r + 'x'));  // 17 bytes
    EXPECT_FALSE(IsRadioIdReply(r.left(15)));
    r[0] = 'J';
    EXPECT_FALSE(IsRadioIdReply(r));
}

}  // namespace
