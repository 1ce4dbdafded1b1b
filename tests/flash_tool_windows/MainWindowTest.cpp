// The main window as a user drives it: projects opened in turn, the tree, the
// block editor and its key filter, the model check, the modified question.

#include "FlashWindowFixture.h"
#include "FlashTexts.h"
#include "ProjectFiles.h"
#include "platform/gui/MessageBoxPrompter.h"
#include "support/widgets/WindowHarness.h"
#include "texts/LangText.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

namespace kdi::test {

namespace {

using zr50::Answer;

const QString kModified = QStringLiteral("The current file has been modified. Do you want to save it now?");

std::vector<BlockSource> TwoBlocks() {
    return {{QStringLiteral("boot.bin"), Bytes(1500, 1), 0x0000}, {QStringLiteral("logo.bmp"), Bytes(40, 2), 0x0800}};
}

}  // namespace

TEST_F(FlashWindowTest, StartsEmptyThenShowsEachProjectOpenedInTurn) {
    Start();
    EXPECT_EQ(Tree(), QStringList{QStringLiteral("New.spi--000000|N0")});
    EXPECT_FALSE(w->Frame1->isEnabled());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Write Code"));

    const QString first = MakeProject(dir.path(), QStringLiteral("first.spi"), TwoBlocks());
    Open(first);
    EXPECT_EQ(Tree(), (QStringList{QStringLiteral("first.spi--000000|N0"), QStringLiteral("boot.bin--00000000|N00"),
                                   QStringLiteral("logo.bmp--00000800|N01")}));
    EXPECT_TRUE(w->Frame1->isEnabled());
    EXPECT_EQ(project.CurBlock, 0);
    EXPECT_EQ(w->Text2[0]->text(), QStringLiteral("00000000"));
    EXPECT_EQ(w->Text2[1]->text(), QStringLiteral("0005DC"));
    EXPECT_EQ(w->Text3[0]->text(), QStringLiteral("KD-F1"));
    EXPECT_TRUE(w->Option1[0]->isChecked());
    EXPECT_TRUE(w->Check1->isChecked());
    // The first 32 bytes, 16 to a line.
    const QStringList lines = w->Text1->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral(" 01 08 0F")));
    EXPECT_EQ(lines[0].trimmed().split(QLatin1Char(' ')).size(), 16);

    // A click on a block shows it; a click on the root changes nothing.
    QTreeWidgetItem* root = w->TreeView1->topLevelItem(0);
    emit w->TreeView1->itemClicked(root->child(1), 0);
    EXPECT_EQ(project.CurBlock, 1);
    EXPECT_EQ(w->Text2[0]->text(), QStringLiteral("00000800"));
    EXPECT_EQ(w->Text1->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts).size(), 2);
    emit w->TreeView1->itemClicked(root, 0);
    EXPECT_EQ(project.CurBlock, 1);

    // A second project replaces the first; nothing was changed, so no question.
    const QString second = MakeProject(dir.path(), QStringLiteral("second.spi"),
                                       {{QStringLiteral("x.bin"), Bytes(10, 3), 0x1000}});
    Open(second);
    EXPECT_EQ(Tree(), (QStringList{QStringLiteral("second.spi--000000|N0"), QStringLiteral("x.bin--00001000|N00")}));
    EXPECT_EQ(w->Text1->toPlainText().count(QLatin1Char('\n')), 0);
    EXPECT_FALSE(prompter.Texts().contains(kModified));
}

TEST_F(FlashWindowTest, ABadProjectFileLeavesTheShownProjectAndItsName) {
    Start();
    const QString good = MakeProject(dir.path(), QStringLiteral("good.spi"), TwoBlocks());
    Open(good);
    const QString bad = Path(QStringLiteral("bad.spi"));
    zr50::test::WriteFile(bad, QByteArray(50, '\x01'));
    prompter.shown.clear();
    Open(bad);
    EXPECT_EQ(prompter.Texts(), QStringList{text::FormatError(bad)});
    EXPECT_EQ(project.ProjectPath, good);
    EXPECT_EQ(Tree().size(), 3);
    EXPECT_EQ(Tree().front(), QStringLiteral("good.spi--000000|N0"));
    EXPECT_FALSE(project.IsProjectModified());
    // Cancel in the open dialog: nothing happens.
    prompter.shown.clear();
    Open(QString());
    EXPECT_TRUE(prompter.shown.isEmpty());
    EXPECT_EQ(project.ProjectPath, good);
}

