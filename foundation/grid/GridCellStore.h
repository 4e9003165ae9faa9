#pragma once

// What a table grid holds, without any drawing or input: the cells with their texts and
// attributes in one vector in row-major order (the rarely set attributes out of line), the row
// heights and column widths, how many rows and columns are fixed, and the default cells.

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

    // New rows and columns take these sizes; the fixed counts shrink with the table.
    void setRowCount(int rows, int newRowHeight);
    void setColumnCount(int cols, int newColumnWidth);

    int fixedRowCount() const { return fixedRows_; }
    int fixedColumnCount() const { return fixedCols_; }
    void setFixedRowCount(int rows);
    void setFixedColumnCount(int cols);
    bool isFixedCell(int row, int col) const { return row < fixedRows_ || col < fixedCols_; }

    int rowHeight(int row) const { return row >= 0 && row < rowCount() ? rowHeights_[row] : 0; }
    int columnWidth(int col) const { return col >= 0 && col < columnCount() ? columnWidths_[col] : 0; }
    void setRowHeight(int row, int height);
    void setColumnWidth(int col, int width);
    std::vector<int> columnWidths() const { return columnWidths_; }
    int totalWidth() const;
    int totalHeight() const;

    // Cells outside the table read as empty; writes to them are ignored and answer false.
    QString text(int row, int col) const { return contains(row, col) ? cell(row, col).text : QString(); }
    bool setText(int row, int col, const QString& text);
    QString tipText(int row, int col) const;
    void setTipText(int row, int col, const QString& tip);
    // An invalid QColor means "default".
    bool setTextColour(int row, int col, const QColor& colour);
    bool setBackgroundColour(int row, int col, const QColor& colour);
    bool setFormat(int row, int col, std::uint16_t format);
    bool setFont(int row, int col, const QFont& font);
    std::int32_t userValue(int row, int col) const;
    void setUserValue(int row, int col, std::int32_t value);
    void setReadOnly(int row, int col, bool readOnly);
    bool isReadOnly(int row, int col) const {
        return contains(row, col) && (cell(row, col).state & GridReadOnly);
    }

    GridDefaultCell& defaultCell(bool fixed) { return fixed ? fixedDefault_ : normalDefault_; }
    const GridDefaultCell& defaultCell(bool fixed) const { return fixed ? fixedDefault_ : normalDefault_; }
    // The cell's own attributes over its defaults; gridFont where neither gives a font.
    GridCellStyle cellStyle(int row, int col, const QFont& gridFont) const;

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
    int fixedRows_ = 0;
    int fixedCols_ = 0;
    GridDefaultCell normalDefault_;
    GridDefaultCell fixedDefault_;
};

} // namespace telvarin
