#pragma once
// The roger-beep tone window: the eight tone sequences of the document, one
// tab each, edited in place, drawn as a bar chart and played through the
// program's one player.

#include "windows/MdiForms.h"

#include <QFrame>
#include <QWidget>
#include <array>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabBar;

namespace zr50 {

struct Program;
struct ToneRecord;
class ModBeep;

// A picture box: a sunken frame whose inside is painted by its owner, in
// twips (its scale units) from the inner top-left corner.
class TonePicture : public QFrame {
    Q_OBJECT
public:
    explicit TonePicture(QWidget* parent = nullptr);
    double ScaleWidth() const;
    double ScaleHeight() const;
    std::function<void(QPainter&)> onPaint;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class FrmToneTips : public QWidget {
    Q_OBJECT
public:
    FrmToneTips(Program& p, ModBeep& beep, QWidget* parent = nullptr);

    // Controls, under the names the program gives them.
    QTabBar* TabStrip1;
    QGroupBox* Frame1;
    QLabel* Label1;  // element 0
    QComboBox* Combo1;
    QLabel* Label2;  // element 0
    QComboBox* Combo2;
    QGroupBox* Frame2;
    std::array<QLabel*, 2> Label3{};
    std::array<QLabel*, 2> Label4{};
    std::array<QLabel*, 14> Label5{};
    std::array<QComboBox*, 14> Combo3{};
    std::array<QComboBox*, 14> Combo4{};
    QComboBox* Combo5;  // hidden: a frequency code is its list position
    TonePicture* Picture1;  // element 0
    QPushButton* Command1;  // element 0: Play
    QPushButton* Command2;  // element 0: Stop
    QPushButton* CommandHelp;
    QPushButton* CommandClose;

public slots:
    // Every choice is stored as it is made: no edit is ever pending.
    void ValidateControls() {}

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void Arrange();
    int Tw(double twips) const;

    void Form_Load();
    void ShowToneCaptions();
    void InitToneLists();
    void ShowToneData();
    void StopTonePlay();

    void TabStrip1_Click();
    void Combo1_Click();
    void Combo2_Click();
    void Combo3_Click(int index);
    void Combo4_Click(int index);
    void Command1_Click();
    void Picture1_Paint(QPainter& painter);

    ToneRecord& Shown();
    // Applies an edit unless it leaves no usable record where there was one;
    // true when applied.
    bool EditKeepsOneUsable(const std::function<void()>& edit, const std::function<void()>& undo);
    QString Text(long id) const;

    Program& p_;
    ModBeep& beep_;
};

// For the window factory: forms.Register("FrmToneTips", ToneWindowFactory(p, beep)).
MdiForms::Factory ToneWindowFactory(Program& p, ModBeep& beep);

}  // namespace zr50
