#pragma once
// What the KDImager3 tests share: a project with a scripted prompter in a
// private folder, and block files made on the spot.

#include "Project.h"
#include "UpdateProtocol.h"
#include "support/Scripted.h"

#include <QDir>
#include <QTemporaryDir>

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
