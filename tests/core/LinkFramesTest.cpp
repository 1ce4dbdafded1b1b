// Frames, checksums and the identity reply of the radio protocol. (The shape
// tests of replies are exercised through the link in LinkProtocolTest.)

#include "link/Frames.h"

#include <gtest/gtest.h>

using namespace zr50;

TEST(LinkFrames, FramesAndChecksum) {
    EXPECT_EQ(ReadRequest(0x5CB0, 16), QByteArray("R\x5C\xB0\x10", 4));
    uint8_t data[kBlockLen];
    std::fill(std::begin(data), std::end(data), 0xFF);
    const QByteArray f = DataBlockFrame(0x1230, data, kBlockLen);
    // 0x12 + 0x30 + 0x10 + 16 * 0xFF = 0x1042
    EXPECT_EQ(f, QByteArray("W\x12\x30\x10", 4) + QByteArray(16, '\xFF') + QByteArray("\x42\x06", 2));
    EXPECT_TRUE(IsValidDataReply(f, 0x1230, 16));
    // A larger tail moves the sum byte; frames too short for a sum are left alone.
    EXPECT_EQ(CheckSum8(QByteArray("\x05\x01\x02\x00\x06\x07", 6), 0, 2), 0x08);
    QByteArray one("W");
    SetCheckSum8(one, 1, 1);
    EXPECT_EQ(one, QByteArray("W"));
    EXPECT_EQ(CheckSum8(QByteArray(), 1, 1), 0);
}

TEST(LinkFrames, AcknowledgementsMatchExactly) {
    EXPECT_TRUE(IsAck(QByteArray("\x06", 1)) && IsProgramAck(QByteArray("KD\x06")));
    for (const char* notAck : {"\x06\x06", "KD\x15", "KD\x06\x06"})
        EXPECT_FALSE(IsAck(QByteArray(notAck)) || IsProgramAck(QByteArray(notAck))) << notAck;
}

TEST(LinkFrames, IdentityReply) {
    QByteArray r("IKD4412P\x01V210xyz", 16);
    ASSERT_TRUE(IsRadioIdReply(r));
    RadioIdentity id = ParseRadioIdReply(r);
    EXPECT_EQ(std::make_tuple(id.model, id.extBand, id.version),
              std::make_tuple(QStringLiteral("KD4412P"), true, QStringLiteral("V210")));
    // A shorter model ends at its NUL; any byte 8 but 1 is the normal band.
    r = QByteArray("IKD44\0\0\0\x02V200\0\0\0", 16);
    id = ParseRadioIdReply(r);
    EXPECT_EQ(std::make_pair(id.model, id.extBand), std::make_pair(QStringLiteral("KD44"), false));
    EXPECT_FALSE(IsRadioIdReply(r + 'x'));  // 17 bytes
    r[0] = 'J';
    EXPECT_FALSE(IsRadioIdReply(r));
}
