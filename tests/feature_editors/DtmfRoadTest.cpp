// A DTMF code on its whole road through the running program: typed in the
// window opened from the tree, saved when the open of a file asks, read back
// from the file, written to the simulated radio and found in its memory.

#include "DtmfTestSupport.h"
#include "FrmOptFeatures.h"
#include "link/ProgramProtocol.h"
#include "support/ScriptedLink.h"
#include "support/widgets/InstalledProgram.h"

#include <QComboBox>
#include <QTest>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;
using namespace zr50::test::linktext;

namespace {

const QString kSaveQuestion = QStringLiteral("File has been modify,save it now?");

struct DtmfRoad : ::testing::Test, InstalledProgram {
    sim::SimRadio radio;
    void SetUp() override { ASSERT_TRUE(Start({&radio})); }
    void TearDown() override { zr50.reset(); }  // before the radio goes
    Program& p() { return zr50->p(); }
    frmMain& main() { return zr50->main(); }
    bool Idle() { return zr50->link().CommMode == 0; }

    FrmDTMF* OpenFromTree() {
        QTreeWidgetItem* node = main().TreeView1->topLevelItem(0)->child(3);
        EXPECT_FALSE(node->isDisabled());
        emit main().TreeView1->itemClicked(node, 0);
        auto* w = qobject_cast<FrmDTMF*>(zr50->forms().Find(QStringLiteral("FrmDTMF")));
        if (w) w->SSTab1->setCurrentIndex(2);
        return w;
    }
};

TEST_F(DtmfRoad, TypedCodeIsSavedReadBackAndWrittenToTheRadio) {
    EXPECT_FALSE(main().Menu("mnuDTMF")->isVisible());
    FrmDTMF* w = OpenFromTree();
    ASSERT_NE(w, nullptr);
    // Opened and closed untouched: still nothing to save.
    w->CommandClose->click();
    EXPECT_FALSE(p().doc.IsDataModified());

    // The optional-features window lists the new code as a BOT choice.
    emit main().TreeView1->itemClicked(main().TreeView1->topLevelItem(0)->child(1), 0);
    auto* opt = qobject_cast<FrmOptFeatures*>(zr50->forms().Find(QStringLiteral("FrmOptFeatures")));
    ASSERT_NE(opt, nullptr);
    w = OpenFromTree();
    ASSERT_NE(w, nullptr);
    TypeCode(w, 2, QStringLiteral("12*#"));
    EXPECT_GE(opt->Combo2[6]->findText(QStringLiteral("2")), 1);
    w->Combo1[0]->setCurrentIndex(19);  // "200"
    emit w->Combo1[0]->activated(19);
    EXPECT_TRUE(p().doc.IsDataModified());

    // Opening a file asks to save first; the saved file is then opened.
    const QString file = Folder("codes.dat");
    prompter.Script({Answer::Yes});
    prompter.ScriptFiles({file, file});
    main().Menu("mnuFileOpen")->trigger();
    EXPECT_EQ(prompter.Texts(), QStringList{kSaveQuestion});
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_EQ(p().doc.DataFileName, file);
    EXPECT_FALSE(p().doc.IsDataModified());
    EXPECT_FALSE(zr50->forms().IsLoaded(QStringLiteral("FrmDTMF")));  // the open closed it

    w = OpenFromTree();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->MSFlexGrid1->TextMatrix(2, 1), QStringLiteral("12*#"));
    EXPECT_EQ(w->Combo1[0]->currentText(), QStringLiteral("200"));

    // Written to the radio: the code's row and the send time in its memory.
    prompter.shown.clear();
    main().ToolButton(QStringLiteral("WriteRadio"))->trigger();
    ASSERT_TRUE(RunUntil([this] { return Idle() && prompter.shown.size() == 2; }));
    EXPECT_EQ(prompter.Texts(), QStringList({kConfirmWrite, kWriteDone}));
    const MemImage& m = radio.Image();
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&m[0x4490]), 6), QByteArray("\x01\x02\x0e\x0f\x10\x10", 6));
    EXPECT_EQ(m[0x4A1B], 20);
    EXPECT_EQ(m[0x4480], 0x10);  // code 1 stays empty
    EXPECT_TRUE(SameTransferred(EncodedImage(p().doc), m));

    // A second edit, and leaving the program asks again; Cancel keeps it running.
    w = qobject_cast<FrmDTMF*>(zr50->forms().Find(QStringLiteral("FrmDTMF")));
    ASSERT_NE(w, nullptr);
    TypeCode(w, 2, QStringLiteral("7"));
    prompter.shown.clear();
    prompter.Script({Answer::Cancel});
    EXPECT_FALSE(main().close());
    EXPECT_EQ(prompter.Texts(), QStringList{kSaveQuestion});
    EXPECT_TRUE(zr50->forms().IsLoaded(QStringLiteral("FrmDTMF")));
}

}  // namespace
