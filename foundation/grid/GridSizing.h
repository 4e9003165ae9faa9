#pragma once

// How large the cells of a table grid must be for their texts, and the sizes made of that: the
// automatic column widths and row heights, and columns widened to fill a width. Measured in each
// cell's font; the grid applies the sizes and redraws.

#include <QFont>
#include <QString>
#include <vector>

namespace telvarin {

class GridCellStore;

// Between a cell's text and its edges, left and right, top and bottom.
inline constexpr int kGridCellMargin = 2;

class GridSizing {
public:
    GridSizing(const GridCellStore& store, const QFont& gridFont) : store_(store), gridFont_(gridFont) {}

    // The width a cell needs to show `text` whole, in the cell's font and with its margins.
    int cellWidthFor(int row, int col, const QString& text) const;
    // Whether the cell's column is too narrow for its text; a grid line takes a pixel of it.
    bool isTextCut(int row, int col, bool gridLines) const;

    // The width of the column's widest cell; at most maxWidth while that is above 0.
    int autoColumnWidth(int col, int maxWidth) const;
    // Per column the width of its widest header cell (the fixed rows, at least row 0), for the
    // first fullColumns of its widest cell; at most maxWidth while that is above 0.
    std::vector<int> autoColumnWidths(int fullColumns, int maxWidth) const;
    // Per row the height of its tallest cell, row 0 over all its cells and the others over their
    // cells in the first fullColumns; -1 where no cell is measured. At most maxHeight while that
    // is above 0.
    std::vector<int> autoRowHeights(int fullColumns, int maxHeight) const;

private:
    int measuredWidth(int row, int col) const;
    int measuredHeight(int row, int col) const;

    const GridCellStore& store_;
    QFont gridFont_;
};

// Widens the shown columns evenly (what is left over to the last) until together they are
// `width` wide; false when they are that wide already or none is shown.
bool expandColumnsToFit(GridCellStore& store, int width);

// Columns that fill a width as it changes: the widths last set by the owner or the user, widened
// evenly, never narrower than those.
class ColumnWidthFill {
public:
    // False when no column was widened.
    bool fill(GridCellStore& store, int width);
    // The present widths are the ones to widen from.
    void restart() { filledWidths_.clear(); }

private:
    std::vector<int> widthsToFill_; // set by the owner or the user
    std::vector<int> filledWidths_; // as last widened
};

} // namespace telvarin
