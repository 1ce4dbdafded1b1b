// ZR50 from start to its shown main window with the new document, offscreen,
// then quit: prints the time to the shown window and the peak memory. Each run
// is a process of its own (a program starts once per process).
//
// bench_startup [runs]   (default 5)

#include "Zr50Program.h"
#include "Program.h"
#include "platform/Locale.h"
#include "support/Scripted.h"
#include "windows/frmMain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

using namespace zr50;

namespace {

// One start: prints "<ms> <peak KiB>".
int Child(int argc, char** argv, const QString& folder) {
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    test::ScriptedPrompter prompter;
    test::FakeProcess process;
    ProcessLocale locale;
    Zr50Program zr50(Zr50Services(prompter, process, locale, folder + QStringLiteral("/KD_270")));
    zr50.main().show();
    const bool shown = QTest::qWaitForWindowExposed(&zr50.main());
    const double ms = clock.nsecsElapsed() / 1e6;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%.1f %ld %d\n", ms, usage.ru_maxrss, shown ? 1 : 0);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && QByteArray(argv[1]) == "--child") return Child(1, argv, QString::fromLocal8Bit(argv[2]));

    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    QTemporaryDir install;
    test::CopyInstallation(install.path());
    std::vector<double> times;
    std::vector<long> peaks;
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        child.start(QString::fromLocal8Bit(argv[0]), {QStringLiteral("--child"), install.path()});
        child.waitForFinished(60000);
        double ms = 0;
        long kib = 0;
        int shown = 0;
        if (std::sscanf(child.readAllStandardOutput().constData(), "%lf %ld %d", &ms, &kib, &shown) != 3 || !shown) {
            std::printf("run %d: the main window was not shown\n", i + 1);
            continue;
        }
        times.push_back(ms);
        peaks.push_back(kib);
    }
    if (times.empty()) return 1;
    std::sort(times.begin(), times.end());
    std::printf("ZR50 start to shown main window, %zu runs: median %.1f ms, best %.1f ms, worst %.1f ms\n",
                times.size(), times[times.size() / 2], times.front(), times.back());
    std::printf("peak resident memory: %.1f MB (largest of the runs)\n",
                *std::max_element(peaks.begin(), peaks.end()) / 1024.0);
    return 0;
}
