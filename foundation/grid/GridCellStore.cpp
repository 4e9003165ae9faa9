#include "foundation/grid/GridCellStore.h"

#include <algorithm>
#include <utility>

namespace telvarin {

void GridCellStore::setRowCount(int rows, int newRowHeight) {
    rows = std::max(rows, 0);
    if (rows == rowCount())
        return;
    const bool shrinking = rows < rowCount();
    rowHeights_.resize(static_cast<std::size_t>(rows), std::max(newRowHeight, 0));
    cells_.resize(static_cast<std::size_t>(rows) * columnWidths_.size());
    if (shrinking)
        dropUnusedExtras();
    fixedRows_ = std::min(fixedRows_, rows);
}

void GridCellStore::setColumnCount(int cols, int newColumnWidth) {
    cols = std::max(cols, 0);
    const int oldCols = columnCount();
    if (cols == oldCols)
        return;
    std::vector<GridCell> cells(static_cast<std::size_t>(rowCount()) * static_cast<std::size_t>(cols));
    const int kept = std::min(cols, oldCols);
    for (int r = 0; r < rowCount(); ++r) {
        auto from = cells_.begin() + static_cast<std::ptrdiff_t>(r) * oldCols;
        std::move(from, from + kept, cells.begin() + static_cast<std::ptrdiff_t>(r) * cols);
    }
    cells_ = std::move(cells);
    columnWidths_.resize(static_cast<std::size_t>(cols), std::max(newColumnWidth, 0));
    if (cols < oldCols)
        dropUnusedExtras();
    fixedCols_ = std::min(fixedCols_, cols);
}

void GridCellStore::setFixedRowCount(int rows) {
    fixedRows_ = std::clamp(rows, 0, rowCount());
}

void GridCellStore::setFixedColumnCount(int cols) {
    fixedCols_ = std::clamp(cols, 0, columnCount());
}

void GridCellStore::setRowHeight(int row, int height) {
    if (row >= 0 && row < rowCount())
        rowHeights_[row] = std::max(height, 0);
}

void GridCellStore::setColumnWidth(int col, int width) {
    if (col >= 0 && col < columnCount())
        columnWidths_[col] = std::max(width, 0);
}

int GridCellStore::totalWidth() const {
    int total = 0;
    for (int width : columnWidths_)
        total += width;
    return total;
}

int GridCellStore::totalHeight() const {
    int total = 0;
    for (int height : rowHeights_)
        total += height;
    return total;
}

bool GridCellStore::setText(int row, int col, const QString& text) {
    if (!contains(row, col))
        return false;
    cell(row, col).text = text;
    return true;
}

QString GridCellStore::tipText(int row, int col) const {
    if (!contains(row, col))
        return {};
    const GridCellExtra* e = extra(row, col);
    return e ? e->tip : QString();
}

void GridCellStore::setTipText(int row, int col, const QString& tip) {
    if (!contains(row, col) || (tip.isEmpty() && !extra(row, col)))
        return;
    extraForWriting(row, col).tip = tip;
}

bool GridCellStore::setTextColour(int row, int col, const QColor& colour) {
    if (!contains(row, col))
        return false;
    cell(row, col).textColour = gridColourOf(colour);
    return true;
}

bool GridCellStore::setBackgroundColour(int row, int col, const QColor& colour) {
    if (!contains(row, col))
        return false;
    cell(row, col).background = gridColourOf(colour);
    return true;
}

bool GridCellStore::setFormat(int row, int col, std::uint16_t format) {
    if (!contains(row, col))
        return false;
    cell(row, col).format = format;
    return true;
}

bool GridCellStore::setFont(int row, int col, const QFont& font) {
    if (!contains(row, col))
        return false;
    extraForWriting(row, col).font = font;
    return true;
}

std::int32_t GridCellStore::userValue(int row, int col) const {
    if (!contains(row, col))
        return 0;
    const GridCellExtra* e = extra(row, col);
    return e ? e->userValue : 0;
}

void GridCellStore::setUserValue(int row, int col, std::int32_t value) {
    if (!contains(row, col) || (value == 0 && !extra(row, col)))
        return;
    extraForWriting(row, col).userValue = value;
}

void GridCellStore::setReadOnly(int row, int col, bool readOnly) {
    if (!contains(row, col))
        return;
    std::uint16_t& state = cell(row, col).state;
    state = readOnly ? (state | GridReadOnly) : (state & ~GridReadOnly);
}

GridCellStyle GridCellStore::cellStyle(int row, int col, const QFont& gridFont) const {
    const GridDefaultCell& defaults = defaultCell(isFixedCell(row, col));
    GridCellStyle style;
    style.textColour = defaults.textColour;
    style.background = defaults.background;
    style.font = defaults.font ? *defaults.font : gridFont;
    style.format = defaults.format;
    if (!contains(row, col))
        return style;
    const GridCell& c = cell(row, col);
    if (c.textColour != kGridDefaultColour)
        style.textColour = QColor::fromRgba(c.textColour);
    if (c.background != kGridDefaultColour)
        style.background = QColor::fromRgba(c.background);
    style.format = c.format;
    if (const GridCellExtra* e = extra(row, col); e && e->font)
        style.font = *e->font;
    return style;
}

const GridCellExtra* GridCellStore::extra(int row, int col) const {
    const std::uint32_t e = cell(row, col).extra;
    return e == 0 ? nullptr : &extras_[e - 1];
}

GridCellExtra& GridCellStore::extraForWriting(int row, int col) {
    GridCell& c = cell(row, col);
    if (c.extra == 0) {
        extras_.emplace_back();
        c.extra = static_cast<std::uint32_t>(extras_.size());
    }
    return extras_[c.extra - 1];
}

void GridCellStore::permuteRows(int first, std::span<const int> order) {
    // Follows the cycles of the permutation with one row of scratch space, so that sorting the
    // largest table needs no second copy of its cells.
    const auto cols = static_cast<std::ptrdiff_t>(columnWidths_.size());
    auto rowStart = [&](std::size_t position) {
        return cells_.begin() + static_cast<std::ptrdiff_t>(first + position) * cols;
    };
    std::vector<GridCell> buffer(static_cast<std::size_t>(cols));
    std::vector<bool> placed(order.size());
    for (std::size_t start = 0; start < order.size(); ++start) {
        if (placed[start])
            continue;
        std::move(rowStart(start), rowStart(start) + cols, buffer.begin());
        const int savedHeight = rowHeights_[first + start];
        std::size_t position = start;
        while (true) {
            placed[position] = true;
            const auto source = static_cast<std::size_t>(order[position] - first);
            if (source == start) {
                std::move(buffer.begin(), buffer.end(), rowStart(position));
                rowHeights_[first + position] = savedHeight;
                break;
            }
            std::move(rowStart(source), rowStart(source) + cols, rowStart(position));
            rowHeights_[first + position] = rowHeights_[first + source];
            position = source;
        }
    }
}

void GridCellStore::permuteColumns(int first, std::span<const int> order) {
    const std::size_t cols = columnWidths_.size();
    std::vector<GridCell> rowBuffer(order.size());
    for (int r = 0; r < rowCount(); ++r) {
        GridCell* row = cells_.data() + static_cast<std::size_t>(r) * cols;
        for (std::size_t i = 0; i < order.size(); ++i)
            rowBuffer[i] = std::move(row[order[i]]);
        std::move(rowBuffer.begin(), rowBuffer.end(), row + first);
    }
    std::vector<int> widths(order.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        widths[i] = columnWidths_[order[i]];
    std::copy(widths.begin(), widths.end(), columnWidths_.begin() + first);
}

void GridCellStore::clearState(std::uint16_t bits) {
    const auto keep = static_cast<std::uint16_t>(~bits);
    for (GridCell& c : cells_)
        c.state &= keep;
}

void GridCellStore::dropUnusedExtras() {
    std::vector<GridCellExtra> kept;
    for (GridCell& c : cells_) {
        if (c.extra != 0) {
            kept.push_back(std::move(extras_[c.extra - 1]));
            c.extra = static_cast<std::uint32_t>(kept.size());
        }
    }
    extras_ = std::move(kept);
}

} // namespace telvarin
