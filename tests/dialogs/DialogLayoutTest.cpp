#include "foundation/dialogs/DialogBase.h"
#include "foundation/dialogs/DynamicLayout.h"
#include "foundation/dialogs/FocusFrameStyle.h"
#include "foundation/dialogs/HelpViewer.h"
#include "foundation/dialogs/IconPushButton.h"
#include "foundation/grid/GridColours.h"
#include "foundation/settings/SettingsStore.h"
#include "foundation/settings/WindowPersistence.h"

#include <QEnterEvent>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QTest>
#include <utility>
#include <vector>

using namespace telvarin;

namespace {

struct Dialog {
    QWidget widget;
    QPushButton* button = new QPushButton(&widget);
    DynamicLayout layout{&widget};

    Dialog() {
        widget.resize(200, 100);
        button->setGeometry(10, 10, 50, 20);
        layout.setUp();
        // A hidden widget gets its size notifications only when it is shown.
        widget.show();
    }
};

class RecordingHelp : public HelpViewer {
public:
    void showHelpTopic(int topic, QWidget* parent) override { shown.emplace_back(topic, parent); }
    std::vector<std::pair<int, QWidget*>> shown;
};

// A dialog of the program in miniature: a table that grows with the dialog and a button row that
// follows its lower edge.
class SampleDialog : public DialogBase {
public:
    explicit SampleDialog(const DialogServices& services)
        : DialogBase(QStringLiteral("Probe"), QSize(200, 120), services) {
        table = addControl<QLineEdit>(QRect(4, 3, 192, 90));
        button = addIconPushButton(QRect(4, 98, 50, 18), QStringLiteral("&Hilfe"), QIcon(), QIcon());
        setHelpTopic(kHelpTopicCaseInput);
    }
    void initialise(bool anchorsBeforeRestore) {
        setUpLayout();
        if (anchorsBeforeRestore)
            registerAnchors();
        restorePlacement();
        if (!anchorsBeforeRestore)
            registerAnchors();
    }
    void registerAnchors() {
        addAnchor(table, 1, 1);
        addAnchor(button, 0, 2);
    }

    QLineEdit* table;
    IconPushButton* button;
};

QIcon filledIcon(Qt::GlobalColor colour) {
    QPixmap pixmap(32, 32);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

} // namespace

class DialogLayoutTest : public QObject {
    Q_OBJECT

private slots:
    // Placed with a guessed frame, a window whose real frame pushes it off the screen comes back
    // onto it once the window manager has framed and activated it.
    void comesBackOnTheScreenWhenItsFrameIsKnown() {
        SampleDialog dialog{DialogServices{}};
        dialog.initialise(true);
        dialog.show();
        const QRect screen = dialog.screen()->availableGeometry();
        dialog.setGeometry(QRect(screen.left() + 20, screen.bottom() - dialog.height() + 14, dialog.width(),
                                 dialog.height()));
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTRY_VERIFY(screen.contains(dialog.frameGeometry()));
    }

    // The focused button's frame stands out from the button at 3:1 in a light, a dark and a
    // high-contrast palette, where the highlight colour alone may not.
    void focusFrameStandsOutInEveryPalette() {
        FocusFrameStyle style(QStyleFactory::create(QStringLiteral("Fusion")));
        const auto paletteOf = [](QColor window, QColor text, QColor button, QColor highlight) {
            QPalette palette(window);
            palette.setColor(QPalette::WindowText, text);
            palette.setColor(QPalette::ButtonText, text);
            palette.setColor(QPalette::Button, button);
            palette.setColor(QPalette::Highlight, highlight);
            return palette;
        };
        const QPalette palettes[] = {
            paletteOf(QColor(239, 239, 239), Qt::black, QColor(239, 239, 239), QColor(48, 140, 198)),
            paletteOf(QColor(53, 53, 53), Qt::white, QColor(60, 60, 60), QColor(42, 130, 218)),
            paletteOf(Qt::black, Qt::white, Qt::black, QColor(0, 255, 255)),
            paletteOf(Qt::white, Qt::black, QColor(200, 200, 255), QColor(120, 120, 255)),
        };
        for (const QPalette& palette : palettes) {
            // A default button wears a face of its own in some styles, tinted with the highlight.
            for (const bool isDefault : {false, true}) {
                QPushButton button(QStringLiteral("&Zurück"));
                button.setStyle(&style);
                button.setPalette(palette);
                button.resize(90, 40);
                button.setAttribute(Qt::WA_KeyboardFocusChange);
                QStyleOptionButton option;
                option.initFrom(&button);
                option.state |= QStyle::State_HasFocus;
                if (isDefault)
                    option.features |= QStyleOptionButton::DefaultButton;
                QImage image(button.size(), QImage::Format_RGB32);
                image.fill(palette.color(QPalette::Window));
                QPainter painter(&image);
                style.drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter, &button);
                painter.end();
                const QColor frame = image.pixelColor(kFocusFrameWidth + 10, kFocusFrameWidth);
                QCOMPARE(image.pixelColor(kFocusFrameWidth, 20), frame);
                // Against the face as painted beside it, not the palette's button colour.
                const int inside = 2 * kFocusFrameWidth;
                for (const QPoint at : {QPoint(45, inside), QPoint(inside, 20), QPoint(45, 39 - inside)})
                    QVERIFY2(contrastRatio(frame, image.pixelColor(at)) >= kFocusFrameContrast,
                             qPrintable(frame.name() + u' ' + image.pixelColor(at).name()));
            }
        }
    }

