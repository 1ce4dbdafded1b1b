#include "DocumentFiles.h"

#include "Program.h"
#include "files/SafeWrite.h"
#include "model/ByteIO.h"
#include "rules/SharedHelpers.h"
#include "versions/Versions.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <optional>

namespace zr50 {

namespace {

// Calls f(band, group) for every group that has channels in the files.
template <class F>
void ForEachStoredGroup(F f) {
    for (int band = 0; band < kBands; ++band)
        for (int g = 1; g <= GroupCount(band); ++g) f(band, g);
}

int StoredChannelCount(const DataHeaderRec& rec) {
    int n = 0;
    ForEachStoredGroup([&](int band, int g) { n += rec.ChCount(band, g); });
    return n;
}

// At most max bytes from the start of a file; nothing when it cannot be read.
std::optional<QByteArray> ReadHead(const QString& path, qint64 max) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    QByteArray bytes = f.read(max);
    if (f.error() != QFileDevice::NoError) return std::nullopt;
    return bytes;
}

void ShowFileError(Program& p) {
    p.prompter.Ask(p.T(p.texts.Msg.FileError), Buttons::Ok, Icon::None);
}

// Counts the file format cannot hold are limited to the 99 slots of a group,
// so the working copy, the saved copy and the file agree.
void LimitCounts(DataHeaderRec& rec) {
    ForEachStoredGroup([&](int band, int g) {
        int16_t& n = rec.ChCount(band, g);
        n = int16_t(std::clamp<int>(n, 0, kMaxSlots));
    });
}

}  // namespace

QString ChannelFilePath(const QString& datPath) {
    return datPath.left(std::max<qsizetype>(0, datPath.size() - 3)) + QStringLiteral("fre");
}

bool IsCompanionBeside(const QString& datPath) {
    const QFileInfo dat(datPath);
    const QFileInfo fre(ChannelFilePath(datPath));
    // A .dat named like its own companion would be overwritten by it; a short
    // name without ".dat" would put its companion into another folder.
    return fre.fileName() != dat.fileName() && fre.absolutePath() == dat.absolutePath();
}

QByteArray EncodeChannelFile(const DataHeaderRec& rec, const ChannelStore& ch) {
    QByteArray out;
    ForEachStoredGroup([&](int band, int g) {
        const int n = std::min<int>(rec.ChCount(band, g), kMaxSlots);
        for (int s = 1; s <= n; ++s) out += EncodeRecord(ch(band, s, g));
    });
    return out;
}

bool DecodeChannelFile(const QByteArray& fre, const DataHeaderRec& rec, ChannelStore& ch) {
    if (!IsHeaderUsable(rec)) return false;
    if (fre.size() < qsizetype(StoredChannelCount(rec)) * kChannelRecordSize) return false;
    int pos = 0;
    ForEachStoredGroup([&](int band, int g) {
        for (int s = 1; s <= rec.ChCount(band, g); ++s, pos += kChannelRecordSize)
            DecodeRecord(fre, pos, ch(band, s, g));
    });
    return true;
}

bool IsHeaderUsable(const DataHeaderRec& rec) {
    if (rec.CurBand < 0 || rec.CurBand >= kBands) return false;
    bool ok = true;
    for (int band = 0; band < kBands; ++band)
        ok = ok && rec.CurGroup[band] >= 0 && rec.CurGroup[band] <= GroupCount(band);
    ForEachStoredGroup([&](int band, int g) {
        ok = ok && rec.ChCount(band, g) >= 0 && rec.ChCount(band, g) <= kMaxSlots &&
             rec.CurRow(band, g) >= 0 && rec.CurRow(band, g) <= kMaxSlots;
    });
    return ok;
}

bool ParseDocumentFiles(const QByteArray& dat, const QByteArray& fre, DataHeaderRec& rec,
                        ChannelStore& ch) {
    DataHeaderRec header;
    if (!DecodeRecord(dat, 0, header)) return false;
    // Slots beyond the counts are never-written records, not the last document's.
    ChannelStore channels;
    if (!DecodeChannelFile(fre, header, channels)) return false;
    rec = header;
    ch = std::move(channels);
    return true;
}

