#include "ProjectFiles.h"

#include "FlashTexts.h"
#include "files/SafeWrite.h"
#include "model/ByteStream.h"
#include "ui/Prompter.h"

#include <QFile>

namespace kdi {

namespace {

template <class IO, class H>
void VisitHeader(IO& io, H& h) {
    io(h.Marker);
    io(h.BlockCount);
    io(h.PoolSize);
    io(h.BaseOffset);
    io(h.ModelInfoRec.CommModel);
    io(h.ModelInfoRec.CommVersion);
    io(h.ModelInfoRec.DisplayModel);
    io(h.ModelInfoRec.DisplayVersion);
    io(h.ModelInfoRec.FillFF);
}

template <class IO, class B>
void VisitBlock(IO& io, B& b) {
    io(b.Name);
    io(b.Address);
    io(b.Length);
    io(b.PoolOffset);
    io(b.BlockType);
    io(b.NoEncrypt);
    io(b.Reserved);
}

QString Companion(const QString& spiPath, const char* ext) {
    return spiPath.left(std::max(0, int(spiPath.size()) - 3)) + QLatin1String(ext);
}

enum class ReadResult { Ok, Unreadable, Short };

// At least size bytes from the start of the file; a longer file is accepted.
ReadResult ReadPrefix(const QString& path, qint64 size, QByteArray& out) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return ReadResult::Unreadable;
    if (f.size() < size) return ReadResult::Short;
    out = f.read(size);
    return out.size() == size ? ReadResult::Ok : ReadResult::Unreadable;
}

}  // namespace

QString BlockIndexPath(const QString& spiPath) { return Companion(spiPath, "CDI"); }
QString DataPoolPath(const QString& spiPath) { return Companion(spiPath, "CDD"); }

QByteArray EncodeHeader(const ProjectHeader& h) {
    zr50::ByteWriter w;
    VisitHeader(w, h);
    return w.bytes();
}

ProjectHeader DecodeHeader(const QByteArray& bytes) {
    ProjectHeader h;
    zr50::ByteReader r(bytes);
    VisitHeader(r, h);
    return h;
}

QByteArray EncodeBlockIndex(const std::vector<BlockRecord>& blocks) {
    zr50::ByteWriter w;
    for (const BlockRecord& b : blocks) VisitBlock(w, b);
    return w.bytes();
}

std::optional<std::vector<BlockRecord>> DecodeBlockIndex(const QByteArray& bytes, int count) {
    if (count < 0 || bytes.size() < qint64(count) * kBlockRecordSize) return std::nullopt;
    std::vector<BlockRecord> blocks(static_cast<size_t>(count));
    zr50::ByteReader r(bytes);
    for (BlockRecord& b : blocks) VisitBlock(r, b);
    return blocks;
}

bool ConsistentProject(const ProjectHeader& h, const std::vector<BlockRecord>& blocks) {
    if (h.BlockCount < 0 || h.PoolSize < 0 || blocks.size() != size_t(h.BlockCount)) return false;
    qint64 next = 0;
    for (const BlockRecord& b : blocks) {
        if (b.Length < 0 || b.PoolOffset != next) return false;
        next += b.Length;
    }
    return next == h.PoolSize;
}

bool FlashProject::OpenProjectFile() {
    const QString spi = ProjectPath;
    QFile f(spi);
    if (!f.exists() || f.size() != kHeaderFileSize) {
        Say(text::FormatError(spi));
        return false;
    }
    QByteArray headerBytes;
    if (ReadPrefix(spi, kHeaderFileSize, headerBytes) != ReadResult::Ok) {
        Say(text::kReadSpiFailed);
        return false;
    }
    const ProjectHeader head = DecodeHeader(headerBytes);
    if (head.BlockCount < 0 || head.PoolSize < 0) {
        Say(text::FormatError(spi));
        return false;
    }

    // Everything is read and checked first; the project changes only at the end.
    std::vector<BlockRecord> blocks;
    if (head.BlockCount > 0) {
        const QString cdi = BlockIndexPath(spi);
        QByteArray bytes;
        switch (ReadPrefix(cdi, qint64(head.BlockCount) * kBlockRecordSize, bytes)) {
        case ReadResult::Unreadable: Say(text::kReadSpiFailed); return false;
        case ReadResult::Short: Say(text::FormatError(cdi)); return false;
        case ReadResult::Ok: break;
        }
        blocks = *DecodeBlockIndex(bytes, head.BlockCount);
        if (!ConsistentProject(head, blocks)) {
            Say(text::FormatError(cdi));
            return false;
        }
    } else if (head.PoolSize != 0) {
        Say(text::FormatError(spi));
        return false;
    }
    QByteArray pool;
    if (head.PoolSize > 0) {
        const QString cdd = DataPoolPath(spi);
        switch (ReadPrefix(cdd, head.PoolSize, pool)) {
        case ReadResult::Unreadable: Say(text::kReadCddFailed); return false;
        case ReadResult::Short: Say(text::FormatError(cdd)); return false;
        case ReadResult::Ok: break;
        }
    }
    SavedProjHead = head;
    SavedBlockList = std::move(blocks);
    SavedDataPool = std::move(pool);
    RestoreProject();
    CurBlock = 0;
    return true;
}

bool FlashProject::SaveProjectFile() {
    const QString spi = ProjectPath;
    const QByteArray header = EncodeHeader(ProjHead);
    std::vector<zr50::FileBytes> files;
    if (ProjHead.BlockCount > 0) files.push_back({BlockIndexPath(spi), EncodeBlockIndex(BlockList)});
    if (ProjHead.PoolSize > 0) files.push_back({DataPoolPath(spi), DataPool});
    // The header goes last: a project file never names companions that are not there.
    files.push_back({spi, header});
    if (!zr50::ReplaceFiles(files)) {
        // All three are replaced together or none is, so one message covers them.
        Say(text::kFileError);
        return false;
    }
    SnapshotProject();
    return true;
}

}  // namespace kdi
