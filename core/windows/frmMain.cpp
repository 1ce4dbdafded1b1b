#include "frmMain.h"

#include "AboutBox.h"
#include "FrmComSet.h"
#include "FrmSetLanguage.h"
#include "MdiForms.h"
#include "Program.h"
#include "files/DocumentFiles.h"
#include "files/NewDocument.h"
#include "platform/UserSettings.h"
#include "platform/gui/QtTranslations.h"
#include "platform/gui/TiledBackground.h"
#include "rules/SharedHelpers.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zr50 {

namespace {

const char* const kChannelWindow = "frmCommChInfo";
const char* const kSettingsSection = "Settings";

// Tool tips and tree texts show a caption without its access-key marker.
QString WithoutAccessKey(QString caption) {
    static const QRegularExpression chineseKey(QStringLiteral("\\(&.\\)$"));
    caption.remove(chineseKey);
    return caption.remove(QLatin1Char('&'));
}

enum ItemKind { kItem, kSubMenu, kSeparator };

struct MenuEntry {
    const char* name;
    const char* parent;  // null for a menu of the menu bar
    ItemKind kind;
    bool hidden;         // hidden in every build of the window
};

// The menu tree in design order.
const MenuEntry kMenuTree[] = {
    {"mnuFile", nullptr, kSubMenu, false},
    {"mnuFileNew", "mnuFile", kItem, false},
    {"mnuFileOpen", "mnuFile", kItem, false},
    {"mnuFileSave", "mnuFile", kItem, false},
    {"mnuFileSaveAs", "mnuFile", kItem, false},
    {"mnuFileBar0", "mnuFile", kSeparator, false},
    {"mnuFilePrint", "mnuFile", kItem, true},
    {"mnuFileBar1", "mnuFile", kSeparator, true},
    {"mnuFileExit", "mnuFile", kItem, false},
    {"mnuModel", nullptr, kSubMenu, true},
    {"mnuModelInfo", "mnuModel", kItem, false},
    {"MnuBand", nullptr, kSubMenu, true},
    {"MnuCheckRadioBand", "MnuBand", kItem, false},
    {"MnuFrequencyCheck", "MnuBand", kItem, false},
    {"mnuEdit", nullptr, kSubMenu, false},
    {"mnuChannelInfo", "mnuEdit", kItem, false},
    {"mnuEditBar0", "mnuEdit", kSeparator, false},
    {"mnuOptFeature", "mnuEdit", kItem, false},
    {"mnuToneTips", "mnuEdit", kItem, false},
    {"mnuKeyAssignm", "mnuEdit", kItem, true},
    {"mnuScanInfo", "mnuEdit", kItem, true},
    {"mnuEditBar1", "mnuEdit", kSeparator, true},
    {"mnuEditBar2", "mnuEdit", kSeparator, true},
    {"mnuDTMF", "mnuEdit", kItem, false},
    {"mnuFleetSync", "mnuEdit", kItem, false},
    {"mnuTestFre", "mnuEdit", kItem, false},
    {"mnuEmbeddedMsg", "mnuEdit", kItem, false},
    {"mnuEMG", "mnuEdit", kItem, false},
    {"mnuProgram", nullptr, kSubMenu, false},
    {"mnuReadFromRadio", "mnuProgram", kItem, false},
    {"mnuWriteToRadio", "mnuProgram", kItem, false},
    {"mnuTest", "mnuProgram", kItem, false},
    {"mnuMWriteToRadio", "mnuProgram", kItem, false},
    {"mnuTools", nullptr, kSubMenu, false},
    {"mnuRadioInfo", "mnuTools", kItem, false},
    {"mnuSetRadioInfo", "mnuTools", kItem, false},
    {"mnuSet", nullptr, kSubMenu, false},
    {"mnuComm", "mnuSet", kItem, false},
    {"mnuLanguage", "mnuSet", kItem, false},
    {"MnuInitial", "mnuSet", kItem, false},
    {"MnuInitialBand1", "mnuSet", kItem, true},
    {"MnuInitialBand2", "mnuSet", kItem, true},
    {"mnuView", nullptr, kSubMenu, false},
    {"mnuTreeView", "mnuView", kItem, false},
    {"mnuViewBar0", "mnuView", kSeparator, false},
    {"mnuViewToolbar", "mnuView", kItem, false},
    {"mnuViewStatusBar", "mnuView", kItem, false},
    {"mnuWindow", nullptr, kSubMenu, false},
    {"mnuWindowCascade", "mnuWindow", kItem, false},
    {"mnuWindowTileHorizontal", "mnuWindow", kItem, false},
    {"mnuWindowTileVertical", "mnuWindow", kItem, false},
    {"mnuWindowArrangeIcons", "mnuWindow", kItem, false},
    {"mnuWindowBar0", "mnuWindow", kSeparator, false},
    {"mnuCloseAll", "mnuWindow", kItem, false},
    {"mnuWindowBar1", "mnuWindow", kSeparator, true},
    {"mnuHelp", nullptr, kSubMenu, false},
    {"mnuHelpTopic", "mnuHelp", kItem, true},
    {"mnuHelpBar0", "mnuHelp", kSeparator, true},
    {"mnuHelpAbout", "mnuHelp", kItem, false},
};

// Hidden when the window loads; never shown again.
const char* const kHiddenAtLoad[] = {
    "mnuWindowTileHorizontal", "mnuWindowTileVertical", "mnuWindowArrangeIcons", "mnuTools",
    "mnuFleetSync", "mnuTestFre", "mnuTest", "mnuDTMF", "mnuEmbeddedMsg", "mnuEMG"};

struct ToolButtonEntry {
    int index;
    const char* key;
    const char* tipFrom;  // menu item whose caption is the tool tip
    QStyle::StandardPixmap image;
};

// The main toolbar; separators stand at 4, 6, 10 and 12.
const ToolButtonEntry kToolButtons[] = {
    {1, "新建", "mnuFileNew", QStyle::SP_FileIcon},
    {2, "打开", "mnuFileOpen", QStyle::SP_DialogOpenButton},
    {3, "保存", "mnuFileSave", QStyle::SP_DialogSaveButton},
    {5, "打印", "mnuFilePrint", QStyle::SP_FileDialogDetailedView},
    {7, "ReadRadio", "mnuReadFromRadio", QStyle::SP_ArrowDown},
    {8, "CommSet", "mnuComm", QStyle::SP_DriveNetIcon},
    {9, "WriteRadio", "mnuWriteToRadio", QStyle::SP_ArrowUp},
    {11, "MWriteRadio", nullptr, QStyle::SP_FileDialogListView},
    {13, "About", "mnuHelpAbout", QStyle::SP_MessageBoxQuestion},
};

}  // namespace

