#include "foundation/grid/GridPrinter.h"

#include "foundation/grid/GridPainter.h"
#include "foundation/grid/PrintLayout.h"
#include "foundation/grid/TableGrid.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace telvarin {

namespace {

QFont printerFont(bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(10);
    font.setBold(bold);
    return font;
}

// A column narrowed for print keeps room for about this many characters of its text.
constexpr int kNarrowestPrintedCharacters = 20;

// A text wrapped at `width`, cut between its lines into parts: the first as high as `firstRoom`
// allows (empty when not one line fits), each further one as high as `pageRoom`.
std::vector<QString> textByPages(const QString& text, const QFont& font, QPaintDevice& device, int width,
                                 int firstRoom, int pageRoom) {
    QTextLayout lines(text, font, &device);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap); // as drawText wraps it
    lines.setTextOption(option);
    lines.beginLayout();
    std::vector<QString> parts;
    int partStart = 0;
    int room = firstRoom;
    int used = 0;
    for (QTextLine line = lines.createLine(); line.isValid(); line = lines.createLine()) {
        line.setLineWidth(width);
        // drawText spaces its lines by the font's leading as well.
        line.setLeadingIncluded(true);
        const int height = static_cast<int>(std::ceil(line.height()));
        // A line taller than a whole page stays on its page rather than leaving it empty.
        if (used + height > room && (used > 0 || room < pageRoom)) {
            parts.push_back(text.mid(partStart, line.textStart() - partStart));
            partStart = line.textStart();
            room = pageRoom;
            used = 0;
        }
        used += height;
    }
    lines.endLayout();
    parts.push_back(text.mid(partStart));
    return parts;
}

} // namespace

GridPrinter::GridPrinter(const TableGrid& grid, QString title)
    : grid_(grid), title_(std::move(title)), time_(QDateTime::currentDateTime()) {}

int GridPrinter::printedRowHeight(int row, const std::vector<int>& widths, QPaintDevice& device) const {
    int height = grid_.rowHeight(row);
    for (std::size_t c = 0; c < widths.size(); ++c) {
        if (widths[c] <= 0)
            continue;
        const int col = static_cast<int>(c);
        const QString text = grid_.cellText(row, col);
        if (text.isEmpty())
            continue;
        const QFont font = printedCellFont(grid_.cellStyle(row, col).font);
        height = std::max(height, printedCellHeight(font, text, widths[c], device));
    }
    return height;
}

std::vector<int> GridPrinter::printedColumnWidths() const {
    std::vector<int> widths;
    for (int c = 0; c < grid_.columnCount(); ++c)
        widths.push_back(printedColumns_ < 0 || c < printedColumns_ ? grid_.columnWidth(c) : 0);
    return widths;
}

std::vector<int> GridPrinter::printedRowHeights() const {
    std::vector<int> heights;
    for (int r = 0; r < grid_.rowCount(); ++r)
        heights.push_back(grid_.rowHeight(r));
    return heights;
}

std::vector<int> GridPrinter::contentWidths() const {
    const std::vector<int> printed = printedColumnWidths();
    std::vector<int> widths(printed.size(), 0);
    for (int c = 0; c < grid_.columnCount(); ++c) {
        if (printed[static_cast<std::size_t>(c)] <= 0)
            continue;
        int& width = widths[static_cast<std::size_t>(c)];
        for (int r = 0; r < grid_.rowCount(); ++r) {
            if (grid_.rowHeight(r) <= 0)
                continue;
            if (const QString text = grid_.cellText(r, c); !text.isEmpty())
                width = std::max(width, grid_.cellWidthFor(r, c, text));
        }
    }
    return widths;
}

