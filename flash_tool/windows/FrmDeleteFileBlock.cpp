#include "FrmDeleteFileBlock.h"

#include "Project.h"

#include <QPushButton>
#include <QTreeWidget>

namespace kdi {

namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kKindRole = Qt::UserRole + 1;

QTreeWidgetItem* Node(const QString& key, const QString& text, int kind) {
    auto* item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, kKeyRole, key);
    item->setData(0, kKindRole, kind);
    return item;
}

}  // namespace

FrmDeleteFileBlock::FrmDeleteFileBlock(FlashProject& project, QWidget* parent)
    : QDialog(parent), project_(project) {
    setObjectName(QStringLiteral("FrmDeleteFileBlock"));
    setWindowTitle(QString::fromUtf8("删除块文件"));
    setFixedSize(420, 330);
    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setGeometry(12, 12, 396, 260);
    CommandDel = new QPushButton(QString::fromUtf8("删除(&D)"), this);
    CommandDel->setObjectName(QStringLiteral("CommandDel"));
    CommandDel->setGeometry(196, 284, 100, 32);
    Command1 = new QPushButton(QString::fromUtf8("退出(&X)"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(308, 284, 100, 32);
    connect(CommandDel, &QPushButton::clicked, this, &FrmDeleteFileBlock::CommandDel_Click);
    connect(Command1, &QPushButton::clicked, this, &FrmDeleteFileBlock::Command1_Click);
    LoadFileModelList();
}

int FrmDeleteFileBlock::KindOf(const QTreeWidgetItem* node) {
    return node ? node->data(0, kKindRole).toInt() : 0;
}

QString FrmDeleteFileBlock::KeyOf(const QTreeWidgetItem* node) {
    return node ? node->data(0, kKeyRole).toString() : QString();
}

int FrmDeleteFileBlock::InFileList(const QString& name) const { return FileNames.indexOf(name) + 1; }

void FrmDeleteFileBlock::LoadFileModelList() {
    TreeView1->clear();
    FileNames.clear();
    FileCount = 0;
    const auto& blocks = project_.BlockList;
    for (int i = 0; i < project_.ProjHead.BlockCount && i < int(blocks.size()); ++i) {
        const QString name = BlockName(blocks[size_t(i)]);
        int k = InFileList(name);
        if (k == 0) {
            FileNames << name;
            k = ++FileCount;
            const QString key = QStringLiteral("N0") + QStringLiteral("%1").arg(k, 3, 10, QLatin1Char('0'));
            TreeView1->addTopLevelItem(Node(key, name, FileNode));
            TreeView1->topLevelItem(k - 1)->setExpanded(true);
        }
        QTreeWidgetItem* file = TreeView1->topLevelItem(k - 1);
        file->addChild(Node(KeyOf(file) + QString::number(i), HexPad(blocks[size_t(i)].Address, 8), AddressNode));
    }
}

void FrmDeleteFileBlock::CommandDel_Click() {
    QTreeWidgetItem* node = TreeView1->currentItem();
    if (!node) return;
    const auto& blocks = project_.BlockList;
    if (KindOf(node) == FileNode) {
        // A name whose blocks are all gone already has nothing left to delete.
        if (node->childCount() == 0) return;
        for (int i = project_.ProjHead.BlockCount - 1; i >= 0; --i)
            if (BlockName(blocks[size_t(i)]) == node->text(0)) project_.RemoveBlock(i);
        delete node;
    } else if (KindOf(node) == AddressNode) {
        const QString file = node->parent() ? node->parent()->text(0) : QString();
        for (int f = project_.ProjHead.BlockCount - 1; f >= 0; --f) {
            const BlockRecord& b = blocks[size_t(f)];
            if (HexPad(b.Address, 8) == node->text(0) && BlockName(b) == file) {
                project_.RemoveBlock(f);
                break;
            }
        }
        delete node;
    }
}

void FrmDeleteFileBlock::Command1_Click() { accept(); }

}  // namespace kdi