frmMain::frmMain(Program& p, MdiForms& forms, QWidget* parent) : QMainWindow(parent), p_(p), forms_(forms) {
    setObjectName(QStringLiteral("frmMain"));
    // The window's own right-click menu would list the toolbar under no name and
    // hide it behind the View menu's back.
    setContextMenuPolicy(Qt::NoContextMenu);
    mdiArea = new QMdiArea(this);
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->viewport()->installEventFilter(this);
    forms_.SetMainWindow(this, mdiArea);

    TimerReNew = new QTimer(this);
    TimerReNew->setObjectName(QStringLiteral("TimerReNew"));
    TimerReNew->setSingleShot(true);
    TimerReNew->setInterval(200);
    connect(TimerReNew, &QTimer::timeout, this, &frmMain::LoadNewDoc);

    BuildMenus();
    BuildToolbars();
    BuildTreePane();

    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(Picture1);
    row->addWidget(mdiArea, 1);
    setCentralWidget(central);

    auto* bar = statusBar();
    bar->setObjectName(QStringLiteral("sbStatusBar"));
    for (int i = 0; i < 3; ++i) {
        sbPanel[i] = new QLabel(this);
        sbPanel[i]->setObjectName(QStringLiteral("sbStatusBar.Panel%1").arg(i + 1));
        sbPanel[i]->setFrameShape(QFrame::StyledPanel);
        sbPanel[i]->setMinimumWidth(80);
    }
    sbPanel[0]->setText(QString::fromUtf8("状态"));
    bar->addWidget(sbPanel[0]);
    bar->addWidget(sbPanel[1], 1);
    bar->addPermanentWidget(sbPanel[2]);

    MDIForm_Load();
}

