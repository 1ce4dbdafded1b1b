#pragma once
// What both simulated radios' programs do around the radio itself.

#include <QString>

class QCoreApplication;

namespace zr50::sim {

// Adds device to the port map as com<n> (folder empty: the default one).
// The link's path, or an empty text with the reason in error.
QString LinkIntoPortMap(int n, const QString& folder, const QString& device, QString* error);

// Prints the device (and the link), runs the event loop until SIGINT or
// SIGTERM, then removes the link. The program's exit code.
int RunUntilSignalled(QCoreApplication& app, const QString& device, int n, const QString& link);

}  // namespace zr50::sim
