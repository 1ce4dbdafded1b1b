// Channel, mode, tone and DTMF references, and the list helpers.

#include "rules/ChannelRefs.h"
#include "rules/DtmfRefs.h"
#include "rules/ListHelpers.h"
#include "rules/ModeRules.h"
#include "rules/ToneRefs.h"
#include "support/Scripted.h"

#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;

namespace {
// Puts channels with these numbers into slots 1.. of the group.
void SetChannels(Document& doc, int band, int group, std::initializer_list<int> numbers) {
    int s = 0;
    for (int n : numbers) doc.ChData(band, ++s, group).ChNo = int16_t(n);
    doc.DataRec.ChCount(band, group) = int16_t(s);
}

const QString kChannelWindow = QStringLiteral("frmCommChInfo");
}  // namespace

TEST(ListHelpers, FallbacksOnMissingEntries) {
    const QStringList items = {QStringLiteral("OFF"), QStringLiteral("1"), QStringLiteral("3")};
    EXPECT_EQ(FindComboText(items, QStringLiteral("3")), QStringLiteral("3"));
    EXPECT_EQ(FindComboText(items, QStringLiteral("2")), QStringLiteral("OFF"));
    EXPECT_EQ(FindComboText(items, QStringLiteral("off")), QStringLiteral("OFF"));
    EXPECT_EQ(FindComboText({}, QStringLiteral("1")), QString());
    EXPECT_EQ(ComboTextAt(items, 2), QStringLiteral("3"));
    EXPECT_EQ(ComboTextAt(items, 3), QStringLiteral("OFF"));
    EXPECT_EQ(ComboTextAt(items, -1), QStringLiteral("OFF"));
    EXPECT_EQ(ComboTextAt({}, 0), QString());

    EXPECT_EQ(SelectComboByText(items, QStringLiteral("3")), 2);
    EXPECT_EQ(SelectComboByText(items, QStringLiteral("7")), 0);
    EXPECT_EQ(SelectComboByText({}, QStringLiteral("7")), -1);
    EXPECT_EQ(SelectComboByIndex(items, 1), 1);
    EXPECT_EQ(SelectComboByIndex(items, 9), 0);
    // An empty entry cannot be selected.
    EXPECT_EQ(SelectComboByIndex({QString(), QStringLiteral("A")}, 0), -1);

    EXPECT_EQ(CheckValueOrDefault(1, 5), 1);
    EXPECT_EQ(CheckValueOrDefault(2, 5), 5);
    EXPECT_EQ(CheckValueOrDefault(-1, 0), 0);
}

TEST(ChannelRefs, ListsAndCounts) {
    Document doc;
    SetChannels(doc, 0, 3, {12, 43, 5, 41, 40});
    EXPECT_EQ(FillChannelCombo(doc, 0, 3, 0), QStringList({"5", "12", "40"}));
    EXPECT_EQ(FillChannelCombo(doc, 0, 3, 1), QStringList({"M1", "M3"}));
    // The VFO groups always count one channel.
    EXPECT_EQ(doc.DataRec.ChCount(0, 17), 1);
    EXPECT_EQ(doc.DataRec.ChCount(1, 14), 1);
    EXPECT_EQ(CountPlainChannels(doc, 0, 3), 3);
    EXPECT_EQ(CountSameKindChannels(doc, 0, 3, 44), 2);
    EXPECT_EQ(CountSameKindChannels(doc, 0, 3, 0), 3);
    EXPECT_EQ(ChannelKindMatches(41, 46), 41);
    EXPECT_EQ(ChannelKindMatches(40, 46), 0);

    // Counts and groups a file may carry never index outside the arrays.
    doc.DataRec.ChCount(0, 4) = 500;
    doc.DataRec.ChCount(0, 5) = -3;
    EXPECT_EQ(FillChannelCombo(doc, 0, 4, 0).size(), kMaxSlots);  // every slot, no more
    EXPECT_EQ(CountPlainChannels(doc, 0, 5), 0);
    EXPECT_EQ(CountPlainChannels(doc, 2, 1), 0);
    EXPECT_EQ(CountPlainChannels(doc, 0, 18), 0);
    EXPECT_TRUE(FillChannelCombo(doc, -1, 0, 0).isEmpty());
}

