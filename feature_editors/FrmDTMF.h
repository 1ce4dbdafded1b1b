#pragma once
// The DTMF window: encoder timing, the D key, the display switch and the 16
// autodial codes of the working document, edited in place. The Decode page
// is built and filled but switched off; it stores nothing.

#include "windows/MdiForms.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace zr50 {

struct Program;
class FlexGrid;
class DtmfCodeValidator;

class FrmDTMF : public QWidget {
    Q_OBJECT
public:
    explicit FrmDTMF(Program& p, QWidget* parent = nullptr);

    // Controls, under the names the program gives them.
    QTabWidget* SSTab1;
    std::array<QLabel*, 5> Label1{};
    std::array<QComboBox*, 5> Combo1{};
    QCheckBox* Check1;
    std::array<QLabel*, 5> Label2{};
    QLineEdit* Text1;
    std::array<QComboBox*, 4> Combo2{};
    QCheckBox* Check2;
    QGroupBox* Frame1;
    std::array<QLabel*, 2> Label3{};
    QLineEdit* Text2;
    QComboBox* Combo3;
    FlexGrid* MSFlexGrid1;
    QLineEdit* Text3;  // the cell editor of the autodial grid
    QPushButton* CommandHelp;
    QPushButton* CommandClose;

    // The grid row whose code is edited; 0 before the first cell is entered.
    int EditRow() const { return editRow_; }

public slots:
    // Clears the references to empty code slots and refreshes the windows
    // that list the codes.
    void SetDTMFList();
    // Finishes an edit in progress, as leaving the cell does.
    void ValidateControls();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void Arrange();
    int Tw(double twips) const;

    void Form_Load();
    void InitDTMFLists();
    void ShowDTMFCaptions();
    void AlignDTMFLabels();
    void ShowDTMFData();

    void Combo1_Click(int index);
    void Check1_Click();
    void MSFlexGrid1_Click();
    void MSFlexGrid1_EnterCell();
    // The editor's text into the grid cell and the code slot.
    void StoreDTMFCell();
    // The edit of the cell is finished: stored, then the references repaired.
    void CommitDTMFCell();
    bool Text3_KeyPress(QEvent* event);

    Program& p_;
    DtmfCodeValidator* validator_ = nullptr;
    int editRow_ = 0;
    bool firstClickPending_ = false;
};

// For the window factory: forms.Register("FrmDTMF", DtmfWindowFactory(p)).
MdiForms::Factory DtmfWindowFactory(Program& p);

}  // namespace zr50
