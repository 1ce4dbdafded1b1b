// The document's rules: frequency texts, snapping and ranges; deleting,
// adding and committing channels; channel, mode, tone and DTMF references with
// their repairs. (The commit of a typed frequency and the last plain channel
// of a band are driven through the channel window's tests.)

#include "rules/ChannelEdit.h"
#include "rules/ChannelRefs.h"
#include "rules/DtmfRefs.h"
#include "rules/FrequencyRules.h"
#include "rules/ModeRules.h"
#include "rules/ToneRefs.h"
#include "support/Scripted.h"

#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;

namespace {

const QString kOutOfRange = QStringLiteral("Frequency is out of range.");
using Nos = std::vector<int>;

struct Rules : ProgramTest {
    Document& doc = p.doc;
    DataHeaderRec& d = doc.DataRec;
    void SetBand(int band, bool ext = false) {
        d.CurBand = int16_t(band);
        doc.SetBandText(BandTextOf(band));
        doc.RadioExtBand = ext;
    }
    void SetUp() override {
        SetBand(0);
        d.CurGroup = {2, 1};
    }
    QString Commit(int chNo, const QString& text) {
        QString v = text;
        CommitChannelEdit(p, chNo, 1, v);
        return v;
    }
};

TEST_F(Rules, FrequencyTexts) {
    EXPECT_EQ(PadFreqText(doc, QStringLiteral("28.01500")), QStringLiteral("2801500"));
    EXPECT_EQ(PadFreqText(doc, QStringLiteral("8.5")), QStringLiteral("085"));
    EXPECT_EQ(PadFreqText(doc, QStringLiteral("abc")), QStringLiteral("24715"));
    EXPECT_EQ(FormatFreqText(p, QStringLiteral("2801500 ")), QStringLiteral("28.01500"));
    EXPECT_EQ(FormatFreqText(p, QStringLiteral("085")), QStringLiteral("8.50000"));
    EXPECT_EQ(FormatFreqText(p, QStringLiteral("FFFFFFFF")), QString());
    EXPECT_TRUE(tp.prompter.shown.isEmpty());
    // Blanks, and a number that stops being one once the point is placed.
    EXPECT_EQ(FormatFreqText(p, QStringLiteral("        ")), QStringLiteral("24.715"));
    EXPECT_EQ(FormatFreqText(p, QStringLiteral("&H10")), QStringLiteral("24.715"));
    EXPECT_EQ(tp.prompter.Texts(), QStringList(2, QStringLiteral("Not IsNumeric")));
}

TEST_F(Rules, SnapsOntoTheRasterFromTheBandMinimum) {
    EXPECT_DOUBLE_EQ(SnapFreq(doc, 29.123456), 29.12345);
    // Below the minimum the raster is approached upwards, after the half hertz
    // went to even: 21000010.5 Hz stays on 21000010, 21000011.5 goes up.
    EXPECT_DOUBLE_EQ(SnapFreq(doc, 21.0000105), 21.00001);
    EXPECT_DOUBLE_EQ(SnapFreq(doc, 21.0000115), 21.00002);
    doc.SetBandText(QStringLiteral("28.000005 - 29.6950 MHz"));
    EXPECT_DOUBLE_EQ(SnapFreq(doc, 28.000019), 28.000015);
}

TEST_F(Rules, RangeChecks) {
    EXPECT_DOUBLE_EQ(CheckFreqRange(p, 24.715, false, true), 24.715);
    EXPECT_DOUBLE_EQ(CheckFreqRange(p, 30.105, false, true), 30.105);
    EXPECT_EQ(NormalizeFreqInput(p, QStringLiteral("31"), true, false), QStringLiteral("30.10500"));
    EXPECT_EQ(NormalizeFreqInput(p, QStringLiteral("x"), true, false), QStringLiteral("24.71500"));
    EXPECT_TRUE(tp.prompter.shown.isEmpty());
    EXPECT_EQ(CheckFreqRange(p, 31.0, false, true), 0.0);
    ASSERT_EQ(tp.prompter.Texts(), QStringList{kOutOfRange});
    EXPECT_EQ(tp.prompter.shown[0].icon, Icon::Exclamation);

    // The second range opens on band 0 only, and its limits replace the band's.
    SetBand(0, true);
    EXPECT_DOUBLE_EQ(CheckFreqRange(p, 21.2, false, true), 21.2);
    EXPECT_DOUBLE_EQ(CheckFreqRange(p, 31.0, true, false), 21.5);
    EXPECT_DOUBLE_EQ(CheckFreqRange(p, 20.0, true, false), 21.0);
    EXPECT_EQ(CheckFreqRange(p, 22.0, false, true), 0.0);
    SetBand(1, true);
    EXPECT_DOUBLE_EQ(CheckFreqRange(p, 21.2, true, false), 28.0);
    EXPECT_EQ(tp.prompter.Texts(), QStringList(2, kOutOfRange));
}

TEST(ChannelList, DeleteShiftsAndRefusesWhatIsNotThere) {
    Document doc;
    EXPECT_FALSE(DeleteChannel(doc, 1, 0, 4));  // empty group
    EXPECT_EQ(doc.DataRec.ChCount(0, 4), 0);
    SetChannels(doc, 0, 4, {1, 2, 3, 4, 5});
    EXPECT_FALSE(DeleteChannel(doc, 6, 0, 4));
    ASSERT_TRUE(DeleteChannel(doc, 3, 0, 4));
    EXPECT_EQ(Numbers(doc, 0, 4), Nos({1, 2, 4, 5}));
    EXPECT_EQ(doc.ChData(0, 3, 4).Reserved1, 104);  // whole records move
    EXPECT_EQ(doc.ChData(0, 5, 4).ChNo, 5);         // beyond the count, old contents kept
    // A count above the slots is read as a full group.
    doc.DataRec.ChCount(0, 5) = 300;
    ASSERT_TRUE(DeleteChannel(doc, 99, 0, 5));
    EXPECT_EQ(doc.DataRec.ChCount(0, 5), 98);
}

TEST(ChannelList, AddWritesTheNewChannelAndKeepsUnwrittenFields) {
    Document doc;
    SetChannels(doc, 1, 3, {1, 2, 9});
    ChannelRecord& old = doc.ChData(1, 3, 3);
    old.RxCtc = 7;
    old.DecDcs = 12;
    old.Mode = 5;
    doc.DataRec.ChCount(1, 3) = 2;
    ASSERT_TRUE(AddChannel(doc, 41, 1, 3, QStringLiteral("28.50000")));
    const ChannelRecord& r = doc.ChData(1, 3, 3);
    EXPECT_EQ(Numbers(doc, 1, 3), Nos({1, 2, 41}));
    EXPECT_EQ(r.RxFreq.raw(), QStringLiteral("2850000 "));
    EXPECT_EQ(r.TxFreq, r.RxFreq);
    EXPECT_EQ(std::make_tuple(r.Mode, r.RxCtc, r.DecDcs, r.Reserved1), std::make_tuple(0, 7, 12, 109));

    doc.DataRec.ChCount(0, 16) = 99;
    EXPECT_FALSE(AddChannel(doc, 1, 0, 16, QStringLiteral("28.0")));
    EXPECT_EQ(doc.DataRec.ChCount(0, 16), 99);
    doc.DataRec.ChCount(0, 2) = -4;  // read as an empty group
    ASSERT_TRUE(AddChannel(doc, 9, 0, 2, QStringLiteral("28.0")));
    EXPECT_EQ(Numbers(doc, 0, 2), Nos{9});
}

TEST_F(Rules, AnEmptyRowTakesOnlyAValidValue) {
    tp.forms.loaded << QStringLiteral("frmCommChInfo");
    d.CurGroup[0] = 0;  // read as group 1
    SetChannels(doc, 0, 1, {41});
    Commit(7, QString());
    Commit(7, QStringLiteral("40"));
    EXPECT_EQ(Numbers(doc, 0, 1), Nos{41});
    Commit(7, QStringLiteral("27.5"));
    EXPECT_EQ(d.CurGroup[0], 1);
    EXPECT_EQ(Numbers(doc, 0, 1), Nos({41, 7}));
    EXPECT_EQ(d.OptFeat.EmgCh(0, 1, 1), 7);
    EXPECT_EQ(tp.forms.calls.last().args, QVariantList{7});

    // A corrupt current band or group changes nothing.
    d.CurBand = 5;
    Commit(41, QString());
    d.CurBand = 0;
    d.CurGroup[0] = 40;
    Commit(3, QStringLiteral("28.5"));
    EXPECT_EQ(Numbers(doc, 0, 1), Nos({41, 7}));
}

TEST_F(Rules, AVfoFrequencyTakesTheGroupsOnlySlot) {
    // A VFO slot holding a record that was never numbered (no template read).
    d.CurGroup[0] = 17;
    d.ChCount(0, 17) = 1;
    Commit(1, QStringLiteral("27.5"));
    EXPECT_EQ(Numbers(doc, 0, 17), Nos{1});
    EXPECT_EQ(doc.ChData(0, 1, 17).RxFreq.raw(), QStringLiteral("2750000 "));
}

TEST(ChannelRefs, ListsAndCountsByKind) {
    Document doc;
    SetChannels(doc, 0, 3, {12, 43, 5, 41, 40});
    EXPECT_EQ(FillChannelCombo(doc, 0, 3, 0), QStringList({"5", "12", "40"}));
    EXPECT_EQ(FillChannelCombo(doc, 0, 3, 1), QStringList({"M1", "M3"}));
    EXPECT_EQ(doc.DataRec.ChCount(0, 17) + doc.DataRec.ChCount(1, 14), 2);  // VFO groups count one
    EXPECT_EQ(CountSameKindChannels(doc, 0, 3, 44), 2);
    // Counts and groups a file may carry never index outside the arrays.
    doc.DataRec.ChCount(0, 4) = 500;
    doc.DataRec.ChCount(0, 5) = -3;
    EXPECT_EQ(FillChannelCombo(doc, 0, 4, 0).size(), kMaxSlots);
    EXPECT_EQ(CountPlainChannels(doc, 0, 5), 0);
    EXPECT_EQ(CountOtherPlainChannels(doc, 2, 1, 1), 0);
    EXPECT_TRUE(FillChannelCombo(doc, -1, 0, 0).isEmpty());
}

TEST_F(Rules, ChannelReferencesRepairedAfterChannelsChange) {
    OptFeatRec& o = d.OptFeat;
    SetChannels(doc, 0, 2, {7, 42, 3, 41});
    o.EmgCh(0, 2, 0) = 5;  // gone: first plain channel in slot order
    o.EmgCh(0, 2, 1) = 3;
    o.MemCh(0, 2) = 45;  // gone: first M channel
    RevalidateChannelRefs(p, 0, 2, 5);
    EXPECT_EQ(std::make_tuple(o.EmgCh(0, 2, 0), o.EmgCh(0, 2, 1), o.MemCh(0, 2)), std::make_tuple(7, 3, 42));
    EXPECT_TRUE(tp.forms.calls.isEmpty());

    SetChannels(doc, 0, 2, {44});
    tp.forms.loaded << QStringLiteral("frmCommChInfo");
    RevalidateChannelRefs(p, 0, 2, 7);
    EXPECT_EQ(o.EmgCh(0, 2, 0), 0);
    EXPECT_EQ(o.MemCh(0, 2), 44);
    EXPECT_EQ(tp.forms.CallNames(),
              QStringList({"frmCommChInfo.InitValidComboList", "frmCommChInfo.ShowValidComboText"}));
    SetChannels(doc, 0, 2, {41, 9});
    EXPECT_EQ(ValidateChannelRef(doc, 0, 2, 0), 9);  // 0 counts as plain
}

TEST_F(Rules, ModesFollowTheEnableWords) {
    auto& e = d.OptFeat.ModeEnable;
    e = {0, 1, 0, 0, 1, 1};  // AM, CW, PA
    EXPECT_EQ(FillModeCombo(doc, false), QStringList({"AM", "PA", "CW"}));
    EXPECT_EQ(FillModeCombo(doc, true), QStringList({"AM", "CW"}));
    EXPECT_EQ(ModeNameToIndex(QStringLiteral("usb")), 0);
    e = {0, 0, 0, 0, 1, 0};  // only the CW word: mode 5, not 4
    EXPECT_EQ(ValidModeIndex(doc, 4), 5);
    e = {};
    EXPECT_EQ(ValidModeIndex(doc, 3), 0);

    e = {0, 1, 0, 0, 1, 0};  // AM and CW
    SetChannels(doc, 1, 4, {1, 2, 3});
    SetChannels(doc, 0, 16, {41});  // the MEM group is repaired as well
    doc.ChData(1, 1, 4).Mode = doc.ChData(0, 1, 16).Mode = 0;
    doc.ChData(1, 2, 4).Mode = 5;
    doc.ChData(1, 3, 4).Mode = 4;
    tp.forms.loaded << QStringLiteral("frmCommChInfo");
    RevalidateChannelModes(p);
    EXPECT_EQ(std::make_tuple(doc.ChData(1, 1, 4).Mode, doc.ChData(1, 2, 4).Mode, doc.ChData(1, 3, 4).Mode,
                              doc.ChData(0, 1, 16).Mode),
              std::make_tuple(1, 5, 1, 1));
    EXPECT_EQ(tp.forms.CallNames(), QStringList{"frmCommChInfo.RevalidateModeList"});
}

TEST_F(Rules, UnusableToneRecordsLoseTheirUsers) {
    auto& tones = d.RBToneTable;
    tones[1].Cycles = 1;
    tones[1].Step[14].ToneLen = 3;
    tones[2].Cycles = 0;  // never plays
    tones[2].Step[1].ToneLen = 5;
    tones[3].Cycles = 2;  // no step has a length
    EXPECT_EQ(CountToneRecords(doc), 1);

    SetChannels(doc, 0, 10, {1, 2});
    SetChannels(doc, 1, 12, {3});  // group L of the HAM band
    doc.ChData(0, 1, 10).Roger = 2;
    doc.ChData(0, 2, 10).Roger = 1;
    doc.ChData(1, 1, 12).Roger = 3;
    d.OptFeat.PubRoger = 3;
    d.ComChanRb = 2;
    tp.forms.loaded << QStringLiteral("frmCommChInfo") << QStringLiteral("FrmOptFeatures");
    RevalidateToneUsers(p);
    EXPECT_EQ(std::make_tuple(doc.ChData(0, 1, 10).Roger, doc.ChData(0, 2, 10).Roger,
                              doc.ChData(1, 1, 12).Roger, d.OptFeat.PubRoger, int(d.ComChanRb)),
              std::make_tuple(0, 1, 0, 0, 0));
    EXPECT_EQ(tp.forms.CallNames(), QStringList({"frmCommChInfo.ShowRB", "FrmOptFeatures.ShowRB"}));
}

TEST(Dtmf, SlotReferences) {
    Document doc;
    auto& codes = doc.DataRec.OptFeat.DTMFCode;
    codes[3].set(QStringLiteral("123"));
    codes[4].set(QString(QChar(0)) + QStringLiteral("99"));  // cut by the NUL
    EXPECT_EQ(ValidDTMFIndex(doc, 3), 3);
    EXPECT_EQ(ValidDTMFIndex(doc, 4), 0);
    EXPECT_EQ(ValidDTMFIndex(doc, 17), 0);
    // The repair in every group is driven through the DTMF window's tests.
}

}  // namespace
