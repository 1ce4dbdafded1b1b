// The project model, its three files and the settings.

#include "FlashSettings.h"
#include "FlashTexts.h"
#include "ProjectFiles.h"
#include "support/FlashSupport.h"

#include <QFileInfo>
#include <algorithm>

namespace kdi::test {
namespace {

using Project = ProjectFixture;

TEST_F(Project, AddingReplacesByExactNameAndMovesTheFollowingBlocks) {
    ASSERT_TRUE(Add("a.bin", Bytes(10, 1)));
    ASSERT_TRUE(Add("b.bin", Bytes(20, 2)));
    ASSERT_TRUE(Add("A.bin", Bytes(5, 3)));  // letter case counts: a third block
    ASSERT_EQ(project.BlockList.size(), 3u);
    EXPECT_EQ(project.BlockList[2].Address, 0x08020000);
    project.BlockList[0].Address = 0x400;
    project.ProjHead.BaseOffset = 0x10000;

    // Same size, larger, smaller: replaced where it is, the later blocks keep
    // their bytes and move, the address stays.
    for (int n : {10, 300, 4}) {
        ASSERT_TRUE(Add("a.bin", Bytes(n, n)));
        EXPECT_EQ(project.BlockList.size(), 3u);
        EXPECT_EQ(PoolOf(0), Bytes(n, n));
        EXPECT_EQ(project.BlockList[2].PoolOffset, n + 20);
        EXPECT_EQ(PoolOf(1), Bytes(20, 2));
        EXPECT_EQ(PoolOf(2), Bytes(5, 3));
        EXPECT_EQ(project.ProjHead.PoolSize, n + 25);
        EXPECT_EQ(project.DataPool.size(), n + 25);
        EXPECT_EQ(project.BlockList[0].Address, 0x400);
    }
    EXPECT_EQ(project.ProjHead.BaseOffset, 0);

    // An empty file says so, a missing one says nothing; neither changes a thing.
    project.ProjHead.BaseOffset = 0x800;
    EXPECT_FALSE(Add("empty.bin", QByteArray()));
    EXPECT_FALSE(project.AddBlockFile(Path("none.bin")));
    EXPECT_EQ(prompter.Texts(), QStringList{text::kFileEmpty});
    EXPECT_EQ(project.ProjHead.BlockCount, 3);
    EXPECT_EQ(project.ProjHead.BaseOffset, 0x800);
}

TEST_F(Project, ModifiedComparesBlocksAndPoolNotTexts) {
    project.ResetProjectHeader();
    EXPECT_FALSE(project.IsProjectModified());
    ASSERT_TRUE(Add("a.bin", Bytes(10)));
    EXPECT_TRUE(project.IsProjectModified());
    project.SnapshotProject();
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
}

TEST_F(Project, RemovingBlocksClosesTheirGaps) {
    Block("a.bin", Bytes(10, 1), 0);
    Block("b.bin", Bytes(20, 2), 0x400);
    Block("c.bin", Bytes(30, 3), 0x800);
    project.RemoveBlock(1);
    ASSERT_EQ(project.BlockList.size(), 2u);
    EXPECT_EQ(BlockName(project.BlockList[1]), QStringLiteral("c.bin"));
    EXPECT_EQ(project.BlockList[1].PoolOffset, 10);
    EXPECT_EQ(PoolOf(1), Bytes(30, 3));
    project.RemoveBlock(5);  // no such block
    project.RemoveBlock(0);
    project.RemoveBlock(0);
    EXPECT_EQ(project.ProjHead.BlockCount, 0);
    EXPECT_EQ(project.ProjHead.PoolSize, 0);
    EXPECT_TRUE(project.DataPool.isEmpty());
}

TEST_F(Project, ModelCheckAndFileNames) {
    EXPECT_FALSE(project.CheckModel(false));
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
    EXPECT_EQ(BlockIndexPath(QStringLiteral("/p/demo.spi")), QStringLiteral("/p/demo.CDI"));
    EXPECT_EQ(DataPoolPath(QStringLiteral("/p/demo")), QStringLiteral("/p/dCDD"));
}

// A name field as an older project may hold it: the bytes given, then blanks.
BlockRecord WithNameBytes(const QByteArray& bytes) {
    BlockRecord b;
    b.Name.bytes.fill(' ');
    std::copy(bytes.begin(), bytes.end(), b.Name.bytes.begin());
    return b;
}

TEST(BlockNameTest, ReadAsUtf8ElseAsGb18030AndCutAtAWholeCharacter) {
    const QString data = QString::fromUtf8("数据.bin"), test = QString::fromUtf8("测试.bin");
    // Written in the Chinese Windows code page: readable, and two names stay two.
    EXPECT_EQ(BlockName(WithNameBytes(QByteArray::fromHex("cafdbedd2e62696e00"))), data);
    EXPECT_EQ(BlockName(WithNameBytes(QByteArray::fromHex("b2e2cad42e62696e00"))), test);
    EXPECT_EQ(BlockName(WithNameBytes(QByteArray::fromHex("b2e2cad4"))), QString::fromUtf8("测试"));  // no NUL
    // UTF-8 is read as UTF-8 whatever follows its NUL, and written as UTF-8.
    EXPECT_EQ(BlockName(WithNameBytes(data.toUtf8() + QByteArray::fromHex("00b2e2"))), data);
    BlockRecord b;
    SetBlockName(b, test);
    EXPECT_EQ(QByteArray(b.Name.bytes.data(), 12), test.toUtf8() + QByteArray("\0 ", 2));

    // At the 255-byte limit a character of three bytes, or of a surrogate pair, goes whole.
    const QString threes = QStringLiteral("a") + QString(85, QChar(0x6D4B));  // 256 bytes
    SetBlockName(b, threes);
    EXPECT_EQ(BlockName(b), threes.left(85));
    EXPECT_EQ(b.Name.bytes[253], '\0');
    SetBlockName(b, QString(253, QLatin1Char('a')) + QString::fromUtf8("😀"));
    EXPECT_EQ(BlockName(b), QString(253, QLatin1Char('a')));
}

TEST_F(Project, ModifiedLooksForEachBlockAmongAllSavedOnesByNameAsRead) {
    Block("a.bin", Bytes(10, 1), 0);
    Block("b.bin", Bytes(20, 2), 0x400);
    SetBlockName(project.BlockList[1], QString::fromUtf8("测试.bin"));
    Block("c.bin", Bytes(30, 3), 0x800);
    project.SnapshotProject();
    for (int32_t BlockRecord::*field : {&BlockRecord::Length, &BlockRecord::Address, &BlockRecord::PoolOffset}) {
        project.BlockList[2].*field += 1;
        EXPECT_TRUE(project.IsProjectModified());
        project.BlockList[2].*field -= 1;
    }

    // Any order; a saved block may be found twice, a working block must be found once.
    std::vector<BlockRecord>& saved = project.SavedBlockList;
    std::reverse(saved.begin(), saved.end());
    EXPECT_FALSE(project.IsProjectModified());
    const BlockRecord second = project.BlockList[1];
    project.BlockList[1] = project.BlockList[0];
    EXPECT_FALSE(project.IsProjectModified());
    project.BlockList[1] = second;
    saved[1] = saved[0];
    EXPECT_TRUE(project.IsProjectModified());

    // The name as read counts, not its bytes: the same name in the old code
    // page with leftovers behind its NUL is found, another name is not.
    saved[1] = second;
    saved[1].Name = WithNameBytes(QByteArray::fromHex("b2e2cad42e62696e00") + "old").Name;
    EXPECT_FALSE(project.IsProjectModified());
    saved[1].Name = WithNameBytes(QByteArray::fromHex("cafdbedd2e62696e00")).Name;
    EXPECT_TRUE(project.IsProjectModified());
}

// --- files -------------------------------------------------------------------

void Put32(QByteArray& b, int at, int32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = char((uint32_t(v) >> (8 * i)) & 0xFF);
}

TEST_F(Project, SavedFilesHoldTheFieldsAtTheirOffsetsAndOpenAgain) {
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
    EXPECT_EQ(spi.left(14).toHex(), QByteArray("20000000" "0200" "1e000000" "78563412"));
    EXPECT_EQ(spi.mid(14, 36), QByteArray("KD-F1   V100Display         D1      "));
    EXPECT_EQ(spi[50], char(1));

    const QByteArray cdi = ReadFile(Path("demo.CDI"));
    ASSERT_EQ(cdi.size(), 556);
    EXPECT_EQ(cdi.left(256), QByteArray("one.bin\0", 8) + QByteArray(248, ' '));
    EXPECT_EQ(cdi.mid(256, 22).toHex(), QByteArray("000400000a00000000000000000001000000" "00000000"));
    const QByteArray second = cdi.mid(278);
    EXPECT_EQ(second.left(256), longName.toLatin1() + QByteArray(1, '\0'));
    EXPECT_EQ(second.mid(256, 22).toHex(), QByteArray("00fcffff140000000a000000010000000000" "00000000"));
    EXPECT_EQ(ReadFile(Path("demo.CDD")), Bytes(10, 1) + Bytes(20, 2));

    // Opened into another project: the same fields, records and bytes.
    ScriptedPrompter otherPrompter;
    FlashProject other(otherPrompter);
    other.ProjectPath = Path("demo.spi");
    ASSERT_TRUE(other.OpenProjectFile());
    EXPECT_FALSE(other.IsProjectModified());
    EXPECT_EQ(EncodeHeader(other.ProjHead), spi);
    EXPECT_EQ(EncodeBlockIndex(other.BlockList), cdi);
    EXPECT_EQ(other.DataPool, project.DataPool);
    EXPECT_TRUE(otherPrompter.shown.isEmpty());
}

TEST_F(Project, AnEmptyProjectIsItsHeaderAloneAndOverwritesToExactly51Bytes) {
    project.ProjectPath = Path("e.spi");
    WriteFile(Path("e.spi"), QByteArray(60, 'x'));  // an older, longer file
    project.SetModelText(0, QStringLiteral("M"));
    ASSERT_TRUE(project.SaveProjectFile());
    EXPECT_EQ(ReadFile(Path("e.spi")).size(), 51);
    EXPECT_FALSE(QFileInfo::exists(Path("e.CDI")));

    ASSERT_TRUE(Add("a.bin", Bytes(3)));
    ASSERT_TRUE(project.OpenProjectFile());
    EXPECT_TRUE(project.BlockList.empty());
    EXPECT_FALSE(project.IsProjectModified());
    EXPECT_EQ(project.ModelText(0), QStringLiteral("M"));
}

// A saved two-block project to spoil, while another one is open.
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
        Block("keep.bin", Bytes(7, 7), 0x800);
        before = State();
    }
    QList<QByteArray> State() const {
        return {EncodeHeader(project.ProjHead), EncodeHeader(project.SavedProjHead),
                EncodeBlockIndex(project.BlockList), EncodeBlockIndex(project.SavedBlockList),
                project.DataPool, project.SavedDataPool};
    }
    // Opens with the files as given (a null one is missing): the message, and
    // the open project as it was.
    void Refused(const QByteArray& s, const QByteArray& i, const QByteArray& d, const QString& message) {
        SCOPED_TRACE(message.toStdString());
        const QByteArray files[] = {s, i, d};
        const char* ext[] = {"spi", "CDI", "CDD"};
        for (int k = 0; k < 3; ++k) {
            const QString path = Path(QStringLiteral("p.") + ext[k]);
            QFile::remove(path);
            if (!files[k].isNull()) WriteFile(path, files[k]);
        }
        prompter.shown.clear();
        project.ProjectPath = Path("p.spi");
        EXPECT_FALSE(project.OpenProjectFile());
        EXPECT_EQ(prompter.Texts(), QStringList{message});
        EXPECT_TRUE(State() == before);
    }
    QByteArray spi, cdi, cdd;
    QList<QByteArray> before;
};