TEST(ChannelRefs, OtherPlainChannelsOfValidGroups) {
    Document doc;
    SetChannels(doc, 0, 1, {1, 41});
    SetChannels(doc, 0, 2, {2, 3});
    SetChannels(doc, 0, 11, {4});  // beyond the groups walked
    doc.DataRec.OptFeat.GroupValid(0, 1) = 1;
    doc.DataRec.OptFeat.GroupValid(0, 11) = 1;
    EXPECT_EQ(CountOtherPlainChannels(doc, 0, 1, 1), 0);
    doc.DataRec.OptFeat.GroupValid(0, 2) = 1;
    EXPECT_EQ(CountOtherPlainChannels(doc, 0, 1, 1), 2);
    EXPECT_EQ(CountOtherPlainChannels(doc, 0, 2, 3), 2);
    // Band 1 walks groups 1..9 only.
    SetChannels(doc, 1, 10, {7});
    doc.DataRec.OptFeat.GroupValid(1, 10) = 1;
    EXPECT_EQ(CountOtherPlainChannels(doc, 1, 1, 1), 0);
}

TEST(ChannelRefs, RepairAfterChannelsChange) {
    TestProgram t;
    Program& p = t.p();
    OptFeatRec& o = p.doc.DataRec.OptFeat;
    SetChannels(p.doc, 0, 2, {7, 42, 3, 41});
    o.EmgCh(0, 2, 0) = 5;   // deleted plain channel -> first plain channel in slot order
    o.EmgCh(0, 2, 1) = 3;   // still there
    o.MemCh(0, 2) = 45;     // deleted M channel -> first M channel
    o.EmgMode(0, 2, 0) = 3;
    RevalidateChannelRefs(p, 0, 2, 5);
    EXPECT_EQ(o.EmgCh(0, 2, 0), 7);
    EXPECT_EQ(o.EmgCh(0, 2, 1), 3);
    EXPECT_EQ(o.MemCh(0, 2), 42);
    EXPECT_EQ(o.EmgMode(0, 2, 0), 3);
    EXPECT_TRUE(t.forms.calls.isEmpty());

    // Only M channels left: plain references (0 included) become 0.
    SetChannels(p.doc, 0, 2, {44});
    o.EmgCh(0, 2, 0) = 0;
    t.forms.loaded << kChannelWindow;
    RevalidateChannelRefs(p, 0, 2, 7);
    EXPECT_EQ(o.EmgCh(0, 2, 0), 0);
    EXPECT_EQ(o.EmgCh(0, 2, 1), 0);
    EXPECT_EQ(o.MemCh(0, 2), 44);
    EXPECT_EQ(t.forms.CallNames(), QStringList({"frmCommChInfo.InitValidComboList",
                                                 "frmCommChInfo.ShowValidComboText"}));
    // A reference of 0 becomes the group's first plain channel when it has one.
    SetChannels(p.doc, 0, 2, {41, 9});
    EXPECT_EQ(ValidateChannelRef(p.doc, 0, 2, 0), 9);
}

TEST(Modes, NamesAndValidation) {
    EXPECT_EQ(ModeNameToIndex(QStringLiteral("PA")), 4);
    EXPECT_EQ(ModeNameToIndex(QStringLiteral("CW")), 5);
    EXPECT_EQ(ModeNameToIndex(QStringLiteral("usb")), 0);
    EXPECT_EQ(ModeIndexToName(4), QStringLiteral("PA"));
    EXPECT_EQ(ModeIndexToName(9), QStringLiteral("FM"));
    EXPECT_EQ(ModeIndexToName(-1), QStringLiteral("FM"));

    Document doc;
    auto& e = doc.DataRec.OptFeat.ModeEnable;
    e = {0, 1, 0, 0, 1, 1};  // AM, CW, PA
    EXPECT_EQ(FillModeCombo(doc, false), QStringList({"AM", "PA", "CW"}));
    EXPECT_EQ(FillModeCombo(doc, true), QStringList({"AM", "CW"}));
    EXPECT_EQ(ValidModeIndex(doc, 0), 1);
    EXPECT_EQ(ValidModeIndex(doc, 5), 5);
    EXPECT_EQ(ValidModeIndex(doc, 4), 4);
    EXPECT_EQ(ValidModeIndex(doc, 77), 1);
    e = {0, 0, 0, 0, 1, 0};  // only CW: the enable words run FM, AM, USB, LSB, CW, PA
    EXPECT_EQ(ValidModeIndex(doc, 4), 5);
    e = {};
    EXPECT_EQ(ValidModeIndex(doc, 3), 0);
    EXPECT_TRUE(FillModeCombo(doc, false).isEmpty());
}

