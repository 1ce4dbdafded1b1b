#include "ListHelpers.h"

namespace zr50 {

QString FindComboText(const QStringList& items, const QString& text) {
    if (items.isEmpty()) return QString();
    const int i = items.indexOf(text);
    return items.at(i >= 0 ? i : 0);
}

QString ComboTextAt(const QStringList& items, int i) {
    if (items.isEmpty()) return QString();
    return items.at(i >= 0 && i < items.size() ? i : 0);
}

int SelectComboByText(const QStringList& items, const QString& text) {
    const QString s = FindComboText(items, text);
    return s.isEmpty() ? -1 : int(items.indexOf(s));
}

int SelectComboByIndex(const QStringList& items, int i) {
    const QString s = ComboTextAt(items, i);
    return s.isEmpty() ? -1 : int(items.indexOf(s));
}

int CheckValueOrDefault(int v, int d) { return v >= 0 && v <= 1 ? v : d; }

}  // namespace zr50
