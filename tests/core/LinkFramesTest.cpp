// Frames, checksums and the identity reply of the radio protocol. (The shape
// tests of replies are exercised through the link in LinkProtocolTest.)

#include "link/Frames.h"

#include <gtest/gtest.h>

using namespace zr50;

namespace {

TEST(LinkFrames, FramesAndChecksum) {
    EXPECT_EQ(ReadRequest(0x5CB0, 16), QByteArray("R\x5C\xB0\x10", 4));
    uint8_t data[kBlockLen];
    std::fill(std::begin(data), std::end(data), 0xFF);
    const QByteArray f = DataBlockFrame(0x1230, data, kBlockLen);
    ASSERT_EQ(f.size(), 22);
    EXPECT_EQ(f.left(4), QByteArray("W\x12\x30\x10", 4));
    EXPECT_EQ(uint8_t(f[20]), 0x42);  // 0x12 + 0x30 + 0x10 + 16 * 0xFF = 0x1042
    EXPECT_EQ(f[21], kAckByte);
    EXPECT_TRUE(IsValidDataReply(f, 0x1230, 16));
    // A larger tail moves the sum byte; frames too short for a sum are left alone.
    EXPECT_EQ(CheckSum8(QByteArray("\x05\x01\x02\x00\x06\x07", 6), 0, 2), 0x08);
    QByteArray one("W");
    SetCheckSum8(one, 1, 1);
    EXPECT_EQ(one, QByteArray("W"));
    EXPECT_EQ(CheckSum8(QByteArray(), 1, 1), 0);
}

TEST(LinkFrames, AcknowledgementsMatchExactly) {
    EXPECT_TRUE(IsAck(QByteArray("\x06", 1)));
    EXPECT_FALSE(IsAck(QByteArray("\x06\x06", 2)));
    EXPECT_TRUE(IsProgramAck(QByteArray("KD\x06")));
    EXPECT_FALSE(IsProgramAck(QByteArray("KD\x15")));
    EXPECT_FALSE(IsProgramAck(QByteArray("KD\x06\x06")));
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
    r[0] = 'J';
    EXPECT_FALSE(IsRadioIdReply(r));
}

}  // namespace
