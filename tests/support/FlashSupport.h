#pragma once
// What the KDImager3 tests share: a project with a scripted prompter in a
// private folder, block bytes made on the spot, saved projects, a recording
// view, and the simulated flash radio on a pseudo-terminal under a port number.
// Header only: the two KDImager3 test folders link the flash libraries.

#include "FlashRadio.h"
#include "Project.h"
#include "UpdateProtocol.h"
#include "support/Scripted.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <ostream>
#include <vector>

// Readable texts in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << "{\"" << l.join(QStringLiteral("\", \"")).toStdString() << "\"}";
}

namespace kdi::test {

using zr50::test::ReadFile;
using zr50::test::ScriptedPrompter;
using zr50::test::WriteFile;

// n bytes counting up from seed.
inline QByteArray Bytes(int n, int seed = 0) {
    QByteArray b(n, '\0');
    for (int i = 0; i < n; ++i) b[i] = char((seed + i * 7) & 0xFF);
    return b;
}

struct BlockSource {
    QString name;
    QByteArray bytes;
    int32_t address;
};

// A project saved under dir as file, with the model fields filled in.
inline QString MakeProject(const QString& dir, const QString& file, const std::vector<BlockSource>& blocks,
                           const QString& commModel = QStringLiteral("KD-F1")) {
    ScriptedPrompter quiet;
    FlashProject p(quiet);
    p.ResetProjectHeader();
    QDir().mkpath(dir + QStringLiteral("/sources"));
    for (const BlockSource& s : blocks) {
        // The block takes the name of its source file.
        const QString source = dir + QStringLiteral("/sources/") + s.name;
        WriteFile(source, s.bytes);
        EXPECT_TRUE(p.AddBlockFile(source));
        p.BlockList.back().Address = s.address;
    }
    const QString texts[] = {commModel, QStringLiteral("V100"), QStringLiteral("DISP"), QStringLiteral("V1.0")};
    for (int i = 0; i < 4; ++i) p.SetModelText(i, texts[i]);
    p.ProjectPath = dir + QStringLiteral("/") + file;
    EXPECT_TRUE(p.SaveProjectFile());
    EXPECT_EQ(quiet.Texts(), QStringList());
    return p.ProjectPath;
}

struct ProjectFixture : ::testing::Test {
    ScriptedPrompter prompter;
    FlashProject project{prompter};
    QTemporaryDir dir;

    QString Path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    // Writes the file and adds it as a block.
    bool Add(const QString& name, const QByteArray& bytes) {
        WriteFile(Path(name), bytes);
        return project.AddBlockFile(Path(name));
    }
    // Adds a block at an address.
    void Block(const QString& name, const QByteArray& bytes, int32_t address) {
        ASSERT_TRUE(Add(name, bytes));
        project.BlockList.back().Address = address;
    }
    void Model(const char* comm = "KD-F1", const char* version = "V100") {
        project.SetModelText(0, QString::fromLatin1(comm));
        project.SetModelText(1, QString::fromLatin1(version));
        project.SetModelText(2, QStringLiteral("Display"));
        project.SetModelText(3, QStringLiteral("D1"));
    }
    QByteArray PoolOf(int block) const {
        const BlockRecord& b = project.BlockList[size_t(block)];
        return project.DataPool.mid(b.PoolOffset, b.Length);
    }
};

// The radio's flash holds every block at BaseOffset plus its address, the rest
// of each last page padded, and nothing else.
inline void ExpectFlashHolds(const FlashProject& project, const sim::FlashRadioModel& radio, char pad,
                             size_t pages) {
    for (const BlockRecord& b : project.BlockList) {
        QByteArray want = project.DataPool.mid(b.PoolOffset, b.Length);
        want += QByteArray((kPageSize - b.Length % kPageSize) % kPageSize, pad);
        QByteArray got;
        for (int at = 0; at < want.size(); at += kPageSize)
            got += radio.PageAt(uint32_t(project.ProjHead.BaseOffset + b.Address + at));
        EXPECT_EQ(got, want) << BlockName(b).toStdString();
    }
    EXPECT_EQ(radio.pages.size(), pages);
}

// The simulated flash radio on a pseudo-terminal, reachable as port number
// `port` through the port map.
struct PtyRadio {
    explicit PtyRadio(int port) {
        zr50::test::CoreApp();
        QString error;
        EXPECT_TRUE(radio.Start(&error)) << error.toStdString();
        EXPECT_TRUE(QFile::link(radio.DevicePath(), Device(port)));
        qputenv("KDRADIO_PORT_DIR", mapDir.path().toLocal8Bit());
    }
    ~PtyRadio() { qunsetenv("KDRADIO_PORT_DIR"); }
    QString Device(int port) const { return mapDir.path() + QStringLiteral("/com%1").arg(port); }
    bool Silent() const { return radio.radio.stopAfter > 0 && radio.radio.Frames() > radio.radio.stopAfter; }

    QTemporaryDir mapDir;
    sim::FlashRadio radio;
};

// The progress window and the main window's refresh, recorded.
class RecordingFlashView : public FlashView {
public:
    UpdateProtocol* link = nullptr;
    void ShowProgress() override {
        visible = true;
        ++shows;
        link->StartSession();
    }
    bool IsProgressVisible() const override { return visible; }
    void SetProgressValue(int percent) override { values << percent; }
    void SetPercentText(const QString& t) override { percentText = t; }
    void UnloadProgress() override { visible = false; }
    void ShowBydata() override { ++refreshes; }
    bool visible = false;
    int shows = 0, refreshes = 0;
    QList<int> values;
    QString percentText;
};

}  // namespace kdi::test
