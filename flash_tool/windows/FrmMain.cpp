#include "FrmMain.h"

#include "FlashSettings.h"
#include "FlashTexts.h"
#include "FrmDeleteFileBlock.h"
#include "FrmProgress.h"
#include "Project.h"
#include "link/Ports.h"
#include "ui/Prompter.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

namespace kdi {

using zr50::Answer;
using zr50::Buttons;
using zr50::Icon;

namespace {

constexpr int kKeyRole = Qt::UserRole;

const QString kModified = QStringLiteral("The current file has been modified. Do you want to save it now?");
const QString kProjectFilter = QStringLiteral("Programming design files (*.spi)");
const QString kBlockFilter = QString::fromUtf8("程序文件或BMP图片 (*.bin;*.bmp)");
const QString kBinFilter = QString::fromUtf8("Bin文件 (*.bin)");

QList<int> SystemPorts() {
    QList<int> ports;
    for (const zr50::SerialPortEntry& e : zr50::EnumSerialPorts().entries) ports << e.number;
    return ports;
}

QString ComName(int port) { return QStringLiteral("COM") + QString::number(port); }

}  // namespace

FrmMain::FrmMain(FlashProject& project, FlashSettings& settings, zr50::Prompter& prompter,
                 std::function<QList<int>()> ports, QWidget* parent)
    : QWidget(parent),
      link(project, settings, MSComm1, WaitTimer, prompter),
      listPorts(ports ? std::move(ports) : SystemPorts),
      project_(project),
      settings_(settings),
      prompter_(prompter) {
    BuildControls();
    WaitTimer.SetInterval(600);
    WaitTimer.Stop();
    link.SetView(this);
    Connect();
    settings_.Duplex = false;
    ReShowComPortTimer->stop();
    project_.ProjectPath = QStringLiteral("New.spi");
    project_.ResetProjectHeader();
    InitCommList();
    ShowBydata();
}

FrmMain::~FrmMain() {
    link.SetView(nullptr);
    MSComm1.Close();
}

void FrmMain::Connect() {
    connect(TreeView1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* n) { TreeView1_NodeClick(n); });
    connect(Text2[0], &QLineEdit::textChanged, this, [this] { Text2_Change(); });
    for (int k = 0; k < 4; ++k) connect(Text3[k], &QLineEdit::textChanged, this, [this, k] { Text3_Change(k); });
    // activated: only the user's choices are stored, never the window's own fills.
    connect(Combo1, qOverload<int>(&QComboBox::activated), this, [this](int i) { Combo1_Click(i); });
    connect(Combo2, qOverload<int>(&QComboBox::activated), this, [this](int i) { Combo2_Click(i); });
    connect(Combo3, qOverload<int>(&QComboBox::activated), this, [this](int i) { Combo3_Click(i); });
    connect(Check2, &QCheckBox::toggled, this, [this](bool on) { settings_.Duplex = on; });
    connect(CommandOpenSave, &QPushButton::clicked, this, [this] { CommandOpenSave_Click(); });
    connect(CommandWrite, &QPushButton::clicked, this, [this] { CommandWrite_Click(); });
    connect(CommandRead, &QPushButton::clicked, this, [this] { CommandRead_Click(); });
    connect(CommandSaveSet, &QPushButton::clicked, this, [this] { CommandSaveSet_Click(); });
    connect(CommandAddBLock, &QPushButton::clicked, this, [this] { CommandAddBLock_Click(); });
    connect(CommandDelBolck, &QPushButton::clicked, this, [this] { CommandDelBolck_Click(); });
    connect(Command_Bin, &QPushButton::clicked, this, [this] { Command_Bin_Click(); });
    connect(CommandExit, &QPushButton::clicked, this, [this] { CommandExit_Click(); });
    connect(ReShowComPortTimer, &QTimer::timeout, this, [this] { ReShowComPortTimer_Timer(); });
}

// --- the project shown ---

QString FrmMain::KeyOf(const QTreeWidgetItem* node) { return node ? node->data(0, kKeyRole).toString() : QString(); }

void FrmMain::ShowTreeData() {
    TreeView1->clear();
    auto* root = new QTreeWidgetItem(
        QStringList{GetFileName(project_.ProjectPath) + QStringLiteral("--") + HexPad(project_.ProjHead.BaseOffset, 6)});
    root->setData(0, kKeyRole, QStringLiteral("N0"));
    TreeView1->addTopLevelItem(root);
    for (int i = 0; i < project_.ProjHead.BlockCount; ++i) {
        const BlockRecord& b = project_.BlockList[size_t(i)];
        auto* node = new QTreeWidgetItem(QStringList{BlockName(b) + QStringLiteral("--") + HexPad(b.Address, 8)});
        node->setData(0, kKeyRole, QStringLiteral("N0") + QString::number(i));
        root->addChild(node);
    }
    root->setExpanded(true);
}

int FrmMain::GetInfoIndex(const QString& key) {
    if (key.size() < 3) return -1;
    bool ok = false;
    const int i = key.mid(2).toInt(&ok);
    return ok ? i : -1;
}

