// The delete-block dialog: its tree, its two deletions and the cases it must
// leave alone.

#include "FlashWindowFixture.h"
#include "FrmDeleteFileBlock.h"
#include "support/widgets/WindowHarness.h"

#include <QGroupBox>

#include <QPushButton>
#include <QTreeWidget>

namespace kdi::test {

namespace {

struct DeleteDialog : FlashWindowTest {
    void SetUp() override {
        Start();
        // a.bin twice (at 0 and at 0x800), b.bin between them.
        spi = MakeProject(dir.path(), QStringLiteral("d.spi"),
                          {{QStringLiteral("a.bin"), Bytes(100, 1), 0x0000},
                           {QStringLiteral("b.bin"), Bytes(300, 2), 0x0400},
                           {QStringLiteral("a2.bin"), Bytes(50, 3), 0x0800}});
        Open(spi);
        // The third block takes the name a.bin as a project file may hold it.
        SetBlockName(project.BlockList[2], QStringLiteral("a.bin"));
        b = project.DataPool.mid(100, 300);
    }
    QStringList DialogTree(const FrmDeleteFileBlock& d) const {
        QStringList out;
        for (int i = 0; i < d.TreeView1->topLevelItemCount(); ++i) {
            QTreeWidgetItem* f = d.TreeView1->topLevelItem(i);
            out << f->text(0) + QLatin1Char('|') + FrmDeleteFileBlock::KeyOf(f);
            for (int j = 0; j < f->childCount(); ++j)
                out << QStringLiteral("  ") + f->child(j)->text(0) + QLatin1Char('|') + FrmDeleteFileBlock::KeyOf(f->child(j));
        }
        return out;
    }
    QString spi;
    QByteArray b;
};

}  // namespace

TEST_F(DeleteDialog, ListsEachNameOnceWithItsAddresses) {
    FrmDeleteFileBlock d(project);
    EXPECT_EQ(d.windowTitle(), QString::fromUtf8("删除块文件"));
    EXPECT_EQ(DialogTree(d), (QStringList{QStringLiteral("a.bin|N0001"), QStringLiteral("  00000000|N00010"),
                                          QStringLiteral("  00000800|N00012"), QStringLiteral("b.bin|N0002"),
                                          QStringLiteral("  00000400|N00021")}));
    EXPECT_EQ(d.FileCount, 2);
    EXPECT_EQ(d.InFileList(QStringLiteral("b.bin")), 2);
    EXPECT_EQ(d.InFileList(QStringLiteral("A.bin")), 0);
}

TEST_F(DeleteDialog, AnAddressNodeRemovesThatBlockANameNodeAllOfItsBlocks) {
    const QByteArray first = project.DataPool.left(100);
    FrmDeleteFileBlock d(project);
    d.TreeView1->setCurrentItem(d.TreeView1->topLevelItem(0)->child(1));
    d.CommandDel->click();
    ASSERT_EQ(project.ProjHead.BlockCount, 2);
    EXPECT_EQ(project.BlockList[0].Address, 0);
    EXPECT_EQ(project.BlockList[1].Address, 0x400);
    EXPECT_EQ(project.DataPool, first + b);
    EXPECT_EQ(DialogTree(d).size(), 4);

    // Its sibling next, then the name node left without addresses: nothing more happens.
    d.TreeView1->setCurrentItem(d.TreeView1->topLevelItem(0)->child(0));
    d.CommandDel->click();
    ASSERT_EQ(project.ProjHead.BlockCount, 1);
    d.TreeView1->setCurrentItem(d.TreeView1->topLevelItem(0));
    d.CommandDel->click();
    EXPECT_EQ(project.ProjHead.BlockCount, 1);
    EXPECT_EQ(project.DataPool, b);

    // Nothing selected: nothing happens.
    d.TreeView1->setCurrentItem(nullptr);
    d.CommandDel->click();
    EXPECT_EQ(project.ProjHead.BlockCount, 1);

    // A name node removes every block of that name.
    d.TreeView1->setCurrentItem(d.TreeView1->topLevelItem(1));
    d.CommandDel->click();
    EXPECT_EQ(project.ProjHead.BlockCount, 0);
    EXPECT_TRUE(project.DataPool.isEmpty());
}

TEST_F(DeleteDialog, RunFromTheMainWindowTheLastBlockGoneLeavesTheEditorOff) {
    zr50::test::WhenModal([](QWidget* w) {
        auto* d = qobject_cast<FrmDeleteFileBlock*>(w);
        ASSERT_NE(d, nullptr);
        for (int i = 0; i < 2; ++i) {
            d->TreeView1->setCurrentItem(d->TreeView1->topLevelItem(0));
            d->CommandDel->click();
        }
        d->Command1->click();
    });
    w->CommandDelBolck_Click();
    EXPECT_EQ(project.ProjHead.BlockCount, 0);
    EXPECT_EQ(project.ProjHead.PoolSize, 0);
    EXPECT_TRUE(project.DataPool.isEmpty());
    EXPECT_FALSE(w->Frame1->isEnabled());
    EXPECT_EQ(Tree(), QStringList{QStringLiteral("d.spi--000000|N0")});
    EXPECT_TRUE(project.IsProjectModified());
}

TEST(DeleteDialogKeys, ManyNamesKeepTheirNodesApart) {
    // With more than 999 names, one name's key begins with another's
    // ("N01000" and "N0100"); deleting one must leave the other.
    zr50::test::ScriptedPrompter prompter;
    FlashProject project(prompter);
    project.ResetProjectHeader();
    for (int i = 0; i < 1000; ++i) {
        BlockRecord r;
        SetBlockName(r, QStringLiteral("f%1.bin").arg(i));
        r.Address = i * kPageSize;
        r.Length = 1;
        r.PoolOffset = i;
        project.BlockList.push_back(r);
        project.DataPool.append(char(i));
    }
    project.ProjHead.BlockCount = 1000;
    project.ProjHead.PoolSize = 1000;
    FrmDeleteFileBlock d(project);
    ASSERT_EQ(d.TreeView1->topLevelItemCount(), 1000);
    QTreeWidgetItem* hundredth = d.TreeView1->topLevelItem(99);
    EXPECT_EQ(FrmDeleteFileBlock::KeyOf(hundredth), QStringLiteral("N0100"));
    EXPECT_EQ(FrmDeleteFileBlock::KeyOf(d.TreeView1->topLevelItem(999)), QStringLiteral("N01000"));
    d.TreeView1->setCurrentItem(hundredth);
    d.CommandDel->click();
    EXPECT_EQ(project.ProjHead.BlockCount, 999);
    EXPECT_EQ(d.TreeView1->topLevelItemCount(), 999);
    EXPECT_EQ(d.TreeView1->topLevelItem(998)->text(0), QStringLiteral("f999.bin"));
    EXPECT_EQ(BlockName(project.BlockList[998]), QStringLiteral("f999.bin"));
}

}  // namespace kdi::test
