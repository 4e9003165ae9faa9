#include "foundation/grid/TableGrid.h"

#include "foundation/files/FileReplacement.h"
#include "foundation/grid/GlyphRoom.h"
#include "foundation/grid/GridAccessible.h"
#include "foundation/grid/GridPrinter.h"
#include "foundation/grid/PrintChoices.h"
#include "foundation/grid/TitleTip.h"
#include "foundation/text/QtCodePage.h"

#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>

namespace telvarin {

namespace {

constexpr int kCellMargin = 2;

std::int64_t steadyMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

TableGrid::TableGrid(QWidget* parent) : QAbstractScrollArea(parent) {
    installGridAccessibility(this);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setSingleStep(1);

    followPalette();
    m_defaultRowHeight = roomyLineHeight(font()) + 2 * kCellMargin;

    m_clock = steadyMilliseconds;
    m_printDialog = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        return dialog.exec() == QDialog::Accepted;
    };
}

TableGrid::~TableGrid() = default;

// ---- counts and sizes ----

void TableGrid::setRowCount(int rows) {
    if (isEditing() && m_editRow >= rows)
        cancelEditor();
    // The rows are being filled anew; a tip would show a text that is gone.
    hideTitleTip();
    m_store.setRowCount(rows, m_defaultRowHeight);
    m_fixedRows = std::min(m_fixedRows, rowCount());
    m_selBottom = std::min(m_selBottom, rowCount() - 1);
    if (m_focus.row >= rowCount())
        m_focus = rowCount() > m_fixedRows && m_focus.col >= 0 ? GridCellPos{rowCount() - 1, m_focus.col}
                                                               : GridCellPos{};
    updateScrollBars();
    requestRedraw();
}

void TableGrid::setColumnCount(int cols) {
    if (isEditing() && m_editCol >= cols)
        cancelEditor();
    m_store.setColumnCount(cols, m_defaultColumnWidth);
    m_fixedCols = std::min(m_fixedCols, columnCount());
    m_selRight = std::min(m_selRight, columnCount() - 1);
    if (m_focus.col >= columnCount())
        m_focus = columnCount() > m_fixedCols && m_focus.row >= 0
                      ? GridCellPos{m_focus.row, columnCount() - 1}
                      : GridCellPos{};
    updateScrollBars();
    requestRedraw();
}

void TableGrid::setFixedRowCount(int rows) {
    m_fixedRows = std::clamp(rows, 0, rowCount());
    updateScrollBars();
    requestRedraw();
}

void TableGrid::setFixedColumnCount(int cols) {
    m_fixedCols = std::clamp(cols, 0, columnCount());
    updateScrollBars();
    requestRedraw();
}

void TableGrid::setRowHeight(int row, int height) {
    m_store.setRowHeight(row, height);
    updateScrollBars();
    requestRedraw();
}

void TableGrid::setColumnWidth(int col, int width) {
    m_store.setColumnWidth(col, width);
    updateScrollBars();
    requestRedraw();
}

void TableGrid::setDefaultRowHeight(int height) {
    m_defaultRowHeight = std::max(height, 0);
}

void TableGrid::setDefaultColumnWidth(int width) {
    m_defaultColumnWidth = std::max(width, 0);
}

int TableGrid::totalWidth() const {
    int total = 0;
    for (int c = 0; c < columnCount(); ++c)
        total += columnWidth(c);
    return total;
}

int TableGrid::totalHeight() const {
    int total = 0;
    for (int r = 0; r < rowCount(); ++r)
        total += rowHeight(r);
    return total;
}

int TableGrid::measuredWidth(int row, int col) const {
    return cellWidthFor(row, col, cellText(row, col));
}

void TableGrid::widenColumnToHeader(int col) {
    const int width = columnWidth(col);
    if (width <= 0 || rowCount() < 1)
        return;
    const int needed = cellWidthFor(0, col, cellText(0, col));
    if (needed > width)
        setColumnWidth(col, needed);
}

int TableGrid::cellWidthFor(int row, int col, const QString& text) const {
    const GridCellStyle style = cellStyle(row, col);
    const int flags = (style.format & GridSingleLine) ? Qt::TextSingleLine : 0;
    return QFontMetrics(style.font).size(flags, text).width() + 2 * kCellMargin + 2;
}

bool TableGrid::isTextCut(int row, int col) const {
    const QString text = cellText(row, col);
    if (text.isEmpty() || columnWidth(col) <= 0)
        return false;
    // The text area of a cell: its width less the margins and the grid line.
    const int room = columnWidth(col) - 2 * kCellMargin - (m_gridLines ? 1 : 0);
    return QFontMetrics(cellStyle(row, col).font).horizontalAdvance(text) > room;
}

int TableGrid::measuredHeight(int row, int col) const {
    const GridCellStyle style = cellStyle(row, col);
    const QString t = cellText(row, col);
    const QFontMetrics metrics(style.font);
    const int flags = (style.format & GridSingleLine) ? Qt::TextSingleLine : 0;
    return std::max(metrics.size(flags, t).height(), metrics.height()) + 2 * kCellMargin;
}

void TableGrid::autoSizeColumn(int col) {
    if (col < 0 || col >= columnCount())
        return;
    int width = 0;
    for (int r = 0; r < rowCount(); ++r)
        width = std::max(width, measuredWidth(r, col));
    if (m_maxColumnWidth > 0)
        width = std::min(width, m_maxColumnWidth);
    setColumnWidth(col, width);
}

void TableGrid::autoSizeColumns(int fullColumns) {
    if (rowCount() == 0)
        return;
    // Every header row counts, so that sums and counts shown in them are never clipped.
    const int headerRows = std::clamp(m_fixedRows, 1, rowCount());
    for (int c = 0; c < columnCount(); ++c) {
        int width = 0;
        for (int r = 0; r < headerRows; ++r)
            width = std::max(width, measuredWidth(r, c));
        if (c < fullColumns) {
            for (int r = 1; r < rowCount(); ++r)
                width = std::max(width, measuredWidth(r, c));
        }
        if (m_maxColumnWidth > 0)
            width = std::min(width, m_maxColumnWidth);
        m_store.setColumnWidth(c, width);
    }
    for (int r = 0; r < rowCount(); ++r) {
        const int measuredColumns = r == 0 ? columnCount() : std::min(fullColumns, columnCount());
        int height = 0;
        for (int c = 0; c < measuredColumns; ++c)
            height = std::max(height, measuredHeight(r, c));
        if (measuredColumns == 0)
            continue;
        if (m_maxRowHeight > 0)
            height = std::min(height, m_maxRowHeight);
        m_store.setRowHeight(r, height);
    }
    updateScrollBars();
    requestRedraw();
}

void TableGrid::expandColumnsToFit() {
    std::vector<int> shown;
    for (int c = 0; c < columnCount(); ++c) {
        if (columnWidth(c) > 0)
            shown.push_back(c);
    }
    const int missing = viewport()->width() - totalWidth();
    if (shown.empty() || missing <= 0)
        return;
    const int each = missing / static_cast<int>(shown.size());
    for (int c : shown)
        m_store.setColumnWidth(c, columnWidth(c) + each);
    const int last = shown.back();
    m_store.setColumnWidth(last, columnWidth(last) + missing - each * static_cast<int>(shown.size()));
    updateScrollBars();
    requestRedraw();
}

std::vector<int> TableGrid::columnWidths() const {
    std::vector<int> widths(static_cast<std::size_t>(columnCount()));
    for (int c = 0; c < columnCount(); ++c)
        widths[static_cast<std::size_t>(c)] = columnWidth(c);
    return widths;
}

void TableGrid::fillWidth() {
    // Widths other than the ones widened last were set since; they are the ones to widen from.
    if (std::vector<int> present = columnWidths(); present != m_filledWidths)
        m_widthsToFill = std::move(present);
    for (int c = 0; c < columnCount(); ++c)
        m_store.setColumnWidth(c, m_widthsToFill[static_cast<std::size_t>(c)]);
    expandColumnsToFit();
    m_filledWidths = columnWidths();
}

void TableGrid::fillWidthFromHere() {
    m_filledWidths.clear();
    fillWidth();
}

// ---- cells ----

QString TableGrid::text(int row, int col) const {
    if (!m_store.contains(row, col))
        return {};
    const QString& t = m_store.cell(row, col).text;
    return m_numericSortText ? telvarin::numericSortText(t) : t;
}

QString TableGrid::cellText(int row, int col) const {
    return m_store.contains(row, col) ? m_store.cell(row, col).text : QString();
}

void TableGrid::setText(int row, int col, const QString& text) {
    if (!m_store.contains(row, col))
        return;
    m_store.cell(row, col).text = text;
    requestRedraw();
}

QString TableGrid::tipText(int row, int col) const {
    if (!m_store.contains(row, col))
        return {};
    const GridCellExtra* extra = m_store.extra(row, col);
    return extra ? extra->tip : QString();
}

void TableGrid::setTipText(int row, int col, const QString& tip) {
    if (!m_store.contains(row, col) || (tip.isEmpty() && !m_store.extra(row, col)))
        return;
    m_store.extraForWriting(row, col).tip = tip;
}

void TableGrid::setTextColour(int row, int col, const QColor& colour) {
    if (!m_store.contains(row, col))
        return;
    m_store.cell(row, col).textColour = gridColourOf(colour);
    requestRedraw();
}

void TableGrid::setBackgroundColour(int row, int col, const QColor& colour) {
    if (!m_store.contains(row, col))
        return;
    m_store.cell(row, col).background = gridColourOf(colour);
    requestRedraw();
}

void TableGrid::setFormat(int row, int col, std::uint16_t format) {
    if (!m_store.contains(row, col))
        return;
    m_store.cell(row, col).format = format;
    requestRedraw();
}

void TableGrid::setCellFont(int row, int col, const QFont& font) {
    if (!m_store.contains(row, col))
        return;
    m_store.extraForWriting(row, col).font = font;
    requestRedraw();
}

void TableGrid::setUserValue(int row, int col, std::int32_t value) {
    if (!m_store.contains(row, col) || (value == 0 && !m_store.extra(row, col)))
        return;
    m_store.extraForWriting(row, col).userValue = value;
}

std::int32_t TableGrid::userValue(int row, int col) const {
    if (!m_store.contains(row, col))
        return 0;
    const GridCellExtra* extra = m_store.extra(row, col);
    return extra ? extra->userValue : 0;
}

void TableGrid::setCellReadOnly(int row, int col, bool readOnly) {
    if (!m_store.contains(row, col))
        return;
    std::uint16_t& state = m_store.cell(row, col).state;
    state = readOnly ? (state | GridReadOnly) : (state & ~GridReadOnly);
}

std::uint16_t TableGrid::cellState(int row, int col) const {
    if (!m_store.contains(row, col))
        return 0;
    std::uint16_t state = m_store.cell(row, col).state;
    if (isFixedCell(row, col))
        state |= GridFixed;
    if (m_focus.row == row && m_focus.col == col)
        state |= GridFocused;
    return state;
}

bool TableGrid::isCellSelected(int row, int col) const {
    return m_store.contains(row, col) && (m_store.cell(row, col).state & GridSelected);
}

bool TableGrid::isCellEditable(int row, int col) const {
    return m_editable && m_store.contains(row, col) && !isFixedCell(row, col) &&
           !(m_store.cell(row, col).state & GridReadOnly);
}

GridCellStyle TableGrid::cellStyle(int row, int col) const {
    const GridDefaultCell& defaults = defaultCell(isFixedCell(row, col));
    GridCellStyle style;
    style.textColour = defaults.textColour;
    style.background = defaults.background;
    style.font = defaults.font ? *defaults.font : font();
    style.format = defaults.format;
    if (!m_store.contains(row, col))
        return style;
    const GridCell& cell = m_store.cell(row, col);
    if (cell.textColour != kGridDefaultColour)
        style.textColour = QColor::fromRgba(cell.textColour);
    if (cell.background != kGridDefaultColour)
        style.background = QColor::fromRgba(cell.background);
    style.format = cell.format;
    if (const GridCellExtra* extra = m_store.extra(row, col); extra && extra->font)
        style.font = *extra->font;
    return style;
}

void TableGrid::setDefaultCell(bool fixed, const GridDefaultCell& cell) {
    (fixed ? m_fixedDefault : m_normalDefault) = cell;
    requestRedraw();
}

void TableGrid::setGridFont(const QFont& gridFont) {
    setFont(gridFont);
    m_defaultRowHeight = roomyLineHeight(gridFont) + 2 * kCellMargin;
    requestRedraw();
}

void TableGrid::setEditable(bool on) {
    m_editable = on;
    if (!on && isEditing())
        cancelEditor();
}

void TableGrid::setTitleTips(bool on) {
    m_titleTips = on;
    if (!on)
        hideTitleTip();
}

void TableGrid::setGridLines(bool on) {
    m_gridLines = on;
    requestRedraw();
}

// ---- focus and selection ----

void TableGrid::setFocusCell(int row, int col) {
    moveFocus(row, col, Qt::NoModifier);
}

void TableGrid::moveFocus(int row, int col, Qt::KeyboardModifiers modifiers) {
    if (rowCount() <= m_fixedRows || columnCount() <= m_fixedCols)
        return;
    row = std::clamp(row, m_fixedRows, rowCount() - 1);
    col = std::clamp(col, m_fixedCols, columnCount() - 1);
    const GridCellPos previous = m_focus;
    m_focus = {row, col};
    if ((modifiers & Qt::ShiftModifier) && m_selectionEnabled && m_anchor.isValid()) {
        extendSelectionTo(m_focus);
    } else {
        m_anchor = m_focus;
        if (m_listMode)
            setSelectedRange(row, m_fixedCols, row, columnCount() - 1);
        else
            setSelectedRange(row, col, row, col);
    }
    ensureCellVisible(row, col);
    requestRedraw();
    if (previous != m_focus) {
        emit focusCellChanged(row, col);
        updatePositionDisplay();
    }
}

void TableGrid::extendSelectionTo(const GridCellPos& cell) {
    const int left = m_listMode ? m_fixedCols : std::min(m_anchor.col, cell.col);
    const int right = m_listMode ? columnCount() - 1 : std::max(m_anchor.col, cell.col);
    setSelectedRange(std::min(m_anchor.row, cell.row), left, std::max(m_anchor.row, cell.row), right);
}

void TableGrid::setSelectedRange(int top, int left, int bottom, int right) {
    for (int r = std::max(m_selTop, 0); r <= m_selBottom && r < rowCount(); ++r) {
        for (int c = std::max(m_selLeft, 0); c <= m_selRight && c < columnCount(); ++c)
            m_store.cell(r, c).state &= ~GridSelected;
    }
    top = std::max(top, m_fixedRows);
    left = std::max(left, m_fixedCols);
    bottom = std::min(bottom, rowCount() - 1);
    right = std::min(right, columnCount() - 1);
    m_selTop = top;
    m_selLeft = left;
    m_selBottom = bottom;
    m_selRight = right;
    for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c)
            m_store.cell(r, c).state |= GridSelected;
    }
    requestRedraw();
    emit selectionChanged();
}

