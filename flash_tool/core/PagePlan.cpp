// The page plan, the flash image and its export.

#include "FlashTexts.h"
#include "Project.h"

#include <QSaveFile>
#include <algorithm>
#include <new>

namespace kdi {

namespace {

constexpr qint64 kMaxFlashAddress = 0x7FFFFFFF;
// The largest image an export builds; far beyond any radio's flash.
constexpr qint64 kMaxImageSpan = qint64(256) << 20;

}  // namespace

bool FlashProject::CheckBlockLayout() {
    PagePlan.clear();
    PageTotal = 0;
    if (ProjHead.PoolSize <= 0 || ProjHead.BlockCount <= 0 || BlockList.empty()) {
        Say(text::kNoData);
        return false;
    }
    std::vector<PagePlanRec> plan(BlockList.size());
    for (size_t i = 0; i < BlockList.size(); ++i) {
        const BlockRecord& b = BlockList[i];
        PagePlanRec& e = plan[i];
        e.Address = b.Address;
        e.PoolOffset = b.PoolOffset;
        e.Length = b.Length;
        if (b.Address % kPageSize > 0) {
            Say(text::kNotAligned);
            return false;
        }
        // Every byte sent lands at Address + BaseOffset; all of them must be
        // flash addresses, and the image is indexed by Address alone.
        const qint64 start = qint64(b.Address) + ProjHead.BaseOffset;
        const qint64 end = qint64(b.Address) + b.Length;
        if (b.Address < 0 || b.Length < 0 || start < 0 ||
            end - 1 + ProjHead.BaseOffset > kMaxFlashAddress || end > kMaxFlashAddress + 1) {
            Say(text::kOutOfRange);
            return false;
        }
        e.FirstPage = b.Address / kPageSize;
        e.LastPage = int32_t(end % kPageSize == 0 ? end / kPageSize - 1 : end / kPageSize);
        e.TailLength = int32_t(end % kPageSize);
    }
    const size_t n = plan.size();
    for (size_t i = 0; i + 1 < n; ++i)
        for (size_t j = i + 1; j < n; ++j)
            if (plan[j].FirstPage < plan[i].FirstPage) std::swap(plan[i], plan[j]);
    for (size_t j = 0; j + 1 < n; ++j) {
        if (plan[j].LastPage >= plan[j + 1].FirstPage) {
            Say(text::kConflict);
            return false;
        }
    }
    for (PagePlanRec& e : plan) {
        e.PageBase = PageTotal;
        PageTotal += e.LastPage - e.FirstPage + 1;
    }
    PagePlan = std::move(plan);
    return true;
}

bool FlashProject::BuildFlashImage() {
    ImageBuffer.clear();
    if (PagePlan.empty()) {
        Say(text::kMakeBinError);
        return false;
    }
    const qint64 first = PagePlan.front().Address;
    const qint64 span = qint64(PagePlan.back().Address) + PagePlan.back().Length - first;
    if (span <= 0 || span > kMaxImageSpan) {
        Say(text::kMakeBinError);
        return false;
    }
    try {
        ImageBuffer = QByteArray(qsizetype(span), char(0xFF));
    } catch (const std::bad_alloc&) {
        ImageBuffer.clear();
        Say(text::kMakeBinError);
        return false;
    }
    for (const PagePlanRec& e : PagePlan) {
        if (e.Length <= 0) continue;
        if (e.PoolOffset < 0 || qint64(e.PoolOffset) + e.Length > DataPool.size()) {
            ImageBuffer.clear();
            Say(text::kMakeBinError);
            return false;
        }
        std::copy_n(DataPool.constData() + e.PoolOffset, e.Length,
                    ImageBuffer.data() + (e.Address - first));
    }
    return true;
}

bool FlashProject::WriteBinFile(const QString& path) {
    if (path.isEmpty()) return false;  // the dialog was cancelled
    QSaveFile f(path);
    const bool ok = f.open(QIODevice::WriteOnly) && f.write(ImageBuffer) == ImageBuffer.size() &&
                    f.commit();
    Say(ok ? text::kBinWritten : text::kBinFailed);
    return ok;
}

PageOut FlashProject::PageOfSequence(int p, bool padWithFF) const {
    PageOut out;
    out.data = QByteArray(kPageSize, padWithFF ? char(0xFF) : char(0x00));
    const PagePlanRec* e = nullptr;
    for (const PagePlanRec& r : PagePlan)
        if (r.PageBase <= p) e = &r;
    if (!e || p < 0) return out;
    const qint64 k = p - e->PageBase;
    out.address = uint32_t(qint64(e->Address) + ProjHead.BaseOffset + k * kPageSize);
    const qint64 from = k * kPageSize;
    const qint64 count = std::clamp<qint64>(e->Length - from, 0, kPageSize);
    const qint64 at = qint64(e->PoolOffset) + from;
    if (at >= 0 && at + count <= DataPool.size())
        std::copy_n(DataPool.constData() + at, count, out.data.data());
    return out;
}

}  // namespace kdi
