// Deleting, adding and committing channels of a group.

#include "rules/ChannelEdit.h"
#include "support/Scripted.h"

#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;

namespace {
// Channels numbered as given, each marked by its Reserved1 word.
void SetChannels(Document& doc, int band, int group, std::initializer_list<int> numbers) {
    int s = 0;
    for (int n : numbers) {
        ChannelRecord& r = doc.ChData(band, ++s, group);
        r.ChNo = int16_t(n);
        r.Reserved1 = int16_t(100 + n);
    }
    doc.DataRec.ChCount(band, group) = int16_t(s);
}

std::vector<int> Numbers(const Document& doc, int band, int group) {
    std::vector<int> out;
    for (int s = 1; s <= doc.DataRec.ChCount(band, group); ++s)
        out.push_back(doc.ChData(band, s, group).ChNo);
    return out;
}

struct EditFixture : ::testing::Test {
    TestProgram t;
    Program& p = t.p();
    DataHeaderRec& d = p.doc.DataRec;
    void SetUp() override {
        d.CurGroup = {2, 1};
        p.doc.SetBandText(BandTextOf(0));
        t.forms.loaded << QStringLiteral("frmCommChInfo");
    }
    QString Commit(int chNo, const QString& text) {
        QString v = text;
        CommitChannelEdit(p, chNo, 1, v);
        return v;
    }
};
}  // namespace

TEST(ChannelList, DeleteShiftsAndRefusesWhatIsNotThere) {
    Document doc;
    EXPECT_FALSE(DeleteChannel(doc, 1, 0, 4));  // empty group
    EXPECT_EQ(doc.DataRec.ChCount(0, 4), 0);
    SetChannels(doc, 0, 4, {1, 2, 3, 4, 5});
    EXPECT_FALSE(DeleteChannel(doc, 6, 0, 4));
    ASSERT_TRUE(DeleteChannel(doc, 3, 0, 4));
    EXPECT_EQ(Numbers(doc, 0, 4), (std::vector<int>{1, 2, 4, 5}));
    EXPECT_EQ(doc.ChData(0, 3, 4).Reserved1, 104);  // whole records move
    EXPECT_EQ(doc.ChData(0, 5, 4).ChNo, 5);         // beyond the count, old contents kept
    // A count above the slots is read as a full group.
    doc.DataRec.ChCount(0, 5) = 300;
    ASSERT_TRUE(DeleteChannel(doc, 99, 0, 5));
    EXPECT_EQ(doc.DataRec.ChCount(0, 5), 98);
}

TEST(ChannelList, AddWritesNewChannelKeepsUnwrittenFields) {
    Document doc;
    SetChannels(doc, 1, 3, {1, 2, 9});
    ChannelRecord& old = doc.ChData(1, 3, 3);
    old.RxCtc = 7;
    old.DecDcs = 12;
    old.Mode = 5;
    doc.DataRec.ChCount(1, 3) = 2;
    ASSERT_TRUE(AddChannel(doc, 41, 1, 3, QStringLiteral("28.50000")));
    const ChannelRecord& r = doc.ChData(1, 3, 3);
    EXPECT_EQ(Numbers(doc, 1, 3), (std::vector<int>{1, 2, 41}));
    EXPECT_EQ(r.RxFreq.raw(), QStringLiteral("2850000 "));
    EXPECT_EQ(r.TxFreq, r.RxFreq);
    EXPECT_EQ(r.Mode, 0);
    EXPECT_EQ(r.RxCtc, 7);
    EXPECT_EQ(r.DecDcs, 12);
    EXPECT_EQ(r.Reserved1, 109);

    doc.DataRec.ChCount(0, 16) = 99;
    EXPECT_FALSE(AddChannel(doc, 1, 0, 16, QStringLiteral("28.0")));
    EXPECT_EQ(doc.DataRec.ChCount(0, 16), 99);
    doc.DataRec.ChCount(0, 2) = -4;  // read as an empty group
    ASSERT_TRUE(AddChannel(doc, 9, 0, 2, QStringLiteral("28.0")));
    EXPECT_EQ(Numbers(doc, 0, 2), std::vector<int>{9});
}

