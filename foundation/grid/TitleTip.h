#pragma once

// The title tip: a small popup over a grid cell that shows the cell's tip text, for example the
// remedy list of a rubric in the case table.

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QString>
#include <QWidget>
#include <vector>

namespace telvarin {

// Where the tip goes, all rectangles in screen coordinates.
struct TitleTipPlacement {
    QRect cellTextRect;
    QRect gridClientRect;
    QRect screenRect;
};

QFont titleTipFont();

// A tip and what it shows. A plain text is drawn word-wrapped. A text whose lines hold entries
// separated by tabs (a remedy list, five to a line) is a list: its entries are laid out in
// aligned columns, each drawn whole; a list too tall for the screen continues in further columns
// beside, and what does not fit even so is counted in a last line "… und 120 weitere".
struct TitleTipLayout {
    struct Piece {
        QRect rect; // within the tip
        QString text;
    };
    QRect geometry;            // on the screen, never beyond it
    std::vector<Piece> pieces; // a list: every entry shown, and the count of those left out
};

// The tip for a text: a plain one line gives 7 pixels per character and 1.5 line heights, several
// lines give 595 pixels and 14 pixels per line + 4; more where the face drawn (measured by
// `metrics`) needs more. 14 pixels below the cell, kept 8 pixels inside the screen's right and
// bottom edges and inside its left and top edges.
TitleTipLayout layoutTitleTip(const TitleTipPlacement& placement, const QString& text,
                              const QFontMetrics& metrics);
QRect titleTipGeometry(const TitleTipPlacement& placement, const QString& text, const QFontMetrics& metrics);

class TitleTip : public QWidget {
    Q_OBJECT
public:
    TitleTip();

    void showTip(const TitleTipPlacement& placement, const QString& text);
    // The cell the tip belongs to, in screen coordinates; the grid hides the tip on leaving it.
    QRect cellRect() const { return cellRect_; }
    const QString& text() const { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QString text_;
    QRect cellRect_;
    std::vector<TitleTipLayout::Piece> pieces_;
};

} // namespace telvarin