void TableGrid::selectCell(int row, int col) {
    if (!m_store.contains(row, col))
        return;
    moveFocus(row, col, Qt::NoModifier);
}

void TableGrid::selectRow(int row) {
    if (!m_selectionEnabled || row < m_fixedRows || row >= rowCount())
        return;
    moveFocus(row, m_focus.col >= 0 ? m_focus.col : m_fixedCols, Qt::NoModifier);
    setSelectedRange(row, m_fixedCols, row, columnCount() - 1);
}

void TableGrid::selectColumn(int col) {
    if (!m_selectionEnabled || col < m_fixedCols || col >= columnCount())
        return;
    moveFocus(m_focus.row >= 0 ? m_focus.row : m_fixedRows, col, Qt::NoModifier);
    setSelectedRange(m_fixedRows, col, rowCount() - 1, col);
}

void TableGrid::selectAll() {
    if (!m_selectionEnabled)
        return;
    setSelectedRange(m_fixedRows, m_fixedCols, rowCount() - 1, columnCount() - 1);
}

void TableGrid::clearSelection() {
    setSelectedRange(0, 0, -1, -1);
}

std::vector<int> TableGrid::selectedRows() const {
    std::vector<int> rows;
    for (int r = std::max(m_selTop, 0); r <= m_selBottom; ++r) {
        for (int c = std::max(m_selLeft, 0); c <= m_selRight; ++c) {
            if (m_store.cell(r, c).state & GridSelected) {
                rows.push_back(r);
                break;
            }
        }
    }
    return rows;
}

