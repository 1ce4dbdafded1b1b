#pragma once
// A new document: the built-in defaults, then normally the blank template of
// the band; and the two shipped templates under <program folder>/Init.

#include <QString>

namespace zr50 {

struct Program;

enum class InitTemplate { Blank, InitialSettings };

// <program folder>/Init/<band kind>_KD4412_New.dat or _KD4412.dat, the band
// kind being that of the current band text.
QString InitTemplatePath(const Program& p, InitTemplate which);

// The new untitled document "new.dat": the built-in defaults, then (unless
// the SkipInitFile switch is set) the blank template; it counts as not modified.
void InitNewData(Program& p);

// The blank template into the working and saved copies (LoadDataFileRaw).
bool LoadNewDataFile(Program& p);
// The initial-settings template likewise.
bool LoadInitDataFile(Program& p);

}  // namespace zr50
