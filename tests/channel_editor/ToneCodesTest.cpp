// Tone lists, tone codes and channel names of the channel window.

#include "ToneCodes.h"

#include <gtest/gtest.h>

using namespace zr50;

TEST(ToneCodes, ListsNumberEveryToneAndCode) {
    const QStringList ctcss = CtcssList();
    ASSERT_EQ(ctcss.size(), kCtcssTones);
    EXPECT_EQ(ctcss.first(), "C_001(67.0Hz)");
    EXPECT_EQ(ctcss[11], "C_012(100.0Hz)");
    EXPECT_EQ(ctcss.last(), "C_038(250.3Hz)");
    const QStringList dcs = DcsList();
    ASSERT_EQ(dcs.size(), kDcsCodes);
    EXPECT_EQ(dcs.first(), "D_001(023N)");
    EXPECT_EQ(dcs.last(), "D_104(754N)");
    const QStringList shown = ToneShowList("Off");
    ASSERT_EQ(shown.size(), 143);
    EXPECT_EQ(shown[1], "67.0");
    EXPECT_EQ(shown[39], "D023N");
}

TEST(ToneCodes, CodeAndDisplayTextConvertBothWays) {
    const QString off = "Off";
    EXPECT_EQ(ToneShowOfCode("8754", off), "D754N");
    EXPECT_EQ(ToneShowOfCode("8023", off), "D023N");
    EXPECT_EQ(ToneShowOfCode("0670", off), "67.0");
    EXPECT_EQ(ToneShowOfCode("1000", off), "100.0");
    EXPECT_EQ(ToneShowOfCode(QString("0670") + QChar(0), off), "67.0");
    for (const char* notATone : {"067", "0", "", "abcd", "8x12", "86700"})
        EXPECT_EQ(ToneShowOfCode(notATone, off), off) << notATone;

    EXPECT_EQ(ToneCodeOfShow("250.3", off), "2503");
    EXPECT_EQ(ToneCodeOfShow("67.0", off), "0670");
    EXPECT_EQ(ToneCodeOfShow("D023N", off), "8023");
    EXPECT_EQ(ToneCodeOfShow(off, off), "0");
    for (const char* unreadable : {"Dxyz", "C_001", "", "99999"})
        EXPECT_EQ(ToneCodeOfShow(unreadable, off), "0") << unreadable;
}

TEST(ToneCodes, ChannelNames) {
    EXPECT_EQ(ChannelNameOf(40), "40");
    EXPECT_EQ(ChannelNameOf(41), "M1");
    EXPECT_EQ(ChannelIdOfName("M6"), 46);
    EXPECT_EQ(ChannelIdOfName("7"), 7);
    EXPECT_EQ(ChannelIdOfName(""), 0);
    // Not channel numbers: no number rather than a failure.
    EXPECT_EQ(ChannelIdOfName("M"), 0);
    EXPECT_EQ(ChannelIdOfName("Mx"), 0);
    EXPECT_EQ(ChannelIdOfName("M32767"), 0);
}
