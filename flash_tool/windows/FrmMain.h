#pragma once
// KDImager3's main window, "Write Code": the block tree, the block editor, the
// model fields, the serial settings and the commands. It owns the serial line
// and the two timers the update protocol runs on.

#include "FrmProgress.h"
#include "UpdateProtocol.h"
#include "link/SerialLink.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace zr50 {
class Prompter;
}

namespace kdi {



class FrmMain : public QWidget, public FlashView {
    Q_OBJECT
public:
    // ports lists the port numbers present (the system's when empty).
    FrmMain(FlashProject& project, FlashSettings& settings, zr50::Prompter& prompter,
            std::function<QList<int>()> ports = {}, QWidget* parent = nullptr);
    ~FrmMain() override;

    // Controls, named as the window defines them; the hidden ones exist all the same.
    QTreeWidget* TreeView1;
    QGroupBox* Frame2;
    QLabel* Label2;
    QComboBox* Combo1;  // port
    QLabel* Label3;
    QComboBox* Combo2;  // speed
    QLabel* Label4;
    QComboBox* Combo3;  // reply time-out
    QCheckBox* Check2;  // "Duplex"
    QCheckBox* Check3;  // "空FF"
    QCheckBox* Check4;  // "加密"
    QLabel* Label5[4];
    QLineEdit* Text3[4];  // CommModel, CommVersion, DisplayModel, DisplayVersion
    QGroupBox* Frame1;    // block editor
    QLabel* Label1[2];
    QLineEdit* Text2[2];  // address, length
    QRadioButton* Option1[2];
    QCheckBox* Check1;    // "不加密"
    QPlainTextEdit* Text1;
    QPushButton* CommandOpenSave;
    QPushButton* CommandWrite;
    QPushButton* CommandRead;
    QPushButton* CommandSaveSet;
    QPushButton* CommandAddBLock;
    QPushButton* CommandDelBolck;
    QPushButton* Command_Bin;
    QPushButton* CommandExit;
    QTimer* ReShowComPortTimer;
    zr50::SerialLinkPort MSComm1;
    zr50::TimerReply WaitTimer;
    UpdateProtocol link;

    // The progress window as the link drives it.
    void ShowProgress() override;
    bool IsProgressVisible() const override;
    void SetProgressValue(int percent) override;
    void SetPercentText(const QString& text) override;
    void UnloadProgress() override;
    FrmProgress* Progress() const { return progress_; }

    // Public operations.
    void ShowTreeData();
    static int GetInfoIndex(const QString& key);
    void ShowBydata() override;
    void ShowBlockInfo(int block);
    bool InComPorts(int port) const;
    void InitCommList();
    void ShowModel();
    bool CheckModel(bool full);

    // The commands, as the buttons run them; the hidden ones are reached here.
    void CommandOpenSave_Click();
    // True once the project is saved; false when the check, the dialog or the write stopped it.
    bool CommandSaveSet_Click();
    void CommandAddBLock_Click();
    void CommandDelBolck_Click();
    void Command_Bin_Click();
    void CommandWrite_Click();
    void CommandRead_Click();
    void CommandExit_Click();
    void ReShowComPortTimer_Timer();

    // The key of a tree node ("N0", "N012").
    static QString KeyOf(const QTreeWidgetItem* node);
    std::function<QList<int>()> listPorts;
    // Whether the port list is the fixed one (set by InitCommList).
    bool FixedPortList = false;

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void BuildControls();
    void Connect();
    // The modified question before Open, Read and Close: true to go on.
    bool SaveIfModified();
    // The address typed in the editor into the block shown.
    void StoreShownAddress();
    bool BlockShown() const;
    void FillPortList(const QList<int>& ports);
    void TreeView1_NodeClick(QTreeWidgetItem* node);
    void Text2_Change();
    void Text3_Change(int k);
    void Combo1_Click(int index);
    void Combo2_Click(int index);
    void Combo3_Click(int index);

    FlashProject& project_;
    FlashSettings& settings_;
    zr50::Prompter& prompter_;
    bool filling_ = false;  // the window fills its own controls: store nothing
    QList<int> shownPorts_;
    int chosenPort_ = 0;  // the user's (or the settings file's) port
    QPointer<FrmProgress> progress_;
    int Tw(double twips) const;
    double ToTwips(int pixels) const;
};

// The key filter of the address field: the character a typed key becomes, or
// 0 when the key is dropped. Control codes pass, "a".."f" become capitals.
QChar AddressKey(QChar c);
// A pasted or typed address text reduced to what the filter lets through.
QString CleanAddressText(const QString& text);

}  // namespace kdi
