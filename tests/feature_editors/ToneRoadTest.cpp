// A tone step's whole road through the running program: edited in the window
// opened from the menu and the tree, saved, opened again, written to the
// simulated radio on a pseudo-terminal and found in the radio's memory.

#include "FrmToneTips.h"
#include "ToneTestSupport.h"
#include "codec/ImageMap.h"
#include "sound/ModBeep.h"
#include "support/ScriptedLink.h"
#include "link/ProgramProtocol.h"
#include "support/widgets/InstalledProgram.h"

#include <QComboBox>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;
using namespace zr50::test::linktext;

namespace {

class ToneRoad : public ProgramWithTones {
protected:
    FrmToneTips* Window() {
        return qobject_cast<FrmToneTips*>(zr50->forms().Find(QStringLiteral("FrmToneTips")));
    }
    void Tab(int n) { ClickTab(Window(), n); }
};

TEST_F(ToneRoad, EditSaveReopenAndWriteToTheRadio) {
    // Opened from the menu and closed untouched: nothing changes.
    ASSERT_TRUE(main().Menu("mnuToneTips")->isEnabled());
    main().Menu("mnuToneTips")->trigger();
    ASSERT_NE(Window(), nullptr);
    Tab(8);
    Window()->CommandClose->click();
    EXPECT_EQ(Window(), nullptr);
    EXPECT_FALSE(p().doc.IsDataModified());

    // Opened from the tree; record 3, step 2 becomes 1200 Hz for 150 ms, four times.
    QTreeWidgetItem* node = main().TreeView1->topLevelItem(0)->child(2);
    ASSERT_EQ(node->data(0, Qt::UserRole).toString(), "N12");
    ASSERT_FALSE(node->isDisabled());
    emit main().TreeView1->itemClicked(node, 0);
    ASSERT_NE(Window(), nullptr);
    Tab(3);
    Choose(Window()->Combo3[1], "1200");
    Choose(Window()->Combo4[1], "150");
    Choose(Window()->Combo1, "4");
    EXPECT_TRUE(p().doc.IsDataModified());

    const QString path = Folder("beeps.dat");
    prompter.ScriptFiles({path});
    main().Menu("mnuFileSaveAs")->trigger();
    EXPECT_FALSE(p().doc.IsDataModified());

    // Playing while the file is opened again: the windows go, the sound ends.
    Window()->Command1->click();
    ASSERT_TRUE(zr50->beep().IsPlaying());
    prompter.ScriptFiles({path});
    main().Menu("mnuFileOpen")->trigger();
    EXPECT_EQ(Window(), nullptr);
    clock.RunOut();
    EXPECT_FALSE(zr50->beep().IsPlaying());
    EXPECT_FALSE(p().doc.IsDataModified());

    main().Menu("mnuToneTips")->trigger();
    Tab(3);
    FrmToneTips* w = Window();
    EXPECT_EQ(w->Combo1->currentText(), "4");
    EXPECT_EQ(w->Combo3[1]->currentText(), "1200");
    EXPECT_EQ(w->Combo4[1]->currentText(), "150");

    main().Menu("mnuWriteToRadio")->trigger();
    ASSERT_TRUE(RunUntil([this] { return Idle() && prompter.shown.size() == 2; }));
    EXPECT_EQ(prompter.Texts().mid(0, 2), QStringList({kConfirmWrite, kWriteDone}));
    const int a = imagemap::ToneRecordAt(3);
    EXPECT_EQ(radio.Image()[size_t(a)], 4);                   // cycles
    EXPECT_EQ(radio.Image()[size_t(a + 1 + 2)], 120);         // step 2 frequency
    EXPECT_EQ(radio.Image()[size_t(a + 1 + kToneSteps + 2)], 15);  // step 2 length
    EXPECT_TRUE(SameTransferred(EncodedImage(p().doc), radio.Image()));
}

}  // namespace