int frmMain::Twips(double twips) const {
    const QScreen* s = screen();
    return TwipsToPixels(twips, s ? int(s->logicalDotsPerInchX()) : 96);
}

QAction* frmMain::AddMenuItem(QMenu* menu, const char* name, std::function<void()> action) {
    QAction* a = menu->addAction(QString());
    a->setObjectName(QString::fromLatin1(name));
    if (action) connect(a, &QAction::triggered, this, std::move(action));
    return a;
}

void frmMain::BuildMenus() {
    QHash<QString, QMenu*> submenus;
    const QHash<QString, std::function<void()>> actions = {
        {"mnuFileNew", [this] { mnuFileNew_Click(); }},
        {"mnuFileOpen", [this] { mnuFileOpen_Click(); }},
        {"mnuFileSave", [this] { mnuFileSave_Click(); }},
        {"mnuFileSaveAs", [this] { mnuFileSaveAs_Click(); }},
        {"mnuFileExit", [this] { close(); }},
        {"mnuChannelInfo", [this] { forms_.Show(QString::fromLatin1(kChannelWindow)); }},
        {"mnuOptFeature", [this] { forms_.Show(QStringLiteral("FrmOptFeatures")); }},
        {"mnuToneTips", [this] { forms_.Show(QStringLiteral("FrmToneTips")); }},
        {"mnuDTMF", [this] { forms_.Show(QStringLiteral("FrmDTMF")); }},
        {"mnuEMG", [this] { ReadRMGDataFromRadio(); }},
        {"mnuReadFromRadio", [this] { if (roads_.read) roads_.read(); }},
        {"mnuWriteToRadio", [this] { if (roads_.write) roads_.write(); }},
        {"mnuMWriteToRadio", [this] { if (roads_.groupWrite) roads_.groupWrite(); }},
        {"mnuRadioInfo", [this] { if (roads_.radioInfo) roads_.radioInfo(); }},
        {"mnuComm", [this] { mnuComm_Click(); }},
        {"mnuLanguage", [this] { mnuLanguage_Click(); }},
        {"MnuInitial", [this] { MnuInitial_Click(); }},
        {"mnuTreeView", [this] { mnuTreeView_Click(); }},
        {"mnuViewToolbar", [this] { mnuViewToolbar_Click(); }},
        {"mnuViewStatusBar", [this] { mnuViewStatusBar_Click(); }},
        {"mnuWindowCascade", [this] { forms_.Cascade(); }},
        {"mnuWindowTileHorizontal", [this] { mdiArea->tileSubWindows(); }},
        {"mnuWindowTileVertical", [this] { mdiArea->tileSubWindows(); }},
        {"mnuCloseAll", [this] { forms_.UnloadChildren(); }},
        {"mnuHelpAbout", [this] { mnuHelpAbout_Click(); }},
    };
    for (const MenuEntry& e : kMenuTree) {
        const QString name = QString::fromLatin1(e.name);
        QAction* a = nullptr;
        if (!e.parent) {
            QMenu* m = menuBar()->addMenu(QString());
            m->setObjectName(name);
            submenus.insert(name, m);
            a = m->menuAction();
        } else if (e.kind == kSeparator) {
            a = submenus.value(QString::fromLatin1(e.parent))->addSeparator();
        } else {
            a = AddMenuItem(submenus.value(QString::fromLatin1(e.parent)), e.name, actions.value(name));
        }
        a->setObjectName(name);
        if (e.hidden) a->setVisible(false);
        menus_.insert(name, a);
    }
    menus_.value(QStringLiteral("mnuFileNew"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    menus_.value(QStringLiteral("mnuFileOpen"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    for (const char* name : {"mnuTreeView", "mnuViewToolbar", "mnuViewStatusBar"}) {
        QAction* a = menus_.value(QString::fromLatin1(name));
        a->setCheckable(true);
        a->setChecked(true);
    }
    // Editors that are not part of this build cannot be opened.
    const QHash<QString, QString> editors = {{"mnuChannelInfo", kChannelWindow},
                                             {"mnuOptFeature", "FrmOptFeatures"},
                                             {"mnuToneTips", "FrmToneTips"},
                                             {"mnuDTMF", "FrmDTMF"}};
    for (auto it = editors.begin(); it != editors.end(); ++it)
        menus_.value(it.key())->setEnabled(forms_.CanShow(it.value()));
    connect(submenus.value(QStringLiteral("mnuWindow")), &QMenu::aboutToShow, this, &frmMain::FillWindowMenu);
}

void frmMain::FillWindowMenu() {
    auto* menu = qobject_cast<QMenu*>(sender());
    for (QAction* a : windowListActions_) menu->removeAction(a), a->deleteLater();
    windowListActions_.clear();
    const QList<QMdiSubWindow*> subs = mdiArea->subWindowList();
    if (!subs.isEmpty()) windowListActions_ << menu->addSeparator();
    int n = 0;
    for (QMdiSubWindow* sub : subs) {
        QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(++n).arg(sub->windowTitle()));
        a->setCheckable(true);
        a->setChecked(sub == mdiArea->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, sub] { mdiArea->setActiveSubWindow(sub); });
        windowListActions_ << a;
    }
}

void frmMain::BuildToolbars() {
    tbToolBar = addToolBar(QString());
    tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
    tbToolBar->setMovable(false);
    tbToolBar->setIconSize(QSize(16, 16));
    int index = 0;
    for (const ToolButtonEntry& b : kToolButtons) {
        while (++index < b.index) tbToolBar->addSeparator();
        const QString key = QString::fromUtf8(b.key);
        QAction* a = tbToolBar->addAction(style()->standardIcon(b.image), QString());
        a->setObjectName(key);
        a->setProperty("key", key);
        connect(a, &QAction::triggered, this, [this, key] { DispatchButton(key); });
        buttons_.insert(key, a);
    }
}

void frmMain::BuildTreePane() {
    Picture1 = new QFrame(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFixedWidth(Twips(2700));
    Frame1 = new QFrame(Picture1);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Toolbar1 = new QToolBar(Frame1);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setIconSize(QSize(12, 12));
    QAction* close = Toolbar1->addAction(style()->standardIcon(QStyle::SP_TitleBarCloseButton),
                                         QString());
    close->setObjectName(QString::fromUtf8("删除"));
    close->setToolTip(QString::fromUtf8("关闭"));
    connect(close, &QAction::triggered, this, [this] {
        Picture1->setVisible(false);
        menus_.value(QStringLiteral("mnuTreeView"))->setChecked(false);
    });
    TreeView1 = new QTreeWidget(Frame1);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    connect(TreeView1, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* node) { TreeView1_NodeClick(node); });
    Label1 = new QLabel(QStringLiteral("ZR50"), Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->hide();
    auto* column = new QVBoxLayout(Frame1);
    column->setContentsMargins(2, 2, 2, 2);
    column->addWidget(Toolbar1, 0, Qt::AlignRight);
    column->addWidget(TreeView1, 1);

    CommandMove = new QPushButton(Picture1);
    CommandMove->setObjectName(QStringLiteral("CommandMove"));
    CommandMove->setFixedWidth(5);
    CommandMove->setFocusPolicy(Qt::NoFocus);
    CommandMove->setCursor(Qt::SizeHorCursor);
    CommandMove->installEventFilter(this);
    auto* row = new QHBoxLayout(Picture1);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(Frame1, 1);
    row->addWidget(CommandMove);
}

void frmMain::MDIForm_Load() {
    dragFlag_ = false;
    RestorePlacement();
    for (const char* name : kHiddenAtLoad) menus_.value(QString::fromLatin1(name))->setVisible(false);
    const bool group = p_.settings.MWriteEnable == 1;
    buttons_.value(QStringLiteral("MWriteRadio"))->setVisible(group);
    menus_.value(QStringLiteral("mnuMWriteToRadio"))->setVisible(group);
    SetMenuTexts();
    InitTreeNodes();
    if (p_.settings.SkipInitFile != 0)
        StartShowData();
    else
        LoadNewDoc();
}

void frmMain::SetMenuTexts() {
    const auto& t = p_.texts;
    UseQtTranslations(p_.settings.CurLanguage == kChinese ? QStringLiteral("zh_CN") : QString());
    fileFilter_ = p_.T(t.Msg.DataFile) + QStringLiteral(" (*.dat)");
    const QString port = p_.T(t.Main.Com) + QString::number(p_.settings.PortNo);
    sbPanel[2]->setText(port);
    sbPanel[1]->setText(QStringLiteral("ZR50[") + p_.doc.BandText + QLatin1Char(']'));
    sbPanel[1]->setVisible(false);
    LoadBKPic();
    ShowCaption();
    for (auto it = menus_.begin(); it != menus_.end(); ++it) {
        if (it.key() == QLatin1String("mnuMWriteToRadio") && !it.value()->text().isEmpty()) continue;
        const auto caption = t.Main.Menu.constFind(it.key());
        if (caption == t.Main.Menu.constEnd()) continue;
        it.value()->setText(p_.T(*caption));
    }
    for (const ToolButtonEntry& b : kToolButtons)
        if (b.tipFrom)
            buttons_.value(QString::fromUtf8(b.key))
                ->setToolTip(WithoutAccessKey(menus_.value(QString::fromLatin1(b.tipFrom))->text()));
}

void frmMain::InitTreeNodes() {
    TreeView1->clear();
    auto* root = new QTreeWidgetItem(TreeView1, {Label1->text()});
    root->setData(0, Qt::UserRole, QStringLiteral("N0"));
    const struct {
        const char* key;
        QString text;
        const char* form;
    } children[] = {
        {"N1", WithoutAccessKey(menus_.value(QStringLiteral("mnuChannelInfo"))->text()), kChannelWindow},
        {"N2", WithoutAccessKey(menus_.value(QStringLiteral("mnuOptFeature"))->text()), "FrmOptFeatures"},
        {"N12", GetToneText(12014, p_.settings.CurLanguage), "FrmToneTips"},
        {"N5", WithoutAccessKey(menus_.value(QStringLiteral("mnuDTMF"))->text()), "FrmDTMF"},
    };
    for (const auto& c : children) {
        auto* node = new QTreeWidgetItem(root, {c.text});
        node->setData(0, Qt::UserRole, QString::fromLatin1(c.key));
        // Editors that are not part of this build cannot be opened.
        node->setDisabled(!forms_.CanShow(QString::fromLatin1(c.form)));
    }
    root->setExpanded(true);
}

void frmMain::TreeView1_NodeClick(QTreeWidgetItem* node) {
    const QString key = node->data(0, Qt::UserRole).toString();
    if (key == QLatin1String("N1")) forms_.Show(QString::fromLatin1(kChannelWindow));
    if (key == QLatin1String("N2")) forms_.Show(QStringLiteral("FrmOptFeatures"));
    if (key == QLatin1String("N5")) forms_.Show(QStringLiteral("FrmDTMF"));
    if (key == QLatin1String("N12")) forms_.Show(QStringLiteral("FrmToneTips"));
}

void frmMain::DispatchButton(const QString& key) {
    if (key == QString::fromUtf8("新建")) LoadNewDoc();
    else if (key == QString::fromUtf8("打开")) mnuFileOpen_Click();
    else if (key == QString::fromUtf8("保存")) mnuFileSave_Click();
    else if (key == QLatin1String("ReadRadio")) menus_.value(QStringLiteral("mnuReadFromRadio"))->trigger();
    else if (key == QLatin1String("CommSet")) menus_.value(QStringLiteral("mnuComm"))->trigger();
    else if (key == QLatin1String("WriteRadio")) menus_.value(QStringLiteral("mnuWriteToRadio"))->trigger();
    else if (key == QLatin1String("MWriteRadio")) menus_.value(QStringLiteral("mnuMWriteToRadio"))->trigger();
    else if (key == QLatin1String("About")) mnuHelpAbout_Click();
}

void frmMain::Change_Language() {
    SetMenuTexts();
    InitTreeNodes();
}

void frmMain::ReadRMGDataFromRadio() {
    if (roads_.readRMGData) roads_.readRMGData();
}

void frmMain::ShowCaption() { setWindowTitle(DocumentCaption(p_)); }

void frmMain::LoadBKPic() {
    bkPicture_ = QImage(p_.paths.PictureFolder() + QStringLiteral("/BK_%1.jpg").arg(p_.settings.CurLanguage));
    TileBKPic();
}

void frmMain::TileBKPic() {
    const QImage tiled = TileBackground(bkPicture_, mdiArea->viewport()->size());
    // Without a picture the area keeps the plain background of the platform.
    mdiArea->setBackground(tiled.isNull() ? palette().brush(QPalette::Dark) : QBrush(tiled));
}

void frmMain::ShowDocumentWindow() {
    forms_.Show(QString::fromLatin1(kChannelWindow));
    ShowCaption();
    forms_.Cascade();
}

void frmMain::StartShowData() {
    forms_.UnloadChildren();
    SetMenuTexts();
    ShowDocumentWindow();
}

void frmMain::LoadNewDoc_() { TimerReNew->start(); }

void frmMain::LoadNewDoc() {
    FinishPendingEdits(forms_);
    forms_.UnloadChildren();
    // A new document has no file yet: saving it asks for one.
    p_.doc.IsUntitled = true;
    p_.doc.DataFileName = QString::fromLatin1(kUntitledName);
    LoadNewDataFile(p_);
    SetMenuTexts();
    ShowDocumentWindow();
}

void frmMain::MDIForm_Activate() {
    auto& s = p_.settings;
    if (s.AppliedLanguage == s.CurLanguage) return;
    s.AppliedLanguage = s.CurLanguage;
    Change_Language();
    forms_.UnloadChildren();
    forms_.Show(QString::fromLatin1(kChannelWindow));
    forms_.Cascade();
}

void frmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) MDIForm_Activate();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    // The area's own size: it changes after the layout has run, and with the
    // tree pane, toolbar and status bar as well as with the window.
    if (watched == mdiArea->viewport() && event->type() == QEvent::Resize) TileBKPic();
    if (watched != CommandMove) return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) dragFlag_ = true;
            return true;
        case QEvent::MouseButtonRelease:
            dragFlag_ = false;
            return true;
        case QEvent::MouseMove: {
            if (!dragFlag_) return true;
            // The offset within the button moves the pane's edge.
            const int x = int(static_cast<QMouseEvent*>(event)->position().x());
            const int w = Picture1->width() + x;
            if (w >= Twips(300) && w <= centralWidget()->width()) Picture1->setFixedWidth(w);
            return true;
        }
        default: return QMainWindow::eventFilter(watched, event);
    }
}

