#pragma once
// The language dialog: the choice becomes the program's language and is kept in
// the settings file; the main window rebuilds itself at its next activation.

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace zr50 {

struct Program;

class FrmSetLanguage : public QDialog {
    Q_OBJECT
public:
    FrmSetLanguage(Program& p, QWidget* parent = nullptr);

    QComboBox* Combo1;
    QLabel* Label1;
    QPushButton* Command1;  // OK
    QPushButton* Command2;  // Cancel

public slots:
    void Command1_Click();
    void Command2_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void InitLanguageForm();
    void ShowCurrentLanguage();
    void ApplyLanguageChoice();

    Program& p_;
    int listLanguage_ = 1;  // the language the list's names are written in
};

}  // namespace zr50
