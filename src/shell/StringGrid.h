// A grid of text cells addressed as (column, row), with fixed header rows and columns that are
// ordinary cells drawn in the fixed colour: the index arithmetic of the program's grids (row 0
// is the header, column 0 the row number) stays as it is.
#pragma once

#include <QColor>
#include <QItemSelectionModel>
#include <QTableWidget>
#include <functional>

namespace veltra {

class StringGrid : public QTableWidget {
    Q_OBJECT
public:
    StringGrid(int columns, int rows, QWidget* parent = nullptr);

    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);

    int colCount() const { return columnCount(); }
    int rowCountTotal() const { return rowCount(); }
    void setColCount(int columns);
    void setRowCountTotal(int rows);

    void setColWidth(int column, int width) { setColumnWidth(column, width); }
    void setDefaultRowHeight(int height);

    void setFixedColor(const QColor& color);
    QColor fixedColor() const { return fixedColor_; }
    bool isFixed(int column, int row) const { return column < fixedCols_ || row < fixedRows_; }

    // Asked before any cell becomes the current cell (mouse, keys or code). Returning false
    // refuses the move.
    using SelectCellHook = std::function<bool(int column, int row)>;
    void setSelectCellHook(SelectCellHook hook) { selectHook_ = std::move(hook); }
    bool maySelect(int column, int row) const;

    // The cell under a point of the viewport, (-1, -1) outside every cell.
    std::pair<int, int> cellAt(const QPoint& viewportPoint) const;

signals:
    void mouseReleased(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QTableWidgetItem* itemFor(int column, int row);
    void styleFixedCells();

    int fixedCols_ = 1;
    int fixedRows_ = 1;
    QColor fixedColor_{Qt::lightGray};
    SelectCellHook selectHook_;
};

}  // namespace veltra
