#include "FrmSetLanguage.h"

#include "ButtonCaptions.h"
#include "Program.h"
#include "platform/IniFile.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace zr50 {

FrmSetLanguage::FrmSetLanguage(Program& p, QWidget* parent) : QDialog(parent), p_(p) {
    setObjectName(QStringLiteral("FrmSetLanguage"));
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setMinimumContentsLength(12);
    Combo1->installEventFilter(this);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Command1 = new QPushButton(this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command2 = new QPushButton(this);
    Command2->setObjectName(QStringLiteral("Command2"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0, Qt::AlignRight);
    grid->addWidget(Combo1, 0, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    grid->addLayout(buttons, 1, 0, 1, 2);
    connect(Command1, &QPushButton::clicked, this, &FrmSetLanguage::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmSetLanguage::Command2_Click);

    InitLanguageForm();
    ShowCurrentLanguage();
}

void FrmSetLanguage::InitLanguageForm() {
    Combo1->clear();
    setWindowTitle(p_.T(p_.texts.Main.LanguageSetup));
    Label1->setText(p_.T(p_.texts.Main.LanguageMode));
    listLanguage_ = p_.settings.CurLanguage == kChinese ? kChinese : kEnglish;
    const auto& names = p_.texts.Main.LanguageNames;
    Combo1->addItem(names[kEnglish](listLanguage_));
    // Chinese is offered on a Chinese system, and whenever it is the current
    // language, so the current choice is always in the list.
    if (p_.settings.SysLanguage != kEnglish || listLanguage_ == kChinese)
        Combo1->addItem(names[kChinese](listLanguage_));
    SetCommandCaptions(p_, this);
}

void FrmSetLanguage::ShowCurrentLanguage() {
    Combo1->setCurrentIndex(Combo1->findText(p_.texts.Main.LanguageNames[listLanguage_](listLanguage_)));
}

void FrmSetLanguage::ApplyLanguageChoice() {
    const auto& names = p_.texts.Main.LanguageNames;
    const QString text = Combo1->currentText();
    int chosen = 0;
    if (text == names[kEnglish](listLanguage_)) chosen = kEnglish;
    if (text == names[kChinese](listLanguage_)) chosen = kChinese;
    if (chosen == 0 || chosen == p_.settings.CurLanguage) return;
    p_.settings.AppliedLanguage = p_.settings.CurLanguage;
    p_.settings.CurLanguage = chosen;
}

void FrmSetLanguage::Command1_Click() {
    ApplyLanguageChoice();
    WriteProfileString(p_.paths.SettingsIni(), QStringLiteral("language"),
                       QStringLiteral("CurrentLanguage"), QString::number(p_.settings.CurLanguage));
    accept();
}

void FrmSetLanguage::Command2_Click() { reject(); }

bool FrmSetLanguage::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the list moves on to the next control instead of closing the dialog.
    if (watched == Combo1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace zr50
