#pragma once
// The program's start: the settings file, the language, the forced decimal
// separator and the first document, before the main window exists.

#include "platform/Locale.h"

namespace zr50 {

struct Program;

// What start-up leaves for the end of the run; the caller keeps it until then.
struct StartUpState {
    DecimalSeparatorGuard separator;

    // The shutdown half: the user's decimal separator is put back.
    void ShutDown() { separator.Restore(); }
};

// Reads mysetup.ini into the settings and writes it back (IsFirstRun after a
// first run, comPort and CurrentLanguage always). A missing file, key or
// unusable value counts as: port 1, the system's language, a first run.
void LoadSettings(Program& p, const LocaleService& locale);

// Everything before the main window is created, in this order: the version
// table, the switches, the decimal separator forced to ".", the settings, the
// new untitled document, the text tables.
void StartUp(Program& p, LocaleService& locale, StartUpState& state);

}  // namespace zr50
