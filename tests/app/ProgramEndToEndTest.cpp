// The whole program as a person uses it: menus and toolbar of the main window,
// the channel window and the real progress and port windows, against the
// simulated radio on a pseudo-terminal.

#include "FlexGrid.h"
#include "SimRadio.h"
#include "Zr50Program.h"
#include "frmCommChInfo.h"
#include "link/ProgramProtocol.h"
#include "platform/IniFile.h"
#include "support/ScriptedLink.h"
#include "support/widgets/ProgramFixture.h"
#include "support/widgets/WindowHarness.h"
#include "windows/FrmComSet.h"
#include "windows/ProgressWindows.h"
#include "windows/frmMain.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;
using namespace zr50::test::linktext;

namespace {

TEST_F(ProgramEndToEnd, WriteCommitsTheOpenEditFirst) {
    frmCommChInfo* w = Channels();
    ASSERT_NE(w, nullptr);
    // Band 0 is the editable one.
    w->Combo2->setCurrentIndex(0);
    emit w->Combo2->activated(0);
    w->MSFlexGrid1->setFocus();
    w->MSFlexGrid1->setCurrentCell(3, 1);
    QTest::keyClick(w->MSFlexGrid1, Qt::Key_Return);
    ASSERT_TRUE(w->Text1->isVisible());
    QTest::keyClicks(w->Text1, QStringLiteral("27.12345"));

    main().ToolButton(QStringLiteral("WriteRadio"))->trigger();
    ASSERT_TRUE(RunUntil([this] { return Idle() && prompter.shown.size() == 2; }));
    EXPECT_EQ(prompter.Texts(), QStringList({kConfirmWrite, kWriteDone}));
    EXPECT_EQ(radio.counters.writes, kBlocks);
    const int group = p().doc.DataRec.CurGroup[0];
    ASSERT_GT(p().doc.FindChannelIndex(3, 0, group), 0);
    EXPECT_EQ(p().doc.ChData(0, p().doc.FindChannelIndex(3, 0, group), group).RxFreq.raw(), "2712345 ");
    EXPECT_TRUE(SameTransferred(EncodedImage(p().doc), radio.Image()));
}

TEST_F(ProgramEndToEnd, ClosingTheProgressWindowEndsTheReadAndKeepsTheDocument) {
    radio.SetBaudRate(9600);  // slow enough to close the window mid-way
    radio.onFrame = [&](const sim::Frame& f) {
        if (f.kind == sim::FrameKind::Read && f.address == 0x0100)
            if (auto* w = qobject_cast<FrmProgress*>(QApplication::activeModalWidget())) w->reject();
    };
    main().Menu("mnuReadFromRadio")->trigger();
    EXPECT_TRUE(Idle());
    EXPECT_EQ(prompter.Texts(), QStringList({kConfirmRead}));
    EXPECT_LT(radio.counters.reads, kBlocks);
    EXPECT_FALSE(p().doc.IsDataModified());
}

TEST_F(ProgramEndToEnd, PortDialogFromTheToolbarThenReadFromTheRadioThroughTheMenu) {
    WhenModal([](QWidget* dialog) {
        auto* d = qobject_cast<FrmComSet*>(dialog);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Communication Port"));
        EXPECT_EQ(d->Combo1->currentText(), QStringLiteral("COM40"));
        ASSERT_EQ(d->Combo1->count(), 2);
        d->Combo1->setCurrentIndex(1);
        emit d->Combo1->activated(1);
        d->CommandOK->click();
    });
    main().ToolButton(QStringLiteral("CommSet"))->trigger();
    EXPECT_EQ(p().settings.PortNo, 41);
    EXPECT_EQ(SettingsKey(p(), "comPort"), QStringLiteral("41"));
    EXPECT_EQ(main().sbPanel[2]->text(), QStringLiteral("COM41"));

    // The radio on the new port is read.
    Document radioDoc;
    FillWritableDocument(radioDoc, 2);
    spare.Image() = EncodedImage(radioDoc);
    int highest = -1;
    QString caption;
    WhenModal([&](QWidget* w) {
        auto* progress = qobject_cast<FrmProgress*>(w);
        ASSERT_NE(progress, nullptr);
        caption = progress->windowTitle();
        QObject::connect(progress->ProgressBar1, &QProgressBar::valueChanged,
                         [&](int v) { highest = std::max(highest, v); });
    });
    main().Menu("mnuReadFromRadio")->trigger();
    EXPECT_EQ(prompter.Texts(), QStringList({kConfirmRead, kReadDone}));
    EXPECT_EQ(spare.counters.reads, kBlocks);
    EXPECT_EQ(radio.counters.program, 0);
    EXPECT_TRUE(SameTransferred(EncodedImage(p().doc), spare.Image()));
    EXPECT_TRUE(main().windowTitle().endsWith(QStringLiteral("[File Name:new.dat]")));
    ASSERT_NE(Channels(), nullptr);
    EXPECT_EQ(caption, QStringLiteral("Read data from radio"));
    EXPECT_EQ(highest, 100);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(Idle());
}

TEST_F(ProgramEndToEnd, GroupWriteAsksHowManyRadios) {
    prompter.numbers = {1};
    main().Menu("mnuMWriteToRadio")->trigger();  // hidden in this build, but wired
    EXPECT_TRUE(Idle());
    EXPECT_EQ(radio.counters.writes, kBlocks);
    EXPECT_EQ(prompter.Texts(), QStringList({"Number of radios to write:", kConfirmWrite, kWriteDone}));

    prompter.shown.clear();
    main().Menu("mnuMWriteToRadio")->trigger();  // the question cancelled
    EXPECT_EQ(prompter.shown.size(), 1);
}

}  // namespace
