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
    defaultRowHeight_ = roomyLineHeight(font()) + 2 * kCellMargin;

    clock_ = steadyMilliseconds;
    printDialog_ = [this](QPrinter& printer) {
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
    if (isEditing() && editRow_ >= rows)
        cancelEditor();
    // The rows are being filled anew; a tip would show a text that is gone.
    hideTitleTip();
    store_.setRowCount(rows, defaultRowHeight_);
    fixedRows_ = std::min(fixedRows_, rowCount());
    selBottom_ = std::min(selBottom_, rowCount() - 1);
    if (focus_.row >= rowCount())
        focus_ = rowCount() > fixedRows_ && focus_.col >= 0 ? GridCellPos{rowCount() - 1, focus_.col}
                                                            : GridCellPos{};
    updateScrollBars();
    requestRedraw();
}

void TableGrid::setColumnCount(int cols) {
    if (isEditing() && editCol_ >= cols)
        cancelEditor();
    store_.setColumnCount(cols, defaultColumnWidth_);
    fixedCols_ = std::min(fixedCols_, columnCount());
    selRight_ = std::min(selRight_, columnCount() - 1);
    if (focus_.col >= columnCount())
        focus_ = columnCount() > fixedCols_ && focus_.row >= 0 ? GridCellPos{focus_.row, columnCount() - 1}
                                                               : GridCellPos{};
    updateScrollBars();
    requestRedraw();
}

void TableGrid::setFixedRowCount(int rows) {
    fixedRows_ = std::clamp(rows, 0, rowCount());
    updateScrollBars();
    requestRedraw();
}

void TableGrid::setFixedColumnCount(int cols) {
    fixedCols_ = std::clamp(cols, 0, columnCount());
    updateScrollBars();
    requestRedraw();
}

void TableGrid::setRowHeight(int row, int height) {
    store_.setRowHeight(row, height);
    updateScrollBars();
    requestRedraw();
}

void TableGrid::setColumnWidth(int col, int width) {
    store_.setColumnWidth(col, width);
    updateScrollBars();
    requestRedraw();
}

void TableGrid::setDefaultRowHeight(int height) {
    defaultRowHeight_ = std::max(height, 0);
}

void TableGrid::setDefaultColumnWidth(int width) {
    defaultColumnWidth_ = std::max(width, 0);
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
    const int room = columnWidth(col) - 2 * kCellMargin - (gridLines_ ? 1 : 0);
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
    if (maxColumnWidth_ > 0)
        width = std::min(width, maxColumnWidth_);
    setColumnWidth(col, width);
}

