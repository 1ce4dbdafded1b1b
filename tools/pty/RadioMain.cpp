#include "RadioMain.h"

#include "link/Ports.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace zr50::sim {

namespace {

int quitPipe[2] = {-1, -1};

void OnSignal(int) {
    const char c = 0;
    [[maybe_unused]] const auto n = ::write(quitPipe[1], &c, 1);
}

}  // namespace

QString LinkIntoPortMap(int n, const QString& folder, const QString& device, QString* error) {
    if (n < 1 || n > 999) {
        *error = QStringLiteral("port number must be 1..999");
        return QString();
    }
    const QString dir = folder.isEmpty() ? DefaultPortMapDir() : folder;
    QDir().mkpath(dir);
    const QString link = QDir(dir).filePath(QStringLiteral("com%1").arg(n));
    QFile::remove(link);
    if (!QFile::link(device, link)) {
        *error = QStringLiteral("cannot create ") + link;
        return QString();
    }
    return link;
}

int RunUntilSignalled(QCoreApplication& app, const QString& device, int n, const QString& link) {
    std::printf("%s\n", qPrintable(device));
    if (!link.isEmpty()) std::printf("COM%d -> %s\n", n, qPrintable(link));
    std::fflush(stdout);
    if (::pipe(quitPipe) != 0) return 1;
    QSocketNotifier quit(quitPipe[0], QSocketNotifier::Read);
    QObject::connect(&quit, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    const int rc = app.exec();
    if (!link.isEmpty()) QFile::remove(link);
    return rc;
}

}  // namespace zr50::sim