TEST_F(BadFiles, EveryBadFileIsRefusedAndTheProjectStaysAsItWas) {
    const QString badSpi = text::FormatError(Path("p.spi")), badCdi = text::FormatError(Path("p.CDI"));
    Refused(spi.left(50), cdi, cdd, badSpi);
    Refused(spi + "x", cdi, cdd, badSpi);
    Refused(QByteArray(), cdi, cdd, badSpi);
    Refused(spi, QByteArray(), cdd, text::kReadSpiFailed);
    Refused(spi, cdi.left(555), cdd, badCdi);
    Refused(spi, cdi, QByteArray(), text::kReadCddFailed);
    Refused(spi, cdi, cdd.left(29), text::FormatError(Path("p.CDD")));

    struct Field {
        bool index;  // in the .CDI, else the .spi
        int at, bytes;
        int32_t value;
        bool cdiMessage;
    };
    for (const Field& f : {Field{false, 4, 2, -1, false},         // BlockCount -1
                           Field{false, 6, 4, -30, false},        // PoolSize negative
                           Field{false, 4, 2, 32767, true},       // far more blocks than the index holds
                           Field{false, 6, 4, 0x7FFFFFF0, true},  // a pool the lengths do not add up to
                           Field{false, 4, 2, 0, false},          // no blocks but a pool
                           Field{true, 278 + 264, 4, 11, true},   // not back to back
                           Field{true, 260, 4, -5, true}}) {      // a negative length
        QByteArray s = spi, i = cdi;
        QByteArray& b = f.index ? i : s;
        QByteArray v(4, '\0');
        Put32(v, 0, f.value);
        b.replace(f.at, f.bytes, v.left(f.bytes));
        Refused(s, i, cdd, f.cdiMessage ? badCdi : badSpi);
    }

    // Longer companions open.
    WriteFile(Path("p.spi"), spi);
    WriteFile(Path("p.CDI"), cdi + QByteArray(300, 'x'));
    WriteFile(Path("p.CDD"), cdd + "more");
    prompter.shown.clear();
    EXPECT_TRUE(project.OpenProjectFile());
    EXPECT_EQ(project.DataPool, cdd);
    EXPECT_TRUE(prompter.shown.isEmpty());
}

