#include "ComboBoxes.h"

#include "rules/ListHelpers.h"

#include <QComboBox>

namespace zr50 {

QStringList ItemsOf(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    return items;
}

void FillCombo(QComboBox* combo, const QStringList& items) {
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(-1);
}

QString FindComboText(const QComboBox* combo, const QString& text) {
    return FindComboText(ItemsOf(combo), text);
}

QString ComboTextAt(const QComboBox* combo, int i) { return ComboTextAt(ItemsOf(combo), i); }

void SelectComboByText(QComboBox* combo, const QString& text) {
    combo->setCurrentIndex(SelectComboByText(ItemsOf(combo), text));
}

void SelectComboByIndex(QComboBox* combo, int i) {
    combo->setCurrentIndex(SelectComboByIndex(ItemsOf(combo), i));
}

}  // namespace zr50
