// Opening and saving .dat/.fre pairs: byte-exact round trips, the version and
// length checks, and what a failed read or write leaves behind.

#include "files/DocumentFiles.h"
#include "files/SafeWrite.h"
#include "model/ByteIO.h"
#include "support/Scripted.h"
#include "versions/Versions.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;

namespace {

QByteArray Slurp(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray Noise(int size, quint32 seed) {
    QRandomGenerator rng(seed);
    QByteArray b(size, 0);
    for (char& c : b) c = char(rng.bounded(256));
    return b;
}

// A header of arbitrary bytes whose indexing fields are usable, with a few
// channels per group.
DataHeaderRec NoisyHeader(quint32 seed) {
    DataHeaderRec r;
    DecodeRecord(Noise(kDataFileSize, seed), 0, r);
    r.VersionText.set(QStringLiteral("V200"));
    r.CurBand = 0;
    r.CurGroup = {3, 14};
    QRandomGenerator rng(seed);
    for (int band = 0; band < kBands; ++band)
        for (int g = 1; g <= GroupCount(band); ++g) {
            r.ChCount(band, g) = int16_t(rng.bounded(4));
            r.CurRow(band, g) = int16_t(rng.bounded(100));
        }
    r.ChCount(0, 16) = 99;
    return r;
}

int ChannelTotal(const DataHeaderRec& r) {
    int n = 0;
    for (int band = 0; band < kBands; ++band)
        for (int g = 1; g <= GroupCount(band); ++g) n += r.ChCount(band, g);
    return n;
}

class DocumentFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        Put(p.paths.VersionIni(), "[Version]\nFirmVersionCount=2\n[Firm]\nFirm0=V200V200\n"
                                  "Firm1=V300V210\n");
        InitVersions(p);
        tp.forms.loaded << QStringLiteral("frmMain");
        dir = tp.dir.path() + QStringLiteral("/docs");
        QDir().mkpath(dir);
    }
    // Writes a pair made of the header and noise channels; returns the .dat path.
    QString PutPair(const QString& name, const DataHeaderRec& r, quint32 seed = 7) {
        const QString dat = dir + QLatin1Char('/') + name;
        Put(dat, EncodeRecord(r));
        Put(ChannelFilePath(dat), Noise(ChannelTotal(r) * kChannelRecordSize, seed));
        return dat;
    }
    bool Open(const QString& path) {
        p.doc.PrevDataFileName = p.doc.DataFileName;
        p.doc.DataFileName = path;
        return ReadDataFile(p);
    }
    // The document as a byte snapshot of both copies.
    QByteArray State() {
        const Document& d = p.doc;
        return EncodeRecord(d.DataRec) + EncodeRecord(d.SavedDataRec) +
               EncodeChannelFile(d.DataRec, d.ChData) + EncodeChannelFile(d.SavedDataRec, d.SavedChData);
    }

    TestProgram tp;
    Program& p = tp.p();
    QString dir;
};

TEST_F(DocumentFilesTest, OpenThenSaveReproducesBothFiles) {
    const DataHeaderRec r = NoisyHeader(1);
    const QString in = PutPair(QStringLiteral("radio.dat"), r);
    ASSERT_TRUE(Open(in));
    EXPECT_TRUE(tp.prompter.shown.isEmpty());
    EXPECT_FALSE(p.doc.IsUntitled);
    EXPECT_FALSE(p.doc.IsDataModified());
    EXPECT_EQ(tp.forms.shownForms, QStringList({"frmCommChInfo"}));
    EXPECT_EQ(tp.forms.CallNames(), QStringList({"frmMain.ShowCaption", "frmMain.Change_Language"}));
    EXPECT_EQ(tp.forms.cascades, 1);
    EXPECT_EQ(DocumentCaption(p), QStringLiteral("ZR50[24.7150 - 30.1050 MHz][File Name:radio.dat]"));

    p.doc.DataFileName = dir + QStringLiteral("/copy.dat");
    ASSERT_TRUE(WriteDataFile(p));
    DataHeaderRec expected = r;  // the identity fields are refreshed at every save
    FillFileId(expected.FileId, QStringLiteral("KD4412P"), QStringLiteral("24.7150 - 30.1050 MHz"));
    EXPECT_EQ(Slurp(dir + QStringLiteral("/copy.dat")), EncodeRecord(expected));
    EXPECT_EQ(Slurp(dir + QStringLiteral("/copy.fre")), Slurp(ChannelFilePath(in)));
    EXPECT_EQ(Slurp(dir + QStringLiteral("/copy.fre")).size(), ChannelTotal(r) * kChannelRecordSize);
}