TEST_F(FlashWindowTest, OddStoredFlagsShowWithoutHarm) {
    const QString spi = MakeProject(dir.path(), QStringLiteral("odd.spi"),
                                    {{QStringLiteral("a.bin"), Bytes(8, 1), 0}, {QStringLiteral("b.bin"), Bytes(8, 2), 0x400}});
    // FillFF 2, and the blocks' type 3 and 1 with no-encryption 5 and 0.
    QByteArray head = zr50::test::ReadFile(spi);
    head[50] = 2;
    zr50::test::WriteFile(spi, head);
    QByteArray index = zr50::test::ReadFile(BlockIndexPath(spi));
    index[268] = 3;
    index[270] = 5;
    index[278 + 268] = 1;
    index[278 + 270] = 0;
    zr50::test::WriteFile(BlockIndexPath(spi), index);

    Start();
    Open(spi);
    EXPECT_TRUE(prompter.shown.isEmpty()) << prompter.Texts().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(w->Check3->isChecked());
    EXPECT_TRUE(w->Check1->isChecked());
    EXPECT_FALSE(w->Option1[0]->isChecked());
    EXPECT_FALSE(w->Option1[1]->isChecked());
    emit w->TreeView1->itemClicked(w->TreeView1->topLevelItem(0)->child(1), 0);
    EXPECT_TRUE(w->Option1[1]->isChecked());
    EXPECT_FALSE(w->Option1[0]->isChecked());
    EXPECT_FALSE(w->Check1->isChecked());
    // Showing the values stored nothing back.
    EXPECT_EQ(project.BlockList[0].BlockType, 3);
    EXPECT_EQ(project.BlockList[0].NoEncrypt, 5);
    EXPECT_EQ(project.ProjHead.ModelInfoRec.FillFF, 2);
}

TEST_F(FlashWindowTest, TheAddressEditorTakesHexOnlyAndMovesTheBlockShown) {
    Start();
    Open(MakeProject(dir.path(), QStringLiteral("p.spi"), TwoBlocks()));
    QLineEdit* address = w->Text2[0];
    emit w->TreeView1->itemClicked(w->TreeView1->topLevelItem(0)->child(1), 0);
    address->selectAll();
    QTest::keyClicks(address, QStringLiteral("1a"));
    EXPECT_EQ(address->text(), QStringLiteral("1A"));
    QTest::keyClicks(address, QStringLiteral("Gz-0 "));
    EXPECT_EQ(address->text(), QStringLiteral("1A0"));
    QTest::keyClick(address, Qt::Key_Backspace);
    EXPECT_EQ(address->text(), QStringLiteral("1A"));
    EXPECT_EQ(project.BlockList[1].Address, 0x1A);
    EXPECT_EQ(w->TreeView1->topLevelItem(0)->child(1)->text(0), QStringLiteral("logo.bmp--0000001A"));
    EXPECT_TRUE(project.IsProjectModified());

    // A paste keeps only what the keys would have let through.
    address->clear();
    address->insert(QStringLiteral("0x1c-00"));
    EXPECT_EQ(address->text(), QStringLiteral("01C00"));
    EXPECT_EQ(project.BlockList[1].Address, 0x1C00);
    // Emptied, the field stores nothing.
    address->clear();
    EXPECT_EQ(project.BlockList[1].Address, 0x1C00);

    // With the root selected, an edit still names the block edited, not the root.
    w->TreeView1->setCurrentItem(w->TreeView1->topLevelItem(0));
    address->insert(QStringLiteral("C00"));
    EXPECT_EQ(w->TreeView1->topLevelItem(0)->text(0), QStringLiteral("p.spi--000000"));
    EXPECT_EQ(w->TreeView1->topLevelItem(0)->child(1)->text(0), QStringLiteral("logo.bmp--00000C00"));
    EXPECT_EQ(project.BlockList[0].Address, 0);
}

