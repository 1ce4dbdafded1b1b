#pragma once
// Replacing a set of files so that a failure half-way leaves every one of them
// as it was: each new content goes to a temporary file beside its target, and
// only then are the temporaries renamed over the targets, earlier renames being
// undone when a later one fails.

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

namespace zr50 {

struct FileBytes {
    QString path;
    QByteArray bytes;
};

// Renames from over to, replacing to; false on failure.
using RenameFn = std::function<bool(const QString& from, const QString& to)>;
bool RenameOver(const QString& from, const QString& to);

// True when every file now holds exactly its bytes (a longer old file does not
// keep its tail); false when none was changed. rename defaults to RenameOver.
bool ReplaceFiles(const std::vector<FileBytes>& files, const RenameFn& rename = {});

}  // namespace zr50