void TableGrid::autoSizeColumns(int fullColumns) {
    if (rowCount() == 0)
        return;
    // Every header row counts, so that sums and counts shown in them are never clipped.
    const int headerRows = std::clamp(fixedRows_, 1, rowCount());
    for (int c = 0; c < columnCount(); ++c) {
        int width = 0;
        for (int r = 0; r < headerRows; ++r)
            width = std::max(width, measuredWidth(r, c));
        if (c < fullColumns) {
            for (int r = 1; r < rowCount(); ++r)
                width = std::max(width, measuredWidth(r, c));
        }
        if (maxColumnWidth_ > 0)
            width = std::min(width, maxColumnWidth_);
        store_.setColumnWidth(c, width);
    }
    for (int r = 0; r < rowCount(); ++r) {
        const int measuredColumns = r == 0 ? columnCount() : std::min(fullColumns, columnCount());
        int height = 0;
        for (int c = 0; c < measuredColumns; ++c)
            height = std::max(height, measuredHeight(r, c));
        if (measuredColumns == 0)
            continue;
        if (maxRowHeight_ > 0)
            height = std::min(height, maxRowHeight_);
        store_.setRowHeight(r, height);
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
        store_.setColumnWidth(c, columnWidth(c) + each);
    const int last = shown.back();
    store_.setColumnWidth(last, columnWidth(last) + missing - each * static_cast<int>(shown.size()));
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
    if (std::vector<int> present = columnWidths(); present != filledWidths_)
        widthsToFill_ = std::move(present);
    for (int c = 0; c < columnCount(); ++c)
        store_.setColumnWidth(c, widthsToFill_[static_cast<std::size_t>(c)]);
    expandColumnsToFit();
    filledWidths_ = columnWidths();
}

void TableGrid::fillWidthFromHere() {
    filledWidths_.clear();
    fillWidth();
}

// ---- cells ----

QString TableGrid::text(int row, int col) const {
    if (!store_.contains(row, col))
        return {};
    const QString& t = store_.cell(row, col).text;
    return numericSortText_ ? telvarin::numericSortText(t) : t;
}

QString TableGrid::cellText(int row, int col) const {
    return store_.contains(row, col) ? store_.cell(row, col).text : QString();
}

void TableGrid::setText(int row, int col, const QString& text) {
    if (!store_.contains(row, col))
        return;
    store_.cell(row, col).text = text;
    requestRedraw();
}

QString TableGrid::tipText(int row, int col) const {
    if (!store_.contains(row, col))
        return {};
    const GridCellExtra* extra = store_.extra(row, col);
    return extra ? extra->tip : QString();
}

void TableGrid::setTipText(int row, int col, const QString& tip) {
    if (!store_.contains(row, col) || (tip.isEmpty() && !store_.extra(row, col)))
        return;
    store_.extraForWriting(row, col).tip = tip;
}

void TableGrid::setTextColour(int row, int col, const QColor& colour) {
    if (!store_.contains(row, col))
        return;
    store_.cell(row, col).textColour = gridColourOf(colour);
    requestRedraw();
}

void TableGrid::setBackgroundColour(int row, int col, const QColor& colour) {
    if (!store_.contains(row, col))
        return;
    store_.cell(row, col).background = gridColourOf(colour);
    requestRedraw();
}

void TableGrid::setFormat(int row, int col, std::uint16_t format) {
    if (!store_.contains(row, col))
        return;
    store_.cell(row, col).format = format;
    requestRedraw();
}

void TableGrid::setCellFont(int row, int col, const QFont& font) {
    if (!store_.contains(row, col))
        return;
    store_.extraForWriting(row, col).font = font;
    requestRedraw();
}

void TableGrid::setUserValue(int row, int col, std::int32_t value) {
    if (!store_.contains(row, col) || (value == 0 && !store_.extra(row, col)))
        return;
    store_.extraForWriting(row, col).userValue = value;
}

std::int32_t TableGrid::userValue(int row, int col) const {
    if (!store_.contains(row, col))
        return 0;
    const GridCellExtra* extra = store_.extra(row, col);
    return extra ? extra->userValue : 0;
}

void TableGrid::setCellReadOnly(int row, int col, bool readOnly) {
    if (!store_.contains(row, col))
        return;
    std::uint16_t& state = store_.cell(row, col).state;
    state = readOnly ? (state | GridReadOnly) : (state & ~GridReadOnly);
}

std::uint16_t TableGrid::cellState(int row, int col) const {
    if (!store_.contains(row, col))
        return 0;
    std::uint16_t state = store_.cell(row, col).state;
    if (isFixedCell(row, col))
        state |= GridFixed;
    if (focus_.row == row && focus_.col == col)
        state |= GridFocused;
    return state;
}

bool TableGrid::isCellSelected(int row, int col) const {
    return store_.contains(row, col) && (store_.cell(row, col).state & GridSelected);
}

bool TableGrid::isCellEditable(int row, int col) const {
    return editable_ && store_.contains(row, col) && !isFixedCell(row, col) &&
           !(store_.cell(row, col).state & GridReadOnly);
}

GridCellStyle TableGrid::cellStyle(int row, int col) const {
    const GridDefaultCell& defaults = defaultCell(isFixedCell(row, col));
    GridCellStyle style;
    style.textColour = defaults.textColour;
    style.background = defaults.background;
    style.font = defaults.font ? *defaults.font : font();
    style.format = defaults.format;
    if (!store_.contains(row, col))
        return style;
    const GridCell& cell = store_.cell(row, col);
    if (cell.textColour != kGridDefaultColour)
        style.textColour = QColor::fromRgba(cell.textColour);
    if (cell.background != kGridDefaultColour)
        style.background = QColor::fromRgba(cell.background);
    style.format = cell.format;
    if (const GridCellExtra* extra = store_.extra(row, col); extra && extra->font)
        style.font = *extra->font;
    return style;
}

void TableGrid::setDefaultCell(bool fixed, const GridDefaultCell& cell) {
    (fixed ? fixedDefault_ : normalDefault_) = cell;
    requestRedraw();
}

void TableGrid::setGridFont(const QFont& gridFont) {
    setFont(gridFont);
    defaultRowHeight_ = roomyLineHeight(gridFont) + 2 * kCellMargin;
    requestRedraw();
}

void TableGrid::setEditable(bool on) {
    editable_ = on;
    if (!on && isEditing())
        cancelEditor();
}

void TableGrid::setTitleTips(bool on) {
    titleTips_ = on;
    if (!on)
        hideTitleTip();
}

void TableGrid::setGridLines(bool on) {
    gridLines_ = on;
    requestRedraw();
}

// ---- focus and selection ----

void TableGrid::setFocusCell(int row, int col) {
    moveFocus(row, col, Qt::NoModifier);
}

void TableGrid::moveFocus(int row, int col, Qt::KeyboardModifiers modifiers) {
    if (rowCount() <= fixedRows_ || columnCount() <= fixedCols_)
        return;
    row = std::clamp(row, fixedRows_, rowCount() - 1);
    col = std::clamp(col, fixedCols_, columnCount() - 1);
    const GridCellPos previous = focus_;
    focus_ = {row, col};
    if ((modifiers & Qt::ShiftModifier) && selectionEnabled_ && anchor_.isValid()) {
        extendSelectionTo(focus_);
    } else {
        anchor_ = focus_;
        if (listMode_)
            setSelectedRange(row, fixedCols_, row, columnCount() - 1);
        else
            setSelectedRange(row, col, row, col);
    }
    ensureCellVisible(row, col);
    requestRedraw();
    if (previous != focus_) {
        emit focusCellChanged(row, col);
        updatePositionDisplay();
    }
}

void TableGrid::extendSelectionTo(const GridCellPos& cell) {
    const int left = listMode_ ? fixedCols_ : std::min(anchor_.col, cell.col);
    const int right = listMode_ ? columnCount() - 1 : std::max(anchor_.col, cell.col);
    setSelectedRange(std::min(anchor_.row, cell.row), left, std::max(anchor_.row, cell.row), right);
}

void TableGrid::setSelectedRange(int top, int left, int bottom, int right) {
    for (int r = std::max(selTop_, 0); r <= selBottom_ && r < rowCount(); ++r) {
        for (int c = std::max(selLeft_, 0); c <= selRight_ && c < columnCount(); ++c)
            store_.cell(r, c).state &= ~GridSelected;
    }
    top = std::max(top, fixedRows_);
    left = std::max(left, fixedCols_);
    bottom = std::min(bottom, rowCount() - 1);
    right = std::min(right, columnCount() - 1);
    selTop_ = top;
    selLeft_ = left;
    selBottom_ = bottom;
    selRight_ = right;
    for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c)
            store_.cell(r, c).state |= GridSelected;
    }
    requestRedraw();
    emit selectionChanged();
}

