#include "Process.h"

#include <QFileInfo>
#include <QProcess>
#include <cstdlib>

namespace zr50 {

bool SystemProcess::StartDetached(const QString& program, const QStringList& args) {
    if (!QFileInfo(program).isExecutable()) return false;
    return QProcess::startDetached(program, args);
}

void SystemProcess::ExitNow(int code) { std::_Exit(code); }

}  // namespace zr50
