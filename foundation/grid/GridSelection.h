#pragma once

// Where a table grid's focus rests and which of its cells are selected: the focus cell, the
// anchor a shift-extended selection grows from, and the bounds of the selected cells, which carry
// GridSelected in the cell store so that drawing and the screen reader read it per cell.

#include "foundation/grid/GridCell.h"

#include <vector>

namespace telvarin {

class GridCellStore;

class GridSelection {
public:
    explicit GridSelection(GridCellStore& store) : store_(store) {}

    GridCellPos focus() const { return focus_; }
    GridCellPos anchor() const { return anchor_; }

    // The focus on a non-fixed cell (the caller clamps). Extending, the selection reaches from
    // the anchor to the focus; else the anchor moves with it and the focus cell (in list mode its
    // row) alone is selected.
    void placeFocus(GridCellPos cell, bool extend, bool listMode);
    // After the table shrank: a focus beyond it moves to the last row (column), or goes.
    void keepWithinRows();
    void keepWithinColumns();

    // Marks the non-fixed cells of the rectangle as the selection, instead of the ones before.
    void select(int top, int left, int bottom, int right);
    void clear() { select(0, 0, -1, -1); }

    // The selected cells lie within these bounds (empty when bottom < top).
    int top() const { return top_; }
    int left() const { return left_; }
    int bottom() const { return bottom_; }
    int right() const { return right_; }
    bool isSelected(int row, int col) const;
    // The rows with a selected cell, ascending.
    std::vector<int> selectedRows() const;

private:
    GridCellStore& store_;
    GridCellPos focus_;
    GridCellPos anchor_;
    int top_ = 0;
    int left_ = 0;
    int bottom_ = -1;
    int right_ = -1;
};

} // namespace telvarin
