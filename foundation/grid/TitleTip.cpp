#include "foundation/grid/TitleTip.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace telvarin {

namespace {

constexpr int kMultiLineWidth = 595;
// The text is drawn 3 pixels from the left and 2 from the right edge, 1 from top and bottom.
constexpr int kTextMarginsX = 5;
constexpr int kTextMarginsY = 2;
constexpr int kLineHeight = 14;
// Kept free at the screen's right and bottom edges.
constexpr int kScreenMargin = 8;

// Keeps the tip on the screen: 8 pixels inside its right and bottom edges, and where the tip is
// as large as that allows, at its left and top edges.
QRect keptOnScreen(QRect tip, const QRect& screen) {
    const QRect usable = screen.adjusted(0, 0, -kScreenMargin, -kScreenMargin);
    tip.setWidth(std::min(tip.width(), usable.width()));
    tip.setHeight(std::min(tip.height(), usable.height()));
    if (tip.right() > usable.right())
        tip.moveRight(usable.right());
    if (tip.bottom() > usable.bottom())
        tip.moveBottom(usable.bottom());
    if (tip.left() < usable.left())
        tip.moveLeft(usable.left());
    if (tip.top() < usable.top())
        tip.moveTop(usable.top());
    return tip;
}

// A list: the entries of each line as given while they fit the screen; else in newspaper
// columns, as many as the height needs and the screen's width allows, read down each column.
// `cell` is the cell the tip belongs to.
TitleTipLayout layoutList(const QRect& cell, const QRect& screen, const QString& text,
                          const QFontMetrics& metrics) {
    std::vector<QStringList> lines;
    int count = 0;
    int perSourceLine = 1;
    for (const QString& line : text.split(QRegularExpression(QStringLiteral("\\r?\\n")))) {
        QStringList entries;
        for (const QString& entry : line.split(u'\t')) {
            if (const QString trimmed = entry.trimmed(); !trimmed.isEmpty())
                entries.push_back(trimmed);
        }
        if (entries.isEmpty())
            continue;
        count += static_cast<int>(entries.size());
        perSourceLine = std::max(perSourceLine, static_cast<int>(entries.size()));
        lines.push_back(std::move(entries));
    }
    int widest = 1;
    for (const QStringList& line : lines) {
        for (const QString& entry : line)
            widest = std::max(widest, metrics.horizontalAdvance(entry));
    }
    const int entryWidth = widest + metrics.horizontalAdvance(QLatin1Char(' '));
    const int lineHeight = std::max(kLineHeight, metrics.lineSpacing());
    const int usableWidth = screen.width() - 2 * kScreenMargin - kTextMarginsX - 1;
    const int usableHeight = screen.height() - 2 * kScreenMargin - kTextMarginsY - 2;
    const int columnsOnScreen = std::max(1, usableWidth / entryWidth);
    const int linesOnScreen = std::max(2, usableHeight / lineHeight);

    TitleTipLayout layout;
    int columns = 0;
    int rows = 0;
    bool leftOut = false;
    const auto place = [&](int column, int row, const QString& entry) {
        layout.pieces.push_back(
            {QRect(QPoint(3 + column * entryWidth, 1 + row * lineHeight), QSize(entryWidth, lineHeight)),
             entry});
    };
    if (perSourceLine <= columnsOnScreen && static_cast<int>(lines.size()) <= linesOnScreen) {
        columns = perSourceLine;
        rows = static_cast<int>(lines.size());
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < lines[static_cast<std::size_t>(row)].size(); ++column)
                place(column, row, lines[static_cast<std::size_t>(row)][column]);
        }
    } else {
        QStringList entries;
        for (const QStringList& line : lines)
            entries += line;
        const int wanted =
            std::max(std::min(perSourceLine, columnsOnScreen), (count + linesOnScreen - 1) / linesOnScreen);
        columns = std::min(wanted, columnsOnScreen);
        rows = (count + columns - 1) / columns;
        int shown = count;
        if (rows > linesOnScreen) {
            // The last line says how many are left out.
            rows = linesOnScreen - 1;
            shown = columns * rows;
        }
        for (int i = 0; i < shown; ++i)
            place(i / rows, i % rows, entries[i]);
        leftOut = shown < count;
        if (leftOut)
            layout.pieces.push_back(
                {QRect(QPoint(3, 1 + rows * lineHeight), QSize(columns * entryWidth, lineHeight)),
                 QStringLiteral("… und %1 weitere").arg(count - shown)});
    }
    const int textRows = rows + (leftOut ? 1 : 0);
    const QSize size(columns * entryWidth + kTextMarginsX + 1, textRows * lineHeight + kTextMarginsY + 2);
    // Below the cell where there is room, else above it, else as far up as the screen needs.
    QRect tip(QPoint(cell.left() - 1 - 3, cell.top() + 2 + 14 - 1), size);
    const int bottomLimit = screen.bottom() - kScreenMargin;
    if (tip.bottom() > bottomLimit && cell.top() - 2 - size.height() >= screen.top())
        tip.moveBottom(cell.top() - 2);
    layout.geometry = keptOnScreen(tip, screen);
    return layout;
}

} // namespace

QFont titleTipFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPixelSize(14);
    return font;
}

