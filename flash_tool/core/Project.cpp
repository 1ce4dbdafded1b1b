#include "Project.h"

#include "FlashTexts.h"
#include "rules/TextHelpers.h"
#include "ui/Prompter.h"

#include <QFile>
#include <QSet>
#include <QStringDecoder>
#include <algorithm>
#include <limits>

namespace kdi {

QString BlockName(const BlockRecord& b) {
    const char* field = b.Name.bytes.data();
    const char* const fieldEnd = field + b.Name.bytes.size();
    const char* nul = std::find(field, fieldEnd, '\0');
    const QByteArrayView bytes(field, nul - field);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString name = utf8(bytes);
    if (utf8.hasError()) {
        // Older projects hold names in the Chinese Windows code page.
        QStringDecoder gb18030("GB18030");
        name = gb18030(bytes);
    }
    // Without its NUL the field is the name and its padding.
    return nul == fieldEnd ? zr50::StripNull(name) : name;
}

void SetBlockName(BlockRecord& b, const QString& name) {
    QByteArray bytes = name.toUtf8();
    if (bytes.size() > 255) {
        // Cut before the character the limit falls in, never inside it.
        int end = 255;
        while (end > 0 && (uint8_t(bytes[end]) & 0xC0) == 0x80) --end;
        bytes.truncate(end);
    }
    for (int i = 0; i < 256; ++i)
        b.Name.bytes[i] = i < bytes.size() ? bytes[i] : (i == bytes.size() ? '\0' : ' ');
}

QString GetFileName(const QString& path) { return zr50::FileNameOfPath(zr50::StripNull(path)); }

QString HexPad(int32_t value, int digits) {
    const QString h = QString::number(uint32_t(value), 16).toUpper();
    if (h.size() >= digits) return h.right(digits);
    return QString(digits - h.size(), QLatin1Char('0')) + h;
}

FlashProject::FlashProject(Prompter& prompter) : prompter_(prompter) {}

void FlashProject::Say(const QString& text) const {
    prompter_.Ask(text, zr50::Buttons::Ok, zr50::Icon::None, QString::fromLatin1(text::kTitle));
}

void FlashProject::ResetProjectHeader() {
    for (ProjectHeader* h : {&ProjHead, &SavedProjHead}) {
        h->BlockCount = 0;
        h->PoolSize = 0;
        h->BaseOffset = 0;
    }
    BlockList.clear();
    SavedBlockList.clear();
    DataPool.clear();
    SavedDataPool.clear();
    CurBlock = 0;
}

bool FlashProject::AddBlockFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const qint64 n = f.size();
    if (n == 0) {
        Say(text::kFileEmpty);
        return false;
    }
    const QString name = GetFileName(path);
    auto found = BlockList.begin();
    for (; found != BlockList.end(); ++found)
        if (BlockName(*found) == name) break;
    const qint64 oldLength = found != BlockList.end() ? found->Length : 0;
    const qint64 newPool = qint64(ProjHead.PoolSize) + n - oldLength;
    // The pool's size and every offset are 32-bit numbers in the files.
    if (newPool > std::numeric_limits<int32_t>::max() - 64 ||
        (found == BlockList.end() && BlockList.size() >= size_t(std::numeric_limits<int16_t>::max()))) {
        Say(text::kFileTooLarge);
        return false;
    }
    const QByteArray bytes = f.readAll();
    if (bytes.size() != n) return false;

    if (found != BlockList.end()) {
        // The later blocks keep their bytes and move by the difference.
        const int32_t d = int32_t(n - oldLength);
        DataPool.replace(found->PoolOffset, found->Length, bytes);
        found->Length = int32_t(n);
        for (auto later = found + 1; later != BlockList.end(); ++later) later->PoolOffset += d;
        ProjHead.PoolSize += d;
    } else {
        BlockRecord b;
        SetBlockName(b, name);
        b.Length = int32_t(n);
        b.PoolOffset = ProjHead.PoolSize;
        BlockList.push_back(b);
        DataPool.append(bytes);
        ProjHead.PoolSize += int32_t(n);
        ProjHead.BlockCount = int16_t(BlockList.size());
    }
    ProjHead.BaseOffset = 0;
    return true;
}

namespace {

// What the modified test compares of a block; its type and flags take no part.
struct BlockKey {
    QString name;
    int32_t length, address, poolOffset;
    bool operator==(const BlockKey& o) const {
        return name == o.name && length == o.length && address == o.address && poolOffset == o.poolOffset;
    }
};

size_t qHash(const BlockKey& k, size_t seed = 0) {
    return qHashMulti(seed, k.name, k.length, k.address, k.poolOffset);
}

BlockKey KeyOf(const BlockRecord& b) { return {BlockName(b), b.Length, b.Address, b.PoolOffset}; }

}  // namespace

bool FlashProject::IsProjectModified() const {
    if (ProjHead.PoolSize != SavedProjHead.PoolSize) return true;
    if (ProjHead.BlockCount != SavedProjHead.BlockCount) return true;
    // Each working block may match any saved block, in any order and more than
    // once: one set of the saved keys keeps that linear at the count's limit.
    QSet<BlockKey> saved;
    saved.reserve(qsizetype(SavedBlockList.size()));
    for (const BlockRecord& s : SavedBlockList) saved.insert(KeyOf(s));
    for (const BlockRecord& w : BlockList)
        if (!saved.contains(KeyOf(w))) return true;
    return DataPool != SavedDataPool;
}

void FlashProject::SnapshotProject() {
    SavedProjHead = ProjHead;
    SavedBlockList = BlockList;
    SavedDataPool = DataPool;
}

void FlashProject::RestoreProject() {
    ProjHead = SavedProjHead;
    BlockList = SavedBlockList;
    DataPool = SavedDataPool;
}

void FlashProject::RemoveBlock(int index) {
    if (index < 0 || size_t(index) >= BlockList.size()) return;
    const int32_t off = BlockList[index].PoolOffset;
    const int32_t len = BlockList[index].Length;
    DataPool.remove(off, len);
    BlockList.erase(BlockList.begin() + index);
    for (BlockRecord& b : BlockList)
        if (b.PoolOffset > off) b.PoolOffset -= len;
    ProjHead.BlockCount = int16_t(BlockList.size());
    ProjHead.PoolSize -= len;
    if (CurBlock >= int(BlockList.size())) CurBlock = 0;
}

bool FlashProject::CheckModel(bool full) {
    ProjHead.Marker = 32;
    bool ok = !ModelText(0).isEmpty() && ModelText(1).size() == 4;
    if (full) ok = ok && !ModelText(2).isEmpty() && !ModelText(3).isEmpty();
    if (!ok) Say(text::kModelIncomplete);
    return ok;
}

void FlashProject::SetModelText(int k, const QString& text) {
    ModelInfoRec& m = ProjHead.ModelInfoRec;
    switch (k) {
    case 0: m.CommModel.set(text); break;
    case 1: m.CommVersion.set(text); break;
    case 2: m.DisplayModel.set(text); break;
    case 3: m.DisplayVersion.set(text); break;
    default: break;
    }
}

QString FlashProject::ModelText(int k) const {
    const ModelInfoRec& m = ProjHead.ModelInfoRec;
    switch (k) {
    case 0: return zr50::StripNull(m.CommModel.raw());
    case 1: return zr50::StripNull(m.CommVersion.raw());
    case 2: return zr50::StripNull(m.DisplayModel.raw());
    case 3: return zr50::StripNull(m.DisplayVersion.raw());
    default: return QString();
    }
}

}  // namespace kdi
