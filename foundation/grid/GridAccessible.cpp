#include "foundation/grid/GridAccessible.h"

#include "foundation/grid/TableGrid.h"

#include <QAccessible>

namespace telvarin {

namespace {

// One cell of the grid by its grid coordinates. It reads the grid live, so it stays right when
// the grid's texts change or its columns are sorted; outside the grid it is not valid.
class GridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    GridCellAccessible(TableGrid* grid, int row, int col) : grid_(grid), row_(row), col_(col) {}

    bool isValid() const override { return grid_ && row_ < grid_->rowCount() && col_ < grid_->columnCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return table() ? table()->window() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return table(); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override {
        if (!isValid())
            return {};
        switch (t) {
        case QAccessible::Name:
        case QAccessible::Value:
            return grid_->cellText(row_, col_);
        case QAccessible::Description:
            return grid_->tipText(row_, col_);
        default:
            return {};
        }
    }
    // A screen reader's user changes a cell as typing would: through the owner's validation.
    void setText(QAccessible::Text t, const QString& text) override {
        if (isValid() && (t == QAccessible::Name || t == QAccessible::Value))
            grid_->changeCellText(row_, col_, text);
    }

    QRect rect() const override {
        if (!isValid())
            return {};
        const QRect local = grid_->cellRect(row_, col_);
        if (local.isEmpty())
            return {};
        return QRect(grid_->viewport()->mapToGlobal(local.topLeft()), local.size());
    }

    QAccessible::Role role() const override {
        if (isValid() && grid_->isFixedCell(row_, col_))
            return row_ < grid_->fixedRowCount() ? QAccessible::ColumnHeader : QAccessible::RowHeader;
        return QAccessible::Cell;
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        if (rect().isEmpty()) {
            state.invisible = true;
            state.offscreen = true;
        }
        if (grid_->isFixedCell(row_, col_))
            return state;
        state.focusable = true;
        state.selectable = true;
        state.multiSelectable = grid_->selectionEnabled();
        state.selected = grid_->isCellSelected(row_, col_);
        const GridCellPos focus = grid_->focusCell();
        state.focused = grid_->hasFocus() && focus.row == row_ && focus.col == col_;
        state.editable = grid_->isCellEditable(row_, col_);
        state.readOnly = !state.editable;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableCellInterface && isValid() && !grid_->isFixedCell(row_, col_))
            return static_cast<QAccessibleTableCellInterface*>(this);
        return nullptr;
    }

    // QAccessibleTableCellInterface, in the table's coordinates of the non-fixed cells
    bool isSelected() const override { return isValid() && grid_->isCellSelected(row_, col_); }
    QList<QAccessibleInterface*> columnHeaderCells() const override {
        QList<QAccessibleInterface*> headers;
        if (auto* owner = gridTable())
            for (int r = 0; r < grid_->fixedRowCount(); ++r)
                headers.append(owner->gridCell(r, col_));
        return headers;
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override {
        QList<QAccessibleInterface*> headers;
        if (auto* owner = gridTable())
            for (int c = 0; c < grid_->fixedColumnCount(); ++c)
                headers.append(owner->gridCell(row_, c));
        return headers;
    }
    int columnIndex() const override { return grid_ ? col_ - grid_->fixedColumnCount() : -1; }
    int rowIndex() const override { return grid_ ? row_ - grid_->fixedRowCount() : -1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override {
        return grid_ ? QAccessible::queryAccessibleInterface(grid_.data()) : nullptr;
    }

private:
    GridAccessible* gridTable() const { return dynamic_cast<GridAccessible*>(table()); }

    QPointer<TableGrid> grid_;
    int row_;
    int col_;
};

QAccessibleInterface* gridFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("telvarin::TableGrid"))
        if (auto* grid = qobject_cast<TableGrid*>(object))
            return new GridAccessible(grid);
    return nullptr;
}

} // namespace

void installGridAccessibility(TableGrid* grid) {
    static const bool installed = [] {
        QAccessible::installFactory(gridFactory);
        return true;
    }();
    (void)installed;
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface* early = QAccessible::queryAccessibleInterface(grid);
    if (early && !early->tableInterface())
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(early));
}

GridAccessible::GridAccessible(TableGrid* grid) : QAccessibleWidget(grid, QAccessible::Table) {
    focusConnection_ = QObject::connect(grid, &TableGrid::focusCellChanged, grid,
                                        [this](int row, int col) { announceFocus(row, col); });
}

GridAccessible::~GridAccessible() {
    QObject::disconnect(focusConnection_);
    for (const QAccessible::Id id : std::as_const(cells_))
        QAccessible::deleteAccessibleInterface(id);
}

TableGrid* GridAccessible::grid() const {
    return static_cast<TableGrid*>(widget());
}

