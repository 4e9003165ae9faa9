#include "foundation/grid/TableGrid.h"

#include "foundation/files/FileReplacement.h"
#include "foundation/grid/GlyphRoom.h"
#include "foundation/grid/GridAccessible.h"
#include "foundation/grid/GridPrinter.h"
#include "foundation/grid/GridSizing.h"
#include "foundation/grid/PrintChoices.h"
#include "foundation/grid/TitleTip.h"
#include "foundation/text/QtCodePage.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <algorithm>
#include <optional>

namespace telvarin {

TableGrid::TableGrid(QWidget* parent) : QAbstractScrollArea(parent) {
    installGridAccessibility(this);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setSingleStep(1);

    followPalette();
    defaultRowHeight_ = roomyLineHeight(font()) + 2 * kGridCellMargin;

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
    // The rows are being filled anew; a tip would show a text that is gone.
    input_.hideTitleTip();
    store_.setRowCount(rows, defaultRowHeight_);
    input_.keepWithinRows();
    updateScrollBars();
    requestRedraw();
}

void TableGrid::setColumnCount(int cols) {
    store_.setColumnCount(cols, defaultColumnWidth_);
    input_.keepWithinColumns();
    updateScrollBars();
    requestRedraw();
}

void TableGrid::setFixedRowCount(int rows) {
    store_.setFixedRowCount(rows);
    updateScrollBars();
    requestRedraw();
}

void TableGrid::setFixedColumnCount(int cols) {
    store_.setFixedColumnCount(cols);
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

void TableGrid::widenColumnToHeader(int col) {
    const int width = columnWidth(col);
    if (width <= 0 || rowCount() < 1)
        return;
    const int needed = cellWidthFor(0, col, cellText(0, col));
    if (needed > width)
        setColumnWidth(col, needed);
}

int TableGrid::cellWidthFor(int row, int col, const QString& text) const {
    return GridSizing(store_, font()).cellWidthFor(row, col, text);
}

bool TableGrid::isTextCut(int row, int col) const {
    return GridSizing(store_, font()).isTextCut(row, col, gridLines_);
}

void TableGrid::autoSizeColumn(int col) {
    if (col < 0 || col >= columnCount())
        return;
    setColumnWidth(col, GridSizing(store_, font()).autoColumnWidth(col, maxColumnWidth_));
}

void TableGrid::autoSizeColumns(int fullColumns) {
    if (rowCount() == 0)
        return;
    const GridSizing sizing(store_, font());
    const std::vector<int> widths = sizing.autoColumnWidths(fullColumns, maxColumnWidth_);
    const std::vector<int> heights = sizing.autoRowHeights(fullColumns, maxRowHeight_);
    for (int c = 0; c < columnCount(); ++c)
        store_.setColumnWidth(c, widths[static_cast<std::size_t>(c)]);
    for (int r = 0; r < rowCount(); ++r) {
        if (const int height = heights[static_cast<std::size_t>(r)]; height >= 0)
            store_.setRowHeight(r, height);
    }
    updateScrollBars();
    requestRedraw();
}

void TableGrid::expandColumnsToFit() {
    if (!telvarin::expandColumnsToFit(store_, viewport()->width()))
        return;
    updateScrollBars();
    requestRedraw();
}

void TableGrid::fillWidth() {
    if (!widthFill_.fill(store_, viewport()->width()))
        return;
    updateScrollBars();
    requestRedraw();
}

void TableGrid::fillWidthFromHere() {
    widthFill_.restart();
    fillWidth();
}

// ---- cells ----

QString TableGrid::text(int row, int col) const {
    const QString t = store_.text(row, col);
    return numericSortText_ ? telvarin::numericSortText(t) : t;
}

void TableGrid::setText(int row, int col, const QString& text) {
    if (store_.setText(row, col, text))
        requestRedraw();
}

void TableGrid::setTextColour(int row, int col, const QColor& colour) {
    if (store_.setTextColour(row, col, colour))
        requestRedraw();
}

void TableGrid::setBackgroundColour(int row, int col, const QColor& colour) {
    if (store_.setBackgroundColour(row, col, colour))
        requestRedraw();
}

void TableGrid::setFormat(int row, int col, std::uint16_t format) {
    if (store_.setFormat(row, col, format))
        requestRedraw();
}

void TableGrid::setCellFont(int row, int col, const QFont& font) {
    if (store_.setFont(row, col, font))
        requestRedraw();
}

std::uint16_t TableGrid::cellState(int row, int col) const {
    if (!store_.contains(row, col))
        return 0;
    std::uint16_t state = store_.cell(row, col).state;
    if (isFixedCell(row, col))
        state |= GridFixed;
    if (focusCell() == GridCellPos{row, col})
        state |= GridFocused;
    return state;
}

bool TableGrid::isCellEditable(int row, int col) const {
    return editable_ && store_.contains(row, col) && !isFixedCell(row, col) && !store_.isReadOnly(row, col);
}

void TableGrid::setDefaultCell(bool fixed, const GridDefaultCell& cell) {
    store_.defaultCell(fixed) = cell;
    requestRedraw();
}

void TableGrid::setGridFont(const QFont& gridFont) {
    setFont(gridFont);
    defaultRowHeight_ = roomyLineHeight(gridFont) + 2 * kGridCellMargin;
    requestRedraw();
}

void TableGrid::setEditable(bool on) {
    editable_ = on;
    if (!on)
        input_.cancelEditor();
}

void TableGrid::setTitleTips(bool on) {
    titleTips_ = on;
    if (!on)
        input_.hideTitleTip();
}

void TableGrid::setGridLines(bool on) {
    gridLines_ = on;
    requestRedraw();
}

// ---- focus and selection ----

void TableGrid::selectCell(int row, int col) {
    if (store_.contains(row, col))
        input_.moveFocus(row, col, Qt::NoModifier);
}

// ---- scrolling and geometry ----

GridGeometry TableGrid::cellGeometry() const {
    return GridGeometry(store_, verticalScrollBar()->value(), horizontalScrollBar()->value(),
                        viewport()->size());
}

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
    // Asked afresh at each step: a new range moves the scroll position and may show or hide a
    // scroll bar, which resizes the viewport.
    verticalScrollBar()->setRange(0, cellGeometry().lastRowScroll());
    verticalScrollBar()->setPageStep(std::max(1, cellGeometry().pageRowCount()));
    horizontalScrollBar()->setRange(0, cellGeometry().lastColumnScroll());
    horizontalScrollBar()->setPageStep(std::max(1, (columnCount() - fixedColumnCount()) / 10));
}

void TableGrid::ensureCellVisible(int row, int col) {
    if (const std::optional<int> scroll = cellGeometry().rowScrollShowing(row))
        verticalScrollBar()->setValue(*scroll);
    if (const std::optional<int> scroll = cellGeometry().columnScrollShowing(col))
        horizontalScrollBar()->setValue(*scroll);
}

void TableGrid::scrollContentsBy(int, int) {
    input_.commitEditor();
    input_.hideTitleTip();
    requestRedraw();
}

void TableGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (columnsFillWidth_ && columnCount() > 0)
        fillWidth();
    updateScrollBars();
    input_.placeEditor();
}