GridPrinter::Layout GridPrinter::layoutFor(QPagedPaintDevice& device) const {
    Layout layout;
    layout.page = QRect(0, 0, device.width(), device.height());
    const QFontMetrics metrics(printerFont(false), &device);
    const int charWidth = std::max(1, metrics.horizontalAdvance(QStringLiteral(
                                          "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ")) /
                                          52);
    const int charHeight = std::max(1, metrics.height());
    const GridPrintMargins& margins = grid_.printMargins();

    const int left = margins.left * charWidth;
    const int right = layout.page.width() - margins.right * charWidth;
    const int top = margins.top * charHeight;
    const int bottom = layout.page.height() - margins.bottom * charHeight;
    layout.headerArea = QRect(left, top, right - left, margins.header * charHeight);
    layout.footerArea =
        QRect(left, bottom - margins.footer * charHeight, right - left, margins.footer * charHeight);
    layout.bodyLeft = left;
    layout.bodyTop = layout.headerArea.bottom() + 1 + margins.gap * charHeight;
    const int bodyBottom = layout.footerArea.top() - margins.gap * charHeight;

    PrintColumnsRequest columns;
    columns.widths = printedColumnWidths();
    columns.repeatedColumns = grid_.fixedColumnCount();
    columns.pageWidth = right - left;
    const QFont gridFont = grid_.gridFont();
    columns.readableScale = readablePrintScale(QFontInfo(gridFont).pixelSize(), device.logicalDpiX());
    columns.narrowestTextWidth = kNarrowestPrintedCharacters * QFontMetrics(gridFont).averageCharWidth();
    columns.contentWidths = contentWidths();
    PrintColumnPlan plan = planPrintColumns(columns);
    layout.scale = plan.scale;
    layout.columnWidths = std::move(plan.widths);
    layout.bands = std::move(plan.bands);

    layout.rowHeights.assign(static_cast<std::size_t>(grid_.rowCount()), 0);
    for (int r = 0; r < grid_.rowCount(); ++r) {
        if (grid_.rowHeight(r) > 0)
            layout.rowHeights[static_cast<std::size_t>(r)] = printedRowHeight(r, layout.columnWidths, device);
    }
    int fixedHeight = 0;
    for (int r = 0; r < std::min(grid_.fixedRowCount(), grid_.rowCount()); ++r) {
        if (layout.rowHeights[static_cast<std::size_t>(r)] > 0) {
            layout.fixedRows.push_back(r);
            fixedHeight += layout.rowHeights[static_cast<std::size_t>(r)];
        }
    }
    const int firstRow = std::min(grid_.fixedRowCount(), grid_.rowCount());
    const std::vector<int> heights(layout.rowHeights.begin() + firstRow, layout.rowHeights.end());
    layout.rowPages = planPrintPages(heights, (bodyBottom - layout.bodyTop) / layout.scale - fixedHeight);
    for (std::vector<int>& rows : layout.rowPages) {
        for (int& row : rows)
            row += firstRow;
    }
    layout.bodyBottom = bodyBottom;
    if (const QString& legend = grid_.printLegend(); !legend.isEmpty()) {
        // A blank line keeps the legend apart from the table.
        layout.legendTop = layout.bodyTop + printedTableHeight(layout, layout.rowPages.back()) + charHeight;
        layout.legendParts = textByPages(legend, printerFont(false), device, right - left,
                                         bodyBottom - layout.legendTop, bodyBottom - layout.bodyTop);
    }
    return layout;
}

int GridPrinter::printedTableHeight(const Layout& layout, const std::vector<int>& pageRows) const {
    int height = 0;
    for (const std::vector<int>* part : {&layout.fixedRows, &pageRows})
        for (const int r : *part)
            height += layout.rowHeights[static_cast<std::size_t>(r)];
    return static_cast<int>(std::ceil(height * layout.scale));
}

void GridPrinter::paintHeaderAndFooter(QPainter& painter, const Layout& layout, int page) const {
    painter.setPen(Qt::black);
    painter.setFont(printerFont(true));
    const QRect header = layout.headerArea;
    painter.drawText(header, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, title_);
    painter.drawText(header, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                     QString::fromLatin1(kApplicationTitle));
    painter.drawLine(header.left(), header.bottom(), header.right(), header.bottom());

    const QRect footer = layout.footerArea;
    painter.drawLine(footer.left(), footer.top(), footer.right(), footer.top());
    painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     QString::asprintf("Page %d of %d", page + 1, layout.pageCount()));
    painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                     QLocale().toString(time_, QLocale::ShortFormat));
}

void GridPrinter::paintPage(QPainter& painter, const Layout& layout, int page) const {
    paintHeaderAndFooter(painter, layout, page);
    const QRect header = layout.headerArea;
    const int lastTablePage = layout.tablePageCount() - 1;
    if (page >= lastTablePage && !layout.legendParts.empty()) {
        const int top = page == lastTablePage ? layout.legendTop : layout.bodyTop;
        painter.setFont(printerFont(false));
        painter.drawText(QRect(header.left(), top, header.width(), layout.bodyBottom - top),
                         Qt::AlignTop | Qt::TextWordWrap,
                         layout.legendParts[static_cast<std::size_t>(page - lastTablePage)]);
        if (page > lastTablePage)
            return;
    }

    const std::size_t rowPageCount = layout.rowPages.size();
    const std::vector<int>& band = layout.bands[static_cast<std::size_t>(page) / rowPageCount];
    const std::vector<int>& pageRows = layout.rowPages[static_cast<std::size_t>(page) % rowPageCount];
    std::vector<GridSpan> rows;
    int y = 0;
    for (const std::vector<int>* part : {&layout.fixedRows, &pageRows}) {
        for (const int r : *part) {
            const int height = layout.rowHeights[static_cast<std::size_t>(r)];
            rows.push_back({r, y, height});
            y += height;
        }
    }
    std::vector<GridSpan> cols;
    int x = 0;
    for (const int c : band) {
        const int width = layout.columnWidths[static_cast<std::size_t>(c)];
        cols.push_back({c, x, width});
        x += width;
    }
    painter.save();
    painter.translate(layout.bodyLeft, layout.bodyTop);
    painter.scale(layout.scale, layout.scale);
    GridPaintOptions options;
    options.printing = true;
    options.shadedFixedCells = grid_.shadedPrintout();
    paintGridCells(painter, grid_, rows, cols, options);
    painter.restore();
}

int GridPrinter::print(QPagedPaintDevice& device) const {
    const Layout layout = layoutFor(device);
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const int pageCount = layout.pageCount();
    for (int page = 0; page < pageCount; ++page) {
        if (page > 0)
            device.newPage();
        paintPage(painter, layout, page);
    }
    painter.end();
    return pageCount;
}

} // namespace telvarin
