#pragma once
// The program's prompts as real message boxes (buttons in the current language)
// and file dialogs.

#include "ui/Prompter.h"

#include <functional>

class QWidget;

namespace zr50 {

class MessageBoxPrompter : public Prompter {
public:
    // language() gives the current language (1 English, 2 Chinese) at each prompt.
    MessageBoxPrompter(std::function<int()> language, std::function<QWidget*()> parent = {})
        : language_(std::move(language)), parent_(std::move(parent)) {}
    using Prompter::Ask;
    Answer Ask(const QString& text, Buttons buttons, Icon icon, const QString& title) override;
    QString ChooseOpenFile(const QString& filter) override;
    QString ChooseSaveFile(const QString& preset, const QString& filter, const QString& suffix) override;
    int AskNumber(const QString& text, int min, int max, int value) override;

private:
    std::function<int()> language_;
    std::function<QWidget*()> parent_;
};

}  // namespace zr50
