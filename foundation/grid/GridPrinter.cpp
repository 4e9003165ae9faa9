#include "foundation/grid/GridPrinter.h"

#include "foundation/grid/GridPainter.h"
#include "foundation/grid/TableGrid.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

namespace telvarin {

namespace {

QFont printerFont(bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(10);
    font.setBold(bold);
    return font;
}

} // namespace

struct GridPrinter::Layout {
    QRect page;       // device pixels
    QRect headerArea; // title line
    QRect footerArea;
    int bodyLeft = 0;
    int bodyTop = 0;
    double scale = 1.0;
    std::vector<GridSpan> fixedRows; // in screen pixels, from 0
    std::vector<GridSpan> columns;
    std::vector<std::vector<GridSpan>> pages; // the non-fixed rows of every page
};

GridPrinter::GridPrinter(const TableGrid& grid, QString title)
    : m_grid(grid), m_title(std::move(title)), m_time(QDateTime::currentDateTime()) {}

GridPrinter::Layout GridPrinter::layoutFor(QPagedPaintDevice& device) const {
    Layout layout;
    layout.page = QRect(0, 0, device.width(), device.height());
    const QFontMetrics metrics(printerFont(false), &device);
    const int charWidth = std::max(1, metrics.horizontalAdvance(QStringLiteral(
                                          "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ")) /
                                          52);
    const int charHeight = std::max(1, metrics.height());
    const GridPrintMargins& margins = m_grid.printMargins();

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

    int x = 0;
    for (int c = 0; c < m_grid.columnCount(); ++c) {
        if (m_grid.columnWidth(c) > 0)
            layout.columns.push_back({c, x, m_grid.columnWidth(c)});
        x += m_grid.columnWidth(c);
    }
    layout.scale = x > 0 ? double(right - left) / x : 1.0;

    int y = 0;
    for (int r = 0; r < m_grid.fixedRowCount(); ++r) {
        if (m_grid.rowHeight(r) > 0)
            layout.fixedRows.push_back({r, y, m_grid.rowHeight(r)});
        y += m_grid.rowHeight(r);
    }
    const int fixedHeight = y;
    const double available = (bodyBottom - layout.bodyTop) / layout.scale - fixedHeight;
    std::vector<GridSpan> page;
    int pageY = fixedHeight;
    for (int r = m_grid.fixedRowCount(); r < m_grid.rowCount(); ++r) {
        const int height = m_grid.rowHeight(r);
        if (height == 0)
            continue;
        // A row taller than a page still gets a page of its own.
        if (!page.empty() && pageY + height - fixedHeight > available) {
            layout.pages.push_back(std::move(page));
            page.clear();
            pageY = fixedHeight;
        }
        page.push_back({r, pageY, height});
        pageY += height;
    }
    if (!page.empty() || layout.pages.empty())
        layout.pages.push_back(std::move(page));
    return layout;
}

void GridPrinter::paintPage(QPainter& painter, const Layout& layout, int page) const {
    const int pageCount = static_cast<int>(layout.pages.size());
    painter.setPen(Qt::black);
    painter.setFont(printerFont(true));
    const QRect header = layout.headerArea;
    painter.drawText(header, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, m_title);
    painter.drawText(header, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                     QString::fromLatin1(kApplicationTitle));
    painter.drawLine(header.left(), header.bottom(), header.right(), header.bottom());

    const QRect footer = layout.footerArea;
    painter.drawLine(footer.left(), footer.top(), footer.right(), footer.top());
    painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     QString::asprintf("Page %d of %d", page + 1, pageCount));
    painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                     QLocale().toString(m_time, QLocale::ShortFormat));

    std::vector<GridSpan> rows = layout.fixedRows;
    rows.insert(rows.end(), layout.pages[static_cast<std::size_t>(page)].begin(),
                layout.pages[static_cast<std::size_t>(page)].end());
    painter.save();
    painter.translate(layout.bodyLeft, layout.bodyTop);
    painter.scale(layout.scale, layout.scale);
    GridPaintOptions options;
    options.printing = true;
    options.shadedFixedCells = m_grid.shadedPrintout();
    paintGridCells(painter, m_grid, rows, layout.columns, options);
    painter.restore();
}

int GridPrinter::print(QPagedPaintDevice& device) const {
    const Layout layout = layoutFor(device);
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const int pageCount = static_cast<int>(layout.pages.size());
    for (int page = 0; page < pageCount; ++page) {
        if (page > 0)
            device.newPage();
        paintPage(painter, layout, page);
    }
    painter.end();
    return pageCount;
}

} // namespace telvarin
