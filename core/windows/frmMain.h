#pragma once
// ZR50's MDI main window: menus, toolbar, tree pane, status bar, background,
// the document commands and the shutdown.

#include <QHash>
#include <QImage>
#include <QMainWindow>
#include <functional>

class QAction;
class QFrame;
class QLabel;
class QMdiArea;
class QPushButton;
class QTimer;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace zr50 {

struct Program;
class MdiForms;

// What the main window asks of the radio link; the link fills it in.
struct RadioRoads {
    std::function<void()> read, write, groupWrite, radioInfo, readRMGData;
    // The ports the port dialog lists (the system's by default).
    std::function<QStringList()> listPorts;
};

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain(Program& p, MdiForms& forms, QWidget* parent = nullptr);

    // The splitter-drag flag.
    bool DragFlag() const { return dragFlag_; }
    void SetDragFlag(bool on) { dragFlag_ = on; }

    void SetRoads(RadioRoads roads) { roads_ = std::move(roads); }
    // Runs last at shutdown (the decimal separator is put back there).
    std::function<void()> onShutdown;

    QAction* Menu(const QString& name) const { return menus_.value(name); }
    QAction* ToolButton(const QString& key) const { return buttons_.value(key); }

    QMdiArea* mdiArea;
    QFrame* Picture1;  // the tree pane
    QPushButton* CommandMove;
    QFrame* Frame1;
    QToolBar* Toolbar1;
    QTreeWidget* TreeView1;
    QLabel* Label1;
    QToolBar* tbToolBar;
    QLabel* sbPanel[3];
    QTimer* TimerReNew;

public slots:
    void Change_Language();
    void ReadRMGDataFromRadio();
    void LoadBKPic();
    void StartShowData();
    void LoadNewDoc_();
    void LoadNewDoc();
    void ShowCaption();
    void MDIForm_Activate();
    // Text of a status-bar panel (1..3).
    void SetStatusText(int panel, const QString& text);

    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void MnuInitial_Click();
    void mnuTreeView_Click();
    void mnuViewToolbar_Click();
    void mnuViewStatusBar_Click();
    void mnuLanguage_Click();
    void mnuHelpAbout_Click();
    void mnuComm_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MDIForm_Load();
    void BuildMenus();
    void BuildToolbars();
    void BuildTreePane();
    void SetMenuTexts();
    void InitTreeNodes();
    void ShowDocumentWindow();
    bool OpenDataFile();
    bool SaveDataFile();
    bool SaveAs();
    bool OfferToSave();
    void StorePlacement();
    void RestorePlacement();
    void TreeView1_NodeClick(QTreeWidgetItem* node);
    void DispatchButton(const QString& key);
    void FillWindowMenu();
    QAction* AddMenuItem(QMenu* menu, const char* name, std::function<void()> action = {});
    int Twips(double twips) const;
    void TileBKPic();

    Program& p_;
    MdiForms& forms_;
    RadioRoads roads_;
    bool dragFlag_ = false;
    int dragStartX_ = 0;
    QString fileFilter_;
    QImage bkPicture_;
    QHash<QString, QAction*> menus_;
    QHash<QString, QAction*> buttons_;
    QList<QAction*> windowListActions_;
};

}  // namespace zr50
