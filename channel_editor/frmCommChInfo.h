#pragma once
// The channel window: the grid of one group's channels with in-place editing
// of the receive frequency, the group's settings, and the detail panel of the
// selected channel. It edits the working document in place.

#include "windows/MdiForms.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zr50 {

struct ChannelRecord;
struct Program;
class FlexGrid;

class frmCommChInfo : public QWidget {
    Q_OBJECT
public:
    explicit frmCommChInfo(Program& p, QWidget* parent = nullptr);

    // Controls, under the names the program gives them.
    QComboBox* Combo4;  // hidden twin of Combo6: list position + 1 = group index
    QGroupBox* Frame3;
    QComboBox* Combo3;  // work group
    QComboBox* Combo6;  // group
    QGroupBox* Frame1;  // group settings
    std::array<QComboBox*, 7> Combo1{};
    QCheckBox* Check1;
    QLineEdit* Text2;   // group name
    QLineEdit* Text1;   // in-place cell editor
    QGroupBox* Frame2;  // detail panel
    std::array<QComboBox*, 21> Combo8{};
    std::array<QLabel*, 19> Label5{};
    FlexGrid* MSFlexGrid1;
    std::array<QLabel*, 7> Label2{};
    QLabel* Label4;
    QLabel* Label6;
    QLabel* Label1;
    QComboBox* Combo2;  // band
    QPushButton* CommandCheckBand;
    QPushButton* CommandCHInfoEdit;
    QPushButton* CommandHelp;
    QPushButton* CommandClose;
    QLabel* Label3;

    // False while the window fills its own controls: the list handlers store nothing then.
    bool ShowDone() const { return showDone_; }
    // The cell being edited (or last edited).
    int GridRow() const { return gridRow_; }
    int GridCol() const { return gridCol_; }

public slots:
    QString GetCTCSS_DCSByShow(QString shown);
    QString ShowCTCSS_DCS(QString code);
    int GetCHID(QString name);
    QString GetCHName(int n);
    void ReShowChInfoByLanguage();
    void ShowDTMF();
    void ShowRB();
    void InitValidComboList();
    void ShowValidComboText();
    void reShowGrid(int n);
    void SetEditNoVisable();
    void InitComboWorkGroup();
    void EnterGridEdit();
    void GridNextLine();
    void GridNextCol();
    // Commits an edit in progress, as every move of the focus does.
    void ValidateControls();
    // The mode list after the enabled modes changed: keeps an enabled mode shown.
    void RevalidateModeList();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void Arrange();
    void RightAlign(QLabel* label, const QWidget* control);
    int Tw(double twips) const;

    void Form_Load();
    void InitShowGrid();
    void InitGridRows(int group);
    void ChangShowByLanguage();
    void ShowGroupCtrl(int group);
    void SetGridData();
    void ShowChIfoData(const ChannelRecord& r, int cell);
    void ShowChIfoDataOther();
    void FillPanel(ChannelRecord r);
    void ShowToneList(int typeList);
    void SetMoreInfoEnable(int v);
    // True when the typed value was refused (the warning was shown).
    bool SaveShowGridData();
    void CommandClose_Click();
    void FitGridWidth();
    void InitComboGroup(int band);

    void Combo2_Click();
    void Combo6_Click();
    void Combo3_Click();
    void Combo1_Click(int index);
    void Combo8_Click(int index);
    void Text2_Change();
    void Text1_KeyPress_Enter();
    bool Text1_KeyFilter(QEvent* event);

    // The group shown, its band's list position and the slot of channel n (0: none).
    int ShownGroup() const;
    int ShownBand() const;
    int SlotOf(int band, int group, int n) const;
    QString ShownFreq(const ChannelRecord& r);
    QString Off() const;
    // "OFF", then the usable tone records / the DTMF slots holding a code.
    QStringList ToneItems() const;
    QStringList DtmfItems() const;
    // New entries; a list that is shown keeps its entry when it is still there.
    void Refill(QComboBox* list, const QStringList& items);

    Program& p_;
    bool showDone_ = false;
    int gridRow_ = 0;
    int gridCol_ = 0;
};

// For the window factory: forms.Register("frmCommChInfo", ChannelWindowFactory(p)).
MdiForms::Factory ChannelWindowFactory(Program& p);

}  // namespace zr50