void frmMain::mnuTreeView_Click() {
    Picture1->setVisible(!Picture1->isVisible());
    menus_.value(QStringLiteral("mnuTreeView"))->setChecked(Picture1->isVisible());
}

void frmMain::mnuViewToolbar_Click() {
    tbToolBar->setVisible(menus_.value(QStringLiteral("mnuViewToolbar"))->isChecked());
}

void frmMain::mnuViewStatusBar_Click() {
    statusBar()->setVisible(menus_.value(QStringLiteral("mnuViewStatusBar"))->isChecked());
}

void frmMain::SetStatusText(int panel, const QString& text) {
    if (panel >= 1 && panel <= 3) sbPanel[panel - 1]->setText(text);
}

void frmMain::mnuComm_Click() {
    FrmComSet dialog(p_, roads_.listPorts ? roads_.listPorts : SerialPortEntries, this);
    dialog.exec();
    // The status bar names the port in use.
    sbPanel[2]->setText(p_.T(p_.texts.Main.Com) + QString::number(p_.settings.PortNo));
}

void frmMain::mnuLanguage_Click() {
    FrmSetLanguage dialog(p_, this);
    dialog.exec();
}

void frmMain::mnuHelpAbout_Click() {
    AboutBox box(p_, p_.settings.CurLanguage != kEnglish, this);
    box.exec();
}

