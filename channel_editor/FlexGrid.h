#pragma once
// The channel grid's addressing: row 0 is the fixed header row and column 0
// the fixed label column, cells are also reached by the flat index
// row * Cols + column. Both fixed lines are real rows and columns of the
// table, so every number stays as the window's procedures use it; row 0 is
// drawn by the table's header, which does not scroll away.

#include <QTableWidget>

namespace zr50 {

class FlexGrid : public QTableWidget {
    Q_OBJECT
public:
    FlexGrid(int cols, QWidget* parent);

    int Rows() const { return rowCount(); }
    int Cols() const { return columnCount(); }
    // New rows get empty cells; the current cell stays on a data cell. No
    // cell-change signal is sent.
    void SetRows(int rows);

    int Row() const { return currentRow(); }
    int Col() const { return currentColumn(); }
    void SetRow(int row);
    void SetCol(int col);

    QString TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const QString& text);
    void SetTextArray(int index, const QString& text);

    // The cell's rectangle in the coordinates of the grid's parent.
    QRect CellRect(int row, int col) const;

    // Typing on the grid does not jump to a matching cell; only Enter acts.
    void keyboardSearch(const QString&) override {}

signals:
    // The current cell moved (keys, mouse or SetRow/SetCol).
    void EnterCell();

private:
    void MakeCells(int fromRow);
};

}  // namespace zr50