TEST(Modes, RevalidateChannels) {
    TestProgram t;
    Program& p = t.p();
    p.doc.DataRec.OptFeat.ModeEnable = {0, 1, 0, 0, 1, 0};  // AM and CW
    SetChannels(p.doc, 1, 4, {1, 2, 3});
    p.doc.ChData(1, 1, 4).Mode = 0;
    p.doc.ChData(1, 2, 4).Mode = 5;
    p.doc.ChData(1, 3, 4).Mode = 4;
    SetChannels(p.doc, 0, 11, {1});
    p.doc.ChData(0, 1, 11).Mode = 0;
    p.doc.ChData(1, 4, 4).Mode = 2;  // beyond the count
    t.forms.loaded << kChannelWindow;
    RevalidateChannelModes(p);
    EXPECT_EQ(p.doc.ChData(1, 1, 4).Mode, 1);
    EXPECT_EQ(p.doc.ChData(1, 2, 4).Mode, 5);
    EXPECT_EQ(p.doc.ChData(1, 3, 4).Mode, 1);
    EXPECT_EQ(p.doc.ChData(0, 1, 11).Mode, 0);
    EXPECT_EQ(p.doc.ChData(1, 4, 4).Mode, 2);
    EXPECT_EQ(t.forms.CallNames(), QStringList{"frmCommChInfo.RevalidateModeList"});
}

TEST(Tones, UsableRecordsAndReferences) {
    TestProgram t;
    Program& p = t.p();
    auto& tones = p.doc.DataRec.RBToneTable;
    tones[1].Cycles = 1;
    tones[1].Step[14].ToneLen = 3;
    tones[2].Cycles = 0;  // never plays
    tones[2].Step[1].ToneLen = 5;
    tones[3].Cycles = 2;  // no step has a length
    tones[3].Step[1].ToneFreq = 100;
    tones[8].Cycles = 1;
    tones[8].Step[1].ToneLen = 1;
    EXPECT_EQ(ValidToneIndex(p.doc, 1), 1);
    EXPECT_EQ(ValidToneIndex(p.doc, 2), 0);
    EXPECT_EQ(ValidToneIndex(p.doc, 3), 0);
    EXPECT_EQ(ValidToneIndex(p.doc, 9), 0);
    EXPECT_EQ(ValidToneIndex(p.doc, -1), 0);
    EXPECT_EQ(CountToneRecords(p.doc), 2);

    SetChannels(p.doc, 0, 10, {1, 2});
    p.doc.ChData(0, 1, 10).Roger = 2;
    p.doc.ChData(0, 2, 10).Roger = 8;
    SetChannels(p.doc, 0, 12, {1});
    p.doc.ChData(0, 1, 12).Roger = 2;
    p.doc.DataRec.OptFeat.PubRoger = 3;
    t.forms.loaded << kChannelWindow << QStringLiteral("FrmOptFeatures");
    RevalidateToneUsers(p);
    EXPECT_EQ(p.doc.ChData(0, 1, 10).Roger, 0);
    EXPECT_EQ(p.doc.ChData(0, 2, 10).Roger, 8);
    EXPECT_EQ(p.doc.ChData(0, 1, 12).Roger, 2);
    EXPECT_EQ(p.doc.DataRec.OptFeat.PubRoger, 0);
    EXPECT_EQ(t.forms.CallNames(), QStringList({"frmCommChInfo.ShowRB", "FrmOptFeatures.ShowRB"}));
}

TEST(Dtmf, SlotReferences) {
    Document doc;
    auto& codes = doc.DataRec.OptFeat.DTMFCode;
    codes[3].set(QStringLiteral("123"));
    codes[4].set(QString(QChar(0)) + QStringLiteral("99"));  // cut by the NUL
    codes[16].set(QStringLiteral("#"));
    EXPECT_EQ(ValidDTMFIndex(doc, 3), 3);
    EXPECT_EQ(ValidDTMFIndex(doc, 16), 16);
    EXPECT_EQ(ValidDTMFIndex(doc, 4), 0);
    EXPECT_EQ(ValidDTMFIndex(doc, 0), 0);
    EXPECT_EQ(ValidDTMFIndex(doc, -2), 0);
    EXPECT_EQ(ValidDTMFIndex(doc, 17), 0);
    codes[3].set(QString());
    EXPECT_EQ(ValidDTMFIndex(doc, 3), 0);
    EXPECT_FALSE(IsDTMFCodeSet(doc, 3));
}