    void anchorCodes_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("nearEdge");
        QTest::addColumn<int>("farEdge");
        QTest::newRow("0 stays") << 0 << 0 << 0;
        QTest::newRow("1 stretches") << 1 << 0 << 100;
        QTest::newRow("2 follows") << 2 << 100 << 100;
        QTest::newRow("3 half") << 3 << 50 << 50;
        QTest::newRow("4 stays") << 4 << 0 << 0;
        QTest::newRow("5 third") << 5 << 33 << 33;
        QTest::newRow("6 two thirds") << 6 << 66 << 66;
        QTest::newRow("8 half") << 8 << 50 << 50;
        QTest::newRow("13 four fifths") << 13 << 80 << 80;
        QTest::newRow("14 stays") << 14 << 0 << 0;
        QTest::newRow("-1 stays") << -1 << 0 << 0;
    }
    void anchorCodes() {
        QFETCH(int, code);
        QFETCH(int, nearEdge);
        QFETCH(int, farEdge);
        QCOMPARE(anchorPercentagesOfCode(code), (AnchorPercentages{nearEdge, farEdge}));
    }

    void growthMovesAndStretchesByTruncatedShares() {
        Dialog dialog;
        auto* stretching = new QPushButton(&dialog.widget);
        stretching->setGeometry(5, 40, 100, 30);
        auto* third = new QPushButton(&dialog.widget);
        third->setGeometry(150, 70, 20, 20);
        QVERIFY(dialog.layout.addAnchor(dialog.button, 3, 3));
        QVERIFY(dialog.layout.addAnchor(stretching, 1, 2));
        QVERIFY(dialog.layout.addAnchor(third, 5, 0));

        dialog.widget.resize(207, 107);
        QCOMPARE(dialog.button->geometry(), QRect(13, 13, 50, 20)); // 7 * 50 / 100 = 3
        QCOMPARE(stretching->geometry(), QRect(5, 47, 107, 30));
        QCOMPARE(third->geometry(), QRect(152, 70, 20, 20)); // 7 * 33 / 100 = 2

        // Always measured from the initial size, so steps do not accumulate rounding.
        dialog.widget.resize(299, 100);
        QCOMPARE(third->geometry(), QRect(182, 70, 20, 20)); // 99 * 33 / 100 = 32
        QCOMPARE(dialog.button->geometry(), QRect(59, 10, 50, 20));
    }

    void anchorsAreIgnoredWhereTheyCannotWork() {
        QWidget widget;
        auto* button = new QPushButton(&widget);
        DynamicLayout layout(&widget);
        QVERIFY(!layout.addAnchor(button, 1, 1)); // not set up
        layout.setUp();
        QVERIFY(!layout.addAnchor(nullptr, 1, 1));
        QVERIFY(!layout.addAnchor(button, 0, 4));
        QCOMPARE(layout.anchorCount(), 0);
        QVERIFY(layout.addAnchor(button, 0, 1));
    }

    void controlDestroyedBeforeTheDialogIsSkipped() {
        Dialog dialog;
        QVERIFY(dialog.layout.addAnchor(dialog.button, 2, 2));
        delete dialog.button;
        dialog.widget.resize(300, 300);
        QVERIFY(dialog.layout.applyLayout(QSize(300, 300)));
    }

    void shrinkingIsRefused() {
        Dialog dialog;
        QVERIFY(dialog.layout.addAnchor(dialog.button, 2, 2));
        QCOMPARE(dialog.widget.minimumSize(), QSize(200, 100));
        dialog.widget.resize(150, 80);
        QCOMPARE(dialog.widget.size(), QSize(200, 100));
        QVERIFY(!dialog.layout.applyLayout(QSize(150, 80)));
        QCOMPARE(dialog.button->geometry(), QRect(10, 10, 50, 20));
        QVERIFY(!dialog.layout.applyLayout(QSize(250, 80)));
        QCOMPARE(dialog.button->geometry(), QRect(60, 10, 50, 20));
    }

    void minimiseAndRestoreKeepPositions() {
        Dialog dialog;
        QVERIFY(dialog.layout.addAnchor(dialog.button, 2, 2));
        QVERIFY(QTest::qWaitForWindowExposed(&dialog.widget));
        dialog.widget.resize(260, 140);
        const QRect grown(70, 50, 50, 20);
        QCOMPARE(dialog.button->geometry(), grown);

        dialog.widget.showMinimized();
        QTRY_VERIFY(dialog.widget.isMinimized());
        QCOMPARE(dialog.button->geometry(), grown);
        dialog.widget.showNormal();
        QTRY_VERIFY(!dialog.widget.isMinimized());
        QCOMPARE(dialog.button->geometry(), grown);

        // A size set while minimised is laid out when the dialog comes back.
        dialog.widget.showMinimized();
        QTRY_VERIFY(dialog.widget.isMinimized());
        dialog.widget.resize(300, 150);
        QCOMPARE(dialog.button->geometry(), grown);
        dialog.widget.showNormal();
        QTRY_COMPARE(dialog.button->geometry(), QRect(110, 60, 50, 20));
    }

    void dialogRestoredLargerLaysOutForThatSize_data() {
        QTest::addColumn<bool>("anchorsBeforeRestore");
        QTest::newRow("anchors first") << true;
        QTest::newRow("placement first") << false;
    }
    void dialogRestoredLargerLaysOutForThatSize() {
        QFETCH(bool, anchorsBeforeRestore);
        MemorySettingsStore store;
        PresetMessageBoxes messages;
        QSize templateSize;
        QRect tableAtTemplate;
        QRect buttonAtTemplate;
        {
            SampleDialog first({&store, nullptr, &messages});
            first.initialise(true);
            templateSize = first.size();
            tableAtTemplate = first.table->geometry();
            buttonAtTemplate = first.button->geometry();
            first.setGeometry(QRect(QPoint(30, 40), templateSize + QSize(80, 60)));
            QVERIFY(first.savePlacement());
        }
        SampleDialog reopened({&store, nullptr, &messages});
        reopened.initialise(anchorsBeforeRestore);
        reopened.show();
        QVERIFY(QTest::qWaitForWindowExposed(&reopened));
        QCOMPARE(reopened.geometry(), QRect(QPoint(30, 40), templateSize + QSize(80, 60)));
        QCOMPARE(reopened.table->geometry(), tableAtTemplate.adjusted(0, 0, 80, 60));
        QCOMPARE(reopened.button->geometry(), buttonAtTemplate.translated(0, 60));
        QCOMPARE(reopened.minimumSize(), templateSize);
    }

    void placementIsSavedOnlyOnceTheLayoutIsSetUp() {
        MemorySettingsStore store;
        SampleDialog dialog({&store, nullptr, nullptr});
        QVERIFY(!dialog.savePlacement());
        QCOMPARE(store.valueCount(), 0);
        dialog.initialise(true);
        QVERIFY(dialog.savePlacement());
        QVERIFY(store.contains(QStringLiteral("Dialog\\Probe"), QStringLiteral("(check)")));
        SampleDialog withoutStore({});
        withoutStore.initialise(true);
        QVERIFY(!withoutStore.savePlacement());
    }

    void dialogUnitsFollowTheFontsBaseUnits() {
        const DialogBaseUnits units{6, 13};
        // The table of the case input window: 4, 3, 419 x 146 dialog units.
        QCOMPARE(dialogUnitsToPixels(QRect(4, 3, 419, 146), units), QRect(6, 5, 629, 237));
        QCOMPARE(dialogUnitsToPixels(QSize(427, 198), units), QSize(641, 322));
        // Edges are converted, so buttons side by side still touch.
        const QRect first = dialogUnitsToPixels(QRect(4, 159, 50, 35), units);
        const QRect second = dialogUnitsToPixels(QRect(54, 159, 50, 35), units);
        QCOMPARE(first.x() + first.width(), second.x());

        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(12);
        const DialogBaseUnits measured = dialogBaseUnitsOf(font);
        QVERIFY(measured.x > 3 && measured.x < 12);
        QCOMPARE(measured.y, QFontMetrics(font).height());
    }

    // A modeless window hidden and shown again, moved or maximised before: back in its normal
    // state at its normal rectangle, not centred anew and not screen-filling.
    void dialogShownAgainKeepsItsNormalRectangle() {
        QWidget owner;
        owner.setGeometry(0, 0, 700, 500);
        owner.show();
        SampleDialog dialog({});
        dialog.setParent(&owner, dialog.windowFlags());
        dialog.initialise(true);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.move(40, 50);
        const QRect normal = dialog.geometry();
        dialog.hide();
        dialog.show();
        QCOMPARE(dialog.geometry(), normal);
        dialog.showMaximized();
        QTRY_VERIFY(dialog.isMaximized());
        dialog.hide();
        dialog.show();
        QVERIFY(!dialog.isMaximized());
        QTRY_COMPARE(dialog.geometry(), normal);
    }

    // The case input window's template on a 1280 x 900 screen at 200 % scaling (640 x 450 logical).
    void templateFitsASmallScreenWithASmallerFont() {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSize(12);
        const QSize room(632, 416);
        const QFont fitted = fontFittingTemplate(font, QSize(427, 198), room);
        const QSize pixels = dialogUnitsToPixels(QSize(427, 198), dialogBaseUnitsOf(fitted));
        QVERIFY2(pixels.width() <= room.width() && pixels.height() <= room.height(),
                 qPrintable(QStringLiteral("%1x%2").arg(pixels.width()).arg(pixels.height())));
        QVERIFY(fitted.pointSizeF() >= 6);
        QCOMPARE(fontFittingTemplate(font, QSize(100, 50), room), font);
    }

    void helpGoesToTheViewerOrReportsFailure() {
        PresetMessageBoxes messages;
        SampleDialog withoutViewer({nullptr, nullptr, &messages});
        withoutViewer.showHelp(kHelpTopicCaseInput);
        QCOMPARE(messages.shown().size(), size_t{1});
        QCOMPARE(messages.shown().front().text, QStringLiteral("Failed to launch help."));

        RecordingHelp help;
        SampleDialog withViewer({nullptr, &help, &messages});
        QTest::keyClick(&withViewer, Qt::Key_F1);
        QCOMPARE(help.shown.size(), size_t{1});
        QCOMPARE(help.shown.front().first, 13);
        QCOMPARE(help.shown.front().second, &withViewer);
        QCOMPARE(messages.shown().size(), size_t{1});
    }

    void iconButtonShowsTheHotPictureWhilePointedAtOrPressed() {
        const QIcon hot = filledIcon(Qt::red);
        const QIcon normal = filledIcon(Qt::gray);
        IconPushButton button(QStringLiteral("&Berechnen"), hot, normal);
        button.resize(75, 57);
        QCOMPARE(button.icon().cacheKey(), normal.cacheKey());

        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(&button, &enter);
        QVERIFY(button.showsHotIcon());
        QCOMPARE(button.icon().cacheKey(), hot.cacheKey());
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&button, &leave);
        QCOMPARE(button.icon().cacheKey(), normal.cacheKey());

        button.setDown(true);
        emit button.pressed();
        QVERIFY(button.showsHotIcon());
        button.setDown(false);
        emit button.released();
        QVERIFY(!button.showsHotIcon());

        // Painting with the picture above the caption, and with a button too low for that.
        QVERIFY(!button.grab().isNull());
        button.resize(75, 20);
        QVERIFY(!button.grab().isNull());
    }
};

QTEST_MAIN(DialogLayoutTest)
#include "DialogLayoutTest.moc"
