// Text, number and path helpers shared across the program.

#include "model/Document.h"
#include "rules/Numbers.h"
#include "rules/SharedHelpers.h"

#include <gtest/gtest.h>

using namespace zr50;

TEST(StripNull, CutsAtNulAfterTrailingBlanks) {
    EXPECT_EQ(StripNull(QString::fromLatin1("AB\0\0  ", 6)), QStringLiteral("AB"));
    EXPECT_EQ(StripNull(QString::fromLatin1("AB  \0", 5)), QStringLiteral("AB  "));
    EXPECT_EQ(StripNull(QStringLiteral("  ")), QString());
    EXPECT_EQ(StripNull(QString::fromLatin1("\0\0\0\0", 4)), QString());
}

TEST(DtmfKeys, CharactersAndCodes) {
    EXPECT_EQ(DtmfCharToCode(QStringLiteral("*")), 14);
    EXPECT_EQ(DtmfCharToCode(QStringLiteral("#")), 15);
    EXPECT_EQ(DtmfCharToCode(QStringLiteral("d")), 13);
    EXPECT_EQ(DtmfCharToCode(QStringLiteral("G")), 16);
    EXPECT_EQ(DtmfCharToCode(QString()), 16);
    EXPECT_EQ(DtmfCharToCode(QStringLiteral("7x")), 7);
    for (int c = 0; c < 16; ++c) EXPECT_EQ(DtmfCharToCode(DtmfCodeToChar(c)), c);
    EXPECT_EQ(DtmfCodeToChar(14), QStringLiteral("*"));
    EXPECT_EQ(DtmfCodeToChar(10), QStringLiteral("A"));
}

TEST(GroupNames, BothBands) {
    EXPECT_EQ(GroupIndexOf(1, QStringLiteral("M")), 0);
    EXPECT_EQ(GroupIndexOf(0, QStringLiteral("M")), 13);
    EXPECT_EQ(GroupIndexOf(0, QStringLiteral("MEM")), 16);
    EXPECT_EQ(GroupIndexOf(1, QStringLiteral("VFO")), 14);
    EXPECT_EQ(GroupIndexOf(2, QStringLiteral("A")), 0);
    EXPECT_EQ(GroupIndexOf(0, QStringLiteral("a")), 0);
    EXPECT_EQ(GroupNameOf(0, 17), QStringLiteral("VFO"));
    EXPECT_EQ(GroupNameOf(1, 13), QStringLiteral("MEM"));
    EXPECT_EQ(GroupNameOf(1, 15), QStringLiteral("A"));
    EXPECT_EQ(GroupNameOf(3, 1), QString());
    for (int b = 0; b < 2; ++b)
        for (int g = 1; g <= GroupCount(b); ++g) EXPECT_EQ(GroupIndexOf(b, GroupNameOf(b, g)), g);
}

TEST(BandText, ParsesLimits) {
    BandLimits l;
    ParseBandText(QStringLiteral("24.7150 - 30.1050 MHz"), l);
    EXPECT_DOUBLE_EQ(l.BandMin, 24.715);
    EXPECT_DOUBLE_EQ(l.BandMax, 30.105);
    EXPECT_DOUBLE_EQ(l.Band2Min, 21.0);
    EXPECT_DOUBLE_EQ(l.Band2Max, 21.5);
    ParseBandText(QString(), l);
    EXPECT_DOUBLE_EQ(l.BandMin, 100.0);
    EXPECT_DOUBLE_EQ(l.BandMax, 500.0);
    ParseBandText(QStringLiteral("x - 29.699 MHz"), l);
    EXPECT_DOUBLE_EQ(l.BandMin, 100.0);
    EXPECT_DOUBLE_EQ(l.BandMax, 29.699);
}

TEST(Paths, FileNameAndParent) {
    EXPECT_EQ(FileNameOfPath(QStringLiteral("/home/op/radio.dat")), QStringLiteral("radio.dat"));
    EXPECT_EQ(FileNameOfPath(QStringLiteral("C:\\x\\a.dat")), QStringLiteral("a.dat"));
    EXPECT_EQ(FileNameOfPath(QStringLiteral("new.dat")), QStringLiteral("new.dat"));
    EXPECT_EQ(ParentFolder(QStringLiteral("/opt/zr50/KD_270")), QStringLiteral("/opt/zr50"));
    EXPECT_EQ(ParentFolder(QStringLiteral("/KD_270")), QStringLiteral("/KD_270"));
    EXPECT_EQ(ParentFolder(QStringLiteral("KD_270")), QStringLiteral("KD_270"));
}

TEST(Versions, TextShape) {
    EXPECT_TRUE(IsVersionText(QStringLiteral("V200")));
    EXPECT_TRUE(IsVersionText(QString::fromLatin1("V210\0 ", 6)));
    EXPECT_FALSE(IsVersionText(QStringLiteral("X200")));
    EXPECT_FALSE(IsVersionText(QStringLiteral("V20")));
    EXPECT_FALSE(IsVersionText(QStringLiteral("V2000")));
    EXPECT_FALSE(IsVersionText(QStringLiteral("VABC")));
}

TEST(Numbers, ParsingAndRounding) {
    EXPECT_TRUE(IsNumeric(QStringLiteral(" 28.015 ")));
    EXPECT_TRUE(IsNumeric(QStringLiteral("2801500 ")));
    EXPECT_TRUE(IsNumeric(QStringLiteral("-1e3")));
    EXPECT_TRUE(IsNumeric(QStringLiteral(".5")));
    EXPECT_FALSE(IsNumeric(QStringLiteral("")));
    EXPECT_FALSE(IsNumeric(QStringLiteral("        ")));
    EXPECT_FALSE(IsNumeric(QStringLiteral("28,015")));
    EXPECT_FALSE(IsNumeric(QStringLiteral("FFFFFFFF")));
    EXPECT_FALSE(IsNumeric(QStringLiteral(".")));
    EXPECT_EQ(*ParseNumber(QStringLiteral("&HFF")), 255.0);
    EXPECT_EQ(RoundHalfEven(2.5), 2.0);
    EXPECT_EQ(RoundHalfEven(3.5), 4.0);
    EXPECT_EQ(StrToIntDef(QStringLiteral("12"), 7), 12);
    EXPECT_EQ(StrToIntDef(QStringLiteral("x"), 7), 7);
    EXPECT_EQ(StrToIntDef(QStringLiteral("40000"), 7), 7);
    EXPECT_EQ(FormatFixed(28.015, 5), QStringLiteral("28.01500"));
    EXPECT_EQ(FormatFixed(8.5, 5), QStringLiteral("8.50000"));
    EXPECT_EQ(FormatFixed(-0.0000001, 5), QStringLiteral("0.00000"));
    EXPECT_EQ(ShortestText(24.715), QStringLiteral("24.715"));
    EXPECT_EQ(Hex2(0x0A), QStringLiteral("0A"));
}
