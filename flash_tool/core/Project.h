#pragma once
// One KDImager3 project: a header, a list of data blocks and the byte pool that
// holds their data back to back in list order, as a working copy (edited,
// built from) and a saved copy (as last read from or written to the files).

#include "model/FixedText.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace zr50 {
class Prompter;
}

namespace kdi {

using zr50::FixedText;
using zr50::Prompter;

constexpr int kPageSize = 1024;
constexpr int32_t kNewBlockAddress = 0x08020000;

struct ModelInfoRec {
    FixedText<8> CommModel;
    FixedText<4> CommVersion;
    FixedText<16> DisplayModel;
    FixedText<8> DisplayVersion;
    uint8_t FillFF = 0;
};

struct ProjectHeader {
    int32_t Marker = 0;  // 32 once the model check ran
    int16_t BlockCount = 0;
    int32_t PoolSize = 0;
    int32_t BaseOffset = 0;  // added to every page address sent
    kdi::ModelInfoRec ModelInfoRec;
};

struct BlockRecord {
    FixedText<256> Name;  // file name, one NUL, blanks
    int32_t Address = kNewBlockAddress;
    int32_t Length = 0;
    int32_t PoolOffset = 0;
    int16_t BlockType = 0;  // 0 data, 1 instruction
    int32_t NoEncrypt = 1;
    int32_t Reserved = 0;
};

// The name as compared and shown: its bytes before the NUL as UTF-8, or as
// GB18030 when they are not UTF-8.
QString BlockName(const BlockRecord& b);
// name in UTF-8 (cut to whole characters within 255 bytes), one NUL, blanks.
void SetBlockName(BlockRecord& b, const QString& name);

// The text after the last path separator of the path, after StripNull.
QString GetFileName(const QString& path);

// HexPad: upper-case hexadecimal (a negative value as its 8-digit two's
// complement), zero-filled to digits and cut to its rightmost digits.
QString HexPad(int32_t value, int digits);
inline QString HexPadDump(uint8_t value) { return HexPad(value, 2); }

// One entry per block, sorted by first page (see CheckBlockLayout).
struct PagePlanRec {
    int32_t Address = 0;
    int32_t PoolOffset = 0;
    int32_t Length = 0;
    int32_t FirstPage = 0;
    int32_t LastPage = 0;
    int32_t TailLength = 0;
    int32_t PageBase = 0;
};

// A page of the page sequence as it is sent: flash address and 1024 bytes.
struct PageOut {
    uint32_t address = 0;
    QByteArray data;
};

class FlashProject {
public:
    explicit FlashProject(Prompter& prompter);

    // --- model ---
    // Counts and pools of both copies to empty; texts, Marker and FillFF stay.
    void ResetProjectHeader();
    // Adds the file as a block, or replaces the data of the block of its name.
    // False when nothing changed (empty, unreadable or too large a file).
    bool AddBlockFile(const QString& path);
    bool IsProjectModified() const;
    void SnapshotProject();  // working -> saved
    void RestoreProject();   // saved -> working
    // Removes block index from the working copy, closing its gap in the pool.
    void RemoveBlock(int index);
    // Marker = 32; the model texts must be filled in (display ones when full).
    bool CheckModel(bool full);
    // The header text k (0 CommModel, 1 CommVersion, 2 DisplayModel,
    // 3 DisplayVersion) as the model fields edit it: left-aligned, blank-padded.
    void SetModelText(int k, const QString& text);
    QString ModelText(int k) const;

    // --- files (ProjectPath and its companions) ---
    bool OpenProjectFile();
    bool SaveProjectFile();

    // --- page plan, image, export ---
    bool CheckBlockLayout();
    bool BuildFlashImage();
    bool WriteBinFile(const QString& path);
    // Page p of the sequence with its padding; needs a passed CheckBlockLayout.
    PageOut PageOfSequence(int p, bool padWithFF) const;

    ProjectHeader ProjHead, SavedProjHead;
    std::vector<BlockRecord> BlockList, SavedBlockList;
    QByteArray DataPool, SavedDataPool;
    int CurBlock = 0;
    QString ProjectPath = QStringLiteral("New.spi");

    std::vector<PagePlanRec> PagePlan;
    int32_t PageTotal = 0;
    QByteArray ImageBuffer;

    Prompter& prompter() const { return prompter_; }

private:
    void Say(const QString& text) const;
    Prompter& prompter_;
};

}  // namespace kdi
