#include "ButtonCaptions.h"

#include "Program.h"

#include <QAbstractButton>
#include <QWidget>

namespace zr50 {

namespace {
void SetButtonText(QWidget* window, const char* name, const QString& text) {
    if (!window) return;
    if (auto* b = window->findChild<QAbstractButton*>(QString::fromLatin1(name))) b->setText(text);
}
}  // namespace

void SetCloseCaption(const Program& p, QWidget* window) {
    SetButtonText(window, "CommandClose", p.T(p.texts.Main.Close));
}

void SetHelpCaption(const Program& p, QWidget* window) {
    SetButtonText(window, "CommandHelp", p.T(p.texts.Main.Help));
}

void SetCommonButtonCaption(const Program& p, QWidget* window) {
    SetCloseCaption(p, window);
    SetHelpCaption(p, window);
}

void SetOkCancelCaptions(const Program& p, QWidget* window) {
    SetButtonText(window, "CommandOK", p.T(p.texts.Msg.Ok));
    SetButtonText(window, "CommandCancel", p.T(p.texts.Msg.Cancel));
}

void SetCommandCaptions(const Program& p, QWidget* window) {
    SetButtonText(window, "Command1", p.T(p.texts.Msg.Ok));
    SetButtonText(window, "Command2", p.T(p.texts.Msg.Cancel));
}

}  // namespace zr50
