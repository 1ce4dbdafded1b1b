#include "rules/TextHelpers.h"

#include <algorithm>

namespace zr50 {

QString StripNull(const QString& t) {
    int end = t.size();
    while (end > 0 && t.at(end - 1) == QLatin1Char(' ')) --end;
    QString s = t.left(end);
    const int nul = s.indexOf(QChar(0));
    return nul >= 0 ? s.left(nul) : s;
}

namespace {
int LastSeparator(const QString& path) {
    return std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
}
}  // namespace

QString FileNameOfPath(const QString& path) {
    const int p = LastSeparator(path);
    return p >= 0 ? path.mid(p + 1) : path;
}

QString ParentFolder(const QString& path) {
    const int p = LastSeparator(path);
    return p >= 1 ? path.left(p) : path;
}

}  // namespace zr50
