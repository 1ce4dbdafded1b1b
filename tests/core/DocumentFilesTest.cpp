// The document's files: opening and saving .dat/.fre pairs (byte-exact round
// trips, the version and length checks, what a failed read or write leaves
// behind), the new document and the templates the build ships.

#include "codec/MemImage.h"
#include "files/DocumentFiles.h"
#include "files/NewDocument.h"
#include "files/SafeWrite.h"
#include "model/ByteIO.h"
#include "rules/Defaults.h"
#include "rules/Numbers.h"
#include "rules/SharedHelpers.h"
#include "support/Scripted.h"
#include "versions/Versions.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace zr50;
using namespace zr50::test;

namespace {

QByteArray Noise(int size, quint32 seed) {
    QRandomGenerator rng(seed);
    QByteArray b(size, 0);
    for (char& c : b) c = char(rng.bounded(256));
    return b;
}

class DocumentFilesTest : public ProgramTest {
protected:
    void SetUp() override {
        WriteFile(p.paths.VersionIni(),
                  "[Version]\nFirmVersionCount=2\n[Firm]\nFirm0=V200V200\nFirm1=V300V210\n");
        InitVersions(p);
        tp.forms.loaded << QStringLiteral("frmMain");
        QDir().mkpath(dir);
        // Arbitrary bytes, with usable indexing fields and a few channels per group.
        DecodeRecord(Noise(kDataFileSize, 1), 0, header);
        header.VersionText.set(QStringLiteral("V200"));
        header.CurBand = 0;
        header.CurGroup = {3, 14};
        for (int band = 0; band < kBands; ++band)
            for (int g = 1; g <= GroupCount(band); ++g) {
                header.ChCount(band, g) = int16_t((band + g) % 4);
                header.CurRow(band, g) = int16_t(g * 5);
            }
        header.ChCount(0, 16) = 99;
    }
    // Writes the pair of a header and noise channels; returns the .dat path.
    QString PutPair(const QString& name, const DataHeaderRec& r) {
        const QString dat = dir + QLatin1Char('/') + name;
        WriteFile(dat, EncodeRecord(r));
        int channels = 0;
        for (int band = 0; band < kBands; ++band)
            for (int g = 1; g <= GroupCount(band); ++g) channels += r.ChCount(band, g);
        WriteFile(ChannelFilePath(dat), Noise(channels * kChannelRecordSize, 2));
        return dat;
    }
    bool Open(const QString& path) {
        p.doc.PrevDataFileName = p.doc.DataFileName;
        p.doc.DataFileName = path;
        return ReadDataFile(p);
    }
    // Both copies of the document as bytes.
    QByteArray State() {
        const Document& d = p.doc;
        return EncodeRecord(d.DataRec) + EncodeRecord(d.SavedDataRec) +
               EncodeChannelFile(d.DataRec, d.ChData) +
               EncodeChannelFile(d.SavedDataRec, d.SavedChData);
    }