// ---- scrolling and geometry ----

void TableGrid::requestRedraw() {
    if (!m_updatePending) {
        m_updatePending = true;
        viewport()->update();
    }
}

void TableGrid::redraw() {
    m_updatePending = false;
    requestRedraw();
}

void TableGrid::updateScrollBars() {
    int fixedHeight = 0;
    for (int r = 0; r < m_fixedRows; ++r)
        fixedHeight += rowHeight(r);
    int fixedWidth = 0;
    for (int c = 0; c < m_fixedCols; ++c)
        fixedWidth += columnWidth(c);

    // The last scroll position is the first row from which the remaining rows fit.
    const int availableHeight = viewport()->height() - fixedHeight;
    int first = rowCount();
    for (int used = 0; first > m_fixedRows && used + rowHeight(first - 1) <= availableHeight; --first)
        used += rowHeight(first - 1);
    verticalScrollBar()->setRange(0, std::max(0, first - m_fixedRows));
    verticalScrollBar()->setPageStep(std::max(1, pageRowCount()));

    const int availableWidth = viewport()->width() - fixedWidth;
    int firstCol = columnCount();
    for (int used = 0; firstCol > m_fixedCols && used + columnWidth(firstCol - 1) <= availableWidth;
         --firstCol)
        used += columnWidth(firstCol - 1);
    horizontalScrollBar()->setRange(0, std::max(0, firstCol - m_fixedCols));
    horizontalScrollBar()->setPageStep(std::max(1, (columnCount() - m_fixedCols) / 10));
}