void frmMain::mnuFileNew_Click() {
    FinishPendingEdits(forms_);
    if (p_.prompter.Ask(p_.T(p_.texts.Msg.AllDataCleared), Buttons::OkCancel, Icon::Exclamation) ==
        Answer::Ok)
        LoadNewDoc();
}

bool frmMain::OfferToSave() {
    if (!p_.doc.IsDataModified()) return true;
    switch (p_.prompter.Ask(p_.T(p_.texts.Msg.FileModified), Buttons::YesNoCancel, Icon::Exclamation)) {
        case Answer::Yes: return SaveDataFile();
        case Answer::No: return true;
        default: return false;
    }
}

void frmMain::mnuFileOpen_Click() {
    FinishPendingEdits(forms_);
    if (OfferToSave()) OpenDataFile();
}

bool frmMain::OpenDataFile() {
    const QString path = p_.prompter.ChooseOpenFile(fileFilter_);
    if (path.isEmpty()) return false;
    auto& doc = p_.doc;
    doc.PrevDataFileName = doc.DataFileName;
    doc.DataFileName = path;
    forms_.UnloadChildren();
    if (ReadDataFile(p_)) return true;
    // The document is as it was: show it again as it was shown.
    ShowDocumentWindow();
    return false;
}

void frmMain::mnuFileSave_Click() {
    FinishPendingEdits(forms_);
    if (p_.doc.IsUntitled) {
        SaveAs();
        return;
    }
    const QString text = QLatin1Char('"') + FileNameOfPath(p_.doc.DataFileName) + QLatin1Char('"') +
                         p_.T(p_.texts.Msg.FileOverwrite);
    if (p_.prompter.Ask(text, Buttons::OkCancel, Icon::Question) == Answer::Ok) WriteDataFile(p_);
}

