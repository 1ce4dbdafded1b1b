// The project model, its three files and the settings.

#include "FlashSettings.h"
#include "FlashTestSupport.h"
#include "FlashTexts.h"
#include "ProjectFiles.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>

namespace kdi::test {
namespace {

using Project = ProjectFixture;

TEST_F(Project, AddingReplacesByExactNameAndMovesTheFollowingBlocks) {
    ASSERT_TRUE(Add("a.bin", Bytes(10, 1)));
    ASSERT_TRUE(Add("b.bin", Bytes(20, 2)));
    ASSERT_TRUE(Add("A.bin", Bytes(5, 3)));  // letter case counts: a third block
    ASSERT_EQ(project.BlockList.size(), 3u);
    EXPECT_EQ(project.BlockList[2].Address, 0x08020000);
    EXPECT_EQ(project.BlockList[2].NoEncrypt, 1);
    project.BlockList[0].Address = 0x400;
    project.ProjHead.BaseOffset = 0x10000;

    // Same size: in place, the address stays.
    ASSERT_TRUE(Add("a.bin", Bytes(10, 9)));
    EXPECT_EQ(project.BlockList.size(), 3u);
    EXPECT_EQ(PoolOf(0), Bytes(10, 9));
    EXPECT_EQ(project.BlockList[0].Address, 0x400);
    EXPECT_EQ(project.ProjHead.BaseOffset, 0);

    // Larger, then smaller: the later blocks keep their bytes and move.
    for (int n : {300, 4}) {
        ASSERT_TRUE(Add("a.bin", Bytes(n, n)));
        EXPECT_EQ(PoolOf(0), Bytes(n, n));
        EXPECT_EQ(project.BlockList[1].PoolOffset, n);
        EXPECT_EQ(project.BlockList[2].PoolOffset, n + 20);
        EXPECT_EQ(PoolOf(1), Bytes(20, 2));
        EXPECT_EQ(PoolOf(2), Bytes(5, 3));
        EXPECT_EQ(project.ProjHead.PoolSize, n + 25);
        EXPECT_EQ(project.DataPool.size(), n + 25);
        EXPECT_EQ(project.BlockList[0].Address, 0x400);
    }
    EXPECT_EQ(project.ProjHead.BlockCount, 3);
    EXPECT_TRUE(prompter.shown.isEmpty());
}

TEST_F(Project, AnEmptyOrMissingFileChangesNothing) {
    ASSERT_TRUE(Add("a.bin", Bytes(10)));
    project.ProjHead.BaseOffset = 0x800;
    EXPECT_FALSE(Add("empty.bin", QByteArray()));
    EXPECT_EQ(prompter.Texts(), QStringList{text::kFileEmpty});
    EXPECT_FALSE(project.AddBlockFile(Path("none.bin")));
    EXPECT_EQ(prompter.shown.size(), 1);  // the missing file says nothing
    EXPECT_EQ(project.BlockList.size(), 1u);
    EXPECT_EQ(project.ProjHead.BaseOffset, 0x800);
}

TEST_F(Project, ModifiedComparesBlocksAndPoolNotTexts) {
    project.ResetProjectHeader();
    EXPECT_FALSE(project.IsProjectModified());
    ASSERT_TRUE(Add("a.bin", Bytes(10)));
    EXPECT_TRUE(project.IsProjectModified());
    project.SnapshotProject();
    EXPECT_FALSE(project.IsProjectModified());

    project.SetModelText(2, QStringLiteral("Other display"));
    project.ProjHead.BaseOffset = 0x400;
    project.BlockList[0].BlockType = 1;
    EXPECT_FALSE(project.IsProjectModified());
    project.BlockList[0].Address = 0;
    EXPECT_TRUE(project.IsProjectModified());
    project.BlockList[0].Address = 0x08020000;
    project.DataPool[3] = char(0x55);
    EXPECT_TRUE(project.IsProjectModified());
    project.RestoreProject();
    EXPECT_FALSE(project.IsProjectModified());
    EXPECT_EQ(PoolOf(0), Bytes(10));

    // Two equal blocks each find a saved one, whatever the order.
    project.BlockList.push_back(project.BlockList[0]);
    project.SavedBlockList = {project.BlockList[0], project.BlockList[0]};
    project.SavedProjHead.BlockCount = project.ProjHead.BlockCount = 2;
    EXPECT_FALSE(project.IsProjectModified());
}

TEST_F(Project, RemovingBlocksClosesTheirGaps) {
    Block("a.bin", Bytes(10, 1), 0);
    Block("b.bin", Bytes(20, 2), 0x400);
    ASSERT_TRUE(Add("c.bin", Bytes(30, 3)));
    project.BlockList[2].Address = 0x800;
    // The dialog removes from the last index down.
    project.RemoveBlock(1);
    ASSERT_EQ(project.BlockList.size(), 2u);
    EXPECT_EQ(BlockName(project.BlockList[1]), QStringLiteral("c.bin"));
    EXPECT_EQ(project.BlockList[1].PoolOffset, 10);
    EXPECT_EQ(PoolOf(1), Bytes(30, 3));
    project.RemoveBlock(0);
    EXPECT_EQ(project.BlockList[0].PoolOffset, 0);
    EXPECT_EQ(PoolOf(0), Bytes(30, 3));
    project.RemoveBlock(5);  // no such block
    project.RemoveBlock(0);
    EXPECT_EQ(project.ProjHead.BlockCount, 0);
    EXPECT_EQ(project.ProjHead.PoolSize, 0);
    EXPECT_TRUE(project.DataPool.isEmpty());
}

TEST_F(Project, ModelCheckAndFileNames) {
    EXPECT_FALSE(project.CheckModel(false));
    EXPECT_EQ(project.ProjHead.Marker, 32);
    project.SetModelText(0, QStringLiteral("KD-F1"));
    project.SetModelText(1, QStringLiteral("V10"));  // not 4 characters
    EXPECT_FALSE(project.CheckModel(false));
    project.SetModelText(1, QStringLiteral("V100"));
    EXPECT_TRUE(project.CheckModel(false));
    EXPECT_FALSE(project.CheckModel(true));  // display texts missing
    EXPECT_EQ(prompter.Texts(), QStringList(3, text::kModelIncomplete));
    Model();
    EXPECT_TRUE(project.CheckModel(true));

    EXPECT_EQ(GetFileName(QStringLiteral("C:\\p\\demo.bin")), QStringLiteral("demo.bin"));
    EXPECT_EQ(GetFileName(QStringLiteral("/tmp/x/a.bin")), QStringLiteral("a.bin"));
    EXPECT_EQ(GetFileName(QStringLiteral("plain")), QStringLiteral("plain"));
    EXPECT_EQ(BlockIndexPath(QStringLiteral("/p/demo.spi")), QStringLiteral("/p/demo.CDI"));
    EXPECT_EQ(DataPoolPath(QStringLiteral("/p/demo")), QStringLiteral("/p/dCDD"));
}

// --- files -------------------------------------------------------------------

int32_t Le32(const QByteArray& b, int at) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t(uint8_t(b[at + i])) << (8 * i);
    return int32_t(v);
}

TEST_F(Project, SavedFilesHoldTheFieldsAtTheirOffsets) {
    Block("one.bin", Bytes(10, 1), 0x400);
    const QString longName = QString(251, QLatin1Char('n')) + QStringLiteral(".bin");
    Block(longName, Bytes(20, 2), -1024);
    project.BlockList[1].BlockType = 1;
    project.BlockList[1].NoEncrypt = 0;
    Model();
    project.ProjHead.Marker = 32;
    project.ProjHead.BaseOffset = 0x12345678;
    project.ProjHead.ModelInfoRec.FillFF = 1;
    project.ProjectPath = Path("demo.spi");
    ASSERT_TRUE(project.SaveProjectFile());
    EXPECT_FALSE(project.IsProjectModified());

    const QByteArray spi = ReadFile(Path("demo.spi"));
    ASSERT_EQ(spi.size(), 51);
    EXPECT_EQ(Le32(spi, 0), 32);
    EXPECT_EQ(spi.mid(4, 2), QByteArray("\x02\x00", 2));
    EXPECT_EQ(Le32(spi, 6), 30);
    EXPECT_EQ(Le32(spi, 10), 0x12345678);
    EXPECT_EQ(spi.mid(14, 8), QByteArray("KD-F1   "));
    EXPECT_EQ(spi.mid(22, 4), QByteArray("V100"));
    EXPECT_EQ(spi.mid(26, 16), QByteArray("Display         "));
    EXPECT_EQ(spi.mid(42, 8), QByteArray("D1      "));
    EXPECT_EQ(spi[50], char(1));

    const QByteArray cdi = ReadFile(Path("demo.CDI"));
    ASSERT_EQ(cdi.size(), 556);
    EXPECT_EQ(cdi.left(8), QByteArray("one.bin\0", 8));
    EXPECT_EQ(cdi.mid(8, 248), QByteArray(248, ' '));
    EXPECT_EQ(Le32(cdi, 256), 0x400);
    EXPECT_EQ(Le32(cdi, 260), 10);
    EXPECT_EQ(Le32(cdi, 264), 0);
    EXPECT_EQ(cdi.mid(268, 2), QByteArray("\x00\x00", 2));
    EXPECT_EQ(Le32(cdi, 270), 1);
    EXPECT_EQ(Le32(cdi, 274), 0);
    const QByteArray second = cdi.mid(278);
    EXPECT_EQ(second.left(256), longName.toLatin1() + QByteArray(1, '\0'));
    EXPECT_EQ(Le32(second, 256), -1024);
    EXPECT_EQ(Le32(second, 264), 10);
    EXPECT_EQ(second.mid(268, 2), QByteArray("\x01\x00", 2));
    EXPECT_EQ(Le32(second, 270), 0);
    EXPECT_EQ(ReadFile(Path("demo.CDD")), Bytes(10, 1) + Bytes(20, 2));

    // Opened again into another project: the same fields, records and bytes.
    ScriptedPrompter otherPrompter;
    FlashProject other(otherPrompter);
    other.ProjectPath = Path("demo.spi");
    ASSERT_TRUE(other.OpenProjectFile());
    EXPECT_FALSE(other.IsProjectModified());
    EXPECT_EQ(EncodeHeader(other.ProjHead), spi);
    EXPECT_EQ(EncodeBlockIndex(other.BlockList), cdi);
    EXPECT_EQ(other.DataPool, project.DataPool);
    EXPECT_EQ(BlockName(other.BlockList[1]), longName);
    EXPECT_TRUE(otherPrompter.shown.isEmpty());
}

TEST_F(Project, AnEmptyProjectIsItsHeaderAloneAndOverwritesToExactly51Bytes) {
    project.ProjectPath = Path("e.spi");
    WriteFile(Path("e.spi"), QByteArray(60, 'x'));  // an older, longer file
    project.SetModelText(0, QStringLiteral("M"));
    ASSERT_TRUE(project.SaveProjectFile());
    EXPECT_EQ(ReadFile(Path("e.spi")).size(), 51);
    EXPECT_FALSE(QFileInfo::exists(Path("e.CDI")));
    EXPECT_FALSE(QFileInfo::exists(Path("e.CDD")));

    ASSERT_TRUE(Add("a.bin", Bytes(3)));
    project.ProjectPath = Path("e.spi");
    ASSERT_TRUE(project.OpenProjectFile());
    EXPECT_TRUE(project.BlockList.empty());
    EXPECT_FALSE(project.IsProjectModified());
    EXPECT_EQ(project.ModelText(0), QStringLiteral("M"));
}

// A saved two-block project to spoil.
struct BadFiles : ProjectFixture {
    void SetUp() override {
        Block("a.bin", Bytes(10, 1), 0);
        Block("b.bin", Bytes(20, 2), 0x400);
        Model();
        project.ProjectPath = Path("p.spi");
        ASSERT_TRUE(project.SaveProjectFile());
        spi = ReadFile(Path("p.spi"));
        cdi = ReadFile(Path("p.CDI"));
        cdd = ReadFile(Path("p.CDD"));
        // The open project now is another one, which a failed open must keep.
        Block("keep.bin", Bytes(7, 7), 0x800);
        before = Copy();
    }
    struct State {
        QByteArray head, saved, blocks, savedBlocks, pool, savedPool;
        bool operator==(const State& o) const {
            return head == o.head && saved == o.saved && blocks == o.blocks &&
                   savedBlocks == o.savedBlocks && pool == o.pool && savedPool == o.savedPool;
        }
    };
    State Copy() const {
        return {EncodeHeader(project.ProjHead), EncodeHeader(project.SavedProjHead),
                EncodeBlockIndex(project.BlockList), EncodeBlockIndex(project.SavedBlockList),
                project.DataPool, project.SavedDataPool};
    }
    static void Put32(QByteArray& b, int at, int32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = char((uint32_t(v) >> (8 * i)) & 0xFF);
    }
    // Opens with the files as given; the expected message, or none for success.
    void Open(const QByteArray& s, const QByteArray& i, const QByteArray& d, const QString& message) {
        SCOPED_TRACE(message.toStdString());
        for (const char* ext : {"spi", "CDI", "CDD"}) QFile::remove(Path(QStringLiteral("p.") + ext));
        if (!s.isNull()) WriteFile(Path("p.spi"), s);
        if (!i.isNull()) WriteFile(Path("p.CDI"), i);
        if (!d.isNull()) WriteFile(Path("p.CDD"), d);
        prompter.shown.clear();
        project.ProjectPath = Path("p.spi");
        const bool ok = project.OpenProjectFile();
        if (message.isEmpty()) {
            EXPECT_TRUE(ok);
            EXPECT_TRUE(prompter.shown.isEmpty());
            RestoreBefore();
            return;
        }
        EXPECT_FALSE(ok);
        EXPECT_EQ(prompter.Texts(), QStringList{message});
        EXPECT_TRUE(Copy() == before);
    }
    void RestoreBefore() {
        project.ProjHead = DecodeHeader(before.head);
        project.SavedProjHead = DecodeHeader(before.saved);
        project.BlockList = *DecodeBlockIndex(before.blocks, int(before.blocks.size() / 278));
        project.SavedBlockList = *DecodeBlockIndex(before.savedBlocks, int(before.savedBlocks.size() / 278));
        project.DataPool = before.pool;
        project.SavedDataPool = before.savedPool;
    }
    QByteArray spi, cdi, cdd;
    State before;
};

TEST_F(BadFiles, EveryBadFileIsRefusedAndTheProjectStaysAsItWas) {
    const QString spiPath = Path("p.spi"), cdiPath = Path("p.CDI"), cddPath = Path("p.CDD");
    Open(spi.left(50), cdi, cdd, text::FormatError(spiPath));
    Open(spi + "x", cdi, cdd, text::FormatError(spiPath));
    Open(QByteArray(), cdi, cdd, text::FormatError(spiPath));
    Open(spi, QByteArray(), cdd, text::kReadSpiFailed);
    Open(spi, cdi.left(555), cdd, text::FormatError(cdiPath));
    Open(spi, cdi, QByteArray(), text::kReadCddFailed);
    Open(spi, cdi, cdd.left(29), text::FormatError(cddPath));
    Open(spi, cdi + QByteArray(300, 'x'), cdd + "more", QString());  // longer companions open

    QByteArray s = spi;
    s[4] = char(0xFF), s[5] = char(0xFF);  // BlockCount -1
    Open(s, cdi, cdd, text::FormatError(spiPath));
    s = spi;
    Put32(s, 6, -30);
    Open(s, cdi, cdd, text::FormatError(spiPath));
    s = spi;
    s[4] = char(0xFF), s[5] = char(0x7F);  // 32767 blocks: the index is far too short
    Open(s, cdi, cdd, text::FormatError(cdiPath));
    s = spi;
    Put32(s, 6, 0x7FFFFFF0);  // a pool the lengths do not add up to
    Open(s, cdi, cdd, text::FormatError(cdiPath));
    s = spi;
    s[4] = 0, s[5] = 0;  // no blocks but a pool
    Open(s, cdi, cdd, text::FormatError(spiPath));

    QByteArray i = cdi;
    Put32(i, 278 + 264, 11);  // not back to back
    Open(spi, i, cdd, text::FormatError(cdiPath));
    i = cdi;
    Put32(i, 260, -5);
    Put32(i, 278 + 264, -5);
    Open(spi, i, cdd, text::FormatError(cdiPath));
}

TEST_F(BadFiles, AFailedSaveKeepsThePreviousFilesAndTheProjectModified) {
    ASSERT_TRUE(project.IsProjectModified());
    // The pool's place is taken by a folder: nothing can be renamed over it.
    QFile::remove(Path("p.CDD"));
    QDir(dir.path()).mkdir(QStringLiteral("p.CDD"));
    project.ProjectPath = Path("p.spi");
    EXPECT_FALSE(project.SaveProjectFile());
    EXPECT_EQ(prompter.Texts(), QStringList{text::kFileError});
    EXPECT_TRUE(project.IsProjectModified());
    EXPECT_EQ(ReadFile(Path("p.spi")), spi);
    EXPECT_EQ(ReadFile(Path("p.CDI")), cdi);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 5);  // no temporaries left behind

