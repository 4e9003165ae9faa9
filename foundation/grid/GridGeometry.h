#pragma once

// Where the rows and columns of a table grid fall in its viewport: the fixed ones first, then the
// others from the scroll position on. Made on demand from the cell store, the scroll position and
// the viewport's size; it keeps nothing of its own.

#include "foundation/grid/GridCell.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>
#include <vector>

namespace telvarin {

class GridCellStore;

// One shown row or column: its index, its start and its size in the painter's coordinates.
struct GridSpan {
    int index = 0;
    int pos = 0;
    int size = 0;
};

class GridGeometry {
public:
    // rowScroll and columnScroll: how many rows and columns past the fixed ones are scrolled away.
    GridGeometry(const GridCellStore& store, int rowScroll, int columnScroll, QSize viewport);

    int firstScrollRow() const;
    int firstScrollColumn() const;

    // The rows and columns shown, hidden ones (size 0) left out.
    std::vector<GridSpan> visibleRowSpans() const;
    std::vector<GridSpan> visibleColumnSpans() const;
    // An empty rectangle for cells out of view.
    QRect cellRect(int row, int col) const;
    GridCellPos cellAt(const QPoint& pos) const;

    // The largest scroll positions: from there on the remaining rows (columns) fit the viewport.
    int lastRowScroll() const;
    int lastColumnScroll() const;
    // The rows that fit below the fixed ones from the present scroll position on.
    int pageRowCount() const;
    // The scroll position that brings a non-fixed row (column) into view; none while it is in view.
    std::optional<int> rowScrollShowing(int row) const;
    std::optional<int> columnScrollShowing(int col) const;

    // The next row (column) in the direction of step that is not hidden; the count, or -1, past
    // the end.
    int nextVisibleRow(int row, int step) const;
    int nextVisibleColumn(int col, int step) const;

    // A divider between columns in the fixed rows, or between rows in the fixed columns, within
    // reach of pos; index is the column or row before it.
    enum class Divider { None, Column, Row };
    Divider dividerAt(const QPoint& pos, bool columnResize, bool rowResize, int* index) const;

private:
    int fixedHeight() const;
    int fixedWidth() const;

    const GridCellStore& store_;
    int rowScroll_;
    int columnScroll_;
    QSize viewport_;
};

} // namespace telvarin