bool WriteChannelFile(const Document& doc, const QString& datPath) {
    QSaveFile f(ChannelFilePath(datPath));
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(EncodeChannelFile(doc.SavedDataRec, doc.SavedChData));
    return f.commit();
}

bool ReadChannelFile(Document& doc, const QString& datPath) {
    const auto fre = ReadHead(ChannelFilePath(datPath), kMaxChannelFileSize);
    return fre && DecodeChannelFile(*fre, doc.SavedDataRec, doc.SavedChData);
}

QString DocumentCaption(const Program& p) {
    return QStringLiteral("ZR50[") + p.doc.BandText + QStringLiteral("][") +
           p.T(p.texts.Print.FileName) + QLatin1Char(':') + FileNameOfPath(p.doc.DataFileName) +
           QLatin1Char(']');
}

bool WriteDataFile(Program& p) {
    Document& doc = p.doc;
    const QString path = doc.DataFileName;
    const QString frePath = ChannelFilePath(path);
    if (!IsCompanionBeside(path)) {
        ShowFileError(p);
        return false;
    }

    const DataHeaderRec oldData = doc.DataRec;
    const DataHeaderRec oldSaved = doc.SavedDataRec;
    const ChannelStore oldSavedCh = doc.SavedChData;

    LimitCounts(doc.DataRec);
    doc.CopyDataToSaved();
    const std::vector<FileBytes> files = {
        {frePath, EncodeChannelFile(doc.SavedDataRec, doc.SavedChData)},
        {path, EncodeRecord(doc.SavedDataRec)},
    };
    if (!ReplaceFiles(files)) {
        doc.DataRec = oldData;
        doc.SavedDataRec = oldSaved;
        doc.SavedChData = oldSavedCh;
        ShowFileError(p);
        return false;
    }
    doc.IsUntitled = false;
    p.forms.Call(QStringLiteral("frmMain"), "ShowCaption");
    return true;
}

bool ReadDataFile(Program& p) {
    Document& doc = p.doc;
    const QString path = doc.DataFileName;
    const auto refuse = [&](const LangText* message) {
        doc.DataFileName = doc.PrevDataFileName;
        if (message) p.prompter.Ask(p.T(*message), Buttons::Ok, Icon::None);
        return false;
    };

    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return refuse(&p.texts.Msg.FileError);
    const QByteArray dat = f.read(kDataFileSize + 1);
    if (f.error() != QFileDevice::NoError) return refuse(&p.texts.Msg.FileError);
    f.close();

    const QString version = QString::fromLatin1(dat.left(4));
    if (!IsVersionText(version)) return refuse(&p.texts.Version.UnknownDataVersion);
    const QString own = QString::fromLatin1(kOwnVersion);
    if (!IsVersionCompatible(p.versions, own, version)) {
        const QString question = VersionMismatchText(p, own, version, VersionKind::DataFile);
        if (p.prompter.Ask(question, Buttons::YesNo, Icon::None) == Answer::Yes)
            StartOtherVersion(p, version);
        return refuse(nullptr);
    }
    if (dat.size() != kDataFileSize) return refuse(&p.texts.Version.MissingVersion);

    const auto fre = ReadHead(ChannelFilePath(path), kMaxChannelFileSize);
    if (!fre || !ParseDocumentFiles(dat, *fre, doc.SavedDataRec, doc.SavedChData))
        return refuse(&p.texts.Msg.FileError);

    doc.SavedDataRec.VersionText.set(own);
    doc.CopySavedToData();
    p.forms.Show(QStringLiteral("frmCommChInfo"));
    p.forms.Call(QStringLiteral("frmMain"), "ShowCaption");
    p.forms.Call(QStringLiteral("frmMain"), "Change_Language");
    p.forms.Cascade();
    doc.IsUntitled = false;
    return true;
}

bool LoadDataFileRaw(Program& p, const QString& path) {
    Document& doc = p.doc;
    const auto dat = ReadHead(path, kDataFileSize);
    const auto fre = ReadHead(ChannelFilePath(path), kMaxChannelFileSize);
    if (!dat || !fre || !ParseDocumentFiles(*dat, *fre, doc.SavedDataRec, doc.SavedChData)) {
        doc.CopyDataToSaved();
        return false;
    }
    doc.CopySavedToData();
    return true;
}

}  // namespace zr50
