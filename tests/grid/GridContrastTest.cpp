// The grid and its tips legible in a light, a dark and a high-contrast palette: text against its
// background at 4.5:1 at least, measured on what is drawn.

#include "foundation/grid/GridColours.h"
#include "foundation/grid/TableGrid.h"
#include "foundation/grid/TitleTip.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>

using namespace telvarin;

namespace {

QPalette darkPalette() {
    QPalette palette(QColor(0x35, 0x35, 0x35));
    palette.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    palette.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    palette.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    palette.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
    palette.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    palette.setColor(QPalette::HighlightedText, Qt::black);
    palette.setColor(QPalette::ToolTipBase, QColor(0x3f, 0x3f, 0x36));
    palette.setColor(QPalette::ToolTipText, Qt::white);
    return palette;
}

QPalette highContrastPalette() {
    QPalette palette(Qt::white, Qt::black);
    for (const auto role : {QPalette::Base, QPalette::Window, QPalette::Button, QPalette::ToolTipBase})
        palette.setColor(role, Qt::black);
    for (const auto role :
         {QPalette::Text, QPalette::WindowText, QPalette::ButtonText, QPalette::ToolTipText})
        palette.setColor(role, Qt::white);
    palette.setColor(QPalette::Highlight, QColor(0x1a, 0xeb, 0xff));
    palette.setColor(QPalette::HighlightedText, Qt::black);
    return palette;
}

// The background at the area's edge, and the contrast of the pixel that stands out most from it.
double drawnContrast(const QImage& image, const QRect& area) {
    const QColor background = image.pixelColor(area.topLeft());
    double most = 1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            most = std::max(most, contrastRatio(background, image.pixelColor(x, y)));
    return most;
}

} // namespace

class GridContrastTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); }

    void textStandsOutInEveryPalette_data() {
        QTest::addColumn<QPalette>("palette");
        QTest::newRow("light") << QApplication::style()->standardPalette();
        QTest::newRow("dark") << darkPalette();
        QTest::newRow("high contrast") << highContrastPalette();
    }

    // A results-like table: a header row, a yellow sum row, a grey counter-polarity cell, a
    // selected row. The grid is made in the light palette and follows the switch to the others.
    void textStandsOutInEveryPalette() {
        QFETCH(QPalette, palette);
        QApplication::setPalette(QApplication::style()->standardPalette());
        TableGrid grid;
        QFont font = grid.font();
        font.setPixelSize(18);
        font.setBold(true);
        grid.setGridFont(font);
        grid.setColumnCount(4);
        grid.setRowCount(5);
        grid.setFixedRowCount(2);
        grid.setFixedColumnCount(1);
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 4; ++c)
                grid.setText(r, c, QStringLiteral("WM"));
        for (int c = 0; c < 4; ++c)
            grid.setBackgroundColour(1, c, QColor(0xFFFF00));
        grid.setBackgroundColour(3, 2, QColor(0xE6E6E6));
        grid.resize(400, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.setFocusCell(4, 1);
        QVERIFY(grid.isCellSelected(4, 2));

        QApplication::setPalette(palette);
        QTRY_COMPARE(grid.defaultCell(false).background, palette.color(QPalette::Base));
        const QImage image = grid.viewport()->grab().toImage();
        for (int r = 0; r < 5; ++r) {
            for (int c = 0; c < 4; ++c) {
                const QRect cell = grid.cellRect(r, c).adjusted(1, 1, -3, -3);
                const double contrast = drawnContrast(image, cell);
                QVERIFY2(contrast >= kLegibleContrast,
                         qPrintable(QStringLiteral("cell %1,%2: %3").arg(r).arg(c).arg(contrast)));
            }
        }

        TitleTip tip;
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        tip.showTip({QRect(10, 10, 100, 20), screen, screen}, QStringLiteral("acon. bell. NUX-V. sulph."));
        const QImage tipImage = tip.grab().toImage();
        QVERIFY(drawnContrast(tipImage, tipImage.rect().adjusted(2, 2, -2, -2)) >= kLegibleContrast);
    }
};

QTEST_MAIN(GridContrastTest)
#include "GridContrastTest.moc"
