// The main window driven through its menus, toolbar, tree and dialogs; the port
// dialog and the about boxes.

#include "files/NewDocument.h"
#include "platform/UserSettings.h"
#include "platform/gui/ProgramIcon.h"
#include "support/widgets/WindowHarness.h"
#include "versions/Versions.h"
#include "windows/AboutBox.h"
#include "windows/ComboBoxes.h"
#include "windows/FrmComSet.h"
#include "platform/gui/MessageBoxPrompter.h"
#include "windows/frmMain.h"
#include "windows/FrmSetLanguage.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        CopyInstallation(h.dir.path());
        InitVersions(h.p());
        // A stand-in for the channel window: the main window only needs a window of that name.
        h.forms.Register(QStringLiteral("frmCommChInfo"), [] { return new QWidget; });
        InitNewData(h.p());
    }
    frmMain& Open() {
        w = std::make_unique<frmMain>(h.p(), h.forms);
        w->onShutdown = [this] { ++shutdowns; };
        return *w;
    }
    void Modify() { h.p().doc.DataRec.OptFeat.Beep ^= 1; }
    QString Path(const char* name) const { return h.dir.path() + QLatin1Char('/') + QLatin1String(name); }
    QStringList Children() const {
        QStringList names;
        for (QMdiSubWindow* s : w->mdiArea->subWindowList()) names << s->widget()->objectName();
        return names;
    }

    WindowHarness h{false};
    std::unique_ptr<frmMain> w;
    int shutdowns = 0;
};

