// Text, number and name helpers shared across the program: their edge cases.

#include "model/Document.h"
#include "rules/Numbers.h"
#include "rules/SharedHelpers.h"

#include <gtest/gtest.h>

using namespace zr50;

TEST(SharedHelpers, TextsAndNames) {
    EXPECT_EQ(StripNull(QString::fromLatin1("AB\0\0  ", 6)), QStringLiteral("AB"));
    EXPECT_EQ(StripNull(QString::fromLatin1("AB  \0", 5)), QStringLiteral("AB  "));
    EXPECT_EQ(StripNull(QString::fromLatin1("\0\0  ", 4)), QString());

    const std::pair<const char*, int> keys[] = {{"*", 14}, {"#", 15}, {"d", 13}, {"G", 16}, {"", 16}, {"7x", 7}};
    for (const auto& [key, code] : keys) EXPECT_EQ(DtmfCharToCode(QLatin1String(key)), code) << key;
    for (int c = 0; c < 16; ++c) EXPECT_EQ(DtmfCharToCode(DtmfCodeToChar(c)), c);
    EXPECT_EQ(DtmfCodeToChar(10), QStringLiteral("A"));

    EXPECT_EQ(GroupIndexOf(1, QStringLiteral("M")), 0);
    EXPECT_EQ(GroupIndexOf(0, QStringLiteral("M")), 13);
    EXPECT_EQ(GroupIndexOf(2, QStringLiteral("A")), 0);
    EXPECT_EQ(GroupIndexOf(0, QStringLiteral("a")), 0);
    EXPECT_EQ(GroupNameOf(1, 15), QStringLiteral("A"));
    EXPECT_EQ(GroupNameOf(3, 1), QString());
    for (int b = 0; b < 2; ++b)
        for (int g = 1; g <= GroupCount(b); ++g) EXPECT_EQ(GroupIndexOf(b, GroupNameOf(b, g)), g);
    EXPECT_EQ(GroupNameOf(0, 16) + GroupNameOf(0, 17) + GroupNameOf(1, 13), QStringLiteral("MEMVFOMEM"));

    EXPECT_EQ(FileNameOfPath(QStringLiteral("C:\\x\\a.dat")), QStringLiteral("a.dat"));
    EXPECT_EQ(ParentFolder(QStringLiteral("/KD_270")), QStringLiteral("/KD_270"));
    EXPECT_TRUE(IsVersionText(QString::fromLatin1("V210\0 ", 6)));
    for (const char* no : {"X200", "V20", "V2000", "VABC"}) EXPECT_FALSE(IsVersionText(QLatin1String(no))) << no;
}

TEST(SharedHelpers, BandTexts) {
    BandLimits l;
    ParseBandText(QStringLiteral("24.7150 - 30.1050 MHz"), l);
    EXPECT_EQ(std::make_tuple(l.BandMin, l.BandMax, l.Band2Min, l.Band2Max), std::make_tuple(24.715, 30.105, 21.0, 21.5));
    ParseBandText(QString(), l);
    EXPECT_EQ(std::make_pair(l.BandMin, l.BandMax), std::make_pair(100.0, 500.0));
    ParseBandText(QStringLiteral("x - 29.699 MHz"), l);
    EXPECT_EQ(std::make_pair(l.BandMin, l.BandMax), std::make_pair(100.0, 29.699));
}

TEST(SharedHelpers, NumbersParsingAndRounding) {
    for (const char* yes : {" 28.015 ", "2801500 ", "-1e3", ".5"}) EXPECT_TRUE(IsNumeric(QLatin1String(yes))) << yes;
    for (const char* no : {"", "        ", "28,015", "FFFFFFFF", "."}) EXPECT_FALSE(IsNumeric(QLatin1String(no))) << no;
    EXPECT_EQ(*ParseNumber(QStringLiteral("&HFF")), 255.0);
    EXPECT_EQ(RoundHalfEven(2.5) + RoundHalfEven(3.5), 6.0);
    EXPECT_EQ(StrToIntDef(QStringLiteral("12"), 7), 12);
    EXPECT_EQ(StrToIntDef(QStringLiteral("x"), 7), 7);
    EXPECT_EQ(StrToIntDef(QStringLiteral("40000"), 7), 7);
    EXPECT_EQ(FormatFixed(8.5, 5), QStringLiteral("8.50000"));
    EXPECT_EQ(FormatFixed(-0.0000001, 5), QStringLiteral("0.00000"));
    EXPECT_EQ(ShortestText(24.715), QStringLiteral("24.715"));
    EXPECT_EQ(Hex2(0x0A), QStringLiteral("0A"));
}
