// The whole program as a person uses it: menus and toolbar of the main window,
// the channel window and the real progress and port windows, against the
// simulated radio on a pseudo-terminal.

#include "FlexGrid.h"
#include "SimRadio.h"
#include "files/DocumentFiles.h"
#include "model/ByteIO.h"
#include "Zr50Program.h"
#include "frmCommChInfo.h"
#include "link/ProgramProtocol.h"
#include "platform/IniFile.h"
#include "support/ScriptedLink.h"
#include "support/widgets/InstalledProgram.h"
#include "support/widgets/WindowHarness.h"
#include "windows/FrmComSet.h"
#include "windows/ProgressWindows.h"
#include "windows/frmMain.h"

#include <QComboBox>
#include <QGroupBox>
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

class ProgramEndToEnd : public ::testing::Test, protected InstalledProgram {
protected:
    // An installed copy of the program with the radio on COM40 and another on COM41.
    void SetUp() override { ASSERT_TRUE(Start({&radio, &spare})); }
    void TearDown() override { zr50.reset(); }  // before the radios go
    Program& p() { return zr50->p(); }
    frmMain& main() { return zr50->main(); }
    frmCommChInfo* Channels() { return qobject_cast<frmCommChInfo*>(zr50->forms().Find(QStringLiteral("frmCommChInfo"))); }
    bool Idle() { return zr50->link().CommMode == 0; }

    // A frequency typed into the grid's editor on a row of band 0, not yet left.
    void StartEdit(int row, const QString& text) {
        frmCommChInfo* w = Channels();
        ASSERT_NE(w, nullptr);
        w->Combo2->setCurrentIndex(0);
        emit w->Combo2->activated(0);
        w->MSFlexGrid1->setFocus();
        w->MSFlexGrid1->setCurrentCell(row, 1);
        QTest::keyClick(w->MSFlexGrid1, Qt::Key_Return);
        ASSERT_TRUE(w->Text1->isVisible());
        w->Text1->clear();
        QTest::keyClicks(w->Text1, text);
    }
    // The working copy's receive frequency of channel n in the current group of band 0.
    QString RxFreqOf(int n) {
        const int group = p().doc.DataRec.CurGroup[0];
        const int s = p().doc.FindChannelIndex(n, 0, group);
        return s ? p().doc.ChData(0, s, group).RxFreq.raw() : QString();
    }
    // A .dat/.fre pair of d as the program opens it.
    void WriteDocument(Document& d, const QString& path) {
        d.DataRec.VersionText.set(QStringLiteral("V200"));
        // Noise can name a band the window has no list entry for.
        d.DataRec.CurBand = 0;
        d.DataRec.CurGroup = {1, 1};
        WriteFile(path, EncodeRecord(d.DataRec));
        WriteFile(ChannelFilePath(path), EncodeChannelFile(d.DataRec, d.ChData));
    }
    void Open(const QString& path) {
        prompter.ScriptFiles({path});
        main().Menu("mnuFileOpen")->trigger();
    }

    sim::SimRadio radio, spare;
};

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

// ---- one document after another ----

// The .fre a save of d writes: the channel window exposes one slot in each
// empty VFO group, which holds a never-written record.
QByteArray ChannelFileOf(const Document& d) {
    DataHeaderRec counts = d.DataRec;
    for (int b = 0; b < kBands; ++b)
        counts.ChCount(b, VfoGroupOf(b)) = std::max<int16_t>(counts.ChCount(b, VfoGroupOf(b)), 1);
    return EncodeChannelFile(counts, d.ChData);
}

