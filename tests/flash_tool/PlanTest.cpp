// The page plan, the flash image and its export, and the frame bytes.

#include "FlashFrames.h"
#include "FlashTexts.h"
#include "support/FlashSupport.h"

namespace kdi::test {
namespace {

using Plan = ProjectFixture;

TEST_F(Plan, PagesOfBlocksAndTheirOrder) {
    struct Case {
        int32_t address;
        int length;
        int first, last, tail;
    };
    for (const Case& c : {Case{0x800, 1024, 2, 2, 0}, Case{0, 1025, 0, 1, 1}, Case{-1024 * 0, 1, 0, 0, 1},
                          Case{0x08020000, 3000, 0x20080, 0x20082, 952}}) {
        project.ResetProjectHeader();
        Block("a.bin", Bytes(c.length), c.address);
        ASSERT_TRUE(project.CheckBlockLayout());
        const PagePlanRec& e = project.PagePlan[0];
        EXPECT_EQ(e.FirstPage, c.first);
        EXPECT_EQ(e.LastPage, c.last);
        EXPECT_EQ(e.TailLength, c.tail);
        EXPECT_EQ(project.PageTotal, c.last - c.first + 1);
    }
    // Added 2048 first, planned and sent 0 first.
    project.ResetProjectHeader();
    Block("hi.bin", Bytes(10, 1), 2048);
    Block("lo.bin", Bytes(1500, 2), 0);
    Block("mid.bin", Bytes(5, 3), 0xC00);
    ASSERT_TRUE(project.CheckBlockLayout());
    ASSERT_EQ(project.PagePlan.size(), 3u);
    EXPECT_EQ(project.PagePlan[1].Address, 2048);
    EXPECT_EQ(project.PagePlan[1].PageBase, 2);
    EXPECT_EQ(project.PagePlan[1].PoolOffset, 0);
    EXPECT_EQ(project.PagePlan[2].PageBase, 3);
    EXPECT_EQ(project.PageTotal, 4);

    // The page sequence with padding after a partial last page.
    project.ProjHead.BaseOffset = 0x10000;
    const PageOut p1 = project.PageOfSequence(1, true);
    EXPECT_EQ(p1.address, 0x10400u);
    EXPECT_EQ(p1.data.left(476), Bytes(1500, 2).mid(1024));
    EXPECT_EQ(p1.data.mid(476), QByteArray(548, char(0xFF)));
    const PageOut p2 = project.PageOfSequence(2, false);
    EXPECT_EQ(p2.address, 0x10800u);
    EXPECT_EQ(p2.data, Bytes(10, 1) + QByteArray(1014, '\0'));
}

TEST_F(Plan, LayoutErrorsEachHaveTheirMessage) {
    struct Case {
        std::vector<std::pair<int32_t, int>> blocks;  // address, length
        int32_t baseOffset;
        QString message;
    };
    const std::vector<Case> cases = {
        {{{0, 100}, {512, 10}}, 0, text::kNotAligned},
        {{{0, 1025}, {1024, 10}}, 0, text::kConflict},
        {{{1024, 10}, {1024, 10}}, 0, text::kConflict},
        {{{0, 100}, {1024, 10}}, 0, QString()},
        // A negative address is no flash address, although it is a page multiple.
        {{{-1024, 10}}, 0, text::kOutOfRange},
        {{{0x7FFFFC00, 1024}}, 0, QString()},
        {{{0x7FFFFC00, 1025}}, 0, text::kOutOfRange},
        {{{0x7FFFFC00, 10}}, 0x400, text::kOutOfRange},
        {{{0x400, 10}}, -0x400, QString()},
        {{{0x400, 10}}, -0x800, text::kOutOfRange},
    };
    for (const Case& c : cases) {
        project.ResetProjectHeader();
        int k = 0;
        for (auto [address, length] : c.blocks)
            Block(QStringLiteral("b%1.bin").arg(k++), Bytes(length), address);
        project.ProjHead.BaseOffset = c.baseOffset;
        prompter.shown.clear();
        EXPECT_EQ(project.CheckBlockLayout(), c.message.isEmpty()) << c.message.toStdString();
        EXPECT_EQ(prompter.Texts(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
    }
    // Blocks but no data, and no blocks at all.
    project.ResetProjectHeader();
    prompter.shown.clear();
    EXPECT_FALSE(project.CheckBlockLayout());
    project.BlockList.resize(1);
    project.ProjHead.BlockCount = 1;
    EXPECT_FALSE(project.CheckBlockLayout());
    EXPECT_EQ(prompter.Texts(), QStringList(2, text::kNoData));
}

TEST_F(Plan, TheImageSpansLowestStartToHighestEndWithGapsOfFF) {
    Block("b.bin", Bytes(2, 5), 1024);
    Block("a.bin", Bytes(3, 4), 0);
    ASSERT_TRUE(project.CheckBlockLayout());
    ASSERT_TRUE(project.BuildFlashImage());
    ASSERT_TRUE(project.WriteBinFile(Path("out.bin")));
    EXPECT_EQ(ReadFile(Path("out.bin")), Bytes(3, 4) + QByteArray(1021, char(0xFF)) + Bytes(2, 5));
    EXPECT_EQ(prompter.Texts(), QStringList{text::kBinWritten});

    // The image starts at the lowest block, wherever that is.
    project.ResetProjectHeader();
    Block("c.bin", Bytes(77, 6), 0x08020000);
    ASSERT_TRUE(project.CheckBlockLayout());
    ASSERT_TRUE(project.BuildFlashImage());
    ASSERT_TRUE(project.WriteBinFile(Path("out.bin")));
    EXPECT_EQ(ReadFile(Path("out.bin")), Bytes(77, 6));

    // A cancelled dialog writes nothing; an unwritable file says so.
    prompter.shown.clear();
    EXPECT_FALSE(project.WriteBinFile(QString()));
    EXPECT_FALSE(project.WriteBinFile(Path("no/such/folder/out.bin")));
    EXPECT_EQ(prompter.Texts(), QStringList{text::kBinFailed});

    // A span beyond any flash is refused, not allocated.
    project.ResetProjectHeader();
    Block("lo.bin", Bytes(1), 0);
    Block("hi.bin", Bytes(1), 0x7FFFFC00);
    ASSERT_TRUE(project.CheckBlockLayout());
    prompter.shown.clear();
    EXPECT_FALSE(project.BuildFlashImage());
    EXPECT_EQ(prompter.Texts(), QStringList{text::kMakeBinError});
    EXPECT_TRUE(project.ImageBuffer.isEmpty());
}

TEST(FlashText, HexPadKeepsTheRightmostDigits) {
    EXPECT_EQ(HexPad(26, 6), QStringLiteral("00001A"));
    EXPECT_EQ(HexPad(-1, 6), QStringLiteral("FFFFFF"));
    EXPECT_EQ(HexPad(0x08020000, 8), QStringLiteral("08020000"));
    EXPECT_EQ(HexPadDump(0xAB), QStringLiteral("AB"));
}

TEST(FlashFramesTest, PageFrameBytesAndSum) {
    QByteArray data(1024, char(0xFF));
    data[0] = 0x01;
    data[1023] = 0x02;
    const QByteArray f = WritePageFrame(0x00010800, data);
    ASSERT_EQ(f.size(), 1032);
    EXPECT_EQ(f.left(5), QByteArray("\x01\x00\x08\x01\x00", 5));
    EXPECT_EQ(f.mid(5, 1024), data);
    // 0x08 + 0x01 + 0x01 + 1022 x 0xFF + 0x02 = 0x3FA0E: the leading 0x01 is not summed
    EXPECT_EQ(Sum16(f), 0xFA0E);
    EXPECT_EQ(f.mid(1029), QByteArray("\x0E\xFA\x06", 3));
    // All 0xFF in the top address byte and data: carries past 16 bits are dropped.
    const QByteArray g = WritePageFrame(0xFFFFFFFF, QByteArray(1024, char(0xFF)));
    EXPECT_EQ(uint32_t(Sum16(g)), (1028u * 0xFF) & 0xFFFF);

    EXPECT_EQ(ReadPageRequest(0x0102), QByteArray("\x02\x01\x02\x06", 4));
    const QByteArray reply = ReadPageReply(3, Bytes(1024, 9));
    ASSERT_EQ(reply.size(), kReadReplySize);
    EXPECT_EQ(ParseReadPageReply(reply, 0, 3), Bytes(1024, 9));
    EXPECT_EQ(ParseReadPageReply(QByteArray(4, 'e') + reply, 4, 3), Bytes(1024, 9));
    EXPECT_FALSE(ParseReadPageReply(reply, 0, 2));  // another page
    QByteArray spoilt = reply;
    spoilt[500] = char(spoilt[500] ^ 1);
    EXPECT_FALSE(ParseReadPageReply(spoilt, 0, 3));
    EXPECT_FALSE(ParseReadPageReply(reply + "x", 0, 3));
}

TEST(FlashFramesTest, IdentityReplyIsExactlySixteenBytesAfterTheEcho) {
    QByteArray r = IdReply("ABC", "V1\xFF" "2");
    r[5] = 'x';  // after the model's 0x00: not read
    auto id = ParseIdReply(r, 0);
    ASSERT_TRUE(id);
    EXPECT_EQ(id->model, QStringLiteral("ABC"));
    EXPECT_EQ(id->version, QStringLiteral("V12"));
    EXPECT_TRUE(ParseIdReply(QByteArray(1, 0x02) + r, 1));
    EXPECT_FALSE(ParseIdReply(r, 1));
    EXPECT_FALSE(ParseIdReply(r + "x", 0));
    EXPECT_FALSE(ParseIdReply(r.left(15), 0));
    r[15] = 0x15;
    EXPECT_FALSE(ParseIdReply(r, 0));
}

}  // namespace
}  // namespace kdi::test
