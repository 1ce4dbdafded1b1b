#pragma once
// Drop-down list helpers, written against the plain list of entries so the
// windows can wrap them for their own list controls. Every comparison is exact.

#include <QString>
#include <QStringList>

namespace zr50 {

// The first entry equal to text; entry 0 when none is; "" for an empty list.
QString FindComboText(const QStringList& items, const QString& text);
// Entry i; entry 0 when i is outside the list; "" for an empty list.
QString ComboTextAt(const QStringList& items, int i);

// The list position to select for text (FindComboText's entry), -1 for none.
int SelectComboByText(const QStringList& items, const QString& text);
// The list position to select for position i (ComboTextAt's entry), -1 for none.
int SelectComboByIndex(const QStringList& items, int i);

// v when it is 0 or 1, else d.
int CheckValueOrDefault(int v, int d);

}  // namespace zr50
