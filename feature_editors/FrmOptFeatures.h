#pragma once
// The optional-features window: the radio's menu settings, the public
// channel, the mode enables, the S-meter points, the transmit offset and the
// protection limits. Every change is written into the working document at once.

#include "texts/OptFeatTexts.h"
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

struct Program;

class FrmOptFeatures : public QWidget {
    Q_OBJECT
public:
    explicit FrmOptFeatures(Program& p, QWidget* parent = nullptr);

    // Controls, under the names the program gives them.
    std::array<QComboBox*, kOptCombo1Count> Combo1{};
    std::array<QLabel*, kOptCombo1Count> Label1{};
    QGroupBox* Frame2;  // the public channel
    std::array<QComboBox*, kOptCombo2Count> Combo2{};
    std::array<QLabel*, kOptCombo2Count> Label4{};
    QComboBox* Combo3;  // hidden: mode names of the public channel
    QGroupBox* Frame1;  // mode enables
    std::array<QCheckBox*, kOptCheck1Count> Check1{};
    std::array<QCheckBox*, 4> chkCheck2{};
    std::array<QGroupBox*, 2> Frame3{};
    std::array<QLabel*, 12> Label6{};
    std::array<QLineEdit*, 13> Text4{};  // 0..11 S-meter points, 12 Tx offset
    QLabel* Label5;
    QLabel* Label10;
    std::array<QLineEdit*, 3> Text2{};  // limits
    std::array<QLabel*, 3> Label3{};
    std::array<QLineEdit*, 2> Text1{};  // hidden offsets
    std::array<QLabel*, 2> Label2{};
    QPushButton* CommandClose;
    QPushButton* CommandHelp;

    bool FormLoaded() const { return formLoaded_; }

public slots:
    void ShowRB();
    void ReShowData();
    void ShowDTMF();
    void SaveOptFeat(int Index);
    // Commits whatever a box holds that has not been stored yet.
    void ValidateControls();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void Arrange();
    void Form_Load();
    void InitOptComboList();
    void InitRBComboList();
    void ShowOptCaption();
    void ShowOptData();
    void ShowPubMode();
    void VoxDependency();
    // Stores what every list and box shows (a refresh of the loaded window).
    void StoreShown();

    void Combo1_Click(int index);
    void Check1_Click(int index);
    void chkCheck2_Click(int index);
    void Text1_Change(int index);
    void Text2_LostFocus(int index);
    void Text4_LostFocus(int index);
    void LostFocus(QLineEdit* box);
    void RefreshModeList();
    void PublicChannelRule(int band, int position);

    QComboBox* ListOf(int index) const;  // Combo1(k) or Combo2(k - 200)
    QCheckBox* CheckOf(int index) const { return Check1[size_t(index - 100)]; }
    QStringList PublicModes() const;
    QString OFF() const;
    QStringList DtmfItems() const;
    const OptFeatTexts& Texts() const;

    Program& p_;
    bool formLoaded_ = false;
    // Boxes typed into since they were last stored.
    QList<QLineEdit*> edited_;
};

// For the window factory: forms.Register("FrmOptFeatures", OptFeaturesFactory(p)).
MdiForms::Factory OptFeaturesFactory(Program& p);

}  // namespace zr50