    QString dir = tp.dir.path() + QStringLiteral("/docs");
    DataHeaderRec header;
};

TEST_F(DocumentFilesTest, OpenThenSaveReproducesBothFiles) {
    const QString in = PutPair(QStringLiteral("radio.dat"), header);
    ASSERT_TRUE(Open(in));
    EXPECT_TRUE(tp.prompter.shown.isEmpty());
    EXPECT_FALSE(p.doc.IsUntitled || p.doc.IsDataModified());
    EXPECT_EQ(tp.forms.shownForms, QStringList({"frmCommChInfo"}));
    EXPECT_EQ(tp.forms.CallNames(), QStringList({"frmMain.ShowCaption", "frmMain.Change_Language"}));
    EXPECT_EQ(tp.forms.cascades, 1);
    EXPECT_EQ(DocumentCaption(p), QStringLiteral("ZR50[24.7150 - 30.1050 MHz][File Name:radio.dat]"));

    // Saved over longer files, which are replaced whole.
    p.doc.DataFileName = dir + QStringLiteral("/a.b.dat");
    WriteFile(p.doc.DataFileName, QByteArray(5000, 'x'));
    WriteFile(dir + QStringLiteral("/a.b.fre"), QByteArray(90000, 'x'));
    ASSERT_TRUE(WriteDataFile(p));
    DataHeaderRec expected = header;  // the identity fields are refreshed at every save
    FillFileId(expected.FileId, QStringLiteral("KD4412P"), QStringLiteral("24.7150 - 30.1050 MHz"));
    EXPECT_EQ(ReadFile(p.doc.DataFileName), EncodeRecord(expected));
    EXPECT_EQ(ReadFile(dir + QStringLiteral("/a.b.fre")), ReadFile(ChannelFilePath(in)));
    EXPECT_EQ(QDir(dir).entryList(QDir::Files).size(), 4);  // no temporaries left
    EXPECT_EQ(ChannelFilePath(QStringLiteral("x.y/radio.DAT")), QStringLiteral("x.y/radio.fre"));

    // Counts the files cannot hold are limited to the slots on save.
    p.doc.DataRec.ChCount(0, 16) = 150;
    p.doc.DataRec.ChCount(1, 2) = -3;
    ASSERT_TRUE(WriteDataFile(p));
    EXPECT_EQ(p.doc.DataRec.ChCount(0, 16), 99);
    EXPECT_EQ(p.doc.SavedDataRec.ChCount(1, 2), 0);
    EXPECT_FALSE(p.doc.IsDataModified());
    EXPECT_TRUE(Open(p.doc.DataFileName));
}

TEST_F(DocumentFilesTest, RefusedOpensLeaveTheDocumentAndItsName) {
    const QByteArray before = State();
    p.doc.DataFileName = QStringLiteral("current.dat");
    DataHeaderRec r = header;
    r.VersionText.set(QStringLiteral("X200"));
    const QString unknown = PutPair(QStringLiteral("x.dat"), r);
    r.VersionText.set(QStringLiteral("V210"));
    const QString other = PutPair(QStringLiteral("old.dat"), r);
    const QString shortDat = PutPair(QStringLiteral("short.dat"), header);
    WriteFile(shortDat, EncodeRecord(header).left(kDataFileSize - 1));
    const QString longDat = PutPair(QStringLiteral("long.dat"), header);
    WriteFile(longDat, EncodeRecord(header) + 'x');

    tp.prompter.Script({Answer::Ok, Answer::No, Answer::Yes});
    for (const QString& path : {unknown, other, other, shortDat, longDat}) EXPECT_FALSE(Open(path));
    const QString missing = QStringLiteral("Fail to start the software. This version does not exist.");
    const QString question = VersionMismatchText(p, QStringLiteral("V200"), QStringLiteral("V210"),
                                                 VersionKind::DataFile);
    EXPECT_EQ(tp.prompter.Texts(),
              QStringList({"Unknown version Of DataFile!", question, question, missing, missing}));
    EXPECT_EQ(tp.prompter.shown[1].buttons, Buttons::YesNo);
    EXPECT_EQ(tp.process.started, QStringList({p.paths.ParentFolder() + "/V300/KD_270/ZR50"}));
    EXPECT_EQ(tp.process.exitCodes, QList<int>{0});
    EXPECT_EQ(State(), before);
    EXPECT_EQ(p.doc.DataFileName, QStringLiteral("current.dat"));
    EXPECT_TRUE(p.doc.IsUntitled);
    EXPECT_TRUE(tp.forms.calls.isEmpty());
}

TEST_F(DocumentFilesTest, BadCompanionOrRangesAreAFileError) {
    const QByteArray before = State();
    QStringList paths;
    paths << PutPair(QStringLiteral("missing.dat"), header);
    QFile::remove(ChannelFilePath(paths.last()));
    paths << PutPair(QStringLiteral("short.dat"), header);
    WriteFile(ChannelFilePath(paths.last()), ReadFile(ChannelFilePath(paths.last())).chopped(1));
    const std::function<void(DataHeaderRec&)> breakages[] = {
        [](DataHeaderRec& r) { r.ChCount(1, 14) = 100; }, [](DataHeaderRec& r) { r.CurBand = 2; },
        [](DataHeaderRec& r) { r.CurGroup[1] = 15; }, [](DataHeaderRec& r) { r.CurRow(0, 5) = -1; }};
    for (const auto& breakIt : breakages) {
        DataHeaderRec r = header;
        breakIt(r);
        paths << PutPair(QStringLiteral("bad%1.dat").arg(paths.size()), r);
    }
    for (const QString& path : paths) {
        tp.prompter.shown.clear();
        EXPECT_FALSE(Open(path)) << path.toStdString();
        EXPECT_EQ(tp.prompter.Texts(), QStringList({"file error."}));
        EXPECT_EQ(State(), before);
    }
    // A longer companion is fine: its tail is not part of the document.
    const QString longFre = PutPair(QStringLiteral("longfre.dat"), header);
    WriteFile(ChannelFilePath(longFre), ReadFile(ChannelFilePath(longFre)) + "tail");
    EXPECT_TRUE(Open(longFre));
}

TEST_F(DocumentFilesTest, FailedSaveKeepsTheDocumentAndItsCaption) {
    p.doc.DataRec.ChCount(0, 1) = 1;
    const QByteArray before = State();
    // A short name without ".dat" would put its companion in the folder above.
    QDir(dir).mkdir(QStringLiteral("sub"));
    for (const QString& path : {dir + QStringLiteral("/none/radio.dat"), dir + QStringLiteral("/x.fre"),
                                dir + QStringLiteral("/sub/ab")}) {
        p.doc.DataFileName = path;
        EXPECT_FALSE(WriteDataFile(p));
        EXPECT_EQ(State(), before);
        EXPECT_TRUE(p.doc.IsUntitled);
    }
    EXPECT_EQ(tp.prompter.Texts(), QStringList({"file error.", "file error.", "file error."}));
    EXPECT_TRUE(tp.forms.calls.isEmpty());
    EXPECT_TRUE(QDir(dir).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(QDir(dir + QStringLiteral("/sub")).entryList(QDir::Files).isEmpty());
}

TEST(ReplaceFiles, AFailedRenameLeavesTheOldPair) {
    QTemporaryDir tmp;
    const QString a = tmp.filePath(QStringLiteral("p.fre")), b = tmp.filePath(QStringLiteral("p.dat"));
    const std::vector<FileBytes> files = {{a, "new fre"}, {b, "new dat"}};
    const auto failingCall = [](int n) {
        return [n, calls = 0](const QString& from, const QString& to) mutable {
            return ++calls != n && RenameOver(from, to);
        };
    };
    EXPECT_FALSE(ReplaceFiles(files, failingCall(2)));
    EXPECT_TRUE(QDir(tmp.path()).entryList(QDir::Files).isEmpty());  // nothing was there
    WriteFile(a, "old fre, longer");
    WriteFile(b, "old dat");
    for (int n : {1, 2}) {
        EXPECT_FALSE(ReplaceFiles(files, failingCall(n)));
        EXPECT_EQ(ReadFile(a) + ReadFile(b), QByteArray("old fre, longerold dat"));
        EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList({"p.dat", "p.fre"}));
    }
    EXPECT_TRUE(ReplaceFiles(files));
    EXPECT_EQ(ReadFile(a) + ReadFile(b), QByteArray("new frenew dat"));
}

}  // namespace

