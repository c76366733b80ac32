// A grid of text cells addressed as (column, row), with fixed header rows and columns that are
// ordinary cells drawn in the fixed colour: the index arithmetic of the program's grids (row 0
// is the header, column 0 the row number) stays as it is.
#pragma once

#include <QColor>
#include <QItemSelectionModel>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <functional>
#include <string>

#include "text/Text.h"

namespace veltra {

class StringGrid;

// The grid's cell delegate: it tells the grid which in-place editor is open, so that typed text
// is taken into the cell before the grid decides on the next move. Windows that draw cells of
// their own derive from it.
class GridDelegate : public QStyledItemDelegate {
  public:
    explicit GridDelegate(StringGrid* grid);
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

  protected:
    StringGrid* grid_;
};

class StringGrid : public QTableWidget {
    Q_OBJECT
  public:
    StringGrid(int columns, int rows, QWidget* parent = nullptr);

    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);

    void setColCount(int columns);
    void setRowCountTotal(int rows);

    void setColWidth(int column, int width) { setColumnWidth(column, width); }
    void setDefaultRowHeight(int height);

    void setFixedColor(const QColor& color);
    QColor fixedColor() const { return fixedColor_; }
    bool isFixed(int column, int row) const { return column < fixedCols_ || row < fixedRows_; }

    // Asked once before another cell becomes the current cell (mouse, keys or code). Returning
    // false refuses the move. Fixed cells are always refused.
    using SelectCellHook = std::function<bool(int column, int row)>;
    void setSelectCellHook(SelectCellHook hook) { selectHook_ = std::move(hook); }
    bool askMove(int column, int row);
    bool isFixedIndex(const QModelIndex& index) const {
        return isFixed(index.column(), index.row());
    }

    // Takes the text of an open in-place editor into its cell.
    void commitOpenEditor();
    void noteEditor(QWidget* editor) { editor_ = editor; }

    // The cell under a point of the viewport, (-1, -1) outside every cell.
    std::pair<int, int> cellAt(const QPoint& viewportPoint) const;

    // Keeps the title row (row 0) in view while the rows scroll under it, as a spreadsheet's
    // title row stays: a view of the same cells laid over the top of the grid.
    void freezeTitleRow();
    QTableView* frozenTitle() const { return frozen_; }

  signals:
    void mouseReleased(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;

  private:
    QTableWidgetItem* itemFor(int column, int row);
    void styleFixedCells();

    int fixedCols_ = 1;
    int fixedRows_ = 1;
    QColor fixedColor_{Qt::lightGray};
    SelectCellHook selectHook_;
    QPointer<QWidget> editor_;
    QTableView* frozen_ = nullptr;
    void placeFrozenTitle();
};

// A grid's cells as plain text for the rules and operations below the windows.
class StringGridText : public TextGrid {
  public:
    explicit StringGridText(StringGrid* grid) : grid_(grid) {}
    int rowCount() const override { return grid_->rowCount(); }
    void setRowCount(int rows) override { grid_->setRowCountTotal(rows); }
    std::string cell(int column, int row) const override;
    void setCell(int column, int row, const std::string& text) override;

  private:
    StringGrid* grid_;
};

}  // namespace veltra
