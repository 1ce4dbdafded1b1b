#pragma once
// The one seam for message boxes: text, buttons, icon and title in, answer out.
// The program answers with a real message box; tests script the answers.

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
        return Ask(text, buttons, icon, QString::fromLatin1(kProgramTitle));
    }
};

}  // namespace zr50