void FrmMain::ShowBydata() {
    ShowModel();
    ShowTreeData();
    if (project_.ProjHead.BlockCount <= 0) {
        Frame1->setEnabled(false);
        return;
    }
    Frame1->setEnabled(true);
    TreeView1->setCurrentItem(TreeView1->topLevelItem(0)->child(0));
    project_.CurBlock = 0;
    ShowBlockInfo(0);
}

void FrmMain::ShowBlockInfo(int block) {
    if (block < 0 || block >= project_.ProjHead.BlockCount) return;
    const BlockRecord& b = project_.BlockList[size_t(block)];
    filling_ = true;
    Text2[0]->setText(HexPad(b.Address, 8));
    Text2[1]->setText(HexPad(b.Length, 6));
    // A type other than 0 or 1 selects neither option.
    for (QRadioButton* o : Option1) o->setAutoExclusive(false);
    Option1[0]->setChecked(b.BlockType == 0);
    Option1[1]->setChecked(b.BlockType == 1);
    for (QRadioButton* o : Option1) o->setAutoExclusive(true);
    Check1->setChecked(b.NoEncrypt != 0);
    QString dump;
    const int n = std::min(32, int(b.Length));
    for (int i = 0; i < n; ++i) {
        const int at = b.PoolOffset + i;
        if (at < 0 || at >= project_.DataPool.size()) break;
        dump += QLatin1Char(' ') + HexPadDump(uint8_t(project_.DataPool[at]));
        if (i == 15 || i == 31) dump += QStringLiteral("\r\n");
    }
    Text1->setPlainText(dump);
    filling_ = false;
}

void FrmMain::ShowModel() {
    filling_ = true;
    for (int k = 0; k < 4; ++k) Text3[k]->setText(project_.ModelText(k));
    Check3->setChecked(project_.ProjHead.ModelInfoRec.FillFF != 0);
    filling_ = false;
}

bool FrmMain::CheckModel(bool full) { return project_.CheckModel(full); }

bool FrmMain::BlockShown() const {
    return Frame1->isEnabled() && project_.CurBlock >= 0 && project_.CurBlock < project_.ProjHead.BlockCount;
}

void FrmMain::StoreShownAddress() {
    if (!BlockShown() || Text2[0]->text().isEmpty()) return;
    project_.BlockList[size_t(project_.CurBlock)].Address = int32_t(Text2[0]->text().toUInt(nullptr, 16));
}

void FrmMain::TreeView1_NodeClick(QTreeWidgetItem* node) {
    const int i = GetInfoIndex(KeyOf(node));
    if (i < 0 || i >= project_.ProjHead.BlockCount) return;
    project_.CurBlock = i;
    ShowBlockInfo(i);
}

void FrmMain::Text2_Change() {
    if (filling_) return;
    // A paste brings any text: keep what the key filter would have let through.
    const QString clean = CleanAddressText(Text2[0]->text());
    if (clean != Text2[0]->text()) {
        Text2[0]->setText(clean);  // comes back here with the clean text
        return;
    }
    if (clean.isEmpty() || !BlockShown()) return;
    StoreShownAddress();
    // The node of the block edited, whichever node the tree has selected.
    const BlockRecord& b = project_.BlockList[size_t(project_.CurBlock)];
    if (QTreeWidgetItem* node = TreeView1->topLevelItem(0)->child(project_.CurBlock))
        node->setText(0, BlockName(b) + QStringLiteral("--") + HexPad(b.Address, 8));
}

void FrmMain::Text3_Change(int k) {
    if (!filling_) project_.SetModelText(k, Text3[k]->text());
}

// --- the serial settings ---

bool FrmMain::InComPorts(int port) const { return Combo1->findText(ComName(port)) >= 0; }

void FrmMain::FillPortList(const QList<int>& ports) {
    shownPorts_ = ports;
    Combo1->clear();
    for (int n : ports) Combo1->addItem(ComName(n));
}

void FrmMain::InitCommList() {
    FixedPortList = GetOsKind(prompter_);
    settings_.Load();

    // A stored speed the list lacks would open the line at a rate nobody sees:
    // the entry shown is the speed used.
    const QString speed = SpeedItemOf(settings_.PortSpeed);
    if (speed.trimmed() != settings_.PortSpeed.trimmed()) settings_.PortSpeed = speed;
    Combo2->setCurrentIndex(Combo2->findText(speed));
    Combo3->setCurrentIndex(std::max(0, Combo3->findText(QString::number(settings_.PortTime) + QLatin1Char('S'))));

    if (FixedPortList) {
        QList<int> all;
        for (int n = 1; n <= 256; ++n) all << n;
        FillPortList(all);
        if (settings_.comPort > 256) Combo1->addItem(ComName(settings_.comPort));
    } else {
        FillPortList(listPorts());
        const int n = shownPorts_.isEmpty() ? 0 : shownPorts_.front();
        if (n < 1) settings_.comPort = 0;
        else if (!InComPorts(settings_.comPort) || settings_.comPort < 1) settings_.comPort = n;
    }
    if (settings_.comPort != 0) {
        Combo1->setCurrentIndex(Combo1->findText(ComName(settings_.comPort)));
        settings_.SetComPort(settings_.comPort);
    } else {
        Combo1->setCurrentIndex(-1);
    }
    chosenPort_ = settings_.comPort;
    if (!FixedPortList) ReShowComPortTimer->start();
}

