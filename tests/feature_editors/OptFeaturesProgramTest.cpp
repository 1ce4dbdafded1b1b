// The optional-features window in the whole program: opened from the menu and
// the tree, its edits saved, opened again, written to the simulated radio and
// read back.

#include "FrmOptFeatures.h"
#include "link/ProgramProtocol.h"
#include "model/ByteIO.h"
#include "model/RecordLayout.h"
#include "support/ScriptedLink.h"
#include "support/widgets/InstalledProgram.h"
#include "support/widgets/WindowHarness.h"
#include "windows/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;
using namespace zr50::test::linktext;

namespace {

class OptProgram : public ::testing::Test, protected InstalledProgram {
protected:
    void SetUp() override {
        ASSERT_TRUE(Start({&radio}));
        ASSERT_TRUE(QTest::qWaitForWindowActive(&zr50->main()));
    }
    void TearDown() override { zr50.reset(); }  // before the radio goes
    Program& p() { return zr50->p(); }
    DataHeaderRec& d() { return p().doc.DataRec; }
    frmMain& main() { return zr50->main(); }
    FrmOptFeatures* Window() {
        return qobject_cast<FrmOptFeatures*>(zr50->forms().Find(QStringLiteral("FrmOptFeatures")));
    }
    FrmOptFeatures* OpenFromMenu() {
        main().Menu("mnuOptFeature")->trigger();
        return Window();
    }
    void SaveAs(const QString& path) {
        prompter.ScriptFiles({path});
        main().Menu("mnuFileSaveAs")->trigger();
    }
    void OpenFile(const QString& path) {
        prompter.ScriptFiles({path});
        main().Menu("mnuFileOpen")->trigger();
    }
    bool Idle() { return zr50->link().CommMode == 0; }
    static QByteArray Files(const QString& datPath) {
        return ReadFile(datPath) + ReadFile(datPath.left(datPath.size() - 3) + QStringLiteral("fre"));
    }
    uint8_t Radio(int addr) { return radio.Image()[size_t(addr)]; }

    sim::SimRadio radio;
};

TEST_F(OptProgram, OpensFromTheMenuAndTheTreeAsOneWindowInTheCurrentLanguage) {
    EXPECT_TRUE(main().Menu("mnuOptFeature")->isEnabled());
    QTreeWidgetItem* node = main().TreeView1->topLevelItem(0)->child(1);
    EXPECT_FALSE(node->isDisabled());
    FrmOptFeatures* w = OpenFromMenu();
    ASSERT_NE(w, nullptr);
    emit main().TreeView1->itemClicked(node, 0);
    EXPECT_EQ(Window(), w);
    EXPECT_EQ(main().findChildren<FrmOptFeatures*>().size(), 1);

    // Another language closes it; opened again it speaks that language.
    p().settings.CurLanguage = kChinese;
    main().MDIForm_Activate();
    EXPECT_EQ(Window(), nullptr);
    w = OpenFromMenu();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("可选功能"));
    EXPECT_EQ(w->Label1[24]->text(), QString::fromUtf8("ASQ等级"));
}

