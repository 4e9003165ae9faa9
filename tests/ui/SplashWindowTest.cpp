#include "ui/SplashWindow.h"

#include "foundation/settings/SettingsStore.h"

#include <QSvgRenderer>
#include <QTest>
#include <QTimer>

using namespace telvarin;

namespace {

const QString kStartDelay = QStringLiteral("Startverzögerung");

// Runs the splash window modally as the start does; a guard rejects it should it hang.
int runModal(SplashWindow& splash) {
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &splash, &QDialog::reject);
    guard.start(3000);
    return splash.exec();
}

} // namespace

class SplashWindowTest : public QObject {
    Q_OBJECT

private slots:
    void firstStartWritesFiveSeconds() {
        MemorySettingsStore store;
        SplashWindow splash(store);
        QCOMPARE(store.readInt(QString(), kStartDelay, -1), 5);
        QCOMPARE(splash.delaySeconds(), 5);
        splash.show();
        QVERIFY(splash.timerRunning());
        QCOMPARE(splash.timerInterval(), 5000);
    }

    void storedDelayIsUsedAndKept_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("used");
        QTest::newRow("seven") << 7 << 7;
        QTest::newRow("beyond ten") << 100000 << 10;
        QTest::newRow("negative") << -8 << 0;
    }
    void storedDelayIsUsedAndKept() {
        QFETCH(int, stored);
        QFETCH(int, used);
        MemorySettingsStore store;
        store.writeInt(QString(), kStartDelay, stored);
        SplashWindow splash(store);
        QCOMPARE(splash.delaySeconds(), used);
        QCOMPARE(store.readInt(QString(), kStartDelay, -1), stored);
        QCOMPARE(store.writeCount(), 1);
    }

    void zeroClosesAtOnce() {
        MemorySettingsStore store;
        store.writeInt(QString(), kStartDelay, 0);
        SplashWindow splash(store);
        QCOMPARE(runModal(splash), int(QDialog::Accepted));
        QVERIFY(!splash.isVisible());
    }

    void enterClosesEarly() {
        MemorySettingsStore store;
        SplashWindow splash(store);
        QTimer::singleShot(0, &splash, [&splash] { QTest::keyClick(&splash, Qt::Key_Return); });
        QCOMPARE(runModal(splash), int(QDialog::Accepted));
        QVERIFY(!splash.timerRunning());
    }

    void escapeClosesEarly() {
        MemorySettingsStore store;
        SplashWindow splash(store);
        splash.show();
        QTest::keyClick(&splash, Qt::Key_Escape);
        QVERIFY(!splash.isVisible());
        QVERIFY(!splash.timerRunning());
    }

    void showsItsPicture() {
        QVERIFY(QSvgRenderer(SplashWindow::pictureResource()).isValid());
        MemorySettingsStore store;
        SplashWindow splash(store);
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        const QImage image = splash.grab().toImage();
        QVERIFY(image.width() >= 400);
        // Centred on the screen, whatever the window manager would do.
        const QPoint offCentre =
            splash.frameGeometry().center() - splash.screen()->availableGeometry().center();
        QVERIFY(offCentre.manhattanLength() <= 2);
        image.save(QStringLiteral(TELVARIN_TEST_OUTPUT_DIR "/splash.png"));
    }
};

QTEST_MAIN(SplashWindowTest)
#include "SplashWindowTest.moc"