void frmMain::mnuFileSaveAs_Click() {
    FinishPendingEdits(forms_);
    SaveAs();
}

bool frmMain::SaveAs() {
    const QString path = p_.prompter.ChooseSaveFile(p_.doc.DataFileName, fileFilter_, QStringLiteral("dat"));
    if (path.isEmpty()) return false;
    const QString previous = p_.doc.DataFileName;
    p_.doc.DataFileName = path;
    if (WriteDataFile(p_)) return true;
    p_.doc.DataFileName = previous;
    return false;
}

bool frmMain::SaveDataFile() {
    // An untitled document has no file of its own yet: it is saved as a new one.
    return p_.doc.IsUntitled ? SaveAs() : WriteDataFile(p_);
}

void frmMain::MnuInitial_Click() {
    FinishPendingEdits(forms_);
    forms_.UnloadChildren();
    LoadInitDataFile(p_);
    forms_.Show(QString::fromLatin1(kChannelWindow));
    forms_.Cascade();
}

void frmMain::RestorePlacement() {
    const QString app = QString::fromLatin1(kProgramTitle);
    const QString section = QString::fromLatin1(kSettingsSection);
    auto value = [&](const char* key, double fallback) {
        bool ok = false;
        const double v = GetSetting(app, section, QString::fromLatin1(key), QString::number(fallback)).toDouble(&ok);
        return ok ? v : fallback;
    };
    move(Twips(value("MainLeft", 100)), Twips(value("MainTop", 100)));
    resize(Twips(value("MainWidth", 14500)), Twips(value("MainHeight", 10500)));
}

void frmMain::StorePlacement() {
    const QScreen* s = screen();
    const int dpi = s ? int(s->logicalDotsPerInchX()) : 96;
    const QString app = QString::fromLatin1(kProgramTitle);
    const QString section = QString::fromLatin1(kSettingsSection);
    auto store = [&](const char* key, int pixels) {
        SaveSetting(app, section, QString::fromLatin1(key), QString::number(float(PixelsToTwips(pixels, dpi)), 'g', 7));
    };
    store("MainLeft", pos().x());
    store("MainTop", pos().y());
    store("MainWidth", width());
    store("MainHeight", height());
}

void frmMain::closeEvent(QCloseEvent* event) {
    FinishPendingEdits(forms_);
    if (!OfferToSave()) {
        event->ignore();
        return;
    }
    if (!isMinimized()) StorePlacement();
    if (onShutdown) onShutdown();
    event->accept();
}

}  // namespace zr50
