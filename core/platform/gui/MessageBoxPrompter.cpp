#include "MessageBoxPrompter.h"

#include "texts/LangText.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace zr50 {

namespace {

struct ButtonSpec {
    QMessageBox::StandardButton button;
    Answer answer;
    LangText text;
};

QList<ButtonSpec> ButtonsOf(Buttons b) {
    const ButtonSpec ok{QMessageBox::Ok, Answer::Ok, Both("OK", "确定")};
    const ButtonSpec cancel{QMessageBox::Cancel, Answer::Cancel, Both("Cancel", "取消")};
    const ButtonSpec yes{QMessageBox::Yes, Answer::Yes, Both("&Yes", "是(&Y)")};
    const ButtonSpec no{QMessageBox::No, Answer::No, Both("&No", "否(&N)")};
    const ButtonSpec retry{QMessageBox::Retry, Answer::Retry, Both("&Retry", "重试(&R)")};
    switch (b) {
        case Buttons::Ok: return {ok};
        case Buttons::OkCancel: return {ok, cancel};
        case Buttons::YesNo: return {yes, no};
        case Buttons::YesNoCancel: return {yes, no, cancel};
        case Buttons::RetryCancel: return {retry, cancel};
    }
    return {ok};
}

QMessageBox::Icon IconOf(Icon i) {
    switch (i) {
        case Icon::Critical: return QMessageBox::Critical;
        case Icon::Question: return QMessageBox::Question;
        case Icon::Exclamation: return QMessageBox::Warning;
        case Icon::Information: return QMessageBox::Information;
        case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

Answer MessageBoxPrompter::Ask(const QString& text, Buttons buttons, Icon icon,
                               const QString& title) {
    QMessageBox box(IconOf(icon), title, text, QMessageBox::NoButton, parent_ ? parent_() : nullptr);
    const QList<ButtonSpec> specs = ButtonsOf(buttons);
    const int lang = language_ ? language_() : kEnglish;
    for (const ButtonSpec& s : specs) box.addButton(s.button)->setText(s.text(lang));
    box.setDefaultButton(specs.front().button);
    // Closing the box is the last button's answer (Cancel or No), or OK alone.
    box.setEscapeButton(specs.back().button);
    const auto clicked = QMessageBox::StandardButton(box.exec());
    for (const ButtonSpec& s : specs)
        if (s.button == clicked) return s.answer;
    return specs.back().answer;
}

}  // namespace zr50

namespace zr50 {

QString MessageBoxPrompter::ChooseOpenFile(const QString& filter) {
    return QFileDialog::getOpenFileName(parent_ ? parent_() : nullptr, QString(), QString(), filter);
}

QString MessageBoxPrompter::ChooseSaveFile(const QString& preset, const QString& filter,
                                           const QString& suffix) {
    QFileDialog dialog(parent_ ? parent_() : nullptr, QString(), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without a suffix gets the caller's, so its companions lie beside it.
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(preset);
    if (dialog.exec() != QDialog::Accepted) return QString();
    return dialog.selectedFiles().value(0);
}

int MessageBoxPrompter::AskNumber(const QString& text, int min, int max, int value) {
    bool ok = false;
    const int n = QInputDialog::getInt(parent_ ? parent_() : nullptr, title,
                                       text, value, min, max, 1, &ok);
    return ok ? n : 0;
}

}  // namespace zr50