TEST_F(MainWindowTest, LoadsMenusToolbarTreeAndStatusInEnglish) {
    frmMain& m = Open();
    EXPECT_EQ(m.Menu("mnuFile")->text() + m.Menu("mnuHelpAbout")->text() + m.Menu("mnuToneTips")->text(),
              QStringLiteral("&File&About ZR50&Roger Beep"));
    EXPECT_EQ(m.Menu("mnuFileNew")->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    for (const char* hidden : {"mnuFilePrint", "mnuModel", "MnuBand", "mnuDTMF", "mnuTools", "mnuTest",
                               "mnuEMG", "mnuFleetSync", "mnuWindowTileVertical", "mnuMWriteToRadio",
                               "MnuInitialBand1", "mnuHelpTopic"})
        EXPECT_FALSE(m.Menu(hidden)->isVisible()) << hidden;
    for (const char* shown : {"mnuFileOpen", "mnuReadFromRadio", "mnuComm", "MnuInitial", "mnuCloseAll"})
        EXPECT_TRUE(m.Menu(shown)->isVisible()) << shown;
    EXPECT_TRUE(m.Menu("mnuTreeView")->isChecked());
    // Only the editors of this build can be opened.
    EXPECT_TRUE(m.Menu("mnuChannelInfo")->isEnabled());
    EXPECT_FALSE(m.Menu("mnuOptFeature")->isEnabled());

    EXPECT_EQ(m.ToolButton(QString::fromUtf8("新建"))->toolTip(), QStringLiteral("New"));
    EXPECT_EQ(m.ToolButton(QStringLiteral("WriteRadio"))->toolTip(), QStringLiteral("Write to Radio"));
    EXPECT_FALSE(m.ToolButton(QStringLiteral("MWriteRadio"))->isVisible());
    const QList<QAction*> bar = m.tbToolBar->actions();
    ASSERT_EQ(bar.size(), 13);
    for (int separator : {4, 6, 10, 12}) EXPECT_TRUE(bar[separator - 1]->isSeparator()) << separator;

    EXPECT_EQ(m.sbPanel[0]->text(), QString::fromUtf8("状态"));
    EXPECT_FALSE(m.sbPanel[1]->isVisibleTo(&m));
    EXPECT_EQ(m.sbPanel[2]->text(), QStringLiteral("COM1"));
    EXPECT_EQ(m.windowTitle(), QStringLiteral("ZR50[28.0000 - 29.6950 MHz][File Name:new.dat]"));

    QTreeWidgetItem* root = m.TreeView1->topLevelItem(0);
    ASSERT_EQ(root->childCount(), 4);
    EXPECT_EQ(root->text(0) + "|" + root->child(0)->text(0) + "|" + root->child(2)->text(0),
              QStringLiteral("ZR50|Channel Information|Roger Beep"));
    EXPECT_EQ(root->child(3)->data(0, Qt::UserRole).toString(), QStringLiteral("N5"));
    EXPECT_EQ(Children(), QStringList({"frmCommChInfo"}));
}

TEST_F(MainWindowTest, ChineseCaptionsAndTheGroupWriteSwitch) {
    h.p().settings.CurLanguage = kChinese;
    h.p().settings.MWriteEnable = 1;
    h.p().settings.PortNo = 3;
    frmMain& m = Open();
    EXPECT_EQ(m.Menu("mnuFile")->text(), QString::fromUtf8("文件&F"));
    EXPECT_EQ(m.Menu("mnuMWriteToRadio")->text(), QString::fromUtf8("向多台对讲机写入数据(&M)"));
    EXPECT_TRUE(m.Menu("mnuMWriteToRadio")->isVisible());
    EXPECT_TRUE(m.ToolButton(QStringLiteral("MWriteRadio"))->isVisible());
    EXPECT_EQ(m.ToolButton(QString::fromUtf8("打开"))->toolTip(), QString::fromUtf8("打开"));
    EXPECT_EQ(m.sbPanel[2]->text(), QString::fromUtf8("通信口3"));
    EXPECT_EQ(m.TreeView1->topLevelItem(0)->child(3)->text(0), QString::fromUtf8("DTMF(双音多频)"));
    EXPECT_TRUE(m.windowTitle().contains(QString::fromUtf8("[文件名:new.dat]")));
}

TEST_F(MainWindowTest, MenuNewAsksButTheToolbarButtonAndInitialSettingsDoNot) {
    frmMain& m = Open();
    Modify();
    h.prompter.Script({Answer::Cancel});
    m.Menu("mnuFileNew")->trigger();
    ASSERT_EQ(h.prompter.shown.size(), 1);
    const Shown& s = h.prompter.shown[0];
    EXPECT_EQ(std::make_tuple(s.text, s.buttons, s.icon),
              std::make_tuple(QStringLiteral("All data will be cleared."), Buttons::OkCancel, Icon::Exclamation));
    EXPECT_TRUE(h.p().doc.IsDataModified());
    m.Menu("mnuFileNew")->trigger();
    EXPECT_FALSE(h.p().doc.IsDataModified());

    Modify();
    m.ToolButton(QString::fromUtf8("新建"))->trigger();
    EXPECT_EQ(h.prompter.shown.size(), 2);
    EXPECT_FALSE(h.p().doc.IsDataModified());

    // The initial settings come from their template, without asking.
    Modify();
    m.Menu("MnuInitial")->trigger();
    EXPECT_EQ(h.prompter.shown.size(), 2);
    EXPECT_FALSE(h.p().doc.IsDataModified());
    EXPECT_GT(h.p().doc.DataRec.ChCount(h.p().doc.DataRec.CurBand, 1), 1);
}

TEST_F(MainWindowTest, SaveGoesThroughSaveAsUntilTitledThenAsksToOverwrite) {
    frmMain& m = Open();
    h.prompter.ScriptFiles({QString()});
    m.Menu("mnuFileSave")->trigger();
    EXPECT_TRUE(h.p().doc.IsUntitled);
    EXPECT_EQ(h.prompter.fileDialogs, QStringList({"save:new.dat:Data File (*.dat):dat"}));

    h.prompter.ScriptFiles({Path("radio.dat")});
    m.Menu("mnuFileSave")->trigger();
    EXPECT_FALSE(h.p().doc.IsUntitled);
    EXPECT_TRUE(QFile::exists(Path("radio.fre")));
    EXPECT_TRUE(m.windowTitle().endsWith(QStringLiteral("[File Name:radio.dat]")));

    const auto before = QFileInfo(Path("radio.dat")).lastModified();
    Modify();
    h.prompter.Script({Answer::Cancel});
    m.Menu("mnuFileSave")->trigger();
    EXPECT_EQ(h.prompter.shown.last().text, QStringLiteral("\"radio.dat\"file will be Overwrite,Continue?"));
    EXPECT_EQ(h.prompter.shown.last().icon, Icon::Question);
    EXPECT_TRUE(h.p().doc.IsDataModified());
    m.Menu("mnuFileSave")->trigger();  // unscripted: OK
    EXPECT_FALSE(h.p().doc.IsDataModified());
    EXPECT_GE(QFileInfo(Path("radio.dat")).lastModified(), before);
}

TEST_F(MainWindowTest, OpenOffersToSaveAndAnUntitledSaveCanCancelIt) {
    frmMain& m = Open();
    h.prompter.ScriptFiles({Path("kept.dat")});
    m.Menu("mnuFileSaveAs")->trigger();
    m.Menu("mnuFileNew")->trigger();
    Modify();

    // Yes on an untitled document asks for a file; cancelling it cancels the open.
    h.prompter.Script({Answer::Yes});
    h.prompter.ScriptFiles({QString()});
    h.prompter.fileDialogs.clear();
    m.Menu("mnuFileOpen")->trigger();
    EXPECT_EQ(h.prompter.shown.last().text, QStringLiteral("File has been modify,save it now?"));
    EXPECT_EQ(h.prompter.shown.last().buttons, Buttons::YesNoCancel);
    EXPECT_EQ(h.prompter.fileDialogs, QStringList({"save:new.dat:Data File (*.dat):dat"}));
    EXPECT_FALSE(QFile::exists(Path("new.dat")));
    EXPECT_TRUE(h.p().doc.IsDataModified());

    h.prompter.Script({Answer::No});
    h.prompter.ScriptFiles({Path("kept.dat")});
    m.Menu("mnuFileOpen")->trigger();
    EXPECT_FALSE(h.p().doc.IsDataModified() || h.p().doc.IsUntitled);
    EXPECT_EQ(h.p().doc.DataFileName, Path("kept.dat"));
    EXPECT_EQ(Children(), QStringList({"frmCommChInfo"}));

    // A refused file keeps the document on show.
    WriteFile(Path("bad.dat"), "X200 not a document");
    h.prompter.shown.clear();
    h.prompter.ScriptFiles({Path("bad.dat")});
    m.Menu("mnuFileOpen")->trigger();
    EXPECT_EQ(h.prompter.Texts(), QStringList({"Unknown version Of DataFile!"}));
    EXPECT_EQ(h.p().doc.DataFileName, Path("kept.dat"));
    EXPECT_EQ(Children(), QStringList({"frmCommChInfo"}));
}

TEST_F(MainWindowTest, ExitAsksToSaveAndCancelKeepsRunning) {
    frmMain& m = Open();
    m.show();
    Modify();
    h.prompter.Script({Answer::Cancel});
    EXPECT_FALSE(m.close());
    EXPECT_EQ(shutdowns, 0);

    h.prompter.Script({Answer::Yes});
    h.prompter.ScriptFiles({QString()});
    EXPECT_FALSE(m.close());
    EXPECT_EQ(shutdowns, 0);

    h.prompter.Script({Answer::No});
    EXPECT_TRUE(m.close());
    EXPECT_EQ(shutdowns, 1);
}

TEST_F(MainWindowTest, PlacementIsStoredAndRestoredButNotWhenMinimised) {
    frmMain& m = Open();
    m.show();
    m.move(120, 80);
    m.resize(900, 640);
    ASSERT_TRUE(m.close());
    auto stored = [] { return GetSetting(QStringLiteral("ZR50"), QStringLiteral("Settings"), QStringLiteral("MainWidth"), {}); };
    const QString width = stored();
    EXPECT_NEAR(width.toDouble(), 900 * 1440.0 / m.logicalDpiX(), 1.0);

    frmMain& again = Open();
    EXPECT_EQ(again.size(), QSize(900, 640));
    again.show();
    again.resize(500, 400);
    again.showMinimized();
    ASSERT_TRUE(again.close());
    EXPECT_EQ(stored(), width);
}

TEST_F(MainWindowTest, LanguageSwitchRebuildsAtTheNextActivation) {
    frmMain& m = Open();
    auto choose = [&](int count, int index) {
        WhenModal([count, index](QWidget* dialog) {
            auto* d = qobject_cast<FrmSetLanguage*>(dialog);
            ASSERT_NE(d, nullptr);
            EXPECT_EQ(d->Combo1->count(), count);
            EXPECT_EQ(d->Combo1->itemText(0), QStringLiteral("English"));
            d->Combo1->setCurrentIndex(index);
            d->Command1->click();
        });
        m.Menu("mnuLanguage")->trigger();
        return SettingsKey(h.p(), "CurrentLanguage");
    };
    EXPECT_EQ(choose(1, 0), QStringLiteral("1"));  // an English system offers English only
    EXPECT_EQ(h.p().settings.AppliedLanguage, kEnglish);

    h.p().settings.SysLanguage = kChinese;
    h.forms.Show(QStringLiteral("Other"));  // not part of this build: nothing opens
    EXPECT_EQ(choose(2, 1), QStringLiteral("2"));
    EXPECT_EQ(h.p().settings.CurLanguage, kChinese);
    EXPECT_EQ(m.Menu("mnuFile")->text(), QStringLiteral("&File"));  // not before the activation

    QWidget* before = h.forms.Find(QStringLiteral("frmCommChInfo"));
    m.MDIForm_Activate();
    EXPECT_EQ(m.Menu("mnuFile")->text(), QString::fromUtf8("文件&F"));
    EXPECT_EQ(m.TreeView1->topLevelItem(0)->child(0)->text(0), QString::fromUtf8("信道信息"));
    EXPECT_EQ(Children(), QStringList({"frmCommChInfo"}));
    EXPECT_NE(h.forms.Find(QStringLiteral("frmCommChInfo")), before);
    // A second activation changes nothing.
    before = h.forms.Find(QStringLiteral("frmCommChInfo"));
    m.MDIForm_Activate();
    EXPECT_EQ(h.forms.Find(QStringLiteral("frmCommChInfo")), before);
}

TEST_F(MainWindowTest, QtsOwnDialogsSpeakTheProgramsLanguage) {
    // The file dialog as the program shows it without a desktop's own.
    const auto fileDialogTexts = [] {
        QFileDialog d;
        d.setOption(QFileDialog::DontUseNativeDialog);
        return d.findChild<QLabel*>(QStringLiteral("lookInLabel"))->text() +
               d.findChild<QLabel*>(QStringLiteral("fileNameLabel"))->text();
    };
    h.p().settings.CurLanguage = h.p().settings.AppliedLanguage = kChinese;
    frmMain& m = Open();
    EXPECT_EQ(fileDialogTexts(), QString::fromUtf8("查找范围：文件名称(&N)："));  // from the start
    h.p().settings.CurLanguage = kEnglish;
    m.MDIForm_Activate();
    EXPECT_EQ(fileDialogTexts(), QStringLiteral("Look in:File &name:"));
}

TEST_F(MainWindowTest, TreeAndViewToggles) {
    frmMain& m = Open();
    m.show();
    h.forms.UnloadChildren();
    m.TreeView1->itemClicked(m.TreeView1->topLevelItem(0)->child(0), 0);
    EXPECT_EQ(Children(), QStringList({"frmCommChInfo"}));
    m.TreeView1->itemClicked(m.TreeView1->topLevelItem(0)->child(1), 0);  // not in this build
    EXPECT_EQ(Children(), QStringList({"frmCommChInfo"}));

    m.Toolbar1->actions().first()->trigger();
    EXPECT_FALSE(m.Picture1->isVisible() || m.Menu("mnuTreeView")->isChecked());
    m.Menu("mnuTreeView")->trigger();
    EXPECT_TRUE(m.Picture1->isVisible() && m.Menu("mnuTreeView")->isChecked());
    m.Menu("mnuViewToolbar")->trigger();
    m.Menu("mnuViewStatusBar")->trigger();
    EXPECT_FALSE(m.tbToolBar->isVisible() || m.statusBar()->isVisible());
    m.Menu("mnuCloseAll")->trigger();
    EXPECT_TRUE(Children().isEmpty());
}

TEST_F(MainWindowTest, TheMainWindowAndEveryChildShowTheProgramsIcon) {
    h.forms.Register(QStringLiteral("FrmDTMF"), [] { return new QWidget; });
    frmMain& m = Open();
    m.show();
    h.forms.Show(QStringLiteral("FrmDTMF"));
    const auto image = [](const QIcon& icon) {
        return icon.pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32);
    };
    const QImage own = DrawProgramIcon(32).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(image(m.windowIcon()), own);
    ASSERT_EQ(Children(), QStringList({"frmCommChInfo", "FrmDTMF"}));
    for (QMdiSubWindow* sub : m.mdiArea->subWindowList())
        EXPECT_EQ(image(sub->windowIcon()), own) << sub->widget()->objectName().toStdString();
}