TitleTipLayout layoutTitleTip(const TitleTipPlacement& placement, const QString& text,
                              const QFontMetrics& metrics) {
    const QRect& cell = placement.cellTextRect;
    if (text.contains(u'\t'))
        return layoutList(cell, placement.screenRect, text, metrics);
    // The laid-out width, rounded up: the advance is rounded to the nearest pixel, and a box a
    // fraction narrower than the text would wrap a one-line tip into two.
    int width = std::min(metrics.size(Qt::TextSingleLine, text).width(), 80 * metrics.averageCharWidth());
    QRect tip(cell.left() - 1, cell.top() + 2, std::max(width, 1), metrics.height());

    // Keep within the grid and the screen, as far as that is possible.
    const int rightLimit = std::min(placement.gridClientRect.right(), placement.screenRect.right() - 8);
    const int leftLimit = std::max(placement.gridClientRect.left(), placement.screenRect.left());
    if (tip.right() > rightLimit)
        tip.moveRight(std::max(rightLimit, leftLimit + tip.width() - 1));
    if (tip.left() < leftLimit)
        tip.moveLeft(leftLimit);

    // One line or several, as the text wraps in that width; a tip of several lines then takes
    // its own width, and its height comes from the text wrapped in that width, as it is drawn.
    const QRect measured =
        metrics.boundingRect(QRect(0, 0, tip.width(), 1 << 20), Qt::TextWordWrap | Qt::AlignLeft, text);
    const int lineHeight = std::max(metrics.lineSpacing(), 1);
    const auto linesIn = [lineHeight](const QRect& laidOut) {
        return std::max(1, static_cast<int>(std::lround(double(laidOut.height()) / lineHeight)));
    };
    // 7 pixels a character and 14 a line suit the face asked for; when another face stands in
    // for it, the tip grows to what that face needs, so the whole text shows.
    if (linesIn(measured) == 1) {
        const int textWidth = metrics.horizontalAdvance(text) + kTextMarginsX + 1;
        tip.setWidth(std::max(7 * static_cast<int>(text.size()), textWidth));
        tip.setHeight(static_cast<int>(measured.height() * 1.5));
    } else {
        // Text laid out in lines of its own (a remedy list, five to a line) keeps those lines
        // whole as far as the screen allows, rather than breaking each into two.
        int width = kMultiLineWidth;
        if (text.contains(QLatin1Char('\n'))) {
            const int widestLine =
                metrics.boundingRect(QRect(0, 0, 1 << 20, 1 << 20), Qt::AlignLeft, text).width();
            width = std::clamp(widestLine + kTextMarginsX + 1, kMultiLineWidth,
                               std::max(kMultiLineWidth, placement.screenRect.width() - 16));
        }
        tip.setWidth(width);
        const QRect drawn = metrics.boundingRect(QRect(0, 0, width - kTextMarginsX, 1 << 20),
                                                 Qt::TextWordWrap | Qt::AlignLeft, text);
        tip.setHeight(std::max(kLineHeight * linesIn(drawn), drawn.height()) + kTextMarginsY + 2);
        if (tip.right() > placement.screenRect.right() - 8)
            tip.moveRight(
                std::max(placement.screenRect.right() - 8, placement.screenRect.left() + width - 1));
    }
    tip.translate(0, 14);
    const int bottomLimit = placement.screenRect.bottom() - 8;
    if (tip.bottom() > bottomLimit)
        tip.moveBottom(bottomLimit);
    // A tip taller than the screen keeps its first lines in view.
    if (tip.top() < placement.screenRect.top())
        tip.moveTop(placement.screenRect.top());
    tip.translate(-3, -1);
    return {keptOnScreen(tip, placement.screenRect), {}};
}

QRect titleTipGeometry(const TitleTipPlacement& placement, const QString& text, const QFontMetrics& metrics) {
    return layoutTitleTip(placement, text, metrics).geometry;
}

TitleTip::TitleTip()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    setFont(titleTipFont());
    setMouseTracking(true);
}

void TitleTip::showTip(const TitleTipPlacement& placement, const QString& text) {
    text_ = text;
    cellRect_ = placement.cellTextRect;
    TitleTipLayout layout = layoutTitleTip(placement, text, QFontMetrics(font()));
    pieces_ = std::move(layout.pieces);
    setGeometry(layout.geometry);
    show();
    update();
}

void TitleTip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::ToolTipBase));
    painter.setPen(palette().color(QPalette::ToolTipText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (pieces_.empty()) {
        painter.drawText(rect().adjusted(3, 1, -2, -1), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                         text_);
        return;
    }
    for (const TitleTipLayout::Piece& piece : pieces_)
        painter.drawText(piece.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, piece.text);
}

void TitleTip::mousePressEvent(QMouseEvent* event) {
    // The click belongs to what lies under the tip.
    hide();
    const QPointF global = event->globalPosition();
    QWidget* target = QApplication::widgetAt(global.toPoint());
    if (!target || target == this)
        return;
    QMouseEvent forwarded(event->type(), target->mapFromGlobal(global), global, event->button(),
                          event->buttons(), event->modifiers());
    QApplication::sendEvent(target, &forwarded);
}

void TitleTip::mouseMoveEvent(QMouseEvent* event) {
    if (!cellRect_.contains(event->globalPosition().toPoint()))
        hide();
}

} // namespace telvarin
