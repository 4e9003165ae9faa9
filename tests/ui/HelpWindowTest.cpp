#include "ui/HelpWindow.h"

#include "foundation/dialogs/HelpViewer.h"
#include "foundation/dialogs/WindowPlacement.h"

#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>

using namespace telvarin;

namespace {

const QList<int> kTopics{kHelpTopicCaseInput,  kHelpTopicResults,     kHelpTopicSymptomTreeSearch,
                         kHelpTopicTextSearch, kHelpTopicCaseHistory, kHelpTopicRemedyOverview,
                         kHelpTopicSettings,   kHelpTopicFileCase,    kHelpTopicPolarity};

QStringList linksOf(const QTextDocument& document) {
    QStringList links;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isAnchor() && !format.anchorHref().isEmpty()) {
                links << format.anchorHref();
            }
        }
    }
    return links;
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

private slots:
    void everyTopicShowsItsGermanPage_data() {
        QTest::addColumn<int>("topic");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("phrase");
        QTest::newRow("13") << 13 << u"Falleingabe"_qs << u"Gegenpolarität"_qs;
        QTest::newRow("14") << 14 << u"Ergebnis der Auswertung"_qs << u"Anzahl der Treffer"_qs;
        QTest::newRow("15") << 15 << u"Symptomsuche"_qs << u"Übernehmen"_qs;
        QTest::newRow("16") << 16 << u"Textuelle Symptomsuche"_qs << u"Kapitelfilter"_qs;
        QTest::newRow("17") << 17 << u"Fallhistorie"_qs << u"ersetzen"_qs;
        QTest::newRow("18") << 18 << u"Mittelübersicht"_qs << u"Rubrikengröße beachten"_qs;
        QTest::newRow("19") << 19 << u"Programmeinstellungen"_qs << u"Startverzögerung"_qs;
        QTest::newRow("23") << 23 << u"Fall ablegen"_qs << u"Strg+Eingabetaste"_qs;
        QTest::newRow("30") << 30 << u"Polaritätsanalyse mit dem Kent"_qs << u"Kontraindikationen"_qs;
    }

    void everyTopicShowsItsGermanPage() {
        QFETCH(int, topic);
        QFETCH(QString, title);
        QFETCH(QString, phrase);
        HelpWindow window;
        int failures = 0;
        window.setFailureNotice([&](QWidget*, const QString&) { ++failures; });

        window.showHelpTopic(topic, nullptr);

        QCOMPARE(failures, 0);
        QVERIFY(window.isVisible());
        QCOMPARE(window.currentTopic(), topic);
        QCOMPARE(window.windowTitle(), u"Hilfe - "_qs + title);
        // The umlauts must survive the page's way into the browser.
        QVERIFY2(window.browser()->toPlainText().contains(phrase), qPrintable(phrase));
        // A picture of the page for looking at it by eye.
        window.grab().save(QStringLiteral(TELVARIN_TEST_OUTPUT_DIR "/help-topic-%1.png").arg(topic));
    }

    void missingTopicReportsFailureAndKeepsThePage() {
        HelpWindow window;
        QStringList messages;
        window.setFailureNotice([&](QWidget*, const QString& text) { messages << text; });
        window.showHelpTopic(kHelpTopicResults, nullptr);

        for (int topic : {0, -13, 20, 22, 24, 1000}) {
            window.showHelpTopic(topic, nullptr);
        }

        QCOMPARE(messages, QStringList(6, u"Failed to launch help."_qs));
        QCOMPARE(window.currentTopic(), kHelpTopicResults);
    }

    void missingTopicShowsAMessageBoxByDefault() {
        HelpWindow window;
        QWidget owner;
        owner.show();
        QString shownText;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shownText = box->text();
                box->accept();
            }
        });

        window.showHelpTopic(99, &owner);

        QCOMPARE(shownText, u"Failed to launch help."_qs);
        QVERIFY(!window.isVisible());
    }

    void linksBetweenPagesLeadToExistingPages() {
        HelpWindow window;
        for (int topic : kTopics) {
            window.showHelpTopic(topic, nullptr);
            const QUrl page = window.browser()->source();
            for (const QString& link : linksOf(*window.browser()->document())) {
                const QUrl target = page.resolved(QUrl(link));
                const int linked = helpTopicOfSource(target);
                QVERIFY2(linked >= 0 && hasHelpPage(linked),
                         qPrintable(QString::number(topic) + u" -> "_qs + link));

                window.browser()->setSource(target);
                QCOMPARE(window.currentTopic(), linked);
                QVERIFY(window.windowTitle().startsWith(u"Hilfe - "_qs));
                window.browser()->setSource(page);
            }
        }
    }

    // 640 x 600 does not fit a screen 600 pixels high with its title bar: it is made to fit.
    void helpWindowOpensWhollyOnTheScreen() {
        QWidget owner;
        owner.setGeometry(100, 100, 300, 200);
        owner.show();
        HelpWindow window;
        window.showHelpTopic(kHelpTopicCaseInput, &owner);
        const QRect available = window.screen()->availableGeometry();
        QVERIFY(available.contains(window.geometry().marginsAdded(expectedFrameMargins(window))));
    }

    void helpStaysUsableWhileTheAskingDialogIsModal() {
        QWidget mainWindow;
        mainWindow.show();
        HelpWindow help(&mainWindow);
        QDialog dialog(&mainWindow);
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        help.showHelpTopic(kHelpTopicSettings, &dialog);
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        // Keys as the window system delivers them: a blocked window would drop them.
        auto* probe = new QLineEdit(&help);
        probe->show();
        help.activateWindow();
        probe->setFocus();
        QTest::keyClick(help.windowHandle(), Qt::Key_X);
        QCOMPARE(probe->text(), u"x"_qs);

        // Asked again from the main window, the same window shows the new page.
        dialog.hide();
        help.showHelpTopic(kHelpTopicCaseInput, &mainWindow);
        QCOMPARE(help.currentTopic(), kHelpTopicCaseInput);
    }

    void escapeClosesTheWindow() {
        HelpWindow window;
        window.showHelpTopic(kHelpTopicCaseInput, nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::keyClick(window.windowHandle(), Qt::Key_Escape);
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(HelpWindowTest)
#include "HelpWindowTest.moc"