TEST_F(ProgramEndToEnd, NothingOfTheDocumentBeforeReachesTheFilesOrTheRadio) {
    Document vfo, noVfo;
    FillWritableDocument(vfo, 3);
    FillWritableDocument(noVfo, 5);
    for (int b = 0; b < kBands; ++b) {
        ASSERT_EQ(vfo.DataRec.ChCount(b, VfoGroupOf(b)), 1);
        noVfo.DataRec.ChCount(b, VfoGroupOf(b)) = 0;
    }
    WriteDocument(vfo, Folder("vfo.dat"));
    WriteDocument(noVfo, Folder("novfo.dat"));
    // The second document alone, as its files hold it.
    Document alone;
    ASSERT_TRUE(ParseDocumentFiles(ReadFile(Folder("novfo.dat")), ReadFile(Folder("novfo.fre")), alone.DataRec,
                                   alone.ChData));

    Open(Folder("vfo.dat"));
    Open(Folder("novfo.dat"));
    ASSERT_EQ(p().doc.DataFileName, Folder("novfo.dat"));
    prompter.ScriptFiles({Folder("second.dat")});
    main().Menu("mnuFileSaveAs")->trigger();
    EXPECT_EQ(ReadFile(Folder("second.fre")), ChannelFileOf(alone));

    main().ToolButton(QStringLiteral("WriteRadio"))->trigger();
    ASSERT_TRUE(RunUntil([this] { return Idle() && prompter.Texts().contains(kWriteDone); }));
    EXPECT_TRUE(SameTransferred(radio.Image(), EncodedImage(alone)));

    // A read of that image after the document with VFO channels.
    Open(Folder("vfo.dat"));
    ASSERT_EQ(p().doc.DataFileName, Folder("vfo.dat"));
    prompter.shown.clear();
    main().Menu("mnuReadFromRadio")->trigger();
    ASSERT_EQ(prompter.Texts(), QStringList({kConfirmRead, kReadDone}));
    prompter.ScriptFiles({Folder("read.dat")});
    main().Menu("mnuFileSaveAs")->trigger();
    Document read;
    DecodeAllData(radio.Image(), read);
    EXPECT_EQ(ReadFile(Folder("read.fre")), ChannelFileOf(read));

    // A channel added after the read takes a slot the document before had filled.
    int group = 0;
    for (int g = 1; g <= 12 && !group; ++g)
        if (vfo.DataRec.ChCount(0, g) > p().doc.DataRec.ChCount(0, g)) group = g;
    ASSERT_GT(group, 0);
    const ChannelRecord& before = vfo.ChData(0, p().doc.DataRec.ChCount(0, group) + 1, group);
    ASSERT_NE(before.RxCtc | before.CtcDcs | before.DecTone | before.DecDcs, 0);
    int row = 1;
    while (p().doc.FindChannelIndex(row, 0, group)) ++row;
    ASSERT_LE(row, 40);
    p().doc.DataRec.CurGroup[0] = int16_t(group);
    StartEdit(row, QStringLiteral("27.3"));
    Channels()->ValidateControls();
    const int slot = p().doc.FindChannelIndex(row, 0, group);
    ASSERT_GT(slot, 0);
    const ChannelRecord& added = p().doc.ChData(0, slot, group);
    EXPECT_EQ(std::make_tuple(added.RxCtc, added.CtcDcs, added.DecTone, added.DecDcs, added.Reserved1),
              std::make_tuple(0, 0, 0, 0, 0));

    // New and the initial settings leave every slot beyond the counts never written.
    for (const char* road : {"mnuFileNew", "MnuInitial"}) {
        SCOPED_TRACE(road);
        prompter.Script({Answer::No});
        Open(Folder("vfo.dat"));
        ASSERT_EQ(p().doc.DataFileName, Folder("vfo.dat"));
        main().Menu(road)->trigger();
        const Document& d = p().doc;
        for (int b = 0; b < kBands; ++b)
            for (int g = 1; g <= GroupCount(b); ++g)
                for (int s = std::max<int>(d.DataRec.ChCount(b, g), 0) + 1; s <= kMaxSlots; ++s)
                    ASSERT_EQ(EncodeRecord(d.ChData(b, s, g)), EncodeRecord(ChannelRecord())) << b << "/" << g << "/" << s;
    }
}

// ---- pending edits and the modified test ----

