#include "foundation/grid/GridPainter.h"

#include "foundation/grid/GridColours.h"
#include "foundation/grid/TableGrid.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>
#include <QTextLayout>
#include <QTextOption>
#include <cmath>

namespace telvarin {

namespace {

constexpr int kTextMargin = 2;
// Around a wrapped printed text: the cell's margins above and below, and its grid line.
constexpr int kWrappedTextPadding = 2 * kTextMargin + 1;

QTextOption wrappedTextOption(int flags) {
    QTextOption option(Qt::Alignment(flags & (Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask)));
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

// The printed width of a cell's text area.
int printedTextWidth(int cellWidth) {
    return cellWidth - 1 - 2 * kTextMargin;
}

// Measured as the screen measures, where the columns got their widths: the printer's unhinted
// advance can be a fraction wider, and must not break an abbreviation that fits its column.
bool wrapsOnPaper(const QFont& font, const QString& text, int cellWidth) {
    return QFontMetricsF(font).horizontalAdvance(text) > printedTextWidth(cellWidth) + 1;
}

int textFlags(std::uint16_t format) {
    int flags = Qt::TextHideMnemonic;
    flags |= (format & GridAlignRight)    ? Qt::AlignRight
             : (format & GridAlignCenter) ? Qt::AlignHCenter
                                          : Qt::AlignLeft;
    flags |= (format & GridAlignBottom)    ? Qt::AlignBottom
             : (format & GridAlignVCenter) ? Qt::AlignVCenter
                                           : Qt::AlignTop;
    if (format & GridSingleLine)
        flags |= Qt::TextSingleLine;
    else if (format & GridWordBreak)
        flags |= Qt::TextWordWrap;
    return flags;
}

} // namespace

QFont printedCellFont(const QFont& screenFont) {
    QFont font = screenFont;
    if (font.pixelSize() <= 0)
        font.setPixelSize(QFontInfo(screenFont).pixelSize());
    return font;
}

int printedCellHeight(const QFont& font, const QString& text, int width, QPaintDevice& device) {
    const int textWidth = printedTextWidth(width);
    if (textWidth <= 0 || !wrapsOnPaper(font, text, width))
        return 0;
    const QFontMetricsF metrics(font, &device);
    QTextLayout layout(text, font, &device);
    layout.setTextOption(wrappedTextOption(Qt::AlignLeft));
    int lines = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(textWidth);
        ++lines;
    }
    layout.endLayout();
    return static_cast<int>(std::ceil(lines * metrics.lineSpacing())) + kWrappedTextPadding;
}

const QColor& gridLineColour() {
    static const QColor colour(192, 192, 192);
    return colour;
}

void paintGridCells(QPainter& painter, const TableGrid& grid, const std::vector<GridSpan>& rows,
                    const std::vector<GridSpan>& cols, const GridPaintOptions& options) {
    const QPalette& palette = grid.palette();
    const GridCellPos focus = grid.focusCell();
    const bool lines = grid.gridLines();
    const int lineWidth = lines ? 1 : 0;
    for (const GridSpan& row : rows) {
        for (const GridSpan& col : cols) {
            GridCellStyle style = options.printing
                                      ? printedCellStyle(grid, row.index, col.index, options.shadedFixedCells)
                                      : shownCellStyle(grid, row.index, col.index);
            const QRect cell(col.pos, row.pos, col.size - lineWidth, row.size - lineWidth);
            painter.fillRect(cell, style.background);
            const QString text = grid.cellText(row.index, col.index);
            if (!text.isEmpty()) {
                const QRect textRect = cell.adjusted(kTextMargin, 0, -kTextMargin, 0);
                if (options.printing)
                    style.font = printedCellFont(style.font);
                if (painter.font() != style.font)
                    painter.setFont(style.font);
                painter.setPen(style.textColour);
                const int flags = textFlags(style.format);
                if (options.printing && wrapsOnPaper(style.font, text, col.size)) {
                    // The row was made as high as the wrapped text needs.
                    painter.drawText(QRectF(textRect), text, wrappedTextOption(flags));
                } else if ((style.format & GridEndEllipsis) && (style.format & GridSingleLine)) {
                    const QFontMetrics metrics = painter.fontMetrics();
                    if (metrics.horizontalAdvance(text) > textRect.width())
                        painter.drawText(textRect, flags,
                                         metrics.elidedText(text, Qt::ElideRight, textRect.width()));
                    else
                        painter.drawText(textRect, flags, text);
                } else {
                    painter.drawText(textRect, flags, text);
                }
            }
            if (!options.printing && focus.row == row.index && focus.col == col.index) {
                painter.setPen(
                    QPen(palette.color(QPalette::Text), 1, options.hasFocus ? Qt::SolidLine : Qt::DotLine));
                painter.drawRect(cell.adjusted(0, 0, -1, -1));
            }
        }
    }
    if (!lines || rows.empty() || cols.empty())
        return;
    painter.setPen(options.printing ? gridLineColour() : shownGridLineColour(palette));
    const int left = cols.front().pos;
    const int right = cols.back().pos + cols.back().size - 1;
    const int top = rows.front().pos;
    const int bottom = rows.back().pos + rows.back().size - 1;
    for (const GridSpan& col : cols)
        painter.drawLine(col.pos + col.size - 1, top, col.pos + col.size - 1, bottom);
    for (const GridSpan& row : rows)
        painter.drawLine(left, row.pos + row.size - 1, right, row.pos + row.size - 1);
}

} // namespace telvarin
