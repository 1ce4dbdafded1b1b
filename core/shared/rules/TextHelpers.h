#pragma once
// Text helpers both programs use: fixed-length texts as stored, and paths.

#include <QString>

namespace zr50 {

// Trailing blanks removed, then the text cut before its first NUL.
QString StripNull(const QString& t);

// The text after the last path separator ("\\" or "/"); the whole text when none.
QString FileNameOfPath(const QString& path);
// The text before the last path separator when it is at position 2 or later.
QString ParentFolder(const QString& path);

}  // namespace zr50
