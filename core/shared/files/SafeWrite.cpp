#include "SafeWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace zr50 {

namespace {

// A name beside path that does not exist yet.
QString FreeSibling(const QString& path) {
    for (;;) {
        const QString name =
            path + QStringLiteral(".~%1").arg(QRandomGenerator::global()->generate(), 8, 16,
                                              QLatin1Char('0'));
        if (!QFileInfo::exists(name)) return name;
    }
}

// Writes bytes to a new file beside path and returns its name; empty on failure.
QString WriteTemporary(const FileBytes& file) {
    const QString name = FreeSibling(file.path);
    QFile f(name);
    if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return QString();
    bool ok = f.write(file.bytes) == file.bytes.size() && f.flush();
#ifdef Q_OS_UNIX
    // The rename must not reach the disk before the data does.
    ok = ok && ::fsync(f.handle()) == 0;
#endif
    f.close();
    ok = ok && f.error() == QFileDevice::NoError;
    if (!ok) {
        QFile::remove(name);
        return QString();
    }
    // The replacement keeps the access rights of the file it replaces.
    if (QFileInfo::exists(file.path))
        QFile::setPermissions(name, QFileInfo(file.path).permissions());
    return name;
}

}  // namespace

bool RenameOver(const QString& from, const QString& to) {
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(from).toStdString(),
                            QFile::encodeName(to).toStdString(), ec);
    return !ec;
}

bool ReplaceFiles(const std::vector<FileBytes>& files, const RenameFn& renameFn) {
    const RenameFn rename = renameFn ? renameFn : RenameFn(RenameOver);
    struct Step {
        QString temp;
        QString backup;  // copy of the replaced file while later ones are pending
    };
    std::vector<Step> steps(files.size());
    const auto removeTemporaries = [&] {
        for (Step& s : steps)
            if (!s.temp.isEmpty()) QFile::remove(s.temp);
    };

    for (size_t i = 0; i < files.size(); ++i) {
        steps[i].temp = WriteTemporary(files[i]);
        if (steps[i].temp.isEmpty()) {
            removeTemporaries();
            return false;
        }
    }

    size_t placed = 0;
    for (; placed < files.size(); ++placed) {
        Step& s = steps[placed];
        const QString& target = files[placed].path;
        const bool last = placed + 1 == files.size();
        if (!last && QFileInfo::exists(target)) {
            s.backup = FreeSibling(target);
            if (!QFile::copy(target, s.backup)) {
                s.backup.clear();
                break;
            }
        }
        if (!rename(s.temp, target)) break;
        s.temp.clear();
    }

    if (placed == files.size()) {
        for (Step& s : steps)
            if (!s.backup.isEmpty()) QFile::remove(s.backup);
        return true;
    }

    // Put back what was already replaced, newest first. A backup that cannot be
    // put back stays on disk: it is the only copy of the old file.
    if (!steps[placed].backup.isEmpty()) QFile::remove(steps[placed].backup);
    for (size_t j = placed; j-- > 0;) {
        Step& s = steps[j];
        if (s.backup.isEmpty())
            QFile::remove(files[j].path);  // it did not exist before
        else if (rename(s.backup, files[j].path))
            s.backup.clear();
    }
    removeTemporaries();
    return false;
}

}  // namespace zr50