TEST_F(DocumentFilesTest, SaveReplacesLongerFilesWholeAndTitlesTheDocument) {
    p.doc.DataRec.ChCount(1, 13) = 2;
    p.doc.DataRec.ChCount(0, 1) = 1;
    p.doc.DataFileName = dir + QStringLiteral("/a.b.dat");
    Put(p.doc.DataFileName, QByteArray(5000, 'x'));
    Put(dir + QStringLiteral("/a.b.fre"), QByteArray(9000, 'x'));
    ASSERT_TRUE(WriteDataFile(p));
    const QByteArray dat = Slurp(p.doc.DataFileName);
    EXPECT_EQ(dat.size(), kDataFileSize);
    EXPECT_TRUE(dat.startsWith("V200"));
    EXPECT_EQ(Slurp(dir + QStringLiteral("/a.b.fre")).size(), 3 * kChannelRecordSize);
    EXPECT_FALSE(p.doc.IsUntitled);
    EXPECT_FALSE(p.doc.IsDataModified());
    EXPECT_EQ(tp.forms.CallNames(), QStringList({"frmMain.ShowCaption"}));
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList({"a.b.dat", "a.b.fre"}));

    EXPECT_EQ(ChannelFilePath(QStringLiteral("x.y/radio.DAT")), QStringLiteral("x.y/radio.fre"));
    EXPECT_EQ(ChannelFilePath(QStringLiteral("ab")), QStringLiteral("fre"));
}

TEST_F(DocumentFilesTest, CountsBeyondTheSlotsAreLimitedOnSave) {
    p.doc.DataRec.ChCount(0, 16) = 150;
    p.doc.DataRec.ChCount(1, 2) = -3;
    p.doc.DataFileName = dir + QStringLiteral("/big.dat");
    ASSERT_TRUE(WriteDataFile(p));
    EXPECT_EQ(p.doc.DataRec.ChCount(0, 16), 99);
    EXPECT_EQ(p.doc.SavedDataRec.ChCount(1, 2), 0);
    EXPECT_FALSE(p.doc.IsDataModified());
    ASSERT_TRUE(Open(p.doc.DataFileName));  // and the pair reads back
}

TEST_F(DocumentFilesTest, VersionAndLengthChecksLeaveTheDocumentAlone) {
    const QByteArray before = State();
    p.doc.DataFileName = QStringLiteral("current.dat");
    DataHeaderRec r = NoisyHeader(2);

    r.VersionText.set(QStringLiteral("X200"));
    EXPECT_FALSE(Open(PutPair(QStringLiteral("x.dat"), r)));
    r.VersionText.set(QStringLiteral("V200"));
    QByteArray dat = EncodeRecord(r);
    const QString shortDat = PutPair(QStringLiteral("short.dat"), r);
    Put(shortDat, dat.left(kDataFileSize - 1));
    EXPECT_FALSE(Open(shortDat));
    const QString longDat = PutPair(QStringLiteral("long.dat"), r);
    Put(longDat, dat + 'x');
    EXPECT_FALSE(Open(longDat));
    EXPECT_EQ(tp.prompter.Texts(),
              QStringList({"Unknown version Of DataFile!",
                           "Fail to start the software. This version does not exist.",
                           "Fail to start the software. This version does not exist."}));
    EXPECT_EQ(State(), before);
    EXPECT_EQ(p.doc.DataFileName, QStringLiteral("current.dat"));
    EXPECT_TRUE(p.doc.IsUntitled);
    EXPECT_TRUE(tp.forms.calls.isEmpty());
}

TEST_F(DocumentFilesTest, IncompatibleVersionOffersTheOtherProgram) {
    DataHeaderRec r = NoisyHeader(3);
    r.VersionText.set(QStringLiteral("V210"));
    const QString path = PutPair(QStringLiteral("old.dat"), r);
    tp.prompter.Script({Answer::No, Answer::Yes});
    EXPECT_FALSE(Open(path));
    EXPECT_TRUE(tp.process.started.isEmpty());
    EXPECT_FALSE(Open(path));
    ASSERT_EQ(tp.prompter.shown.size(), 2);
    EXPECT_EQ(tp.prompter.shown[0].text,
              VersionMismatchText(p, QStringLiteral("V200"), QStringLiteral("V210"),
                                  VersionKind::DataFile));
    EXPECT_EQ(tp.prompter.shown[0].buttons, Buttons::YesNo);
    EXPECT_EQ(tp.process.started, QStringList({p.paths.ParentFolder() + "/V300/KD_270/ZR50"}));
    EXPECT_EQ(tp.process.exitCodes, QList<int>({0}));
    EXPECT_EQ(p.doc.SavedDataRec.VersionText.raw(), QString(QChar(0)).repeated(4));
}

