#pragma once
// The program-wide state of ZR50, created once by start-up (or by a test) and
// handed to whoever needs it.

#include "model/Document.h"
#include "platform/Process.h"
#include "settings/Settings.h"
#include "texts/MessageQueue.h"
#include "texts/TextTables.h"
#include "ui/FormHost.h"
#include "ui/Prompter.h"
#include "versions/VersionTable.h"

namespace zr50 {

struct Program {
    Program(Prompter& prompter, FormHost& forms, ProcessControl& process)
        : prompter(prompter), forms(forms), process(process) {}

    Paths paths;
    Settings settings;
    VersionTable versions;
    Document doc;
    TextTables texts;
    MessageQueue messages;

    Prompter& prompter;
    FormHost& forms;
    ProcessControl& process;

    // A text in the current language.
    const QString& T(const LangText& t) const { return t(settings.CurLanguage); }
};

}  // namespace zr50
