#pragma once
// The document's files: the .dat file holds the one DataHeaderRec, its .fre
// companion the channels of every group, in group order, with no header.

#include "model/Document.h"

#include <QByteArray>
#include <QString>

namespace zr50 {

struct Program;

// The largest .fre the counts of a valid .dat can ask for.
constexpr int kMaxChannelFileSize = kChannelRecordSize * kMaxSlots * (17 + 14);

// The .dat path without its last three characters, followed by "fre".
QString ChannelFilePath(const QString& datPath);
// True when that companion is another file in the same folder as the .dat.
bool IsCompanionBeside(const QString& datPath);

// The .fre bytes of the channels in slots 1..count of band 0 groups 1..17 and
// band 1 groups 1..14, with the counts of rec.
QByteArray EncodeChannelFile(const DataHeaderRec& rec, const ChannelStore& ch);
// The inverse; false (and ch untouched) when fre is shorter than the counts ask.
// Bytes beyond the last record are ignored.
bool DecodeChannelFile(const QByteArray& fre, const DataHeaderRec& rec, ChannelStore& ch);

// False when a value the program uses to index its arrays is out of range:
// the current band and groups, the grid rows and the channel counts.
bool IsHeaderUsable(const DataHeaderRec& rec);

// Parses a .dat record (its first 1699 bytes) and its .fre. On success rec
// holds the record and ch is replaced whole: the channels in every used slot,
// never-written records in the others. On failure neither is touched.
bool ParseDocumentFiles(const QByteArray& dat, const QByteArray& fre, DataHeaderRec& rec,
                        ChannelStore& ch);

// The .fre half on its own: from SavedChData with the counts of SavedDataRec,
// and into it. False on any file error.
bool WriteChannelFile(const Document& doc, const QString& datPath);
bool ReadChannelFile(Document& doc, const QString& datPath);

// The main window's caption: "ZR50[<band>][File Name:<file name>]".
QString DocumentCaption(const Program& p);

// Saves the working document to DataFileName: it becomes the saved copy and
// the document is titled. A path whose companion would not lie beside it is
// refused. On failure "file error." is shown and the document,
// its files and the caption stay as they were.
bool WriteDataFile(Program& p);

// Opens DataFileName, with the version and length checks of a user file, and
// shows it. On any refusal the document stays as it was and DataFileName goes
// back to PrevDataFileName.
bool ReadDataFile(Program& p);

// Loads a .dat/.fre pair without checks (templates). When it cannot be read
// the working document stays and becomes the saved copy.
bool LoadDataFileRaw(Program& p, const QString& path);

}  // namespace zr50
