#pragma once

// The cells, row heights and column widths of a table grid, without any drawing: one vector of
// cells in row-major order, the rarely set attributes out of line.

#include "foundation/grid/GridCell.h"

#include <span>
#include <vector>

namespace telvarin {

class GridCellStore {
public:
    int rowCount() const { return static_cast<int>(rowHeights_.size()); }
    int columnCount() const { return static_cast<int>(columnWidths_.size()); }
    bool contains(int row, int col) const {
        return row >= 0 && col >= 0 && row < rowCount() && col < columnCount();
    }

    // New rows and columns take these sizes.
    void setRowCount(int rows, int newRowHeight);
    void setColumnCount(int cols, int newColumnWidth);

    int rowHeight(int row) const { return row >= 0 && row < rowCount() ? rowHeights_[row] : 0; }
    int columnWidth(int col) const { return col >= 0 && col < columnCount() ? columnWidths_[col] : 0; }
    void setRowHeight(int row, int height);
    void setColumnWidth(int col, int width);

    // Callers check contains() first.
    GridCell& cell(int row, int col) { return cells_[index(row, col)]; }
    const GridCell& cell(int row, int col) const { return cells_[index(row, col)]; }

    const GridCellExtra* extra(int row, int col) const;
    GridCellExtra& extraForWriting(int row, int col);

    // Reorders whole rows (with their heights) or whole columns (with their widths): the row or
    // column at position i afterwards is the one that was at order[i]. order covers [first, count).
    void permuteRows(int first, std::span<const int> order);
    void permuteColumns(int first, std::span<const int> order);

    // Clears the given state bits in every cell.
    void clearState(std::uint16_t bits);

private:
    std::size_t index(int row, int col) const {
        return static_cast<std::size_t>(row) * columnWidths_.size() + static_cast<std::size_t>(col);
    }
    void dropUnusedExtras();

    std::vector<GridCell> cells_;
    std::vector<GridCellExtra> extras_;
    std::vector<int> rowHeights_;
    std::vector<int> columnWidths_;
};

} // namespace telvarin
