#pragma once
// The list helpers for real drop-down lists.

#include <QStringList>

class QComboBox;

namespace zr50 {

QStringList ItemsOf(const QComboBox* combo);
// Replaces the entries, with nothing selected.
void FillCombo(QComboBox* combo, const QStringList& items);

QString FindComboText(const QComboBox* combo, const QString& text);
QString ComboTextAt(const QComboBox* combo, int i);
// Selects FindComboText's entry; nothing when the list is empty.
void SelectComboByText(QComboBox* combo, const QString& text);
// Selects ComboTextAt's entry; nothing when the list is empty.
void SelectComboByIndex(QComboBox* combo, int i);

}  // namespace zr50