void FrmMain::Combo1_Click(int index) {
    const QString item = Combo1->itemText(index);
    if (item.size() <= 3) return;
    bool ok = false;
    const int port = item.mid(3).toInt(&ok);
    if (!ok) return;
    settings_.SetComPort(port);
    chosenPort_ = port;
}

void FrmMain::Combo2_Click(int index) { settings_.SetPortSpeed(Combo2->itemText(index)); }

void FrmMain::Combo3_Click(int index) {
    const QString item = Combo3->itemText(index);
    settings_.SetPortTime(item.left(item.size() - 1).toInt());
}

void FrmMain::ReShowComPortTimer_Timer() {
    // An open list stays as the user sees it; the next tick catches up.
    if (Combo1->view()->isVisible()) return;
    const QList<int> ports = listPorts();
    if (ports != shownPorts_) FillPortList(ports);
    if (ports.isEmpty()) {
        settings_.comPort = 0;
        Combo1->setCurrentIndex(-1);
        return;
    }
    // The port the user chose comes back when its device does.
    int shown = Combo1->findText(ComName(chosenPort_));
    if (shown < 0) shown = 0;
    if (Combo1->currentIndex() != shown) Combo1->setCurrentIndex(shown);
    // Follows the list on screen; the settings file keeps the user's own choice.
    settings_.comPort = ports[shown];
}

// --- the commands ---

bool FrmMain::SaveIfModified() {
    if (!project_.IsProjectModified()) return true;
    switch (prompter_.Ask(kModified, Buttons::YesNoCancel, Icon::Exclamation)) {
    case Answer::Yes: return CommandSaveSet_Click();  // on only once it is saved
    case Answer::No: return true;
    default: return false;
    }
}

void FrmMain::CommandOpenSave_Click() {
    if (!SaveIfModified()) return;
    const QString path = prompter_.ChooseOpenFile(kProjectFilter);
    if (path.isEmpty()) return;
    const QString before = project_.ProjectPath;
    project_.ProjectPath = path;
    if (!project_.OpenProjectFile()) {
        // The project shown stays, under its own name.
        project_.ProjectPath = before;
        return;
    }
    ShowBydata();
}

bool FrmMain::CommandSaveSet_Click() {
    if (!CheckModel(true)) return false;
    const QString path = prompter_.ChooseSaveFile(project_.ProjectPath, kProjectFilter, QStringLiteral("spi"));
    if (path.isEmpty()) return false;
    const QString before = project_.ProjectPath;
    project_.ProjectPath = path;
    if (!project_.SaveProjectFile()) {
        project_.ProjectPath = before;
        return false;
    }
    ShowTreeData();
    if (BlockShown()) TreeView1->setCurrentItem(TreeView1->topLevelItem(0)->child(project_.CurBlock));
    return true;
}

void FrmMain::CommandAddBLock_Click() {
    const QString path = prompter_.ChooseOpenFile(kBlockFilter);
    if (path.isEmpty()) return;
    if (!project_.AddBlockFile(path)) return;
    ShowBydata();
}

void FrmMain::CommandDelBolck_Click() {
    FrmDeleteFileBlock dialog(project_, this);
    dialog.exec();
    ShowBydata();
}

void FrmMain::Command_Bin_Click() {
    StoreShownAddress();
    if (!project_.CheckBlockLayout()) return;
    if (!project_.BuildFlashImage()) return;
    const QString path = prompter_.ChooseSaveFile(QString(), kBinFilter, QStringLiteral("bin"));
    if (path.isEmpty()) return;  // cancelled: nothing is written
    project_.WriteBinFile(path);
}

void FrmMain::CommandWrite_Click() {
    StoreShownAddress();
    link.CommandWrite(Check3->isChecked());
}

void FrmMain::CommandRead_Click() {
    if (!SaveIfModified()) return;
    link.CommandRead();
}

void FrmMain::ShowProgress() {
    FrmProgress window(link.CommMode, this);
    progress_ = &window;
    window.RunModal([this] { if (link.CommMode == 1 || link.CommMode == 2) link.StartSession(); },
                    [this] { link.ProgressClosed(); });
    progress_ = nullptr;
}

bool FrmMain::IsProgressVisible() const { return progress_ && progress_->IsRunning(); }

void FrmMain::SetProgressValue(int percent) {
    if (progress_) progress_->SetProgressValue(percent);
}

void FrmMain::SetPercentText(const QString& text) {
    if (progress_) progress_->Label2->setText(text);
}

void FrmMain::UnloadProgress() {
    if (progress_) progress_->Unload();
}

void FrmMain::CommandExit_Click() { close(); }

void FrmMain::closeEvent(QCloseEvent* e) {
    if (!SaveIfModified()) {
        e->ignore();
        return;
    }
    ReShowComPortTimer->stop();
    MSComm1.Close();
    e->accept();
}

}  // namespace kdi