void TableGrid::paintEvent(QPaintEvent*) {
    updatePending_ = false;
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Dark));
    painter.setFont(font());
    GridPaintOptions options;
    options.hasFocus = hasFocus();
    const GridGeometry shown = cellGeometry();
    paintGridCells(painter, *this, shown.visibleRowSpans(), shown.visibleColumnSpans(), options);
}

// ---- events, handed to the input ----

bool TableGrid::event(QEvent* event) {
    if (event->type() == QEvent::PaletteChange)
        followPalette();
    if (const std::optional<bool> taken = input_.gridEvent(event))
        return *taken;
    return QAbstractScrollArea::event(event);
}

void TableGrid::keyPressEvent(QKeyEvent* event) {
    input_.keyPress(event);
}

void TableGrid::mousePressEvent(QMouseEvent* event) {
    input_.mousePress(event);
}

void TableGrid::mouseMoveEvent(QMouseEvent* event) {
    input_.mouseMove(event);
}

void TableGrid::mouseReleaseEvent(QMouseEvent*) {
    input_.mouseRelease();
}

void TableGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    input_.mouseDoubleClick(event);
}

void TableGrid::wheelEvent(QWheelEvent* event) {
    input_.wheel(event);
}

void TableGrid::leaveEvent(QEvent* event) {
    input_.leave();
    QAbstractScrollArea::leaveEvent(event);
}

// ---- the owner's hooks ----

bool TableGrid::setCellText(int row, int col, const QString& text) {
    setText(row, col, text);
    return true;
}

bool TableGrid::acceptEditBegin(int row, int col) {
    emit editBegun(row, col);
    return true;
}

bool TableGrid::validateCellText(int, int, const QString&) {
    return true;
}

// ---- clipboard ----

void TableGrid::copySelection() const {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(selectionText());
}

void TableGrid::cutSelection() {
    copySelection();
    deleteSelection();
}

void TableGrid::pasteFromClipboard() {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        pasteText(clipboard->text());
}

// ---- sorting ----

void TableGrid::sortColumnsByRow(int keyRow, bool ascending) {
    if (keyRow < 0 || keyRow >= rowCount())
        return;
    keyRow_ = keyRow;
    keyRowAscending_ = ascending;
    const int first = fixedColumnCount();
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
    if (const GridCellPos focus = focusCell(); focus.isValid())
        input_.moveFocus(focus.row, focus.col, Qt::NoModifier);
    updateScrollBars();
    requestRedraw();
    emit columnsSorted(keyRow, ascending);
}

void TableGrid::sortRowsByColumn(int col, bool ascending) {
    if (col < 0 || col >= columnCount())
        return;
    sortColumn_ = col;
    sortColumnAscending_ = ascending;
    const int first = fixedRowCount();
    std::vector<QString> texts;
    for (int r = first; r < rowCount(); ++r)
        texts.push_back(cellText(r, col));
    std::vector<int> order = rowOrderByTexts(texts, ascending, compare_);
    for (int& index : order)
        index += first;
    clearSelection();
    store_.permuteRows(first, order);
    if (const GridCellPos focus = focusCell(); focus.isValid())
        input_.moveFocus(focus.row, focus.col, Qt::NoModifier);
    updateScrollBars();
    requestRedraw();
}

// ---- printing ----

TableGrid::PrintOutcome TableGrid::print(const PrintRequest& request) {
    input_.commitEditor();
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
