#include "foundation/settings/WindowPersistence.h"

#include "foundation/dialogs/DynamicLayout.h"
#include "foundation/dialogs/WindowPlacement.h"
#include "foundation/grid/TableGrid.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <vector>

using namespace telvarin;

namespace {

const QString kSection = placementSection(QStringLiteral("Eingabe"));

// A top-level window with its layout set up, as every dialog has it once initialised.
struct Window {
    QWidget widget;
    DynamicLayout layout{&widget};

    explicit Window(const QRect& geometry = QRect(100, 120, 300, 200)) {
        widget.setGeometry(geometry);
        layout.setUp();
    }
};

struct FakeGrid {
    std::vector<int> widths;
    int columnCount() const { return static_cast<int>(widths.size()); }
    int columnWidth(int column) const { return widths.at(column); }
    void setColumnWidth(int column, int width) { widths.at(column) = width; }
};

// A grid on the screen, showing its columns in `shown` pixels.
struct ShownFakeGrid : FakeGrid {
    int shown = 0;
    int shownWidth() const { return shown; }
};

static_assert(ColumnWidthGrid<FakeGrid>);
static_assert(ColumnWidthGrid<TableGrid>, "the table grid keeps its column widths through these functions");

} // namespace

class WindowPersistenceTest : public QObject {
    Q_OBJECT

private slots:
    void placementRoundTrip() {
        MemorySettingsStore store;
        Window saved(QRect(100, 120, 300, 200));
        QVERIFY(saveWindowPlacement(store, kSection, saved.widget, saved.layout));
        QCOMPARE(store.readInt(QStringLiteral("Dialog\\Eingabe"), QStringLiteral("Left"), 0), 100);
        QCOMPARE(store.readInt(kSection, QStringLiteral("Right"), 0), 400);
        QCOMPARE(store.readInt(kSection, QStringLiteral("Top"), 0), 120);
        QCOMPARE(store.readInt(kSection, QStringLiteral("Bottom"), 0), 320);
        QCOMPARE(store.readInt(kSection, QStringLiteral("State"), 0), kShowStateNormal);
        QCOMPARE(store.readInt(kSection, QStringLiteral("(check)"), 0), 32639);
        QCOMPARE(store.writeCount(), 7);

        Window restored(QRect(10, 10, 200, 100));
        QVERIFY(restoreWindowPlacement(store, kSection, restored.widget));
        QCOMPARE(restored.widget.geometry(), QRect(100, 120, 300, 200));
    }

    void nothingIsSavedBeforeTheLayoutIsSetUp() {
        MemorySettingsStore store;
        QWidget window;
        const DynamicLayout layout(&window);
        QVERIFY(!saveWindowPlacement(store, kSection, window, layout));
        QCOMPARE(store.valueCount(), 0);
    }

    void halfWrittenRecordIsIgnored() {
        MemorySettingsStore store;
        Window first(QRect(50, 60, 300, 200));
        QVERIFY(saveWindowPlacement(store, kSection, first.widget, first.layout));

        // The store breaks down after the marker and two edges of a second save.
        Window second(QRect(400, 300, 500, 400));
        store.failWritesAfter(3);
        QVERIFY(!saveWindowPlacement(store, kSection, second.widget, second.layout));
        QCOMPARE(store.readInt(kSection, QStringLiteral("(check)"), 0), -32640);

        Window reopened(QRect(10, 20, 300, 200));
        QVERIFY(!restoreWindowPlacement(store, kSection, reopened.widget));
        QCOMPARE(reopened.widget.geometry(), QRect(10, 20, 300, 200));
    }

    void recordWithoutMarkerIsIgnored() {
        MemorySettingsStore store;
        store.writeInt(kSection, QStringLiteral("Left"), 500);
        store.writeInt(kSection, QStringLiteral("(check)"), 32638);
        Window window(QRect(10, 20, 300, 200));
        QVERIFY(!restoreWindowPlacement(store, kSection, window.widget));
        QCOMPARE(window.widget.geometry(), QRect(10, 20, 300, 200));
    }

    void missingEdgesKeepTheWindowsOwn() {
        MemorySettingsStore store;
        store.writeInt(kSection, QStringLiteral("Left"), -20);
        store.writeInt(kSection, QStringLiteral("(check)"), 32639);
        Window window(QRect(10, 20, 300, 200));
        QVERIFY(restoreWindowPlacement(store, kSection, window.widget));
        // Left moves, the other edges stay, so the window is wider by the difference.
        QCOMPARE(window.widget.geometry(), QRect(-20, 20, 330, 200));
    }