TEST_F(ProgramEndToEnd, EveryDocumentRoadFinishesTheOpenEditFirst) {
    const QString saved = Folder("saved.dat");
    prompter.ScriptFiles({saved});
    main().Menu("mnuFileSaveAs")->trigger();
    ASSERT_EQ(p().doc.DataFileName, saved);

    // Save, Save As and the toolbar's Save write the typed frequency.
    const struct {
        const char* how;
        std::function<void()> save;
    } saves[] = {
        {"save", [&] { main().Menu("mnuFileSave")->trigger(); }},
        {"save as", [&] { prompter.ScriptFiles({saved}); main().Menu("mnuFileSaveAs")->trigger(); }},
        {"toolbar", [&] { main().ToolButton(QString::fromUtf8("保存"))->trigger(); }},
    };
    int n = 0;
    for (const auto& road : saves) {
        SCOPED_TRACE(road.how);
        const QString typed = QStringLiteral("27.1%1").arg(++n);
        StartEdit(3, typed);
        road.save();
        EXPECT_FALSE(Channels()->Text1->isVisible());
        EXPECT_EQ(RxFreqOf(3), QStringLiteral("271%10000").arg(n).left(7) + QLatin1Char(' '));
        EXPECT_FALSE(p().doc.IsDataModified());
        Document onDisk;
        ASSERT_TRUE(ParseDocumentFiles(ReadFile(saved), ReadFile(ChannelFilePath(saved)), onDisk.DataRec, onDisk.ChData));
        const int group = onDisk.DataRec.CurGroup[0];
        const int s = onDisk.FindChannelIndex(3, 0, group);
        ASSERT_GT(s, 0);
        EXPECT_EQ(onDisk.ChData(0, s, group).RxFreq.raw(), RxFreqOf(3));
    }

    // Open, Exit and a read ask about the edit before it can be lost.
    prompter.shown.clear();
    StartEdit(4, QStringLiteral("27.5"));
    prompter.Script({Answer::Cancel});
    main().Menu("mnuFileOpen")->trigger();
    StartEdit(4, QStringLiteral("27.6"));
    prompter.Script({Answer::Cancel});
    main().close();
    EXPECT_TRUE(main().isVisible());
    EXPECT_EQ(prompter.Texts(), QStringList({"File has been modify,save it now?", "File has been modify,save it now?"}));
    EXPECT_EQ(RxFreqOf(4), QStringLiteral("2760000 "));

    StartEdit(5, QStringLiteral("27.7"));
    prompter.Script({Answer::Cancel});
    main().Menu("mnuReadFromRadio")->trigger();
    EXPECT_FALSE(Channels()->Text1->isVisible());
    EXPECT_EQ(RxFreqOf(5), QStringLiteral("2770000 "));
    EXPECT_EQ(radio.counters.program, 0);
}

TEST_F(ProgramEndToEnd, DocumentsOpenUnmodifiedAndEveryChannelOptionCounts) {
    // The blank template, a document with VFO channels and one without.
    Document vfo, noVfo;
    FillWritableDocument(vfo, 3);
    FillWritableDocument(noVfo, 5);
    for (int b = 0; b < kBands; ++b) noVfo.DataRec.ChCount(b, VfoGroupOf(b)) = 0;
    WriteDocument(vfo, Folder("vfo.dat"));
    WriteDocument(noVfo, Folder("novfo.dat"));
    for (const char* file : {"", "novfo.dat", "vfo.dat"}) {
        SCOPED_TRACE(file);
        if (*file) {
            Open(Folder(file));
            ASSERT_EQ(p().doc.DataFileName, Folder(file)) << prompter.Texts().join("|").toStdString();
        }
        ASSERT_NE(Channels(), nullptr);
        EXPECT_FALSE(p().doc.IsDataModified());
        Channels()->CommandClose->click();
        ASSERT_EQ(Channels(), nullptr);
        main().Menu("mnuChannelInfo")->trigger();
        ASSERT_NE(Channels(), nullptr);
        Channels()->CommandClose->click();
        EXPECT_FALSE(p().doc.IsDataModified());
    }

    // A changed tone type is an edit the Exit question offers to save.
    main().Menu("mnuChannelInfo")->trigger();
    frmCommChInfo* w = Channels();
    const int group = p().doc.DataRec.CurGroup[p().doc.DataRec.CurBand];
    ASSERT_GT(p().doc.DataRec.ChCount(p().doc.DataRec.CurBand, group), 0);
    w->MSFlexGrid1->setCurrentCell(p().doc.ChData(p().doc.DataRec.CurBand, 1, group).ChNo, 1);
    QComboBox* txType = w->Combo8[17];
    ASSERT_TRUE(w->Frame2->isVisible());
    const int other = (txType->currentIndex() + 1) % txType->count();
    txType->setCurrentIndex(other);
    emit txType->activated(other);
    prompter.shown.clear();
    prompter.Script({Answer::Cancel});
    main().close();
    EXPECT_EQ(prompter.Texts(), QStringList({"File has been modify,save it now?"}));
}

}  // namespace
