#include "foundation/grid/GridSizing.h"

#include "foundation/grid/GridCellStore.h"

#include <QFontMetrics>
#include <algorithm>

namespace telvarin {

int GridSizing::cellWidthFor(int row, int col, const QString& text) const {
    const GridCellStyle style = store_.cellStyle(row, col, gridFont_);
    const int flags = (style.format & GridSingleLine) ? Qt::TextSingleLine : 0;
    return QFontMetrics(style.font).size(flags, text).width() + 2 * kGridCellMargin + 2;
}

bool GridSizing::isTextCut(int row, int col, bool gridLines) const {
    const QString text = store_.text(row, col);
    const int width = store_.columnWidth(col);
    if (text.isEmpty() || width <= 0)
        return false;
    // The text area of a cell: its width less the margins and the grid line.
    const int room = width - 2 * kGridCellMargin - (gridLines ? 1 : 0);
    return QFontMetrics(store_.cellStyle(row, col, gridFont_).font).horizontalAdvance(text) > room;
}

int GridSizing::measuredWidth(int row, int col) const {
    return cellWidthFor(row, col, store_.text(row, col));
}

int GridSizing::measuredHeight(int row, int col) const {
    const GridCellStyle style = store_.cellStyle(row, col, gridFont_);
    const QString text = store_.text(row, col);
    const QFontMetrics metrics(style.font);
    const int flags = (style.format & GridSingleLine) ? Qt::TextSingleLine : 0;
    return std::max(metrics.size(flags, text).height(), metrics.height()) + 2 * kGridCellMargin;
}

int GridSizing::autoColumnWidth(int col, int maxWidth) const {
    int width = 0;
    for (int r = 0; r < store_.rowCount(); ++r)
        width = std::max(width, measuredWidth(r, col));
    return maxWidth > 0 ? std::min(width, maxWidth) : width;
}

std::vector<int> GridSizing::autoColumnWidths(int fullColumns, int maxWidth) const {
    const int rows = store_.rowCount();
    std::vector<int> widths(static_cast<std::size_t>(store_.columnCount()), 0);
    if (rows == 0)
        return widths;
    // Every header row counts, so that sums and counts shown in them are never clipped.
    const int headerRows = std::clamp(store_.fixedRowCount(), 1, rows);
    for (int c = 0; c < store_.columnCount(); ++c) {
        int width = 0;
        for (int r = 0; r < headerRows; ++r)
            width = std::max(width, measuredWidth(r, c));
        if (c < fullColumns) {
            for (int r = 1; r < rows; ++r)
                width = std::max(width, measuredWidth(r, c));
        }
        widths[static_cast<std::size_t>(c)] = maxWidth > 0 ? std::min(width, maxWidth) : width;
    }
    return widths;
}

std::vector<int> GridSizing::autoRowHeights(int fullColumns, int maxHeight) const {
    std::vector<int> heights(static_cast<std::size_t>(store_.rowCount()), -1);
    for (int r = 0; r < store_.rowCount(); ++r) {
        const int measuredColumns =
            r == 0 ? store_.columnCount() : std::min(fullColumns, store_.columnCount());
        if (measuredColumns == 0)
            continue;
        int height = 0;
        for (int c = 0; c < measuredColumns; ++c)
            height = std::max(height, measuredHeight(r, c));
        heights[static_cast<std::size_t>(r)] = maxHeight > 0 ? std::min(height, maxHeight) : height;
    }
    return heights;
}

bool expandColumnsToFit(GridCellStore& store, int width) {
    std::vector<int> shown;
    for (int c = 0; c < store.columnCount(); ++c) {
        if (store.columnWidth(c) > 0)
            shown.push_back(c);
    }
    const int missing = width - store.totalWidth();
    if (shown.empty() || missing <= 0)
        return false;
    const int each = missing / static_cast<int>(shown.size());
    for (int c : shown)
        store.setColumnWidth(c, store.columnWidth(c) + each);
    const int last = shown.back();
    store.setColumnWidth(last, store.columnWidth(last) + missing - each * static_cast<int>(shown.size()));
    return true;
}

bool ColumnWidthFill::fill(GridCellStore& store, int width) {
    // Widths other than the ones widened last were set since; they are the ones to widen from.
    if (std::vector<int> present = store.columnWidths(); present != filledWidths_)
        widthsToFill_ = std::move(present);
    for (int c = 0; c < store.columnCount(); ++c)
        store.setColumnWidth(c, widthsToFill_[static_cast<std::size_t>(c)]);
    const bool widened = expandColumnsToFit(store, width);
    filledWidths_ = store.columnWidths();
    return widened;
}

} // namespace telvarin