int TableGrid::pageRowCount() const {
    int height = viewport()->height();
    for (int r = 0; r < m_fixedRows; ++r)
        height -= rowHeight(r);
    int rows = 0;
    for (int r = firstScrollRow(); r < rowCount() && height >= rowHeight(r); ++r) {
        height -= rowHeight(r);
        ++rows;
    }
    return rows;
}

std::vector<GridSpan> TableGrid::visibleRowSpans() const {
    std::vector<GridSpan> spans;
    const int limit = viewport()->height();
    int y = 0;
    for (int r = 0; r < m_fixedRows && y < limit; ++r) {
        if (rowHeight(r) > 0)
            spans.push_back({r, y, rowHeight(r)});
        y += rowHeight(r);
    }
    for (int r = firstScrollRow(); r < rowCount() && y < limit; ++r) {
        if (rowHeight(r) > 0)
            spans.push_back({r, y, rowHeight(r)});
        y += rowHeight(r);
    }
    return spans;
}

std::vector<GridSpan> TableGrid::visibleColumnSpans() const {
    std::vector<GridSpan> spans;
    const int limit = viewport()->width();
    int x = 0;
    for (int c = 0; c < m_fixedCols && x < limit; ++c) {
        if (columnWidth(c) > 0)
            spans.push_back({c, x, columnWidth(c)});
        x += columnWidth(c);
    }
    for (int c = firstScrollColumn(); c < columnCount() && x < limit; ++c) {
        if (columnWidth(c) > 0)
            spans.push_back({c, x, columnWidth(c)});
        x += columnWidth(c);
    }
    return spans;
}