TEST_F(MainWindowTest, NoRightClickMenuOnTheToolbarsOrTheMenuBar) {
    frmMain& m = Open();
    m.show();
    for (QWidget* target : {static_cast<QWidget*>(m.tbToolBar), static_cast<QWidget*>(m.menuBar()),
                            static_cast<QWidget*>(m.Toolbar1)}) {
        const QPoint at(target->width() - 3, target->height() / 2);
        QContextMenuEvent e(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
        QApplication::sendEvent(target, &e);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << target->objectName().toStdString();
        if (QWidget* menu = QApplication::activePopupWidget()) menu->close();
    }
    EXPECT_TRUE(m.tbToolBar->isVisible() && m.Menu("mnuViewToolbar")->isChecked());
}

TEST_F(MainWindowTest, SplitterStaysWithinItsLimits) {
    frmMain& m = Open();
    m.show();
    const int start = m.Picture1->width();
    auto send = [&](QEvent::Type type, int x, Qt::MouseButton button, Qt::MouseButtons held) {
        const QPointF at(x, 5);
        QMouseEvent e(type, at, m.CommandMove->mapToGlobal(at), button, held, {});
        QApplication::sendEvent(m.CommandMove, &e);
    };
    auto drag = [&](int dx) {
        send(QEvent::MouseButtonPress, 1, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, dx, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, dx, Qt::LeftButton, Qt::NoButton);
        send(QEvent::MouseMove, dx + 40, Qt::NoButton, Qt::NoButton);  // no drag after release
    };
    drag(30);
    EXPECT_EQ(m.Picture1->width(), start + 30);
    drag(-(start + 30 - 10));  // 10 pixels: narrower than 300 twips
    EXPECT_EQ(m.Picture1->width(), start + 30);
    drag(m.width() * 2);  // wider than the client area
    EXPECT_EQ(m.Picture1->width(), start + 30);
    EXPECT_FALSE(m.DragFlag());
}

// What the area paints is the picture tiled: each tile is the picture without
// its border, the bands below the first start one pixel to the right.
TEST_F(MainWindowTest, TheBackgroundIsTheTiledPictureWhateverGivesTheAreaItsSize) {
    const QImage picture = QImage(h.p().paths.PictureFolder() + QStringLiteral("/BK_1.jpg")).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(picture.isNull());
    const int tileW = picture.width() - 2, tileH = picture.height() - 2;
    frmMain& m = Open();
    m.show();
    m.Menu("mnuCloseAll")->trigger();
    const auto wrongPixels = [&] {
        QApplication::processEvents();
        const QImage shown = m.mdiArea->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int wrong = 0;
        for (int y = 0; y < shown.height(); y += 3)
            for (int x = 0; x < shown.width(); ++x)
                wrong += shown.pixel(x, y) != (y < tileH ? picture.pixel(1 + x % tileW, y)
                                                         : picture.pixel(1 + (x + 1) % tileW, 1 + (y - tileH) % tileH));
        return wrong;
    };
    EXPECT_EQ(wrongPixels(), 0) << "at start-up";
    m.resize(640, 480);
    EXPECT_EQ(wrongPixels(), 0) << "smaller";
    m.Menu("mnuTreeView")->trigger();
    EXPECT_EQ(wrongPixels(), 0) << "without the tree pane";
    m.Menu("mnuViewStatusBar")->trigger();
    m.Menu("mnuViewToolbar")->trigger();
    m.resize(1300, 740);
    EXPECT_EQ(wrongPixels(), 0) << "larger, without the bars";
}

TEST_F(MainWindowTest, MissingPicturesAndTemplatesDoNotStopTheWindow) {
    QDir(h.p().paths.ProgramFolder + QStringLiteral("/PIC")).removeRecursively();
    QDir(h.p().paths.ProgramFolder + QStringLiteral("/Init")).removeRecursively();
    frmMain& m = Open();
    m.show();
    EXPECT_NE(m.mdiArea->background().style(), Qt::TexturePattern);
    EXPECT_EQ(Children(), QStringList({"frmCommChInfo"}));
}

}  // namespace

