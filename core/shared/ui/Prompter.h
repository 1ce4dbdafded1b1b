#pragma once
// The one seam for message boxes and file dialogs: text, buttons, icon and title
// in, answer out. The program shows real dialogs; tests script the answers.

#include <QString>

namespace zr50 {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Answer { Ok, Cancel, Yes, No, Retry };

inline constexpr const char* kProgramTitle = "ZR50";

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual Answer Ask(const QString& text, Buttons buttons, Icon icon, const QString& title) = 0;

    Answer Ask(const QString& text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None) {
        return Ask(text, buttons, icon, title);
    }
    // The title of every box that names none: the program's name.
    QString title = QString::fromLatin1(kProgramTitle);

    // File dialogs; an empty result means the user cancelled. filter is in the
    // form "Data File (*.dat)"; a name saved without a suffix gets suffix (say "dat").
    // Without a screen every question is cancelled.
    virtual QString ChooseOpenFile(const QString& /*filter*/) { return QString(); }
    virtual QString ChooseSaveFile(const QString& /*preset*/, const QString& /*filter*/,
                                   const QString& /*suffix*/) {
        return QString();
    }
    // A whole number from min to max, value offered first; 0 when cancelled.
    virtual int AskNumber(const QString& /*text*/, int /*min*/, int /*max*/, int /*value*/) {
        return 0;
    }
};

}  // namespace zr50
