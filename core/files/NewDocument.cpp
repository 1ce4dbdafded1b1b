#include "NewDocument.h"

#include "Program.h"
#include "files/DocumentFiles.h"
#include "rules/Defaults.h"

#include <QDate>

namespace zr50 {

QString InitTemplatePath(const Program& p, InitTemplate which) {
    const char* suffix = which == InitTemplate::Blank ? "_KD4412_New.dat" : "_KD4412.dat";
    return p.paths.InitFolder() + QLatin1Char('/') + QString::number(BandKindOf(p.doc.BandText)) +
           QLatin1String(suffix);
}

void InitNewData(Program& p) {
    Document& doc = p.doc;
    doc.IsUntitled = true;
    doc.DataFileName = doc.PrevDataFileName = QString::fromLatin1(kUntitledName);
    InitDocumentHeader(doc);
    InitDefaultChannelFre(doc);
    InitOptFeatureDefaults(doc);
    InitFileId(doc, QDate::currentDate());
    InitToneDefaults(doc);
    if (p.settings.SkipInitFile == 0) LoadNewDataFile(p);
    doc.CopyDataToSaved();
}

bool LoadNewDataFile(Program& p) {
    return LoadDataFileRaw(p, InitTemplatePath(p, InitTemplate::Blank));
}

bool LoadInitDataFile(Program& p) {
    return LoadDataFileRaw(p, InitTemplatePath(p, InitTemplate::InitialSettings));
}

}  // namespace zr50