TEST_F(BadFiles, AFailedSaveKeepsThePreviousFilesAndTheProjectModified) {
    // The pool's place is taken by a folder: nothing can be renamed over it.
    QFile::remove(Path("p.CDD"));
    QDir(dir.path()).mkdir(QStringLiteral("p.CDD"));
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
        const char *speed, *time;
        const char* wantSpeed;
        int portTime;
    };
    for (const Case& c : {Case{"14400 ", "0", "14400", 1}, Case{"115200", "33", "115200", 10},
                          Case{"fast", "-4", "115200", 1}, Case{"9600", "", "9600", 3}}) {
        WriteFile(s.path, QStringLiteral("[language]\nPortSpeed=%1\nPortTime=%2\n")
                              .arg(QLatin1String(c.speed), QLatin1String(c.time))
                              .toLatin1());
        s.Load();
        EXPECT_EQ(s.PortSpeed, QLatin1String(c.wantSpeed));
        EXPECT_EQ(s.PortTime, c.portTime) << c.time;
    }
    EXPECT_EQ(SpeedItemOf(QStringLiteral("12345")), QStringLiteral("9600"));
    EXPECT_EQ(SpeedItemOf(QStringLiteral("14400")), QStringLiteral("14400 "));
}

TEST(FlashSettingsTest, OnlyAnNt60WorkstationHasTheFixedPortList) {
    ScriptedPrompter prompter;
    EXPECT_TRUE(GetOsKind(prompter, {true, 1, 2, 6, 0}));
    EXPECT_FALSE(GetOsKind(prompter, {true, 1, 2, 5, 1}));
    EXPECT_FALSE(GetOsKind(prompter, {true, 3, 2, 6, 0}));
    EXPECT_FALSE(GetOsKind(prompter));  // this system
    EXPECT_TRUE(prompter.shown.isEmpty());
    EXPECT_FALSE(GetOsKind(prompter, OsVersionInfo{}));
    EXPECT_EQ(prompter.Texts(), QStringList{text::kUnknownOs});
}

}  // namespace
}  // namespace kdi::test