TEST_F(FlashWindowTest, TheModelCheckRefusesIncompleteFields) {
    Start();
    // A fresh project cannot be written: the communication fields are hidden and empty.
    zr50::test::WriteFile(Path(QStringLiteral("a.bin")), Bytes(100, 1));
    prompter.ScriptFiles({Path(QStringLiteral("a.bin"))});
    w->CommandAddBLock_Click();
    ASSERT_EQ(project.ProjHead.BlockCount, 1);
    w->CommandWrite_Click();
    EXPECT_EQ(prompter.Texts(), QStringList{text::kModelIncomplete});

    // The display fields shown are not enough for a save; a four-character
    // communication version is needed.
    w->Text3[2]->setText(QStringLiteral("D"));
    w->Text3[3]->setText(QStringLiteral("V1"));
    w->Text3[0]->setText(QStringLiteral("KD-F1"));
    w->Text3[1]->setText(QStringLiteral("V10"));
    prompter.shown.clear();
    EXPECT_FALSE(w->CommandSaveSet_Click());
    EXPECT_EQ(prompter.Texts(), QStringList{text::kModelIncomplete});
    EXPECT_TRUE(prompter.fileDialogs.filter(QStringLiteral("save:")).isEmpty());

    // Filled in, the save goes through and the project reads back as saved.
    w->Text3[1]->setText(QStringLiteral("V100"));
    prompter.shown.clear();
    prompter.ScriptFiles({Path(QStringLiteral("made.spi"))});
    EXPECT_TRUE(w->CommandSaveSet_Click());
    EXPECT_TRUE(prompter.shown.isEmpty());
    EXPECT_FALSE(project.IsProjectModified());
    EXPECT_EQ(Tree().front(), QStringLiteral("made.spi--000000|N0"));
    EXPECT_EQ(zr50::test::ReadFile(Path(QStringLiteral("made.spi"))).mid(14, 8), QByteArray("KD-F1   "));
}

TEST_F(FlashWindowTest, TheHiddenAddAndExportCommands) {
    Start();
    zr50::test::WriteFile(Path(QStringLiteral("one.bin")), Bytes(1100, 4));
    // A cancelled dialog adds nothing.
    prompter.ScriptFiles({QString(), Path(QStringLiteral("one.bin"))});
    w->CommandAddBLock_Click();
    EXPECT_EQ(project.ProjHead.BlockCount, 0);
    w->CommandAddBLock_Click();
    EXPECT_EQ(prompter.fileDialogs.front(), QString::fromUtf8("open:程序文件或BMP图片 (*.bin;*.bmp)"));
    EXPECT_EQ(Tree().last(), QStringLiteral("one.bin--08020000|N00"));
    EXPECT_TRUE(w->Frame1->isEnabled());

    // The address typed is what the export places the block at.
    w->Text2[0]->setText(QStringLiteral("400"));
    prompter.shown.clear();
    prompter.ScriptFiles({QString()});
    w->Command_Bin_Click();  // cancelled: no file
    EXPECT_TRUE(prompter.shown.isEmpty());
    prompter.ScriptFiles({Path(QStringLiteral("img.bin"))});
    w->Command_Bin_Click();
    EXPECT_EQ(prompter.Texts(), QStringList{text::kBinWritten});
    EXPECT_EQ(zr50::test::ReadFile(Path(QStringLiteral("img.bin"))), Bytes(1100, 4));
    EXPECT_EQ(prompter.fileDialogs.last(), QString::fromUtf8("save::Bin文件 (*.bin):bin"));

    // A block off its page is refused before any dialog.
    w->Text2[0]->setText(QStringLiteral("401"));
    prompter.shown.clear();
    const int dialogs = prompter.fileDialogs.size();
    w->Command_Bin_Click();
    EXPECT_EQ(prompter.Texts(), QStringList{text::kNotAligned});
    EXPECT_EQ(prompter.fileDialogs.size(), dialogs);
}

TEST_F(FlashWindowTest, TheRealSaveDialogsGiveAProjectAndAnExportTheirOwnSuffix) {
    // Real file dialogs, each answered with a name; the project's messages stay scripted.
    zr50::MessageBoxPrompter dialogs([] { return zr50::kEnglish; });
    Start(&dialogs);
    const auto answer = [](const QString& name) {
        zr50::test::WhenModal([name](QWidget* m) {
            auto* d = qobject_cast<QFileDialog*>(m);
            ASSERT_NE(d, nullptr);
            d->selectFile(name);
            static_cast<QDialog*>(d)->accept();
        });
    };
    answer(MakeProject(dir.path(), QStringLiteral("made.spi"), TwoBlocks()));
    w->CommandOpenSave_Click();
    ASSERT_EQ(project.ProjHead.BlockCount, 2);

    answer(Path(QStringLiteral("proj")));
    ASSERT_TRUE(w->CommandSaveSet_Click());
    ASSERT_EQ(project.ProjectPath, Path(QStringLiteral("proj.spi")));  // else the open below finds nothing
    for (const char* companion : {"proj.CDI", "proj.CDD"})
        EXPECT_TRUE(QFileInfo::exists(Path(QString::fromLatin1(companion)))) << companion;
    answer(Path(QStringLiteral("proj.spi")));
    w->CommandOpenSave_Click();
    EXPECT_EQ(Tree(), (QStringList{QStringLiteral("proj.spi--000000|N0"), QStringLiteral("boot.bin--00000000|N00"),
                                   QStringLiteral("logo.bmp--00000800|N01")}));

    answer(Path(QStringLiteral("img")));
    w->Command_Bin_Click();
    EXPECT_EQ(zr50::test::ReadFile(Path(QStringLiteral("img.bin"))).size(), 0x800 + 40);
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*.dat")}), QStringList());
    EXPECT_EQ(prompter.Texts(), QStringList{text::kBinWritten});
}