TEST_F(EditFixture, TypedFrequencyIsSnappedAndStored) {
    SetChannels(p.doc, 0, 2, {1, 2});
    p.doc.ChData(0, 1, 2).TxFreq.set(QStringLiteral("28015000"));
    EXPECT_EQ(Commit(1, QStringLiteral("29.123456")), QStringLiteral("29.12345"));
    EXPECT_EQ(p.doc.ChData(0, 1, 2).RxFreq.raw(), QStringLiteral("2912345 "));
    EXPECT_EQ(p.doc.ChData(0, 1, 2).TxFreq.raw(), QStringLiteral("28015000"));
    ASSERT_EQ(t.forms.CallNames(), QStringList{"frmCommChInfo.reShowGrid"});
    EXPECT_EQ(t.forms.calls[0].args, QVariantList{1});
}

TEST_F(EditFixture, OutOfRangeDeletesAndRepairsReferences) {
    SetChannels(p.doc, 0, 2, {1, 2, 42});
    d.OptFeat.EmgCh(0, 2, 0) = 2;
    EXPECT_EQ(Commit(2, QStringLiteral("31")), QString());
    EXPECT_EQ(t.prompter.Texts(), QStringList{QStringLiteral("Frequency is out of range.")});
    EXPECT_EQ(Numbers(p.doc, 0, 2), (std::vector<int>{1, 42}));
    EXPECT_EQ(d.OptFeat.EmgCh(0, 2, 0), 1);
}

TEST_F(EditFixture, LastPlainChannelOfGroup) {
    SetChannels(p.doc, 0, 2, {1, 41});
    SetChannels(p.doc, 0, 3, {5});
    d.OptFeat.GroupValid(0, 2) = 1;
    d.OptFeat.EmgCh(0, 2, 0) = 1;
    // No other valid group of the band has a plain channel: the channel stays.
    Commit(1, QString());
    EXPECT_EQ(Numbers(p.doc, 0, 2), (std::vector<int>{1, 41}));
    EXPECT_EQ(d.OptFeat.GroupValid(0, 2), 1);
    // With one elsewhere the group goes out of use; its references are left alone.
    d.OptFeat.GroupValid(0, 3) = 1;
    Commit(1, QString());
    EXPECT_EQ(Numbers(p.doc, 0, 2), std::vector<int>{41});
    EXPECT_EQ(d.OptFeat.GroupValid(0, 2), 0);
    EXPECT_EQ(d.OptFeat.EmgCh(0, 2, 0), 1);
    EXPECT_TRUE(t.prompter.shown.isEmpty());
}

TEST_F(EditFixture, EmptyRowTakesOnlyAValidValue) {
    d.CurGroup[0] = 0;  // read as group 1
    SetChannels(p.doc, 0, 1, {41});
    Commit(7, QString());
    Commit(7, QStringLiteral("40"));
    EXPECT_EQ(Numbers(p.doc, 0, 1), std::vector<int>{41});
    Commit(7, QStringLiteral("27.5"));
    EXPECT_EQ(d.CurGroup[0], 1);
    EXPECT_EQ(Numbers(p.doc, 0, 1), (std::vector<int>{41, 7}));
    EXPECT_EQ(d.OptFeat.EmgCh(0, 1, 1), 7);

    t.forms.loaded.clear();
    t.forms.calls.clear();
    Commit(8, QStringLiteral("27.5"));
    EXPECT_TRUE(t.forms.calls.isEmpty());
}

TEST_F(EditFixture, VfoFrequencyTakesTheGroupsOnlySlot) {
    // A VFO slot holding a record that was never numbered (no template read).
    d.CurGroup[0] = 17;
    d.ChCount(0, 17) = 1;
    Commit(1, QStringLiteral("27.5"));
    EXPECT_EQ(Numbers(p.doc, 0, 17), std::vector<int>{1});
    EXPECT_EQ(p.doc.ChData(0, 1, 17).RxFreq.raw(), QStringLiteral("2750000 "));
}

TEST_F(EditFixture, CorruptCurrentBandOrGroupChangesNothing) {
    SetChannels(p.doc, 0, 2, {1, 2});
    d.CurBand = 5;
    Commit(1, QString());
    d.CurBand = 0;
    d.CurGroup[0] = 40;
    Commit(3, QStringLiteral("28.5"));
    EXPECT_EQ(Numbers(p.doc, 0, 2), (std::vector<int>{1, 2}));
}