QRect TableGrid::cellRect(int row, int col) const {
    if (!m_store.contains(row, col))
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
    const int x = position(col, m_fixedCols, firstScrollColumn(), [this](int c) { return columnWidth(c); });
    const int y = position(row, m_fixedRows, firstScrollRow(), [this](int r) { return rowHeight(r); });
    if (x < 0 || y < 0 || x >= viewport()->width() || y >= viewport()->height())
        return {};
    return QRect(x, y, columnWidth(col), rowHeight(row));
}

GridCellPos TableGrid::cellAt(const QPoint& pos) const {
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

void TableGrid::ensureCellVisible(int row, int col) {
    if (row >= m_fixedRows && row < rowCount()) {
        int available = viewport()->height();
        for (int r = 0; r < m_fixedRows; ++r)
            available -= rowHeight(r);
        int top = row;
        for (int used = rowHeight(row); top > m_fixedRows && used + rowHeight(top - 1) <= available; --top)
            used += rowHeight(top - 1);
        if (row < firstScrollRow())
            verticalScrollBar()->setValue(row - m_fixedRows);
        else if (firstScrollRow() < top)
            verticalScrollBar()->setValue(top - m_fixedRows);
    }
    if (col >= m_fixedCols && col < columnCount()) {
        int available = viewport()->width();
        for (int c = 0; c < m_fixedCols; ++c)
            available -= columnWidth(c);
        int left = col;
        for (int used = columnWidth(col); left > m_fixedCols && used + columnWidth(left - 1) <= available;
             --left)
            used += columnWidth(left - 1);
        if (col < firstScrollColumn())
            horizontalScrollBar()->setValue(col - m_fixedCols);
        else if (firstScrollColumn() < left)
            horizontalScrollBar()->setValue(left - m_fixedCols);
    }
}

void TableGrid::scrollContentsBy(int, int) {
    if (isEditing())
        commitEditor();
    hideTitleTip();
    requestRedraw();
}

void TableGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (m_columnsFillWidth && columnCount() > 0)
        fillWidth();
    updateScrollBars();
    if (isEditing())
        m_editor->setGeometry(cellRect(m_editRow, m_editCol));
}

