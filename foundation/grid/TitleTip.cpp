#include "foundation/grid/TitleTip.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace telvarin {

namespace {

constexpr int kMultiLineWidth = 595;
// The text is drawn 3 pixels from the left and 2 from the right edge, 1 from top and bottom.
constexpr int kTextMarginsX = 5;
constexpr int kTextMarginsY = 2;

} // namespace

QFont titleTipFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPixelSize(14);
    return font;
}

QRect titleTipGeometry(const TitleTipPlacement& placement, const QString& text, const QFontMetrics& metrics) {
    const QRect& cell = placement.cellTextRect;
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

    const QRect measured =
        metrics.boundingRect(QRect(0, 0, tip.width(), 1 << 20), Qt::TextWordWrap | Qt::AlignLeft, text);
    const int lineHeight = std::max(metrics.lineSpacing(), 1);
    const int lines = std::max(1, static_cast<int>(std::lround(double(measured.height()) / lineHeight)));
    // 7 pixels a character and 14 a line suit the face asked for; when another face stands in
    // for it, the tip grows to what that face needs, so the whole text shows.
    if (lines == 1) {
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
        const QRect wrapped = metrics.boundingRect(QRect(0, 0, width - kTextMarginsX, 1 << 20),
                                                   Qt::TextWordWrap | Qt::AlignLeft, text);
        tip.setHeight(std::max(14 * lines + 4, wrapped.height() + kTextMarginsY + 2));
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
    return tip;
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
    m_text = text;
    m_cellRect = placement.cellTextRect;
    setGeometry(titleTipGeometry(placement, text, QFontMetrics(font())));
    show();
    update();
}

void TitleTip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::ToolTipBase));
    painter.setPen(palette().color(QPalette::ToolTipText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawText(rect().adjusted(3, 1, -2, -1), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, m_text);
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
    if (!m_cellRect.contains(event->globalPosition().toPoint()))
        hide();
}

} // namespace telvarin
