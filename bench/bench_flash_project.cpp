// KDImager3's modified test on a project at the block count's limit (32,767
// blocks by default), as Open, Read and Close run it: nothing changed (every
// block is looked for and found) and the last block moved; and the open of
// that project from its files. Prints figures; asserts nothing.

#include "Project.h"
#include "support/Scripted.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace kdi;

namespace {

// Milliseconds of the fastest run; runs again while there is time for it.
template <class F>
double FastestMs(F f) {
    double best = 1e300;
    QElapsedTimer total;
    total.start();
    for (int run = 0; run < 5 && (run == 0 || total.elapsed() < 2000); ++run) {
        QElapsedTimer clock;
        clock.start();
        f();
        best = std::min(best, clock.nsecsElapsed() / 1e6);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const int blocks = std::clamp(argc > 1 ? std::atoi(argv[1]) : 32767, 1, 32767);
    constexpr int kLength = 16;
    zr50::test::ScriptedPrompter quiet;
    FlashProject p(quiet);
    p.ResetProjectHeader();
    for (int i = 0; i < blocks; ++i) {
        BlockRecord b;
        SetBlockName(b, QStringLiteral("block%1.bin").arg(i, 5, 10, QLatin1Char('0')));
        b.Address = kNewBlockAddress + i * kPageSize;
        b.Length = kLength;
        b.PoolOffset = i * kLength;
        p.BlockList.push_back(b);
    }
    p.ProjHead.BlockCount = int16_t(blocks);
    p.ProjHead.PoolSize = blocks * kLength;
    p.DataPool = QByteArray(blocks * kLength, 'x');
    QTemporaryDir dir;
    p.ProjectPath = dir.filePath(QStringLiteral("big.spi"));
    if (!p.SaveProjectFile()) {
        std::fprintf(stderr, "cannot save the project in %s\n", qPrintable(dir.path()));
        return 1;
    }

    bool modified = false;
    const double same = FastestMs([&] { modified = p.IsProjectModified(); });
    std::printf("KDImager3 project of %d blocks\n", blocks);
    std::printf("  modified test, nothing changed:  %10.2f ms (%s)\n", same, modified ? "modified" : "not modified");
    p.BlockList.back().Address += kPageSize;
    const double moved = FastestMs([&] { modified = p.IsProjectModified(); });
    std::printf("  modified test, last block moved: %10.2f ms (%s)\n", moved, modified ? "modified" : "not modified");
    bool opened = false;
    const double open = FastestMs([&] { opened = p.OpenProjectFile(); });
    std::printf("  open from its files:             %10.2f ms (%s)\n", open, opened ? "opened" : "failed");
    return 0;
}
