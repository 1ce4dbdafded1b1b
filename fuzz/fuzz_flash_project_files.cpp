// KDImager3's project reader on arbitrary bytes, through real files: byte 0
// says which companions exist, the next 51 bytes are the .spi, two bytes give
// the .CDI's length, the rest is the .CDI and then the .CDD. Whatever opens
// must keep the project's invariants through planning and removal.

#include "ProjectFiles.h"
#include "ui/Prompter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

using namespace kdi;

namespace {

class SayOk : public zr50::Prompter {
public:
    using Prompter::Ask;
    zr50::Answer Ask(const QString&, zr50::Buttons, zr50::Icon, const QString&) override {
        return zr50::Answer::Ok;
    }
};

void Put(const QString& path, const QByteArray& bytes, bool present) {
    QFile::remove(path);
    if (!present) return;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

void CheckInvariants(const FlashProject& p) {
    if (!ConsistentProject(p.ProjHead, p.BlockList)) std::abort();
    if (p.DataPool.size() != p.ProjHead.PoolSize) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    static QTemporaryDir dir;
    static SayOk prompter;
    const QByteArray in(reinterpret_cast<const char*>(data), qsizetype(size));
    const uint8_t flags = uint8_t(in[0]);
    const QByteArray spi = in.mid(1, (flags & 4) ? 50 : 51);
    const int cdiLength = in.size() >= 54 ? (uint8_t(in[52]) | uint8_t(in[53]) << 8) : 0;
    const QByteArray rest = in.mid(54);
    const QString base = QDir(dir.path()).filePath(QStringLiteral("f.spi"));
    Put(base, spi, true);
    Put(BlockIndexPath(base), rest.left(cdiLength), flags & 1);
    Put(DataPoolPath(base), rest.mid(cdiLength), flags & 2);

    FlashProject p(prompter);
    p.ProjectPath = base;
    if (!p.OpenProjectFile()) {
        if (!p.BlockList.empty() || !p.DataPool.isEmpty()) std::abort();  // left as it was
        return 0;
    }
    CheckInvariants(p);
    if (p.IsProjectModified()) std::abort();
    if (EncodeHeader(p.ProjHead) != spi) std::abort();
    if (p.CheckBlockLayout()) {
        for (int page = 0; page < std::min<int32_t>(p.PageTotal, 64); ++page)
            if (p.PageOfSequence(page, true).data.size() != kPageSize) std::abort();
        const qint64 span =
            qint64(p.PagePlan.back().Address) + p.PagePlan.back().Length - p.PagePlan.front().Address;
        if (span <= (1 << 20) && p.BuildFlashImage() && p.ImageBuffer.size() != span) std::abort();
    }
    while (!p.BlockList.empty()) {
        p.RemoveBlock(int(p.BlockList.size() / 2));
        CheckInvariants(p);
    }
    return 0;
}