TEST_F(DocumentFilesTest, BadCompanionOrRangesAreAFileError) {
    const QByteArray before = State();
    const DataHeaderRec good = NoisyHeader(4);
    const QString missing = PutPair(QStringLiteral("missing.dat"), good);
    QFile::remove(ChannelFilePath(missing));
    const QString shortFre = PutPair(QStringLiteral("short.dat"), good);
    Put(ChannelFilePath(shortFre), Noise(ChannelTotal(good) * kChannelRecordSize - 1, 1));
    DataHeaderRec r = good;
    r.ChCount(1, 14) = 100;
    const QString tooMany = PutPair(QStringLiteral("many.dat"), r);
    r = good;
    r.CurBand = 2;
    const QString badBand = PutPair(QStringLiteral("band.dat"), r);
    r = good;
    r.CurGroup[1] = 15;
    const QString badGroup = PutPair(QStringLiteral("group.dat"), r);
    r = good;
    r.CurRow(0, 5) = -1;
    const QString badRow = PutPair(QStringLiteral("row.dat"), r);

    for (const QString& path : {missing, shortFre, tooMany, badBand, badGroup, badRow}) {
        tp.prompter.shown.clear();
        EXPECT_FALSE(Open(path)) << path.toStdString();
        EXPECT_EQ(tp.prompter.Texts(), QStringList({"file error."}));
        EXPECT_EQ(State(), before);
    }
    EXPECT_FALSE(Open(dir + QStringLiteral("/nothing.dat")));

    // A longer companion is fine: its tail is not part of the document.
    const QString longFre = PutPair(QStringLiteral("longfre.dat"), good);
    Put(ChannelFilePath(longFre), Slurp(ChannelFilePath(longFre)) + "tail");
    EXPECT_TRUE(Open(longFre));
}

TEST_F(DocumentFilesTest, FailedSaveKeepsTheDocumentAndItsCaption) {
    p.doc.DataRec.ChCount(0, 1) = 1;
    p.doc.DataRec.OptFeat.MIC = 12;
    const QByteArray before = State();
    for (const QString& path : {dir + QStringLiteral("/none/radio.dat"), dir + QStringLiteral("/x.fre")}) {
        p.doc.DataFileName = path;
        EXPECT_FALSE(WriteDataFile(p));
        EXPECT_EQ(State(), before);
        EXPECT_TRUE(p.doc.IsUntitled);
        EXPECT_TRUE(p.doc.IsDataModified());
    }
    EXPECT_EQ(tp.prompter.Texts(), QStringList({"file error.", "file error."}));
    EXPECT_TRUE(tp.forms.calls.isEmpty());
    EXPECT_TRUE(QDir(dir).entryList(QDir::Files).isEmpty());
}

TEST(ReplaceFiles, AFailedRenameLeavesTheOldPair) {
    QTemporaryDir tmp;
    const QString a = tmp.path() + QStringLiteral("/p.fre"), b = tmp.path() + QStringLiteral("/p.dat");
    const std::vector<FileBytes> files = {{a, "new fre"}, {b, "new dat"}};
    const auto failingCall = [](int n) {
        return [n, calls = 0](const QString& from, const QString& to) mutable {
            return ++calls != n && RenameOver(from, to);
        };
    };
    // Nothing there yet: a failure creates nothing.
    EXPECT_FALSE(ReplaceFiles(files, failingCall(2)));
    EXPECT_TRUE(QDir(tmp.path()).entryList(QDir::Files).isEmpty());

    Put(a, "old fre, longer");
    Put(b, "old dat");
    for (int n : {1, 2}) {
        EXPECT_FALSE(ReplaceFiles(files, failingCall(n)));
        EXPECT_EQ(Slurp(a), QByteArray("old fre, longer"));
        EXPECT_EQ(Slurp(b), QByteArray("old dat"));
        EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList({"p.dat", "p.fre"}));
    }
    EXPECT_TRUE(ReplaceFiles(files));
    EXPECT_EQ(Slurp(a), QByteArray("new fre"));
    EXPECT_EQ(Slurp(b), QByteArray("new dat"));
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList({"p.dat", "p.fre"}));
}

TEST_F(DocumentFilesTest, RawLoadTakesATemplateOrKeepsTheDocument) {
    p.doc.DataRec.OptFeat.MIC = 5;
    EXPECT_FALSE(LoadDataFileRaw(p, dir + QStringLiteral("/none.dat")));
    EXPECT_EQ(p.doc.DataRec.OptFeat.MIC, 5);
    EXPECT_FALSE(p.doc.IsDataModified());

    DataHeaderRec r = NoisyHeader(5);
    r.VersionText.set(QStringLiteral("V123"));
    r.CurBand = 1;
    r.ChCount(0, 3) = 120;
    const QString bad = PutPair(QStringLiteral("bad.dat"), r);
    p.doc.DataRec.OptFeat.MIC = 6;
    EXPECT_FALSE(LoadDataFileRaw(p, bad));
    EXPECT_EQ(p.doc.DataRec.OptFeat.MIC, 6);
    EXPECT_FALSE(p.doc.IsDataModified());

    r.ChCount(0, 3) = 0;
    const QString good = PutPair(QStringLiteral("good.dat"), r);
    Put(good, EncodeRecord(r) + "tail");
    EXPECT_TRUE(LoadDataFileRaw(p, good));
    EXPECT_EQ(p.doc.DataRec.OptFeat.MIC, r.OptFeat.MIC);
    EXPECT_EQ(p.doc.DataVersion, QStringLiteral("V123"));  // no checks, no "V200"
    EXPECT_EQ(p.doc.BandText, QStringLiteral("28.0000 - 29.6950 MHz"));
    EXPECT_TRUE(tp.prompter.shown.isEmpty());
}

}  // namespace
