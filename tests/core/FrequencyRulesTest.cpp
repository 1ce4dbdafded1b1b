// Frequency texts, snapping and the band range checks.

#include "rules/FrequencyRules.h"
#include "support/Scripted.h"

#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;

namespace {
const QString kOutOfRange = QStringLiteral("Frequency is out of range.");

struct FreqFixture : ::testing::Test {
    TestProgram t;
    Program& p = t.p();
    void SetBand(int band, bool ext = false) {
        p.doc.DataRec.CurBand = int16_t(band);
        p.doc.SetBandText(BandTextOf(band));
        p.doc.RadioExtBand = ext;
    }
    void SetUp() override { SetBand(0); }
};
}  // namespace

TEST_F(FreqFixture, StoredAndShownTexts) {
    EXPECT_EQ(PadFreqText(p.doc, QStringLiteral("28.01500")), QStringLiteral("2801500"));
    EXPECT_EQ(PadFreqText(p.doc, QStringLiteral("8.5")), QStringLiteral("085"));
    EXPECT_EQ(PadFreqText(p.doc, QStringLiteral("abc")), QStringLiteral("24715"));
    EXPECT_EQ(FormatFreqText(p, QStringLiteral("2801500 ")), QStringLiteral("28.01500"));
    EXPECT_EQ(FormatFreqText(p, QStringLiteral("085")), QStringLiteral("8.50000"));
    EXPECT_EQ(FormatFreqText(p, QStringLiteral("FFFFFFFF")), QString());
    EXPECT_TRUE(t.prompter.shown.isEmpty());

    // Blanks, and a number that stops being one once the point is placed.
    EXPECT_EQ(FormatFreqText(p, QStringLiteral("        ")), QStringLiteral("24.715"));
    EXPECT_EQ(FormatFreqText(p, QStringLiteral("&H10")), QStringLiteral("24.715"));
    EXPECT_EQ(t.prompter.Texts(), QStringList(2, QStringLiteral("Not IsNumeric")));
    EXPECT_EQ(t.prompter.shown[0].icon, Icon::None);
}

TEST_F(FreqFixture, SnapsOntoRasterFromBandMinimum) {
    EXPECT_DOUBLE_EQ(SnapFreq(p.doc, 29.123456), 29.12345);
    // Below the minimum the raster is approached upwards, after the half hertz
    // went to even: 21000010.5 Hz stays on 21000010, 21000011.5 goes up.
    EXPECT_DOUBLE_EQ(SnapFreq(p.doc, 21.0000105), 21.00001);
    EXPECT_DOUBLE_EQ(SnapFreq(p.doc, 21.0000115), 21.00002);
    p.doc.SetBandText(QStringLiteral("28.000005 - 29.6950 MHz"));
    EXPECT_DOUBLE_EQ(SnapFreq(p.doc, 28.000019), 28.000015);
}

TEST_F(FreqFixture, RangeChecks) {
    EXPECT_DOUBLE_EQ(CheckFreqRange(p, 24.715, false, true), 24.715);
    EXPECT_DOUBLE_EQ(CheckFreqRange(p, 30.105, false, true), 30.105);
    EXPECT_DOUBLE_EQ(CheckFreqRange(p, 31.0, true, false), 30.105);
    EXPECT_TRUE(t.prompter.shown.isEmpty());
    EXPECT_EQ(CheckFreqRange(p, 31.0, false, true), 0.0);
    ASSERT_EQ(t.prompter.Texts(), QStringList{kOutOfRange});
    EXPECT_EQ(t.prompter.shown[0].icon, Icon::Exclamation);

    // The second range opens on band 0 only, and its limits replace the band's.
    SetBand(0, true);
    EXPECT_DOUBLE_EQ(CheckFreqRange(p, 21.2, false, true), 21.2);
    EXPECT_DOUBLE_EQ(CheckFreqRange(p, 31.0, true, false), 21.5);
    EXPECT_DOUBLE_EQ(CheckFreqRange(p, 20.0, true, false), 21.0);
    EXPECT_EQ(CheckFreqRange(p, 22.0, false, true), 0.0);
    SetBand(1, true);
    EXPECT_DOUBLE_EQ(CheckFreqRange(p, 21.2, true, false), 28.0);
    EXPECT_EQ(t.prompter.Texts(), QStringList(2, kOutOfRange));
}

TEST_F(FreqFixture, NormalizeTypedText) {
    EXPECT_EQ(NormalizeFreqInput(p, QStringLiteral("29.123456"), false, true),
              QStringLiteral("29.12345"));
    EXPECT_EQ(NormalizeFreqInput(p, QStringLiteral("31"), false, true), QString());
    EXPECT_EQ(NormalizeFreqInput(p, QStringLiteral("31"), true, false), QStringLiteral("30.10500"));
    EXPECT_EQ(NormalizeFreqInput(p, QStringLiteral("x"), true, false), QStringLiteral("24.71500"));
    EXPECT_EQ(t.prompter.Texts(), QStringList{kOutOfRange});
}
