#include "NewDocument.h"

#include "Program.h"
#include "files/DocumentFiles.h"

namespace zr50 {

QString InitTemplatePath(const Program& p, InitTemplate which) {
    const char* suffix = which == InitTemplate::Blank ? "_KD4412_New.dat" : "_KD4412.dat";
    return p.paths.InitFolder() + QLatin1Char('/') + QString::number(BandKindOf(p.doc.BandText)) +
           QLatin1String(suffix);
}

bool LoadNewDataFile(Program& p) { return LoadDataFileRaw(p, InitTemplatePath(p, InitTemplate::Blank)); }

bool LoadInitDataFile(Program& p) {
    return LoadDataFileRaw(p, InitTemplatePath(p, InitTemplate::InitialSettings));
}

}  // namespace zr50