void TableGrid::selectCell(int row, int col) {
    if (!store_.contains(row, col))
        return;
    moveFocus(row, col, Qt::NoModifier);
}

void TableGrid::selectRow(int row) {
    if (!selectionEnabled_ || row < fixedRows_ || row >= rowCount())
        return;
    moveFocus(row, focus_.col >= 0 ? focus_.col : fixedCols_, Qt::NoModifier);
    setSelectedRange(row, fixedCols_, row, columnCount() - 1);
}

void TableGrid::selectColumn(int col) {
    if (!selectionEnabled_ || col < fixedCols_ || col >= columnCount())
        return;
    moveFocus(focus_.row >= 0 ? focus_.row : fixedRows_, col, Qt::NoModifier);
    setSelectedRange(fixedRows_, col, rowCount() - 1, col);
}

void TableGrid::selectAll() {
    if (!selectionEnabled_)
        return;
    setSelectedRange(fixedRows_, fixedCols_, rowCount() - 1, columnCount() - 1);
}

void TableGrid::clearSelection() {
    setSelectedRange(0, 0, -1, -1);
}

std::vector<int> TableGrid::selectedRows() const {
    std::vector<int> rows;
    for (int r = std::max(selTop_, 0); r <= selBottom_; ++r) {
        for (int c = std::max(selLeft_, 0); c <= selRight_; ++c) {
            if (store_.cell(r, c).state & GridSelected) {
                rows.push_back(r);
                break;
            }
        }
    }
    return rows;
}

// ---- scrolling and geometry ----

void TableGrid::requestRedraw() {
    if (!updatePending_) {
        updatePending_ = true;
        viewport()->update();
    }
}

void TableGrid::redraw() {
    updatePending_ = false;
    requestRedraw();
}