    project.ProjectPath = Path("missing/folder/p.spi");
    EXPECT_FALSE(project.SaveProjectFile());
    EXPECT_TRUE(project.IsProjectModified());
}

// --- settings ----------------------------------------------------------------

TEST(FlashSettingsTest, OutOfRangeAndMissingValuesTakeTheNearestAllowed) {
    QTemporaryDir dir;
    FlashSettings s;
    s.path = SettingsIniPath(dir.path());
    struct Case {
        const char* port;
        const char* speed;
        const char* time;
        int comPort;
        const char* wantSpeed;
        int portTime;
    };
    for (const Case& c : {Case{"3", "14400 ", "3", 3, "14400", 3}, Case{"x", "", "0", 0, "115200", 1},
                          Case{"300", "115200", "33", 300, "115200", 10},
                          Case{"", "fast", "-4", 0, "115200", 1}, Case{"1", "9600", "", 1, "9600", 3}}) {
        WriteFile(s.path, QStringLiteral("[language]\ncomPort=%1\nPortSpeed=%2\nPortTime=%3\n")
                              .arg(QLatin1String(c.port), QLatin1String(c.speed), QLatin1String(c.time))
                              .toLatin1());
        s.Load();
        EXPECT_EQ(s.comPort, c.comPort) << c.port;
        EXPECT_EQ(s.PortSpeed, QLatin1String(c.wantSpeed));
        EXPECT_EQ(s.PortTime, c.portTime) << c.time;
    }
    EXPECT_EQ(s.Baud(), 9600);
    EXPECT_EQ(SpeedItemOf(QStringLiteral("12345")), QStringLiteral("9600"));
    EXPECT_EQ(SpeedItemOf(QStringLiteral("14400")), QStringLiteral("14400 "));
    s.SetPortSpeed(QStringLiteral("19200 "));
    s.SetPortTime(7);
    s.SetComPort(4);
    FlashSettings again;
    again.path = s.path;
    again.Load();
    EXPECT_EQ(again.Baud(), 19200);
    EXPECT_EQ(again.PortTime, 7);
    EXPECT_EQ(again.comPort, 4);
    EXPECT_EQ(SpeedItems().size(), 9);
    EXPECT_EQ(TimeOutItems().back(), QStringLiteral("10S"));
}

TEST(FlashSettingsTest, OnlyAnNt60WorkstationHasTheFixedPortList) {
    ScriptedPrompter prompter;
    EXPECT_TRUE(GetOsKind(prompter, {true, 1, 2, 6, 0}));
    EXPECT_FALSE(GetOsKind(prompter, {true, 1, 2, 5, 1}));
    EXPECT_FALSE(GetOsKind(prompter, {true, 1, 2, 6, 1}));
    EXPECT_FALSE(GetOsKind(prompter, {true, 3, 2, 6, 0}));
    EXPECT_FALSE(GetOsKind(prompter));  // this system
    EXPECT_TRUE(prompter.shown.isEmpty());
    EXPECT_FALSE(GetOsKind(prompter, OsVersionInfo{}));
    EXPECT_EQ(prompter.Texts(), QStringList{text::kUnknownOs});
}

}  // namespace
}  // namespace kdi::test
