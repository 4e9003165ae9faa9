#pragma once

// What a screen reader sees of the table grid: a table whose cells are the grid's non-fixed cells,
// with the fixed rows as column headers and the fixed columns as row headers, each cell's tip
// text as its description, and focus and selection events as the cursor moves.

#include <QAccessibleWidget>
#include <QHash>
#include <QMetaObject>
#include <QPointer>
#include <utility>

namespace telvarin {

class TableGrid;

// Installs the accessibility factory for every TableGrid (once) and drops an interface that a
// screen reader's bridge made for the grid while it was still being constructed as a plain scroll
// area. Called from the grid's constructor.
void installGridAccessibility(TableGrid* grid);

class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridAccessible(TableGrid* grid);
    ~GridAccessible() override;

    // QAccessibleInterface
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    // QAccessibleTableInterface, in the coordinates of the non-fixed cells
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return int(selectedColumns().size()); }
    int selectedRowCount() const override { return int(selectedRows().size()); }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int column) override;
    bool unselectRow(int row) override;
    bool unselectColumn(int column) override;
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    TableGrid* grid() const;
    // The interface of a grid cell by its grid coordinates (fixed cells included); null outside.
    QAccessibleInterface* gridCell(int row, int col) const;

private:
    void announceFocus(int row, int col);

    // Cells get their interfaces on first use and keep them while the grid lives.
    mutable QHash<std::pair<int, int>, QAccessible::Id> cells_;
    QMetaObject::Connection focusConnection_;
};

} // namespace telvarin
