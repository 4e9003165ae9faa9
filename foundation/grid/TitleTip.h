#pragma once

// The title tip: a small popup over a grid cell that shows the cell's tip text, for example the
// remedy list of a rubric in the case table.

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QString>
#include <QWidget>

namespace telvarin {

// Where the tip goes, all rectangles in screen coordinates.
struct TitleTipPlacement {
    QRect cellTextRect;
    QRect gridClientRect;
    QRect screenRect;
};

QFont titleTipFont();

// The tip's rectangle for a text: one line gives 7 pixels per character and 1.5 line heights,
// several lines give 595 pixels and 14 pixels per line + 4; more where the face drawn (measured by
// `metrics`) needs more. 14 pixels below the cell, kept above the screen's bottom less 8 pixels.
QRect titleTipGeometry(const TitleTipPlacement& placement, const QString& text, const QFontMetrics& metrics);

class TitleTip : public QWidget {
    Q_OBJECT
public:
    TitleTip();

    void showTip(const TitleTipPlacement& placement, const QString& text);
    // The cell the tip belongs to, in screen coordinates; the grid hides the tip on leaving it.
    QRect cellRect() const { return m_cellRect; }
    const QString& text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QString m_text;
    QRect m_cellRect;
};

} // namespace telvarin
