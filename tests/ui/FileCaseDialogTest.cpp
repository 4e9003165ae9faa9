// The file-case dialog as a user types into it: the name comes back exactly as typed, and texts
// the history cannot store are refused with the dialog left open.

#include "ui/FileCaseDialog.h"

#include "foundation/dialogs/IconPushButton.h"
#include "foundation/dialogs/MessageBoxes.h"
#include "foundation/settings/SettingsStore.h"
#include "tests/ui/ResultsReference.h"
#include "ui/ResultsWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

using namespace telvarin;

namespace {

// Key presses carrying any character, also those outside Latin-1 that QTest::keyClicks refuses.
void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

struct OpenDialog {
    MemorySettingsStore store;
    PresetMessageBoxes messages;
    FileCaseDialog dialog{
        {"M\xFCller, Anna"_w1252, "Weber"_w1252}, {}, DialogServices{&store, nullptr, &messages}};

    OpenDialog() {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    }
    void typeName(const QString& text) {
        dialog.nameBox()->lineEdit()->clear();
        typeText(dialog.nameBox()->lineEdit(), text);
    }
};

} // namespace

class FileCaseDialogTest : public QObject {
    Q_OBJECT

private slots:
    void returnsTheNameAsTyped();
    void refusesCharactersTheHistoryCannotStore();
    void resultsWindowRefusesSuchAnEvaluationName();
    void offersTheRankedRemediesForThePrescription();
};

void FileCaseDialogTest::offersTheRankedRemediesForThePrescription() {
    OpenDialog open;
    open.dialog.offerRemedies({{"sulph."_w1252, "nux-v."_w1252, "calc."_w1252}, "nux-v."_w1252});
    QCOMPARE(open.dialog.remedyBox()->count(), 3);
    QCOMPARE(open.dialog.remedyBox()->currentText(), QStringLiteral("nux-v."));
    open.typeName(QStringLiteral("Weber"));
    typeText(open.dialog.potencyField(), QStringLiteral(" C30 "));
    typeText(open.dialog.noteField(), QStringLiteral("abends"));
    QVERIFY(open.dialog.grab().save(QStringLiteral(TELVARIN_TEST_OUTPUT_DIR "/file_case_prescription.png")));
    QTest::keyClick(open.dialog.noteField(), Qt::Key_Return);
    QCOMPARE(open.dialog.result(), int(QDialog::Accepted));
    QCOMPARE(open.dialog.answer().prescription, (Prescription{"nux-v."_w1252, "C30"_w1252, "abends"_w1252}));

    // Typed over, the remedy is whatever was typed; nothing typed records no prescription.
    OpenDialog typed;
    typed.dialog.remedyBox()->lineEdit()->clear();
    typeText(typed.dialog.remedyBox()->lineEdit(), QStringLiteral("Lac caninum"));
    QCOMPARE(typed.dialog.answer().prescription.remedy, "Lac caninum"_w1252);
    OpenDialog none;
    QVERIFY(none.dialog.answer().prescription.empty());
}

void FileCaseDialogTest::returnsTheNameAsTyped() {
    {
        OpenDialog open;
        open.typeName(QStringLiteral("Müller"));
        QTest::keyClick(open.dialog.nameBox()->lineEdit(), Qt::Key_Return);
        QCOMPARE(open.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(open.dialog.answer().name, "M\xFCller"_w1252);
    }
    {
        OpenDialog open;
        open.typeName(QStringLiteral("weber"));
        open.dialog.okButton()->click();
        QCOMPARE(open.dialog.answer().name, "weber"_w1252);
    }
    {
        // Composed from a letter and a combining mark, as some programs paste it.
        OpenDialog open;
        open.typeName(QStringLiteral("Mu\u0308ller"));
        QTest::keyClick(open.dialog.nameBox()->lineEdit(), Qt::Key_Enter);
        QCOMPARE(open.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(open.dialog.answer().name, "M\xFCller"_w1252);
    }
}

void FileCaseDialogTest::refusesCharactersTheHistoryCannotStore() {
    OpenDialog open;
    open.typeName(QStringLiteral("Łukasz Nowak"));
    QTest::keyClick(open.dialog.nameBox()->lineEdit(), Qt::Key_Return);
    QVERIFY(open.dialog.isVisible());
    QCOMPARE(open.dialog.nameBox()->currentText(), QStringLiteral("Łukasz Nowak"));
    QCOMPARE(open.messages.shown().size(), std::size_t{1});
    const QString message = open.messages.shown()[0].text;
    QVERIFY2(message.startsWith(QStringLiteral("Der Name enthält")) &&
                 message.contains(QStringLiteral("„Ł“")) && message.contains(QStringLiteral("„L“")),
             qPrintable(message));

    // A soft hyphen would make a second case that looks like the first.
    open.typeName(QStringLiteral("Lu\u00ADkasz Nowak"));
    QTest::keyClick(open.dialog.nameBox()->lineEdit(), Qt::Key_Return);
    QVERIFY(open.dialog.isVisible());
    QCOMPARE(open.messages.shown().size(), std::size_t{2});
    QVERIFY2(open.messages.shown()[1].text.contains(QStringLiteral("unsichtbares Formatzeichen (U+00AD")),
             qPrintable(open.messages.shown()[1].text));

    open.typeName(QStringLiteral("Lukasz Nowak"));
    typeText(open.dialog.commentField(), QStringLiteral("Herr Şahin überwies"));
    open.dialog.okButton()->click();
    QVERIFY(open.dialog.isVisible());
    QCOMPARE(open.messages.shown().size(), std::size_t{3});
    QVERIFY2(open.messages.shown()[2].text.contains(QStringLiteral("Der Kommentar")) &&
                 open.messages.shown()[2].text.contains(QStringLiteral("„S“")),
             qPrintable(open.messages.shown()[2].text));
    QCOMPARE(open.dialog.commentField()->toPlainText(), QStringLiteral("Herr Şahin überwies"));
    QCOMPARE(open.store.valueCount(), 0); // nothing confirmed yet

    open.dialog.commentField()->clear();
    open.dialog.okButton()->click();
    QCOMPARE(open.dialog.result(), int(QDialog::Accepted));
    QCOMPARE(open.dialog.answer(), (FileCaseAnswer{"Lukasz Nowak"_w1252, {}}));
}

void FileCaseDialogTest::resultsWindowRefusesSuchAnEvaluationName() {
    // Turned into "?" it would be offered as the case name and filed so.
    const std::vector<CaseSymptom> rows = {{12, 0, false, {}}};
    AnalysisResult result(results_test::reference());
    result.score(results_test::reference(), rows);
    MemorySettingsStore store;
    PresetMessageBoxes messages;
    ResultsWindow window(results_test::reference(), rows, result, ""_w1252, MainSettings{}, std::nullopt, "",
                         DialogServices{&store, nullptr, &messages});
    bool asked = false;
    window.setFileCaseAsker([&](Windows1252View) {
        asked = true;
        return std::optional<FileCaseAnswer>();
    });
    window.show();
    typeText(window.nameField(), QStringLiteral("Yıldız"));
    window.fileButton()->click();
    QVERIFY(!asked);
    QCOMPARE(messages.shown().size(), std::size_t{1});
    QVERIFY2(messages.shown()[0].text.startsWith(QStringLiteral("Der Name der Auswertung enthält")) &&
                 messages.shown()[0].text.contains(QStringLiteral("„ı“")),
             qPrintable(messages.shown()[0].text));
    QCOMPARE(window.nameField()->text(), QStringLiteral("Yıldız"));
}

QTEST_MAIN(FileCaseDialogTest)
#include "FileCaseDialogTest.moc"