void TableGrid::updateScrollBars() {
    int fixedHeight = 0;
    for (int r = 0; r < fixedRows_; ++r)
        fixedHeight += rowHeight(r);
    int fixedWidth = 0;
    for (int c = 0; c < fixedCols_; ++c)
        fixedWidth += columnWidth(c);

    // The last scroll position is the first row from which the remaining rows fit.
    const int availableHeight = viewport()->height() - fixedHeight;
    int first = rowCount();
    for (int used = 0; first > fixedRows_ && used + rowHeight(first - 1) <= availableHeight; --first)
        used += rowHeight(first - 1);
    verticalScrollBar()->setRange(0, std::max(0, first - fixedRows_));
    verticalScrollBar()->setPageStep(std::max(1, pageRowCount()));

    const int availableWidth = viewport()->width() - fixedWidth;
    int firstCol = columnCount();
    for (int used = 0; firstCol > fixedCols_ && used + columnWidth(firstCol - 1) <= availableWidth;
         --firstCol)
        used += columnWidth(firstCol - 1);
    horizontalScrollBar()->setRange(0, std::max(0, firstCol - fixedCols_));
    horizontalScrollBar()->setPageStep(std::max(1, (columnCount() - fixedCols_) / 10));
}

int TableGrid::pageRowCount() const {
    int height = viewport()->height();
    for (int r = 0; r < fixedRows_; ++r)
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
    for (int r = 0; r < fixedRows_ && y < limit; ++r) {
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
    for (int c = 0; c < fixedCols_ && x < limit; ++c) {
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
    const int x = position(col, fixedCols_, firstScrollColumn(), [this](int c) { return columnWidth(c); });
    const int y = position(row, fixedRows_, firstScrollRow(), [this](int r) { return rowHeight(r); });
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
    if (row >= fixedRows_ && row < rowCount()) {
        int available = viewport()->height();
        for (int r = 0; r < fixedRows_; ++r)
            available -= rowHeight(r);
        int top = row;
        for (int used = rowHeight(row); top > fixedRows_ && used + rowHeight(top - 1) <= available; --top)
            used += rowHeight(top - 1);
        if (row < firstScrollRow())
            verticalScrollBar()->setValue(row - fixedRows_);
        else if (firstScrollRow() < top)
            verticalScrollBar()->setValue(top - fixedRows_);
    }
    if (col >= fixedCols_ && col < columnCount()) {
        int available = viewport()->width();
        for (int c = 0; c < fixedCols_; ++c)
            available -= columnWidth(c);
        int left = col;
        for (int used = columnWidth(col); left > fixedCols_ && used + columnWidth(left - 1) <= available;
             --left)
            used += columnWidth(left - 1);
        if (col < firstScrollColumn())
            horizontalScrollBar()->setValue(col - fixedCols_);
        else if (firstScrollColumn() < left)
            horizontalScrollBar()->setValue(left - fixedCols_);
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
    if (columnsFillWidth_ && columnCount() > 0)
        fillWidth();
    updateScrollBars();
    if (isEditing())
        editor_->setGeometry(cellRect(editRow_, editCol_));
}

void TableGrid::paintEvent(QPaintEvent*) {
    updatePending_ = false;
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
    keyRow_ = keyRow;
    keyRowAscending_ = ascending;
    const int first = fixedCols_;
    const int otherRow = keyRows_.tieBreakFor(keyRow);
    const bool useOtherRow = otherRow >= 0 && otherRow < rowCount();
    numericSortText_ = true;
    std::vector<ColumnSortKeys> keys(static_cast<std::size_t>(std::max(columnCount() - first, 0)));
    for (int c = first; c < columnCount(); ++c) {
        ColumnSortKeys& key = keys[static_cast<std::size_t>(c - first)];
        key.keyRow = sortKeyBytes(text(keyRow, c));
        if (useOtherRow)
            key.otherRow = sortKeyBytes(text(otherRow, c));
        key.heading = sortKeyBytes(text(0, c));
    }
    numericSortText_ = false;
    std::vector<int> order = columnOrderByKeys(keys, useOtherRow, ascending);
    for (int& index : order)
        index += first;
    clearSelection();
    store_.permuteColumns(first, order);
    if (focus_.isValid())
        moveFocus(focus_.row, focus_.col, Qt::NoModifier);
    updateScrollBars();
    requestRedraw();
    emit columnsSorted(keyRow, ascending);
}

void TableGrid::sortRowsByColumn(int col, bool ascending) {
    if (col < 0 || col >= columnCount())
        return;
    sortColumn_ = col;
    sortColumnAscending_ = ascending;
    const int first = fixedRows_;
    std::vector<QString> texts;
    for (int r = first; r < rowCount(); ++r)
        texts.push_back(cellText(r, col));
    std::vector<int> order = rowOrderByTexts(texts, ascending, compare_);
    for (int& index : order)
        index += first;
    clearSelection();
    store_.permuteRows(first, order);
    if (focus_.isValid())
        moveFocus(focus_.row, focus_.col, Qt::NoModifier);
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
    if (!printDialog_ || !printDialog_(printer))
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
