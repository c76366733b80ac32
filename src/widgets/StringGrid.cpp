#include "widgets/StringGrid.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>

#include "widgets/QtText.h"

namespace veltra {

namespace {

// Asks the grid's select-cell hook once per move, whatever asks for it (mouse, keys, code), and
// lets the selection follow only moves the hook allowed.
class RefusingSelectionModel : public QItemSelectionModel {
  public:
    RefusingSelectionModel(QAbstractItemModel* model, StringGrid* grid)
        : QItemSelectionModel(model, grid), grid_(grid) {}

    void setCurrentIndex(const QModelIndex& index, SelectionFlags command) override {
        if (index.isValid() && index != currentIndex()) {
            if (!grid_->askMove(index.column(), index.row())) return;
            approved_ = index;
        }
        QItemSelectionModel::setCurrentIndex(index, command);
    }
    void select(const QModelIndex& index, SelectionFlags command) override {
        if (index.isValid() && !allowed(index)) return;
        QItemSelectionModel::select(index, command);
    }
    void select(const QItemSelection& selection, SelectionFlags command) override {
        for (const QItemSelectionRange& range : selection) {
            for (const QModelIndex& index : range.indexes()) {
                if (!allowed(index)) return;
            }
        }
        QItemSelectionModel::select(selection, command);
    }

  private:
    bool allowed(const QModelIndex& index) const {
        return !grid_->isFixedIndex(index) && (index == currentIndex() || index == approved_);
    }

    StringGrid* grid_;
    QPersistentModelIndex approved_;
};

}  // namespace

GridDelegate::GridDelegate(StringGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    grid_->noteEditor(editor);
    return editor;
}

StringGrid::StringGrid(int columns, int rows, QWidget* parent)
    : QTableWidget(rows, columns, parent) {
    setItemDelegate(new GridDelegate(this));
    horizontalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->hide();
    setSelectionModel(new RefusingSelectionModel(model(), this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDefaultRowHeight(20);
    styleFixedCells();
}

void StringGrid::freezeTitleRow() {
    if (frozen_) return;
    frozen_ = new QTableView(this);
    frozen_->setObjectName(objectName() + "Title");
    frozen_->setModel(model());
    frozen_->setFocusPolicy(Qt::NoFocus);
    frozen_->horizontalHeader()->hide();
    frozen_->verticalHeader()->hide();
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setSelectionMode(QAbstractItemView::NoSelection);
    frozen_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    frozen_->setFrameShape(QFrame::NoFrame);
    frozen_->setItemDelegate(itemDelegate());
    viewport()->stackUnder(frozen_);
    // The same columns, scrolled sideways with the grid.
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int width) { frozen_->setColumnWidth(column, width); });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, frozen_->horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(model(), &QAbstractItemModel::rowsInserted, this, [this] { placeFrozenTitle(); });
    connect(model(), &QAbstractItemModel::columnsInserted, this, [this] { placeFrozenTitle(); });
    placeFrozenTitle();
    frozen_->show();
}

void StringGrid::placeFrozenTitle() {
    if (!frozen_) return;
    for (int row = 1; row < rowCount(); ++row)
        frozen_->setRowHidden(row, true);
    frozen_->setRowHidden(0, false);
    frozen_->setRowHeight(0, rowHeight(0));
    for (int column = 0; column < columnCount(); ++column)
        frozen_->setColumnWidth(column, columnWidth(column));
    frozen_->setGeometry(viewport()->x(), viewport()->y(), viewport()->width(), rowHeight(0));
    frozen_->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
}

void StringGrid::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    placeFrozenTitle();
}

void StringGrid::updateGeometries() {
    QTableWidget::updateGeometries();
    placeFrozenTitle();
}

QTableWidgetItem* StringGrid::itemFor(int column, int row) {
    QTableWidgetItem* it = item(row, column);
    if (!it) {
        it = new QTableWidgetItem;
        if (isFixed(column, row)) {
            it->setBackground(fixedColor_);
            it->setFlags(Qt::ItemIsEnabled);
        }
        setItem(row, column, it);
    }
    return it;
}

QString StringGrid::cell(int column, int row) const {
    const QTableWidgetItem* it = item(row, column);
    return it ? it->text() : QString();
}

void StringGrid::setCell(int column, int row, const QString& text) {
    if (column < 0 || row < 0 || column >= columnCount() || row >= rowCount()) return;
    itemFor(column, row)->setText(text);
}

void StringGrid::setColCount(int columns) {
    setColumnCount(columns);
    styleFixedCells();
}

void StringGrid::setRowCountTotal(int rows) {
    setRowCount(rows);
    styleFixedCells();
}

void StringGrid::setDefaultRowHeight(int height) {
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(height);
}

void StringGrid::setFixedColor(const QColor& color) {
    fixedColor_ = color;
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            if (QTableWidgetItem* it = item(r, c); it && isFixed(c, r)) it->setBackground(color);
        }
    }
    styleFixedCells();
}

void StringGrid::styleFixedCells() {
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            if (isFixed(c, r)) itemFor(c, r);
        }
    }
}

bool StringGrid::askMove(int column, int row) {
    if (isFixed(column, row)) return false;
    commitOpenEditor();
    return !selectHook_ || selectHook_(column, row);
}

void StringGrid::commitOpenEditor() {
    if (editor_) commitData(editor_);
}

std::pair<int, int> StringGrid::cellAt(const QPoint& viewportPoint) const {
    const int row = rowAt(viewportPoint.y());
    const int column = columnAt(viewportPoint.x());
    if (row < 0 || column < 0) return {-1, -1};
    return {column, row};
}

void StringGrid::mouseReleaseEvent(QMouseEvent* event) {
    QTableWidget::mouseReleaseEvent(event);
    emit mouseReleased(event->button(), event->modifiers(), event->position().toPoint());
}

std::string StringGridText::cell(int column, int row) const {
    return fromQt(grid_->cell(column, row));
}

void StringGridText::setCell(int column, int row, const std::string& text) {
    grid_->setCell(column, row, toQt(text));
}

}  // namespace veltra
