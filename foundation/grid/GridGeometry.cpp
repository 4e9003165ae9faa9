#include "foundation/grid/GridGeometry.h"

#include "foundation/grid/GridCellStore.h"

#include <algorithm>
#include <cstdlib>

namespace telvarin {

namespace {

// How near a divider the mouse grabs it, in pixels either side.
constexpr int kDividerRange = 3;

} // namespace

GridGeometry::GridGeometry(const GridCellStore& store, int rowScroll, int columnScroll, QSize viewport)
    : store_(store), rowScroll_(rowScroll), columnScroll_(columnScroll), viewport_(viewport) {}

int GridGeometry::firstScrollRow() const {
    return store_.fixedRowCount() + rowScroll_;
}

int GridGeometry::firstScrollColumn() const {
    return store_.fixedColumnCount() + columnScroll_;
}

int GridGeometry::fixedHeight() const {
    int height = 0;
    for (int r = 0; r < store_.fixedRowCount(); ++r)
        height += store_.rowHeight(r);
    return height;
}

int GridGeometry::fixedWidth() const {
    int width = 0;
    for (int c = 0; c < store_.fixedColumnCount(); ++c)
        width += store_.columnWidth(c);
    return width;
}

std::vector<GridSpan> GridGeometry::visibleRowSpans() const {
    std::vector<GridSpan> spans;
    const int limit = viewport_.height();
    int y = 0;
    for (int r = 0; r < store_.fixedRowCount() && y < limit; ++r) {
        if (store_.rowHeight(r) > 0)
            spans.push_back({r, y, store_.rowHeight(r)});
        y += store_.rowHeight(r);
    }
    for (int r = firstScrollRow(); r < store_.rowCount() && y < limit; ++r) {
        if (store_.rowHeight(r) > 0)
            spans.push_back({r, y, store_.rowHeight(r)});
        y += store_.rowHeight(r);
    }
    return spans;
}

std::vector<GridSpan> GridGeometry::visibleColumnSpans() const {
    std::vector<GridSpan> spans;
    const int limit = viewport_.width();
    int x = 0;
    for (int c = 0; c < store_.fixedColumnCount() && x < limit; ++c) {
        if (store_.columnWidth(c) > 0)
            spans.push_back({c, x, store_.columnWidth(c)});
        x += store_.columnWidth(c);
    }
    for (int c = firstScrollColumn(); c < store_.columnCount() && x < limit; ++c) {
        if (store_.columnWidth(c) > 0)
            spans.push_back({c, x, store_.columnWidth(c)});
        x += store_.columnWidth(c);
    }
    return spans;
}

QRect GridGeometry::cellRect(int row, int col) const {
    if (!store_.contains(row, col))
        return {};
    auto position = [](int index, int fixed, int firstScroll, auto size) -> int {
        int pos = 0;
        if (index < fixed) {
            for (int i = 0; i < index; ++i)
                pos += size(i);
            return pos;
        }
        if (index < firstScroll)
            return -1;
        for (int i = 0; i < fixed; ++i)
            pos += size(i);
        for (int i = firstScroll; i < index; ++i)
            pos += size(i);
        return pos;
    };
    const int x = position(col, store_.fixedColumnCount(), firstScrollColumn(),
                           [this](int c) { return store_.columnWidth(c); });
    const int y = position(row, store_.fixedRowCount(), firstScrollRow(),
                           [this](int r) { return store_.rowHeight(r); });
    if (x < 0 || y < 0 || x >= viewport_.width() || y >= viewport_.height())
        return {};
    return QRect(x, y, store_.columnWidth(col), store_.rowHeight(row));
}

GridCellPos GridGeometry::cellAt(const QPoint& pos) const {
    GridCellPos found;
    for (const GridSpan& span : visibleRowSpans()) {
        if (pos.y() >= span.pos && pos.y() < span.pos + span.size)
            found.row = span.index;
    }
    for (const GridSpan& span : visibleColumnSpans()) {
        if (pos.x() >= span.pos && pos.x() < span.pos + span.size)
            found.col = span.index;
    }
    return found.isValid() ? found : GridCellPos{};
}

int GridGeometry::lastRowScroll() const {
    const int fixedRows = store_.fixedRowCount();
    const int available = viewport_.height() - fixedHeight();
    int first = store_.rowCount();
    for (int used = 0; first > fixedRows && used + store_.rowHeight(first - 1) <= available; --first)
        used += store_.rowHeight(first - 1);
    return std::max(0, first - fixedRows);
}

int GridGeometry::lastColumnScroll() const {
    const int fixedCols = store_.fixedColumnCount();
    const int available = viewport_.width() - fixedWidth();
    int first = store_.columnCount();
    for (int used = 0; first > fixedCols && used + store_.columnWidth(first - 1) <= available; --first)
        used += store_.columnWidth(first - 1);
    return std::max(0, first - fixedCols);
}

int GridGeometry::pageRowCount() const {
    int height = viewport_.height() - fixedHeight();
    int rows = 0;
    for (int r = firstScrollRow(); r < store_.rowCount() && height >= store_.rowHeight(r); ++r) {
        height -= store_.rowHeight(r);
        ++rows;
    }
    return rows;
}

std::optional<int> GridGeometry::rowScrollShowing(int row) const {
    const int fixedRows = store_.fixedRowCount();
    if (row < fixedRows || row >= store_.rowCount())
        return std::nullopt;
    const int available = viewport_.height() - fixedHeight();
    // The first row from which the rows down to this one fit.
    int top = row;
    for (int used = store_.rowHeight(row); top > fixedRows && used + store_.rowHeight(top - 1) <= available;
         --top)
        used += store_.rowHeight(top - 1);
    if (row < firstScrollRow())
        return row - fixedRows;
    if (firstScrollRow() < top)
        return top - fixedRows;
    return std::nullopt;
}

std::optional<int> GridGeometry::columnScrollShowing(int col) const {
    const int fixedCols = store_.fixedColumnCount();
    if (col < fixedCols || col >= store_.columnCount())
        return std::nullopt;
    const int available = viewport_.width() - fixedWidth();
    int left = col;
    for (int used = store_.columnWidth(col);
         left > fixedCols && used + store_.columnWidth(left - 1) <= available; --left)
        used += store_.columnWidth(left - 1);
    if (col < firstScrollColumn())
        return col - fixedCols;
    if (firstScrollColumn() < left)
        return left - fixedCols;
    return std::nullopt;
}

int GridGeometry::nextVisibleRow(int row, int step) const {
    for (int r = row + step; r >= 0 && r < store_.rowCount(); r += step) {
        if (store_.rowHeight(r) > 0)
            return r;
    }
    return step > 0 ? store_.rowCount() : -1;
}

int GridGeometry::nextVisibleColumn(int col, int step) const {
    for (int c = col + step; c >= 0 && c < store_.columnCount(); c += step) {
        if (store_.columnWidth(c) > 0)
            return c;
    }
    return step > 0 ? store_.columnCount() : -1;
}

GridGeometry::Divider GridGeometry::dividerAt(const QPoint& pos, bool columnResize, bool rowResize,
                                              int* index) const {
    const std::vector<GridSpan> rows = visibleRowSpans();
    const std::vector<GridSpan> cols = visibleColumnSpans();
    int shownFixedHeight = 0;
    for (const GridSpan& row : rows)
        shownFixedHeight = row.index < store_.fixedRowCount() ? row.pos + row.size : shownFixedHeight;
    int shownFixedWidth = 0;
    for (const GridSpan& col : cols)
        shownFixedWidth = col.index < store_.fixedColumnCount() ? col.pos + col.size : shownFixedWidth;
    if (columnResize && pos.y() < shownFixedHeight) {
        for (const GridSpan& col : cols) {
            if (std::abs(pos.x() - (col.pos + col.size)) <= kDividerRange) {
                *index = col.index;
                return Divider::Column;
            }
        }
    }
    if (rowResize && pos.x() < shownFixedWidth) {
        for (const GridSpan& row : rows) {
            if (std::abs(pos.y() - (row.pos + row.size)) <= kDividerRange) {
                *index = row.index;
                return Divider::Row;
            }
        }
    }
    return Divider::None;
}

} // namespace telvarin
