// Frequency texts, snapping and the band range checks.

#include "rules/FrequencyRules.h"
#include "support/Scripted.h"

#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;

namespace {
struct FreqFixture : ::testing::Test {
    TestProgram t;
    Program& p = t.p();
    void SetBand(int band, bool ext = false) {
        p.doc.DataRec.CurBand = int16_t(band);
        p.doc.SetBandText(BandTextOf(band));
        p.doc.RadioExtBand = ext;
    }
    QStringList Shown() const { return t.prompter.Texts(); }
};
const QString kOutOfRange = QStringLiteral("Frequency is out of range.");
}  // namespace

TEST_F(FreqFixture, PadFreqTextShapes) {
    SetBand(0);
    EXPECT_EQ(PadFreqText(p.doc, QStringLiteral("28.01500")), QStringLiteral("2801500"));
    EXPECT_EQ(PadFreqText(p.doc, QStringLiteral("28.015000")), QStringLiteral("28015000"));
    EXPECT_EQ(PadFreqText(p.doc, QStringLiteral("8.5")), QStringLiteral("085"));
    EXPECT_EQ(PadFreqText(p.doc, QStringLiteral(".5")), QStringLiteral("005"));
    EXPECT_EQ(PadFreqText(p.doc, QString()), QString());
    EXPECT_EQ(PadFreqText(p.doc, QStringLiteral("28")), QStringLiteral("28"));
    // Not a number: the band minimum stands in.
    EXPECT_EQ(PadFreqText(p.doc, QStringLiteral("abc")), QStringLiteral("24715"));
}

TEST_F(FreqFixture, FormatFreqTextShowsStoredDigits) {
    SetBand(0);
    EXPECT_EQ(FormatFreqText(p, QStringLiteral("2801500 ")), QStringLiteral("28.01500"));
    EXPECT_EQ(FormatFreqText(p, QStringLiteral("28015000")), QStringLiteral("28.01500"));
    EXPECT_EQ(FormatFreqText(p, QStringLiteral("085")), QStringLiteral("8.50000"));
    EXPECT_EQ(FormatFreqText(p, QStringLiteral("FFFFFFFF")), QString());
    EXPECT_EQ(FormatFreqText(p, QString()), QString());
    EXPECT_TRUE(Shown().isEmpty());

    EXPECT_EQ(FormatFreqText(p, QStringLiteral("        ")), QStringLiteral("24.715"));
    // Numeric as a whole but not once the point is placed.
    EXPECT_EQ(FormatFreqText(p, QStringLiteral("&H10")), QStringLiteral("24.715"));
    ASSERT_EQ(Shown(),
              QStringList({QStringLiteral("Not IsNumeric"), QStringLiteral("Not IsNumeric")}));
    EXPECT_EQ(t.prompter.shown[0].icon, Icon::None);
    EXPECT_EQ(t.prompter.shown[0].buttons, Buttons::Ok);
}

TEST_F(FreqFixture, SnapFreqFollowsRasterFromBandMinimum) {
    SetBand(0);
    EXPECT_DOUBLE_EQ(SnapFreq(p.doc, 29.123456), 29.12345);
    EXPECT_DOUBLE_EQ(SnapFreq(p.doc, 24.715), 24.715);
    EXPECT_DOUBLE_EQ(SnapFreq(p.doc, 30.105), 30.105);
    EXPECT_DOUBLE_EQ(SnapFreq(p.doc, 28.0000195), 28.00002);
    // Below the minimum the raster is approached upwards, after the half hertz
    // went to even: 21000010.5 Hz stays on 21000010, 21000011.5 goes up.
    EXPECT_DOUBLE_EQ(SnapFreq(p.doc, 21.123456), 21.12346);
    EXPECT_DOUBLE_EQ(SnapFreq(p.doc, 21.0000105), 21.00001);
    EXPECT_DOUBLE_EQ(SnapFreq(p.doc, 21.0000115), 21.00002);
    // The raster starts at the minimum, not at zero.
    p.doc.SetBandText(QStringLiteral("28.000005 - 29.6950 MHz"));
    EXPECT_DOUBLE_EQ(SnapFreq(p.doc, 28.000019), 28.000015);
}

TEST_F(FreqFixture, CheckFreqRangeNormalBand) {
    SetBand(0);
    EXPECT_DOUBLE_EQ(CheckFreqRange(p, 24.715, false, true), 24.715);
    EXPECT_DOUBLE_EQ(CheckFreqRange(p, 30.105, false, true), 30.105);
    EXPECT_TRUE(Shown().isEmpty());
    EXPECT_DOUBLE_EQ(CheckFreqRange(p, 31.0, true, false), 30.105);
    EXPECT_DOUBLE_EQ(CheckFreqRange(p, 20.0, true, false), 24.715);
    EXPECT_TRUE(Shown().isEmpty());
    EXPECT_EQ(CheckFreqRange(p, 31.0, false, true), 0.0);
    ASSERT_EQ(Shown(), QStringList{kOutOfRange});
    EXPECT_EQ(t.prompter.shown[0].icon, Icon::Exclamation);
    EXPECT_EQ(t.prompter.shown[0].title, QStringLiteral("ZR50"));

    // The extended flag only widens band 0.
    SetBand(1, true);
    EXPECT_DOUBLE_EQ(CheckFreqRange(p, 21.2, true, false), 28.0);
}

TEST_F(FreqFixture, CheckFreqRangeExtendedBand) {
    SetBand(0, true);
    EXPECT_DOUBLE_EQ(CheckFreqRange(p, 21.2, false, true), 21.2);
    EXPECT_DOUBLE_EQ(CheckFreqRange(p, 21.5, false, true), 21.5);
    EXPECT_DOUBLE_EQ(CheckFreqRange(p, 28.5, false, true), 28.5);
    EXPECT_TRUE(Shown().isEmpty());
    // Outside both ranges the limit comes from the second range.
    EXPECT_DOUBLE_EQ(CheckFreqRange(p, 31.0, true, false), 21.5);
    EXPECT_DOUBLE_EQ(CheckFreqRange(p, 22.0, true, false), 21.5);
    EXPECT_DOUBLE_EQ(CheckFreqRange(p, 20.0, true, false), 21.0);
    EXPECT_EQ(CheckFreqRange(p, 22.0, false, true), 0.0);
    EXPECT_EQ(Shown(), QStringList{kOutOfRange});
}

TEST_F(FreqFixture, NormalizeFreqInput) {
    SetBand(0);
    EXPECT_EQ(NormalizeFreqInput(p, QStringLiteral("29.123456"), false, true),
              QStringLiteral("29.12345"));
    EXPECT_EQ(NormalizeFreqInput(p, QStringLiteral("28"), false, true), QStringLiteral("28.00000"));
    EXPECT_TRUE(Shown().isEmpty());
    EXPECT_EQ(NormalizeFreqInput(p, QStringLiteral("31"), false, true), QString());
    EXPECT_EQ(NormalizeFreqInput(p, QStringLiteral("31"), true, false), QStringLiteral("30.10500"));
    EXPECT_EQ(NormalizeFreqInput(p, QStringLiteral("x"), false, true), QString());
    EXPECT_EQ(NormalizeFreqInput(p, QStringLiteral("x"), true, false), QStringLiteral("24.71500"));
    EXPECT_EQ(Shown(), QStringList({kOutOfRange, kOutOfRange}));

    p.settings.CurLanguage = kChinese;
    NormalizeFreqInput(p, QStringLiteral("1"), false, true);
    EXPECT_EQ(Shown().last(), QStringLiteral("频率超出范围。"));
}
