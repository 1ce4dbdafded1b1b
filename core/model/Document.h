#pragma once
// The one radio document: working and saved copies of the records, and the
// file and band state kept beside them.

#include "Records.h"

#include <QString>

namespace zr50 {

struct BandLimits {
    double BandMin = 0, BandMax = 0;    // range 1, from the band text
    double Band2Min = 0, Band2Max = 0;  // range 2, 21.0 .. 21.5
};

inline constexpr const char* kModelName = "KD4412P";
inline constexpr const char* kOwnVersion = "V200";
inline constexpr const char* kUntitledName = "new.dat";

class Document {
public:
    Document();

    DataHeaderRec DataRec;       // working copy
    DataHeaderRec SavedDataRec;  // as last loaded or saved
    ChannelStore ChData;
    ChannelStore SavedChData;

    QString DataFileName = QString::fromLatin1(kUntitledName);
    QString PrevDataFileName = QString::fromLatin1(kUntitledName);
    bool IsUntitled = true;
    QString DataVersion = QString::fromLatin1(kOwnVersion);  // version of the data in memory
    QString ModelName = QString::fromLatin1(kModelName);     // expected radio model
    QString BandText = QStringLiteral("28.0000 - 29.6990 MHz");
    BandLimits Limits;
    bool RadioExtBand = false;  // the last radio read reported the second range

    // Sets BandText and parses the limits from it.
    void SetBandText(const QString& text);

    void CopyDataToSaved();
    void CopySavedToData();
    bool DataMatchesSaved() const;
    bool IsDataModified() const { return !DataMatchesSaved(); }
    // First working slot 1..ChCount of the group holding channel number chNo, or 0.
    int FindChannelIndex(int chNo, int band, int group) const;
};

QString BandTextOf(int band);
// 0 for the HF band text, 1 for any other.
int BandKindOf(const QString& bandText);
// The identity fields refreshed at every save.
void FillFileId(FileIdRec& id, const QString& modelName, const QString& bandText);

}  // namespace zr50