// The modified question before Open, Read and Close, with each answer.
struct ModifiedQuestion : FlashWindowTest {
    void SetUp() override {
        Start();
        original = MakeProject(dir.path(), QStringLiteral("orig.spi"), TwoBlocks());
        Open(original);
        w->Text2[0]->setText(QStringLiteral("1000"));  // block 0 moved: modified
        ASSERT_TRUE(project.IsProjectModified());
        other = MakeProject(dir.path(), QStringLiteral("other.spi"), {{QStringLiteral("o.bin"), Bytes(5, 9), 0}});
        prompter.shown.clear();
    }
    QString original, other;
};

TEST_F(ModifiedQuestion, OpenGoesOnOnlyAfterNoOrASuccessfulSave) {
    // Cancel: nothing happens.
    prompter.Script({Answer::Cancel});
    w->CommandOpenSave_Click();
    EXPECT_EQ(prompter.Texts(), QStringList{kModified});
    EXPECT_EQ(project.ProjectPath, original);
    EXPECT_EQ(project.BlockList[0].Address, 0x1000);

    // Yes, then the save dialog cancelled: the open stops, the edit stays.
    prompter.Script({Answer::Yes});
    prompter.ScriptFiles({QString()});
    w->CommandOpenSave_Click();
    EXPECT_EQ(project.ProjectPath, original);
    EXPECT_TRUE(project.IsProjectModified());
    EXPECT_EQ(prompter.fileDialogs.size(), 2);  // the open before, then the save only

    // Yes, the save fails (model check): the open stops too.
    w->Text3[1]->setText(QStringLiteral("V1"));
    prompter.Script({Answer::Yes});
    prompter.shown.clear();
    w->CommandOpenSave_Click();
    EXPECT_EQ(prompter.Texts(), (QStringList{kModified, text::kModelIncomplete}));
    EXPECT_EQ(project.ProjectPath, original);
    EXPECT_EQ(project.BlockList[0].Address, 0x1000);
    w->Text3[1]->setText(QStringLiteral("V100"));

    // Yes and saved under a new name: the open goes on; the saved file holds the edit.
    prompter.Script({Answer::Yes});
    prompter.ScriptFiles({Path(QStringLiteral("saved.spi")), other});
    w->CommandOpenSave_Click();
    EXPECT_EQ(project.ProjectPath, other);
    EXPECT_EQ(zr50::test::ReadFile(BlockIndexPath(Path(QStringLiteral("saved.spi")))).mid(256, 4),
              QByteArray::fromHex("00100000"));

    // No: the edit is dropped and the other project opens.
    w->Text2[0]->setText(QStringLiteral("400"));
    prompter.Script({Answer::No});
    Open(original);
    EXPECT_EQ(project.ProjectPath, original);
    EXPECT_EQ(project.BlockList[0].Address, 0);
}

TEST_F(ModifiedQuestion, CloseStaysOpenOnCancelAndOnAFailedSave) {
    w->show();
    prompter.Script({Answer::Cancel});
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());

    prompter.Script({Answer::Yes});
    prompter.ScriptFiles({QString()});
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());

    prompter.Script({Answer::Yes});
    prompter.ScriptFiles({Path(QStringLiteral("kept.spi"))});
    EXPECT_TRUE(w->close());
    EXPECT_EQ(zr50::test::ReadFile(Path(QStringLiteral("kept.spi"))).size(), 51);
}

TEST_F(ModifiedQuestion, ReadStopsOnCancelAndOnAFailedSave) {
    prompter.Script({Answer::Cancel});
    w->CommandRead_Click();
    EXPECT_EQ(prompter.Texts(), QStringList{kModified});

    prompter.Script({Answer::Yes});
    prompter.ScriptFiles({QString()});
    prompter.shown.clear();
    w->CommandRead_Click();
    // Neither the port nor the read question came up.
    EXPECT_EQ(prompter.Texts(), QStringList{kModified});
    EXPECT_EQ(project.BlockList[0].Address, 0x1000);
}

}  // namespace kdi::test
