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
void SetChannels(Document& doc, int band, int group, std::initializer_list<int> numbers) {
    int s = 0;
    for (int n : numbers) doc.ChData(band, ++s, group).ChNo = int16_t(n);
    doc.DataRec.ChCount(band, group) = int16_t(s);
}
}  // namespace

TEST(ListHelpers, FallBackToFirstEntry) {
    const QStringList items = {QStringLiteral("OFF"), QStringLiteral("1"), QStringLiteral("3")};
    EXPECT_EQ(FindComboText(items, QStringLiteral("3")), QStringLiteral("3"));
    EXPECT_EQ(FindComboText(items, QStringLiteral("off")), QStringLiteral("OFF"));
    EXPECT_EQ(ComboTextAt(items, -1), QStringLiteral("OFF"));
    EXPECT_EQ(SelectComboByText(items, QStringLiteral("7")), 0);
    EXPECT_EQ(SelectComboByIndex(items, 9), 0);
    EXPECT_EQ(SelectComboByText({}, QStringLiteral("7")), -1);
    EXPECT_EQ(SelectComboByIndex({QString(), QStringLiteral("A")}, 0), -1);
}

TEST(ChannelRefs, ListsAndCountsByKind) {
    Document doc;
    SetChannels(doc, 0, 3, {12, 43, 5, 41, 40});
    EXPECT_EQ(FillChannelCombo(doc, 0, 3, 0), QStringList({"5", "12", "40"}));
    EXPECT_EQ(FillChannelCombo(doc, 0, 3, 1), QStringList({"M1", "M3"}));
    EXPECT_EQ(doc.DataRec.ChCount(0, 17), 1);  // the VFO groups always count one channel
    EXPECT_EQ(doc.DataRec.ChCount(1, 14), 1);
    EXPECT_EQ(CountSameKindChannels(doc, 0, 3, 44), 2);

    // Counts and groups a file may carry never index outside the arrays.
    doc.DataRec.ChCount(0, 4) = 500;
    doc.DataRec.ChCount(0, 5) = -3;
    EXPECT_EQ(FillChannelCombo(doc, 0, 4, 0).size(), kMaxSlots);
    EXPECT_EQ(CountPlainChannels(doc, 0, 5), 0);
    EXPECT_EQ(CountOtherPlainChannels(doc, 2, 1, 1), 0);
    EXPECT_TRUE(FillChannelCombo(doc, -1, 0, 0).isEmpty());
}

TEST(ChannelRefs, RepairAfterChannelsChange) {
    TestProgram t;
    Program& p = t.p();
    OptFeatRec& o = p.doc.DataRec.OptFeat;
    SetChannels(p.doc, 0, 2, {7, 42, 3, 41});
    o.EmgCh(0, 2, 0) = 5;  // gone: first plain channel in slot order
    o.EmgCh(0, 2, 1) = 3;
    o.MemCh(0, 2) = 45;  // gone: first M channel
    RevalidateChannelRefs(p, 0, 2, 5);
    EXPECT_EQ(o.EmgCh(0, 2, 0), 7);
    EXPECT_EQ(o.EmgCh(0, 2, 1), 3);
    EXPECT_EQ(o.MemCh(0, 2), 42);
    EXPECT_TRUE(t.forms.calls.isEmpty());

    SetChannels(p.doc, 0, 2, {44});
    t.forms.loaded << QStringLiteral("frmCommChInfo");
    RevalidateChannelRefs(p, 0, 2, 7);
    EXPECT_EQ(o.EmgCh(0, 2, 0), 0);
    EXPECT_EQ(o.MemCh(0, 2), 44);
    EXPECT_EQ(t.forms.CallNames(), QStringList({"frmCommChInfo.InitValidComboList",
                                                 "frmCommChInfo.ShowValidComboText"}));
    SetChannels(p.doc, 0, 2, {41, 9});
    EXPECT_EQ(ValidateChannelRef(p.doc, 0, 2, 0), 9);  // 0 counts as plain
}