void TableGrid::paintEvent(QPaintEvent*) {
    m_updatePending = false;
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Dark));
    painter.setFont(font());
    GridPaintOptions options;
    options.hasFocus = hasFocus();
    paintGridCells(painter, *this, visibleRowSpans(), visibleColumnSpans(), options);
}

// ---- sorting ----

void TableGrid::sortColumnsByRow(int keyRow, bool ascending) {
    if (keyRow < 0 || keyRow >= rowCount())
        return;
    m_keyRow = keyRow;
    m_keyRowAscending = ascending;
    const int first = m_fixedCols;
    const int otherRow = m_keyRows.tieBreakFor(keyRow);
    const bool useOtherRow = otherRow >= 0 && otherRow < rowCount();
    m_numericSortText = true;
    std::vector<ColumnSortKeys> keys(static_cast<std::size_t>(std::max(columnCount() - first, 0)));
    for (int c = first; c < columnCount(); ++c) {
        ColumnSortKeys& key = keys[static_cast<std::size_t>(c - first)];
        key.keyRow = sortKeyBytes(text(keyRow, c));
        if (useOtherRow)
            key.otherRow = sortKeyBytes(text(otherRow, c));
        key.heading = sortKeyBytes(text(0, c));
    }
    m_numericSortText = false;
    std::vector<int> order = columnOrderByKeys(keys, useOtherRow, ascending);
    for (int& index : order)
        index += first;
    clearSelection();
    m_store.permuteColumns(first, order);
    if (m_focus.isValid())
        moveFocus(m_focus.row, m_focus.col, Qt::NoModifier);
    updateScrollBars();
    requestRedraw();
    emit columnsSorted(keyRow, ascending);
}

void TableGrid::sortRowsByColumn(int col, bool ascending) {
    if (col < 0 || col >= columnCount())
        return;
    m_sortColumn = col;
    m_sortColumnAscending = ascending;
    const int first = m_fixedRows;
    std::vector<QString> texts;
    for (int r = first; r < rowCount(); ++r)
        texts.push_back(cellText(r, col));
    std::vector<int> order = rowOrderByTexts(texts, ascending, m_compare);
    for (int& index : order)
        index += first;
    clearSelection();
    m_store.permuteRows(first, order);
    if (m_focus.isValid())
        moveFocus(m_focus.row, m_focus.col, Qt::NoModifier);
    updateScrollBars();
    requestRedraw();
}

// ---- printing ----

TableGrid::PrintOutcome TableGrid::print(const PrintRequest& request) {
    if (isEditing())
        commitEditor();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromLatin1(kApplicationTitle));
    GridPrinter printout(*this, request.title.isEmpty() ? nearestWindowTitle() : request.title);
    printout.setPrintedColumns(request.columns);
    printer.setPageOrientation(printsInLandscape(printout.printedColumnWidths(), printout.printedRowHeights())
                                   ? QPageLayout::Landscape
                                   : QPageLayout::Portrait);
    if (!m_printDialog || !m_printDialog(printer))
        return PrintOutcome::Cancelled;
    // Printed to a PDF file, Qt would write straight to the name chosen, through a link planted
    // there and readable by everyone the file creation mask allows. So the file is printed into a
    // private folder and then takes its place as every file the program writes does: private, or
    // the group's in a group folder.
    const QString pdfFile =
        printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    const QTemporaryDir scratch;
    const QString printed = scratch.filePath(QStringLiteral("druck.pdf"));
    if (!pdfFile.isEmpty()) {
        if (!scratch.isValid())
            return PrintOutcome::CouldNotStart;
        printer.setOutputFileName(printed);
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    bool done = printout.print(printer) > 0;
    if (done && !pdfFile.isEmpty()) {
        QFile file(printed);
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        done = !bytes.isEmpty() &&
               replaceFileContents(toFilePath(pdfFile), std::string_view(bytes.constData(), bytes.size()));
    }
    QGuiApplication::restoreOverrideCursor();
    return done ? PrintOutcome::Printed : PrintOutcome::CouldNotStart;
}

QString TableGrid::nearestWindowTitle() const {
    for (const QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (!w->windowTitle().isEmpty())
            return w->windowTitle();
    }
    return {};
}

} // namespace telvarin