// ----------------------------------------------------------------------------
// The port dialog's rescan and the about boxes.

namespace {

TEST(SaveDialog, OffersOnlyDataFilesAndAddsTheirSuffix) {
    QTemporaryDir dir;
    MessageBoxPrompter prompter([] { return kEnglish; });
    QStringList filters;
    QString suffix;
    WhenModal([&](QWidget* w) {
        auto* d = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(d, nullptr);
        filters = d->nameFilters();
        suffix = d->defaultSuffix();
        d->selectFile(dir.filePath(QStringLiteral("mydoc")));
        static_cast<QDialog*>(d)->accept();
    });
    const QString chosen = prompter.ChooseSaveFile(dir.filePath(QStringLiteral("new.dat")),
                                                   QStringLiteral("Data File (*.dat)"), QStringLiteral("dat"));
    EXPECT_EQ(filters, QStringList({"Data File (*.dat)"}));
    EXPECT_EQ(suffix, QStringLiteral("dat"));
    EXPECT_EQ(chosen, dir.filePath(QStringLiteral("mydoc.dat")));
}

TEST(PortDialog, FollowsPortsAppearingAndVanishingAndStoresOnlyANumberedChoice) {
    WindowHarness h;
    h.p().settings.PortNo = 5;
    QStringList present = {"COM3", "COM5"};
    FrmComSet dialog(h.p(), [&] { return present; });
    EXPECT_EQ(dialog.Combo1->currentText(), QStringLiteral("COM5"));
    EXPECT_TRUE(dialog.ReShowComPortTimer->isActive());

    present = {"COM1", "COM3", "COM5", "COM40"};  // one ahead of the chosen port, in listing order
    dialog.ReShowComPortTimer_Timer();
    EXPECT_EQ(ItemsOf(dialog.Combo1), present);
    EXPECT_EQ(dialog.Combo1->currentText(), QStringLiteral("COM5"));

    present = {"COM3", "COM40"};  // the chosen adapter pulled out: the first entry
    dialog.ReShowComPortTimer_Timer();
    EXPECT_EQ(dialog.Combo1->currentText(), QStringLiteral("COM3"));

    present.clear();
    dialog.ReShowComPortTimer_Timer();
    EXPECT_EQ(dialog.Combo1->currentIndex(), -1);
    dialog.CommandOK->click();
    EXPECT_EQ(h.p().settings.PortNo, 0);
    EXPECT_FALSE(dialog.ReShowComPortTimer->isActive());

    // Cancel, or an entry without a number, keeps the port; the stored one not present shows the first.
    h.p().settings.CurLanguage = kChinese;
    h.p().settings.PortNo = 9;
    present = {"COMX", "COM2"};
    FrmComSet other(h.p(), [&] { return present; });
    EXPECT_EQ(other.windowTitle() + other.CommandCancel->text(), QString::fromUtf8("通信端口取消(&C)"));
    EXPECT_EQ(other.Combo1->currentText(), QStringLiteral("COMX"));
    other.CommandOK->click();
    FrmComSet third(h.p(), [&] { return present; });
    third.Combo1->setCurrentIndex(1);
    emit third.Combo1->activated(1);
    third.CommandCancel->click();
    EXPECT_EQ(h.p().settings.PortNo, 9);
    EXPECT_EQ(SettingsKey(h.p(), "comPort", QStringLiteral("none")), QStringLiteral("none"));
}

TEST(PortDialog, TheRescanKeepsTheKeyboardHighlightAndTheChoice) {
    WindowHarness h;
    h.p().settings.PortNo = 1;
    QStringList present = {"COM1", "COM3", "COM5", "COM7"};
    FrmComSet dialog(h.p(), [&] { return present; });
    dialog.show();
    QAbstractItemView* list = dialog.Combo1->view();
    dialog.Combo1->showPopup();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    const auto highlighted = [&] { return list->currentIndex().data().toString(); };
    ASSERT_EQ(highlighted(), QStringLiteral("COM5"));

    dialog.ReShowComPortTimer_Timer();  // nothing changed
    EXPECT_EQ(highlighted(), QStringLiteral("COM5"));
    present = {"COM1", "COM2", "COM3", "COM5", "COM7"};  // an adapter plugged in
    dialog.ReShowComPortTimer_Timer();
    EXPECT_EQ(highlighted(), QStringLiteral("COM5"));
    EXPECT_EQ(dialog.Combo1->currentText(), QStringLiteral("COM1"));  // highlighted is not chosen
    EXPECT_TRUE(list->isVisible());

    QTest::keyClick(list, Qt::Key_Return);
    present = {"COM1", "COM5", "COM7"};
    dialog.ReShowComPortTimer_Timer();
    dialog.CommandOK->click();
    EXPECT_EQ(h.p().settings.PortNo, 5);
}

TEST(AboutBoxes, BothLanguagesAndTheMissingSystemInformation) {
    WindowHarness h;
    AboutBox english(h.p(), false);
    EXPECT_EQ(english.objectName(), QStringLiteral("FrmAbout2"));
    EXPECT_EQ(english.windowTitle(), QStringLiteral("About KDP4412"));
    EXPECT_EQ(english.cmdSysInfo, nullptr);

    AboutBox chinese(h.p(), true);
    EXPECT_EQ(chinese.objectName(), QStringLiteral("frmAbout"));
    EXPECT_EQ(chinese.lblDescription->text(), QString::fromUtf8("ZR50 对讲机编程软件 "));
    ASSERT_NE(chinese.cmdSysInfo, nullptr);
    chinese.sysInfoPrograms = {QStringLiteral("zr50-no-such-program")};
    chinese.cmdSysInfo->click();
    EXPECT_EQ(h.prompter.Texts(), QStringList({QString::fromUtf8("此时系统信息不可用")}));
    EXPECT_TRUE(h.process.started.isEmpty());

    chinese.sysInfoPrograms = {QStringLiteral("sh")};
    chinese.cmdSysInfo->click();
    EXPECT_EQ(h.process.started.size(), 1);
    EXPECT_EQ(h.prompter.shown.size(), 1);
}

}  // namespace
