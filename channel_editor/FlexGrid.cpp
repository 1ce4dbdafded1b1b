#include "FlexGrid.h"

#include <QHeaderView>
#include <QSignalBlocker>

#include <algorithm>

namespace zr50 {

FlexGrid::FlexGrid(int cols, QWidget* parent) : QTableWidget(0, cols, parent) {
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // "CH No." takes two lines in its narrow column.
    horizontalHeader()->setDefaultAlignment(
        Qt::Alignment(QFlag(Qt::AlignCenter | Qt::TextWordWrap)));
    horizontalHeader()->setTextElideMode(Qt::ElideNone);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    for (int c = 0; c < cols; ++c) setHorizontalHeaderItem(c, new QTableWidgetItem);
    connect(this, &QTableWidget::currentCellChanged, this, [this](int r, int c, int pr, int pc) {
        if (r >= 0 && c >= 0 && (r != pr || c != pc)) emit EnterCell();
    });
}

void FlexGrid::MakeCells(int fromRow) {
    for (int r = fromRow; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            if (c == 0) {
                // The label column looks fixed and can never become the current cell.
                item->setFlags(Qt::NoItemFlags);
                item->setBackground(palette().button());
                item->setForeground(palette().buttonText());
            } else {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            }
            setItem(r, c, item);
        }
}

void FlexGrid::SetRows(int rows) {
    const QSignalBlocker quiet(this);
    const int oldRows = rowCount();
    const int row = currentRow();
    const int col = currentColumn();
    setRowCount(rows);
    if (rows > oldRows) MakeCells(oldRows);
    if (rows > 0) setRowHidden(0, true);
    if (rows > 1) setCurrentCell(row < 1 ? 1 : std::min(row, rows - 1), col < 1 ? 1 : col);
}

void FlexGrid::SetRow(int row) {
    if (row >= 1 && row < rowCount()) setCurrentCell(row, Col() < 1 ? 1 : Col());
}

void FlexGrid::SetCol(int col) {
    if (col >= 1 && col < columnCount()) setCurrentCell(Row() < 1 ? 1 : Row(), col);
}

QString FlexGrid::TextMatrix(int row, int col) const {
    const QTableWidgetItem* it = item(row, col);
    return it ? it->text() : QString();
}

void FlexGrid::SetTextMatrix(int row, int col, const QString& text) {
    if (QTableWidgetItem* it = item(row, col)) it->setText(text);
    if (row == 0 && col >= 0 && col < columnCount()) horizontalHeaderItem(col)->setText(text);
}

void FlexGrid::SetTextArray(int index, const QString& text) {
    if (index >= 0 && columnCount() > 0)
        SetTextMatrix(index / columnCount(), index % columnCount(), text);
}

QRect FlexGrid::CellRect(int row, int col) const {
    const QTableWidgetItem* it = item(row, col);
    if (!it) return {};
    const QRect r = visualItemRect(it);
    return QRect(viewport()->mapTo(parentWidget(), r.topLeft()), r.size());
}

}  // namespace zr50