TEST_F(OptProgram, EditsReachTheRadioTheSavedFileAndComeBackFromBoth) {
    FrmOptFeatures* w = OpenFromMenu();
    ASSERT_NE(w, nullptr);
    Choose(w->Combo1[9], "120s");
    Choose(w->Combo1[47], "2550");
    Choose(w->Combo1[25], "3");
    Choose(w->Combo1[17], "Red");
    w->chkCheck2[2]->setChecked(false);
    w->chkCheck2[2]->click();
    w->Check1[9]->setChecked(true);
    w->Check1[9]->click();  // PA off
    w->Text4[12]->setFocus();
    QApplication::processEvents();  // the box selects its text on entry
    QTest::keyClicks(w->Text4[12], "2.5");  // still in the box when the write starts

    main().ToolButton(QStringLiteral("WriteRadio"))->trigger();
    ASSERT_TRUE(RunUntil([this] { return Idle() && prompter.shown.size() == 2; }));
    EXPECT_EQ(prompter.Texts(), QStringList({kConfirmWrite, kWriteDone}));
    EXPECT_EQ(Radio(0x4A10), 12);            // TOT
    EXPECT_EQ(Radio(0x4A32), 255);           // CW tone, low byte
    EXPECT_EQ(Radio(0x4A33), 0);
    EXPECT_EQ(Radio(0x4A25), 130);           // Rx NR
    EXPECT_EQ(Radio(0x4A15), 4);             // colour
    EXPECT_EQ(Radio(0x4A17), 25000 & 0xFF);  // Tx offset
    EXPECT_EQ(Radio(0x4A18), 25000 >> 8);
    EXPECT_EQ(Radio(0x4A30) & 0x04, 0x04);   // POW display
    EXPECT_EQ(Radio(0x4A06) & 0x10, 0);      // PA disabled
    EXPECT_TRUE(SameTransferred(EncodedImage(p().doc), radio.Image()));

    const QString path = Folder("mine.dat");
    SaveAs(path);
    ASSERT_FALSE(p().doc.IsUntitled);
    prompter.Script({Answer::Ok});
    main().Menu("mnuFileNew")->trigger();
    OpenFile(path);
    w = OpenFromMenu();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Combo1[9]->currentText(), "120s");
    EXPECT_EQ(w->Combo1[47]->currentText(), "2550");
    EXPECT_EQ(w->Combo1[25]->currentText(), "3");
    EXPECT_EQ(w->Text4[12]->text(), "2.5000");
    EXPECT_TRUE(w->chkCheck2[2]->isChecked());
    EXPECT_FALSE(w->Check1[9]->isChecked());

    // A read after the write brings the same settings back from the radio.
    prompter.shown.clear();
    main().Menu("mnuReadFromRadio")->trigger();
    ASSERT_TRUE(RunUntil([this] { return Idle(); }));
    EXPECT_EQ(prompter.Texts(), QStringList({kConfirmRead, kReadDone}));
    EXPECT_EQ(Window(), nullptr);  // the read closed it
    w = OpenFromMenu();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Combo1[9]->currentText(), "120s");
    EXPECT_EQ(w->Combo1[17]->currentText(), "Red");
    EXPECT_EQ(w->Text4[12]->text(), "2.5000");
}

TEST_F(OptProgram, LookingWithoutTouchingLeavesTheFilesByteForByte) {
    // The new document from the template, then a radio full of values no list holds.
    const QString first = Folder("a.dat"), second = Folder("b.dat");
    SaveAs(first);
    ASSERT_NE(OpenFromMenu(), nullptr);
    Window()->CommandClose->click();
    SaveAs(second);
    EXPECT_EQ(Files(second), Files(first));

    Document radioDoc;
    FillWritableDocument(radioDoc, 7);
    radio.Image() = EncodedImage(radioDoc);
    main().Menu("mnuReadFromRadio")->trigger();
    ASSERT_TRUE(RunUntil([this] { return Idle(); }));
    const QByteArray before = EncodeRecord(d());
    SaveAs(first);
    ASSERT_NE(OpenFromMenu(), nullptr);
    zr50->forms().UnloadChildren();
    EXPECT_EQ(EncodeRecord(d()), before);
    SaveAs(second);
    EXPECT_EQ(Files(second), Files(first));
}

TEST_F(OptProgram, AnOptionByteChangedAloneIsOfferedForSaving) {
    SaveAs(Folder("mine.dat"));
    FrmOptFeatures* w = OpenFromMenu();
    ASSERT_NE(w, nullptr);
    Choose(w->Combo1[47], "500");
    prompter.shown.clear();
    prompter.Script({Answer::Cancel});
    main().Menu("mnuFileOpen")->trigger();
    EXPECT_EQ(prompter.Texts(), QStringList({"File has been modify,save it now?"}));
}

}  // namespace
