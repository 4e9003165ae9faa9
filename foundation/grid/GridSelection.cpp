#include "foundation/grid/GridSelection.h"

#include "foundation/grid/GridCellStore.h"

#include <algorithm>

namespace telvarin {

void GridSelection::placeFocus(GridCellPos cell, bool extend, bool listMode) {
    focus_ = cell;
    const int firstCol = store_.fixedColumnCount();
    const int lastCol = store_.columnCount() - 1;
    if (extend && anchor_.isValid()) {
        const int from = listMode ? firstCol : std::min(anchor_.col, cell.col);
        const int to = listMode ? lastCol : std::max(anchor_.col, cell.col);
        select(std::min(anchor_.row, cell.row), from, std::max(anchor_.row, cell.row), to);
        return;
    }
    anchor_ = cell;
    if (listMode)
        select(cell.row, firstCol, cell.row, lastCol);
    else
        select(cell.row, cell.col, cell.row, cell.col);
}

void GridSelection::keepWithinRows() {
    const int rows = store_.rowCount();
    bottom_ = std::min(bottom_, rows - 1);
    if (focus_.row >= rows)
        focus_ = rows > store_.fixedRowCount() && focus_.col >= 0 ? GridCellPos{rows - 1, focus_.col}
                                                                  : GridCellPos{};
}

void GridSelection::keepWithinColumns() {
    const int cols = store_.columnCount();
    right_ = std::min(right_, cols - 1);
    if (focus_.col >= cols)
        focus_ = cols > store_.fixedColumnCount() && focus_.row >= 0 ? GridCellPos{focus_.row, cols - 1}
                                                                     : GridCellPos{};
}

void GridSelection::select(int top, int left, int bottom, int right) {
    for (int r = std::max(top_, 0); r <= bottom_ && r < store_.rowCount(); ++r) {
        for (int c = std::max(left_, 0); c <= right_ && c < store_.columnCount(); ++c)
            store_.cell(r, c).state &= ~GridSelected;
    }
    top_ = std::max(top, store_.fixedRowCount());
    left_ = std::max(left, store_.fixedColumnCount());
    bottom_ = std::min(bottom, store_.rowCount() - 1);
    right_ = std::min(right, store_.columnCount() - 1);
    for (int r = top_; r <= bottom_; ++r) {
        for (int c = left_; c <= right_; ++c)
            store_.cell(r, c).state |= GridSelected;
    }
}

bool GridSelection::isSelected(int row, int col) const {
    return store_.contains(row, col) && (store_.cell(row, col).state & GridSelected);
}

std::vector<int> GridSelection::selectedRows() const {
    std::vector<int> rows;
    for (int r = std::max(top_, 0); r <= bottom_; ++r) {
        for (int c = std::max(left_, 0); c <= right_; ++c) {
            if (store_.cell(r, c).state & GridSelected) {
                rows.push_back(r);
                break;
            }
        }
    }
    return rows;
}

} // namespace telvarin