TEST(Modes, EnableWordsAndRepair) {
    TestProgram t;
    Program& p = t.p();
    auto& e = p.doc.DataRec.OptFeat.ModeEnable;
    e = {0, 1, 0, 0, 1, 1};  // AM, CW, PA
    EXPECT_EQ(FillModeCombo(p.doc, false), QStringList({"AM", "PA", "CW"}));
    EXPECT_EQ(FillModeCombo(p.doc, true), QStringList({"AM", "CW"}));
    EXPECT_EQ(ModeNameToIndex(QStringLiteral("usb")), 0);
    e = {0, 0, 0, 0, 1, 0};  // only the CW word: mode 5, not 4
    EXPECT_EQ(ValidModeIndex(p.doc, 4), 5);
    e = {};
    EXPECT_EQ(ValidModeIndex(p.doc, 3), 0);

    e = {0, 1, 0, 0, 1, 0};  // AM and CW
    SetChannels(p.doc, 1, 4, {1, 2, 3});
    p.doc.ChData(1, 1, 4).Mode = 0;
    p.doc.ChData(1, 2, 4).Mode = 5;
    p.doc.ChData(1, 3, 4).Mode = 4;
    SetChannels(p.doc, 0, 11, {1});  // beyond the groups repaired
    p.doc.ChData(0, 1, 11).Mode = 0;
    t.forms.loaded << QStringLiteral("frmCommChInfo");
    RevalidateChannelModes(p);
    EXPECT_EQ(p.doc.ChData(1, 1, 4).Mode, 1);
    EXPECT_EQ(p.doc.ChData(1, 2, 4).Mode, 5);
    EXPECT_EQ(p.doc.ChData(1, 3, 4).Mode, 1);
    EXPECT_EQ(p.doc.ChData(0, 1, 11).Mode, 0);
    EXPECT_EQ(t.forms.CallNames(), QStringList{"frmCommChInfo.RevalidateModeList"});
}

TEST(Tones, UnusableRecordsLoseTheirUsers) {
    TestProgram t;
    Program& p = t.p();
    auto& tones = p.doc.DataRec.RBToneTable;
    tones[1].Cycles = 1;
    tones[1].Step[14].ToneLen = 3;
    tones[2].Cycles = 0;  // never plays
    tones[2].Step[1].ToneLen = 5;
    tones[3].Cycles = 2;  // no step has a length
    EXPECT_EQ(CountToneRecords(p.doc), 1);

    SetChannels(p.doc, 0, 10, {1, 2});
    p.doc.ChData(0, 1, 10).Roger = 2;
    p.doc.ChData(0, 2, 10).Roger = 1;
    p.doc.DataRec.OptFeat.PubRoger = 3;
    t.forms.loaded << QStringLiteral("frmCommChInfo") << QStringLiteral("FrmOptFeatures");
    RevalidateToneUsers(p);
    EXPECT_EQ(p.doc.ChData(0, 1, 10).Roger, 0);
    EXPECT_EQ(p.doc.ChData(0, 2, 10).Roger, 1);
    EXPECT_EQ(p.doc.DataRec.OptFeat.PubRoger, 0);
    EXPECT_EQ(t.forms.CallNames(), QStringList({"frmCommChInfo.ShowRB", "FrmOptFeatures.ShowRB"}));
}

TEST(Dtmf, SlotReferences) {
    Document doc;
    auto& codes = doc.DataRec.OptFeat.DTMFCode;
    codes[3].set(QStringLiteral("123"));
    codes[4].set(QString(QChar(0)) + QStringLiteral("99"));  // cut by the NUL
    EXPECT_EQ(ValidDTMFIndex(doc, 3), 3);
    EXPECT_EQ(ValidDTMFIndex(doc, 4), 0);
    EXPECT_EQ(ValidDTMFIndex(doc, 17), 0);
}