// ----------------------------------------------------------------------------
// The new document from the built-in defaults and from its templates, and the
// templates the build ships: each can be written to the radio as it stands
// and reads back unchanged.

namespace {

QString Shipped(const QString& name) { return QStringLiteral(ZR50_PROGRAM_DIR "/Init/") + name; }

class NewDocumentTest : public ProgramTest {
protected:
    // Copies a shipped template pair into the test installation.
    void Install(const QString& name) {
        const QString dat = p.paths.InitFolder() + QLatin1Char('/') + name;
        ASSERT_TRUE(QFile::copy(Shipped(name), dat));
        ASSERT_TRUE(QFile::copy(ChannelFilePath(Shipped(name)), ChannelFilePath(dat)));
    }
    Document& doc = p.doc;
};

TEST_F(NewDocumentTest, DefaultsStandWhenTheBlankTemplateIsMissing) {
    doc.DataFileName = QStringLiteral("x.dat");
    doc.IsUntitled = false;
    InitNewData(p);
    InitNewData(p);  // the counts start again from zero
    EXPECT_TRUE(doc.IsUntitled);
    EXPECT_EQ(doc.DataFileName, QStringLiteral("new.dat"));
    EXPECT_FALSE(doc.IsDataModified());
    ASSERT_EQ(doc.DataRec.ChCount(0, 1), 7);
    EXPECT_EQ(doc.ChData(0, 6, 1).ChNo, 46);
    EXPECT_EQ(doc.ChData(0, 7, 1).ChNo, 1);
    EXPECT_EQ(doc.ChData(0, 7, 1).RxFreq.raw(), QStringLiteral("28015000"));
    EXPECT_EQ(doc.DataRec.ChCount(0, 14), 0);
    EXPECT_TRUE(tp.prompter.shown.isEmpty());
    // Only groups A..J get a default channel.
    tp.forms.loaded << QStringLiteral("frmCommChInfo");
    AddDefaultChannel(p, 0, 11);
    AddDefaultChannel(p, 0, 14);
    EXPECT_EQ(doc.DataRec.ChCount(0, 14), 0);
    doc.DataRec.ChCount(1, 8) = 0;
    AddDefaultChannel(p, 1, 8);
    EXPECT_EQ(doc.DataRec.ChCount(1, 8), 1);
    EXPECT_EQ(doc.ChData(1, 1, 8).RxFreq.raw(), QStringLiteral("28145000"));
    EXPECT_EQ(tp.forms.CallNames(), QStringList(3, QStringLiteral("frmCommChInfo.reShowGrid")));
}

TEST_F(NewDocumentTest, DefaultSettingsIdentityAndTonesKeepWhatTheyDoNotName) {
    auto& o = doc.DataRec.OptFeat;
    o.ModeEnable[kEnableCW] = 7;
    doc.DataRec.RBToneTable[1].Step[8].ToneLen = 55;
    InitDocumentHeader(doc);
    InitOptFeatureDefaults(doc);
    InitFileId(doc, QDate(2024, 2, 9));
    InitToneDefaults(doc);
    for (int band = 0; band < kBands; ++band)
        for (int g = 1; g <= 13; ++g) EXPECT_EQ(StripNull(o.GroupName(band, g).raw()), QString(QChar('A' + g - 1)));
    EXPECT_EQ(o.GroupName(1, 13).raw(), QString::fromLatin1("M\0  ", 4));
    EXPECT_EQ(o.ModeEnable, (std::array<int16_t, 6>{1, 1, 1, 1, 7, 1}));
    EXPECT_EQ(doc.DataRec.RBToneTable[1].Step[8].ToneLen, 55);
    EXPECT_EQ(o.DTMFCode[16].raw(), QString(QChar(0)) + QString(15, QLatin1Char(' ')));
    EXPECT_EQ(doc.DataRec.FileId.MakeDate.raw(), QStringLiteral("20240209"));
    EXPECT_EQ(doc.DataRec.FileId.InitBandKind, 1);  // the start-up band text is not the HF text
    doc.SetBandText(BandTextOf(0));
    InitFileId(doc, QDate(2024, 2, 9));
    EXPECT_EQ(doc.DataRec.FileId.InitBandKind, 0);
}

TEST_F(NewDocumentTest, TemplatesByBandKind) {
    // The band text at start-up is not the HF one: the kind 1 template.
    EXPECT_EQ(InitTemplatePath(p, InitTemplate::Blank), p.paths.InitFolder() + "/1_KD4412_New.dat");
    Install(QStringLiteral("1_KD4412_New.dat"));
    InitNewData(p);
    EXPECT_EQ(doc.DataRec.ChCount(0, 1) + doc.DataRec.ChCount(0, 11), 1);
    EXPECT_EQ(doc.BandText, QStringLiteral("28.0000 - 29.6950 MHz"));
    EXPECT_FALSE(doc.IsDataModified());

    doc.SetBandText(QStringLiteral("24.7150 - 30.1050 MHz"));
    EXPECT_EQ(InitTemplatePath(p, InitTemplate::InitialSettings), p.paths.InitFolder() + "/0_KD4412.dat");
    Install(QStringLiteral("0_KD4412.dat"));
    EXPECT_TRUE(LoadInitDataFile(p));
    EXPECT_EQ(doc.DataRec.ChCount(0, 1), 40);
    EXPECT_EQ(doc.DataRec.CurBand, 0);

    // A template is read without the checks of a user file (another version, a
    // longer .dat), but one it cannot use keeps the document.
    DataHeaderRec r = doc.DataRec;
    r.VersionText.set(QStringLiteral("V123"));
    r.ChCount(0, 3) = 120;
    const QString path = p.paths.InitFolder() + QStringLiteral("/0_KD4412.dat");
    WriteFile(path, EncodeRecord(r) + "tail");
    doc.DataRec.OptFeat.MIC = 5;
    EXPECT_FALSE(LoadInitDataFile(p));
    EXPECT_EQ(doc.DataRec.OptFeat.MIC, 5);
    EXPECT_FALSE(doc.IsDataModified());
    r.ChCount(0, 3) = 0;
    WriteFile(path, EncodeRecord(r) + "tail");
    EXPECT_TRUE(LoadInitDataFile(p));
    EXPECT_EQ(doc.DataVersion, QStringLiteral("V123"));
    EXPECT_TRUE(tp.prompter.shown.isEmpty());
}

TEST(ShippedTemplates, WriteToTheRadioAndReadBackUnchanged) {
    for (const char* name : {"0_KD4412_New.dat", "0_KD4412.dat", "1_KD4412_New.dat", "1_KD4412.dat"}) {
        SCOPED_TRACE(name);
        TestProgram tp;
        Document& doc = tp.p().doc;
        ASSERT_TRUE(LoadDataFileRaw(tp.p(), Shipped(QLatin1String(name))));
        const int kind = name[0] - '0';
        EXPECT_EQ(doc.DataRec.CurBand, kind);
        EXPECT_EQ(doc.DataRec.FileId.InitBandKind, kind);
        const bool blank = QByteArray(name).contains("New");

        for (int band = 0; band < kBands; ++band) {
            BandLimits range;
            ParseBandText(BandTextOf(band), range);
            for (int g = 1; g <= GroupCount(band); ++g) {
                const int n = doc.DataRec.ChCount(band, g);
                const int positions = g == MemGroupOf(band) ? 99 : g == VfoGroupOf(band) ? 1 : 40;
                if (g <= LetteredGroupCount(band)) {
                    EXPECT_EQ(doc.DataRec.OptFeat.GroupValid(band, g), n > 0 ? 1 : 0);
                    if (blank) {
                        EXPECT_EQ(n, g <= 10 ? 1 : 0);
                    }
                }
                for (int s = 1; s <= n; ++s) {
                    const ChannelRecord& c = doc.ChData(band, s, g);
                    EXPECT_GE(c.ChNo, s == 1 ? 1 : doc.ChData(band, s - 1, g).ChNo + 1);
                    EXPECT_LE(c.ChNo, positions);
                    const double mhz = *ParseNumber(c.RxFreq.raw()) / 1e6;
                    EXPECT_TRUE(mhz >= range.BandMin - 1e-9 && mhz <= range.BandMax + 1e-9)
                        << band << "/" << g << "/" << s << ": " << mhz;
                }
            }
        }

        MemImage image, again;
        ClearMemImage(image);
        ClearMemImage(again);
        ASSERT_EQ(EncodeAllData(doc, image), std::nullopt);
        EXPECT_FALSE(doc.IsDataModified());  // the encode repaired nothing
        DecodeAllData(image, doc);
        EXPECT_FALSE(doc.IsDataModified());
        ASSERT_EQ(EncodeAllData(doc, again), std::nullopt);
        EXPECT_TRUE(image == again);
    }
}

}  // namespace