    void windowClosedMaximisedReopensNormal() {
        MemorySettingsStore store;
        {
            Window window(QRect(100, 120, 300, 200));
            window.widget.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window.widget));
            window.widget.showMaximized();
            QTRY_VERIFY(window.widget.isMaximized());
            QVERIFY(saveWindowPlacement(store, kSection, window.widget, window.layout));
        }
        QCOMPARE(store.readInt(kSection, QStringLiteral("State"), 0), kShowStateMaximized);
        QCOMPARE(store.readInt(kSection, QStringLiteral("Right"), 0), 400);

        Window reopened(QRect(0, 0, 250, 150));
        QVERIFY(restoreWindowPlacement(store, kSection, reopened.widget, false));
        reopened.widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&reopened.widget));
        QVERIFY(!reopened.widget.isMaximized());
        QCOMPARE(reopened.widget.geometry(), QRect(100, 120, 300, 200));
    }

    void reachableRect_data() {
        QTest::addColumn<QRect>("stored");
        QTest::addColumn<QRect>("expected");
        // Two screens side by side.
        QTest::newRow("on the first screen") << QRect(10, 10, 300, 200) << QRect(10, 10, 300, 200);
        QTest::newRow("partly off the edge") << QRect(-250, 10, 300, 200) << QRect(-250, 10, 300, 200);
        QTest::newRow("left of everything") << QRect(-5000, 100, 300, 200) << QRect(0, 100, 300, 200);
        QTest::newRow("right of the second") << QRect(9000, 100, 300, 200) << QRect(2580, 100, 300, 200);
        QTest::newRow("below the second") << QRect(2000, 5000, 300, 200) << QRect(2000, 880, 300, 200);
        QTest::newRow("bigger than the screen") << QRect(-9000, -9000, 4000, 3000) << QRect(0, 0, 1920, 1080);
    }
    void reachableRect() {
        QFETCH(QRect, stored);
        QFETCH(QRect, expected);
        const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 960, 1080)};
        QCOMPARE(reachableWindowRect(stored, screens), expected);
    }

    // Client rectangles whose frame (4, 30, 4, 4) must lie within a 1280 x 900 screen.
    void clientRectWithinScreen_data() {
        QTest::addColumn<QRect>("client");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("fits") << QRect(100, 100, 640, 600) << QRect(100, 100, 640, 600);
        QTest::newRow("below the bottom") << QRect(600, 300, 640, 600) << QRect(600, 296, 640, 600);
        QTest::newRow("taller than the screen") << QRect(0, 0, 640, 2000) << QRect(4, 30, 640, 866);
        QTest::newRow("off the right edge") << QRect(900, 30, 747, 371) << QRect(529, 30, 747, 371);
    }
    void clientRectWithinScreen() {
        QFETCH(QRect, client);
        QFETCH(QRect, expected);
        QCOMPARE(clientRectWithin(client, QMargins(4, 30, 4, 4), QRect(0, 0, 1280, 900)), expected);
    }

    // A 592 x 278 window whose table shows 560 x 180 of the 1100 x 400 it needs.
    void clientGrowsToShowItsContentWithinTheScreen() {
        const QMargins frame(4, 30, 4, 4);
        const QRect client(600, 500, 592, 278);
        QCOMPARE(clientRectShowing(client, QSize(560, 180), QSize(1100, 400), frame, QRect(0, 0, 1920, 1080)),
                 QRect(600, 500, 1132, 498));
        QCOMPARE(clientRectShowing(client, QSize(560, 180), QSize(1100, 400), frame, QRect(0, 0, 1024, 600)),
                 QRect(4, 98, 1016, 498)); // as wide as the screen allows, moved up onto it
        QCOMPARE(clientRectShowing(client, QSize(560, 180), QSize(100, 100), frame, QRect(0, 0, 1920, 1080)),
                 client);
    }

    void windowStoredOffEveryScreenOpensOnOne() {
        MemorySettingsStore store;
        store.writeInt(kSection, QStringLiteral("(check)"), kPlacementComplete);
        store.writeInt(kSection, QStringLiteral("Left"), -100000);
        store.writeInt(kSection, QStringLiteral("Right"), -99700);
        store.writeInt(kSection, QStringLiteral("Top"), 2000000000);
        store.writeInt(kSection, QStringLiteral("Bottom"), 2000000200);
        Window window;
        QVERIFY(restoreWindowPlacement(store, kSection, window.widget));
        QCOMPARE(window.widget.size(), QSize(300, 200));
        bool onAScreen = false;
        for (const QScreen* screen : QGuiApplication::screens())
            onAScreen = onAScreen || screen->availableGeometry().contains(window.widget.geometry());
        QVERIFY(onAScreen);
    }

    void columnWidthsRoundTrip() {
        MemorySettingsStore store;
        const QString section = columnWidthsSection(QStringLiteral("Textsuche"));
        const FakeGrid saved{{5, 480, 120}};
        QVERIFY(saveColumnWidths(store, section, saved, 0));
        QCOMPARE(store.readInt(QStringLiteral("Spalten\\Textsuche"), QStringLiteral("Col2"), 0), 120);

        FakeGrid restored{{1, 1, 1}};
        QVERIFY(restoreColumnWidths(store, section, restored, -3));
        QCOMPARE(restored.widths, saved.widths);
    }

    // Widths saved in a maximised window (or at 200 %) are narrowed to the table they come back to,
    // never widened.
    void columnWidthsFitASmallerTable() {
        MemorySettingsStore store;
        const QString section = columnWidthsSection(QStringLiteral("Mittel"));
        QVERIFY(saveColumnWidths(store, section, ShownFakeGrid{{{230, 230, 1400}}, 1900}));
        ShownFakeGrid normal{{{1, 1, 1}}, 950};
        QVERIFY(restoreColumnWidths(store, section, normal));
        QCOMPARE(normal.widths, (std::vector<int>{115, 115, 700}));
        ShownFakeGrid larger{{{1, 1, 1}}, 2500};
        QVERIFY(restoreColumnWidths(store, section, larger));
        QCOMPARE(larger.widths, (std::vector<int>{230, 230, 1400}));
    }

    void columnWidthsOfTheFirstColumnsOnly() {
        MemorySettingsStore store;
        const QString section = columnWidthsSection(QStringLiteral("Ergebnis"));
        QVERIFY(saveColumnWidths(store, section, FakeGrid{{40, 300, 25, 25, 25}}, 2));
        QCOMPARE(store.valueCount(), 2);
        QVERIFY(!store.contains(section, QStringLiteral("Col2")));
        // A count beyond the grid stays within the grid.
        QVERIFY(saveColumnWidths(store, section, FakeGrid{{7}}, 2));
        FakeGrid one{{1}};
        QVERIFY(restoreColumnWidths(store, section, one, 5));
        QCOMPARE(one.widths, std::vector<int>{7});
    }

    void unusableStoredWidthsLeaveTheColumnAsBuilt() {
        MemorySettingsStore store;
        const QString section = columnWidthsSection(QStringLiteral("Eingabe"));
        store.writeInt(section, QStringLiteral("Col0"), 0);
        store.writeInt(section, QStringLiteral("Col1"), -20);
        store.writeString(section, QStringLiteral("Col2"), QStringLiteral("80"));
        store.writeInt(section, QStringLiteral("Col3"), 2000000000);
        store.writeInt(section, QStringLiteral("Col5"), 66);
        FakeGrid grid{{10, 11, 12, 13, 14, 15}};
        QVERIFY(restoreColumnWidths(store, section, grid));
        QCOMPARE(grid.widths, (std::vector<int>{10, 11, 12, 13, 14, 66}));
    }

    void columnWidthsOffAreNeitherReadNorWritten() {
        MemorySettingsStore store;
        const QString section = columnWidthsSection(QStringLiteral("Eingabe"));
        store.writeInt(section, QStringLiteral("Col0"), 99);
        MainSettings settings;
        settings.keepColumnWidths = false;

        FakeGrid grid{{5, 480, 100}};
        QVERIFY(!restoreColumnWidthsIfKept(settings, store, section, grid));
        QCOMPARE(grid.widths, (std::vector<int>{5, 480, 100}));
        QVERIFY(!saveColumnWidthsIfKept(settings, store, section, grid));
        QCOMPARE(store.valueCount(), 1);
        QCOMPARE(store.readInt(section, QStringLiteral("Col0"), 0), 99);

        settings.keepColumnWidths = true;
        QVERIFY(restoreColumnWidthsIfKept(settings, store, section, grid));
        QCOMPARE(grid.widths.front(), 99);
    }
};

QTEST_MAIN(WindowPersistenceTest)
#include "WindowPersistenceTest.moc"
