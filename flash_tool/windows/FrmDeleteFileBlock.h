#pragma once
// The delete-block dialog: one node per distinct block name, under it one node
// per block of that name at its address. Deleting a name node removes all its
// blocks; deleting an address node removes that one block.

#include <QDialog>
#include <QStringList>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kdi {

class FlashProject;

class FrmDeleteFileBlock : public QDialog {
    Q_OBJECT
public:
    explicit FrmDeleteFileBlock(FlashProject& project, QWidget* parent = nullptr);

    QTreeWidget* TreeView1;
    QPushButton* CommandDel;
    QPushButton* Command1;

    QStringList FileNames;  // distinct block names, in order of first occurrence
    int FileCount = 0;

    // Position (from 1) of name in FileNames; 0 when absent.
    int InFileList(const QString& name) const;
    void LoadFileModelList();

    // What a node of the tree stands for.
    enum NodeKind { FileNode = 1, AddressNode = 2 };
    static int KindOf(const QTreeWidgetItem* node);
    static QString KeyOf(const QTreeWidgetItem* node);

public slots:
    void CommandDel_Click();
    void Command1_Click();

private:
    FlashProject& project_;
};

}  // namespace kdi