void GridAccessible::announceFocus(int row, int col) {
    QAccessibleInterface* cell = gridCell(row, col);
    if (!cell)
        return;
    if (grid()->hasFocus()) {
        QAccessibleEvent focus(cell, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
    QAccessibleEvent selection(cell, QAccessible::Selection);
    QAccessible::updateAccessibility(&selection);
}

QString GridAccessible::text(QAccessible::Text t) const {
    QString own = QAccessibleWidget::text(t);
    // A table without a name of its own is named after its window.
    if (t == QAccessible::Name && own.isEmpty())
        own = grid()->nearestWindowTitle();
    return own;
}

QAccessibleInterface* GridAccessible::gridCell(int row, int col) const {
    const TableGrid* g = grid();
    if (row < 0 || col < 0 || row >= g->rowCount() || col >= g->columnCount())
        return nullptr;
    const auto key = std::pair{row, col};
    if (const auto found = cells_.constFind(key); found != cells_.constEnd())
        return QAccessible::accessibleInterface(*found);
    auto* cell = new GridCellAccessible(grid(), row, col);
    cells_.insert(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

// The children are every cell of the grid, headers included, row by row.
int GridAccessible::childCount() const {
    return grid()->rowCount() * grid()->columnCount();
}

QAccessibleInterface* GridAccessible::child(int index) const {
    const int cols = grid()->columnCount();
    if (index < 0 || cols == 0)
        return nullptr;
    return gridCell(index / cols, index % cols);
}

int GridAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (!child)
        return -1;
    for (auto it = cells_.constBegin(); it != cells_.constEnd(); ++it) {
        if (QAccessible::accessibleInterface(it.value()) == child)
            return it.key().first * grid()->columnCount() + it.key().second;
    }
    return -1;
}

QAccessibleInterface* GridAccessible::childAt(int x, int y) const {
    const QPoint local = grid()->viewport()->mapFromGlobal(QPoint(x, y));
    const GridCellPos cell = grid()->cellAt(local);
    return cell.isValid() ? gridCell(cell.row, cell.col) : nullptr;
}

QAccessibleInterface* GridAccessible::focusChild() const {
    const GridCellPos focus = grid()->focusCell();
    return focus.isValid() ? gridCell(focus.row, focus.col) : nullptr;
}

void* GridAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

int GridAccessible::rowCount() const {
    return std::max(grid()->rowCount() - grid()->fixedRowCount(), 0);
}

int GridAccessible::columnCount() const {
    return std::max(grid()->columnCount() - grid()->fixedColumnCount(), 0);
}

QAccessibleInterface* GridAccessible::cellAt(int row, int column) const {
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return nullptr;
    return gridCell(row + grid()->fixedRowCount(), column + grid()->fixedColumnCount());
}

// A column is described by its header cells, a row by its fixed cells, joined by blanks.
QString GridAccessible::columnDescription(int column) const {
    QStringList parts;
    for (int r = 0; r < grid()->fixedRowCount(); ++r)
        parts.append(grid()->cellText(r, column + grid()->fixedColumnCount()));
    return parts.join(QLatin1Char(' ')).trimmed();
}

QString GridAccessible::rowDescription(int row) const {
    QStringList parts;
    for (int c = 0; c < grid()->fixedColumnCount(); ++c)
        parts.append(grid()->cellText(row + grid()->fixedRowCount(), c));
    return parts.join(QLatin1Char(' ')).trimmed();
}

QList<int> GridAccessible::selectedRows() const {
    QList<int> rows;
    for (const int r : grid()->selectedRows())
        if (isRowSelected(r - grid()->fixedRowCount()))
            rows.append(r - grid()->fixedRowCount());
    return rows;
}

QList<int> GridAccessible::selectedColumns() const {
    QList<int> columns;
    for (int c = 0; c < columnCount(); ++c)
        if (isColumnSelected(c))
            columns.append(c);
    return columns;
}

bool GridAccessible::isRowSelected(int row) const {
    if (row < 0 || row >= rowCount() || columnCount() == 0)
        return false;
    for (int c = 0; c < columnCount(); ++c)
        if (!grid()->isCellSelected(row + grid()->fixedRowCount(), c + grid()->fixedColumnCount()))
            return false;
    return true;
}

bool GridAccessible::isColumnSelected(int column) const {
    if (column < 0 || column >= columnCount() || rowCount() == 0)
        return false;
    for (int r = 0; r < rowCount(); ++r)
        if (!grid()->isCellSelected(r + grid()->fixedRowCount(), column + grid()->fixedColumnCount()))
            return false;
    return true;
}

int GridAccessible::selectedCellCount() const {
    int count = 0;
    for (const int r : grid()->selectedRows())
        for (int c = grid()->fixedColumnCount(); c < grid()->columnCount(); ++c)
            count += grid()->isCellSelected(r, c) ? 1 : 0;
    return count;
}

QList<QAccessibleInterface*> GridAccessible::selectedCells() const {
    QList<QAccessibleInterface*> cells;
    for (const int r : grid()->selectedRows())
        for (int c = grid()->fixedColumnCount(); c < grid()->columnCount(); ++c)
            if (grid()->isCellSelected(r, c))
                cells.append(gridCell(r, c));
    return cells;
}

bool GridAccessible::selectRow(int row) {
    if (row < 0 || row >= rowCount() || !grid()->selectionEnabled())
        return false;
    grid()->selectRow(row + grid()->fixedRowCount());
    return true;
}

bool GridAccessible::selectColumn(int column) {
    if (column < 0 || column >= columnCount() || !grid()->selectionEnabled())
        return false;
    grid()->selectColumn(column + grid()->fixedColumnCount());
    return true;
}

// The grid keeps one rectangle of selected cells; taking a row or column out of it clears it.
bool GridAccessible::unselectRow(int row) {
    if (!isRowSelected(row))
        return false;
    grid()->clearSelection();
    return true;
}

bool GridAccessible::unselectColumn(int column) {
    if (!isColumnSelected(column))
        return false;
    grid()->clearSelection();
    return true;
}

} // namespace telvarin
