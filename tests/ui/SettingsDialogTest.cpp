// The settings dialog as the user sees it: filled from the store's values, edited with keys and
// mouse, confirmed or left; its font preview list; the rules of its fields.

#include "ui/SettingsDialog.h"

#include "foundation/dialogs/HelpViewer.h"
#include "foundation/dialogs/IconPushButton.h"
#include "foundation/dialogs/SpinArrows.h"
#include "foundation/settings/SettingsStore.h"
#include "foundation/settings/WindowPersistence.h"
#include "ui/FontPreviewList.h"
#include "ui/SettingsDialogRules.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

using namespace telvarin;

namespace {

const QString kHistoryPath = QStringLiteral("C:\\Praxis\\historie.xml");

class RecordingHelp : public HelpViewer {
public:
    void showHelpTopic(int topic, QWidget*) override { topics.push_back(topic); }
    std::vector<int> topics;
};

// A dialog opened on what the store holds, as the case input window opens it.
struct OpenSettings {
    MemorySettingsStore store;
    PresetMessageBoxes messages;
    RecordingHelp help;
    std::unique_ptr<SettingsDialog> dialog;

    void open(bool withHelp = true) {
        dialog =
            std::make_unique<SettingsDialog>(readEditableSettings(store), kHistoryPath,
                                             DialogServices{&store, withHelp ? &help : nullptr, &messages});
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }

    void typeDelay(const QString& text) const {
        QLineEdit* field = dialog->delayField();
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }

    void confirm() const { QTest::mouseClick(dialog->okButton(), Qt::LeftButton); }
    bool accepted() const { return !dialog->isVisible() && dialog->result() == QDialog::Accepted; }
    bool placementSaved() const {
        return store.readInt(QStringLiteral("Dialog\\Eigenschaften"), QStringLiteral("(check)"), 0) ==
               kPlacementComplete;
    }
};

EditableSettings allFlagsOff() {
    EditableSettings settings;
    MainSettings& main = settings.main;
    main.askBeforeQuit = main.askBeforeQuitByCloseBox = main.askBeforeDelete = main.jumpToEnd = false;
    main.keepColumnWidths = main.escapeClearsCase = main.noGreyInPrint = false;
    return settings;
}

QStringList itemTexts(const QComboBox& box) {
    QStringList texts;
    for (int i = 0; i < box.count(); ++i)
        texts.push_back(box.itemText(i));
    return texts;
}

} // namespace

class SettingsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void freshStoreShowsDefaultsAndHidesThePolarityControls();
    void confirmingUnchangedOnAFreshStoreKeepsTheBuiltInTableFont();
    void startDelayIsCheckedOnConfirm();
    void arrowsAndKeysStepTheDelayWithinItsRange();
    void eachCheckBoxEditsItsOwnFlag();
    void hiddenPolarityModeIsCarriedThrough();
    void fontFaceAndSizeAreTakenFromTheControls();
    void repertoryAndPracticeFolderAreChosenForTheNextStart();
    void leavingSavesNothing();
    void helpOpensTopic19OrReportsFailure();
    void fontPreviewListMeasuresAndMarksItsFaces();
    void grabsOfTheDialogAndTheOpenFontList();

    void startDelayCheck_data();
    void startDelayCheck();
    void fontSizeFromText_data();
    void fontSizeFromText();
    void faceForStoredName();
};

void SettingsDialogTest::freshStoreShowsDefaultsAndHidesThePolarityControls() {
    OpenSettings open;
    open.open();
    SettingsDialog& dialog = *open.dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Programmeinstellungen"));
    QVERIFY(!dialog.windowIcon().isNull());
    QCOMPARE(dialog.delayField()->text(), QStringLiteral("5"));
    // No size stored: the size the tables are drawn with, not the stored default of 1.
    QCOMPARE(dialog.sizeBox()->currentText(), QString::number(TableFont::legibleMinimumPixelHeight()));
    QCOMPARE(itemTexts(*dialog.sizeBox()), fontSizeChoices());
    QCOMPARE(fontSizeChoices().join(u' '), QStringLiteral("6 8 10 12 14 16 18 20"));
    for (QCheckBox* box : {dialog.askOnQuitBox(), dialog.askOnCloseBoxBox(), dialog.askOnDeleteBox(),
                           dialog.keepColumnWidthsBox(), dialog.escapeClearsBox(), dialog.jumpToEndBox(),
                           dialog.noGreyPrintBox()}) {
        QVERIFY2(box->isVisible() && box->isChecked(), qPrintable(box->text()));
    }
    QCOMPARE(dialog.askOnCloseBoxBox()->text(), QStringLiteral("Vor dem Beenden mittels \"X\""));
    QCOMPARE(dialog.historyPathField()->text(), kHistoryPath);
    QVERIFY(dialog.historyPathField()->isReadOnly());
    QVERIFY(!dialog.polarityGroup()->isVisible());
    for (QAbstractButton* button : dialog.polarityButtons()->buttons())
        QVERIFY(!button->isVisible());
    QCOMPARE(dialog.polarityButtons()->checkedId(), 0);
    QVERIFY(dialog.fontList()->count() > 0);
    QCOMPARE(dialog.fontList()->currentIndex(), -1);

    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        labels.push_back(label->text());
    labels.sort();
    QCOMPARE(labels,
             QStringList({QStringLiteral("&Repertorium"), QStringLiteral("Größe"),
                          QStringLiteral("Pfad für die Fallhistorie"), QStringLiteral("Praxisordner"),
                          QStringLiteral(
                              "Praxisordner, Praxisserver und Repertorium wirken erst beim nächsten Start."),
                          QStringLiteral("Praxisserver"), QStringLiteral("Schrift der Tabellen"),
                          QStringLiteral("Sekunden"), QStringLiteral("Startverzögerung")}));
    // No empty band where the hidden polarity controls would be: the first line starts at the top.
    QVERIFY(dialog.delayField()->geometry().top() < dialog.pixelRect(QRect(0, 0, 0, 10)).height());
    // No caption is cut, whatever the width of the face, and the path field stays clear of its label.
    for (const QWidget* caption : dialog.findChildren<QWidget*>()) {
        if ((qobject_cast<const QLabel*>(caption) || qobject_cast<const QCheckBox*>(caption)) &&
            caption->isVisible()) {
            QVERIFY(caption->width() >= caption->sizeHint().width());
            QVERIFY(caption->geometry().right() < dialog.width());
        }
    }
    QVERIFY(dialog.historyPathField()->geometry().right() < dialog.width());
    // The delay field and its arrows sit side by side on the label's line.
    QCOMPARE(dialog.delayArrows()->geometry().top(), dialog.delayField()->geometry().top());
    QVERIFY(dialog.delayArrows()->geometry().left() >= dialog.delayField()->geometry().right());
    // Nothing stored while the dialog is only open.
    QCOMPARE(open.store.writeCount(), 0);
}

void SettingsDialogTest::confirmingUnchangedOnAFreshStoreKeepsTheBuiltInTableFont() {
    OpenSettings open;
    open.open();
    open.confirm();
    QVERIFY(open.accepted());
    QVERIFY(open.messages.shown().empty());
    EditableSettings expected;
    expected.main.polarityHandling = 0;
    QCOMPARE(open.dialog->settings(), expected);
    QVERIFY(open.dialog->settings().main.fontName.isEmpty());
    QVERIFY(open.placementSaved());
}

void SettingsDialogTest::startDelayIsCheckedOnConfirm() {
    OpenSettings open;
    open.open();
    open.typeDelay(QStringLiteral("11"));
    open.confirm();
    QVERIFY(open.dialog->isVisible());
    QCOMPARE(open.messages.shown().size(), std::size_t{1});
    QCOMPARE(open.messages.shown()[0].text, QStringLiteral("Please enter an integer between 0 and 10."));
    QCOMPARE(QApplication::focusWidget(), open.dialog->delayField());

    open.messages.clear();
    open.typeDelay(QString());
    QTest::keyClick(open.dialog.get(), Qt::Key_Return);
    QVERIFY(open.dialog->isVisible());
    QCOMPARE(open.messages.shown().size(), std::size_t{1});
    QCOMPARE(open.messages.shown()[0].text, QStringLiteral("Please enter an integer."));

    // The field takes digits only.
    open.typeDelay(QStringLiteral("x1-0."));
    QCOMPARE(open.dialog->delayField()->text(), QStringLiteral("10"));
    open.messages.clear();
    QTest::keyClick(open.dialog->delayField(), Qt::Key_Return);
    QVERIFY(open.accepted());
    QVERIFY(open.messages.shown().empty());
    QCOMPARE(open.dialog->settings().startDelay, 10);
}

void SettingsDialogTest::arrowsAndKeysStepTheDelayWithinItsRange() {
    OpenSettings open;
    open.store.writeInt(QString(), QStringLiteral("Startverzögerung"), 9);
    open.open();
    QLineEdit* field = open.dialog->delayField();
    QCOMPARE(field->text(), QStringLiteral("9"));
    QTest::mouseClick(open.dialog->delayArrows()->upButton(), Qt::LeftButton);
    QTest::mouseClick(open.dialog->delayArrows()->upButton(), Qt::LeftButton);
    QCOMPARE(field->text(), QStringLiteral("10"));
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Down);
    QTest::keyClick(field, Qt::Key_Down);
    QCOMPARE(field->text(), QStringLiteral("8"));
    open.typeDelay(QStringLiteral("0"));
    QTest::mouseClick(open.dialog->delayArrows()->downButton(), Qt::LeftButton);
    QCOMPARE(field->text(), QStringLiteral("0"));
    open.typeDelay(QStringLiteral("250"));
    QTest::keyClick(field, Qt::Key_Up);
    QCOMPARE(field->text(), QStringLiteral("10"));
    open.typeDelay(QString());
    QTest::keyClick(field, Qt::Key_Up);
    QCOMPARE(field->text(), QStringLiteral("1"));
}

void SettingsDialogTest::eachCheckBoxEditsItsOwnFlag() {
    struct Case {
        QCheckBox* (SettingsDialog::*box)() const;
        bool MainSettings::*flag;
    };
    const Case cases[] = {
        {&SettingsDialog::askOnQuitBox, &MainSettings::askBeforeQuit},
        {&SettingsDialog::askOnCloseBoxBox, &MainSettings::askBeforeQuitByCloseBox},
        {&SettingsDialog::askOnDeleteBox, &MainSettings::askBeforeDelete},
        {&SettingsDialog::keepColumnWidthsBox, &MainSettings::keepColumnWidths},
        {&SettingsDialog::escapeClearsBox, &MainSettings::escapeClearsCase},
        {&SettingsDialog::jumpToEndBox, &MainSettings::jumpToEnd},
        {&SettingsDialog::noGreyPrintBox, &MainSettings::noGreyInPrint},
        {&SettingsDialog::remediesByGradeBox, &MainSettings::remedyListsByGrade},
        {&SettingsDialog::treeAlphabeticalBox, &MainSettings::symptomTreeAlphabetical},
    };
    for (const Case& c : cases) {
        OpenSettings open;
        writeEditableSettings(open.store, allFlagsOff());
        open.open();
        QCheckBox* box = ((*open.dialog).*c.box)();
        QVERIFY(!box->isChecked());
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        open.confirm();
        QVERIFY(open.accepted());
        EditableSettings expected = allFlagsOff();
        expected.main.*c.flag = true;
        QVERIFY2(open.dialog->settings() == expected, qPrintable(box->text()));
    }
}

void SettingsDialogTest::hiddenPolarityModeIsCarriedThrough() {
    for (int mode : {0, 1, 2}) {
        OpenSettings open;
        open.store.writeInt(QString(), QStringLiteral("PolaritätenHandhabung"), mode);
        open.open();
        QCOMPARE(open.dialog->polarityButtons()->checkedId(), mode);
        open.confirm();
        QVERIFY(open.accepted());
        QCOMPARE(open.dialog->settings().main.polarityHandling, mode);
    }
}

void SettingsDialogTest::fontFaceAndSizeAreTakenFromTheControls() {
    {
        // A stored name selects the first face it begins, ignoring case.
        OpenSettings open;
        open.open();
        const QString last = open.dialog->fontList()->itemText(open.dialog->fontList()->count() - 1);
        open.store.writeString(QString(), QStringLiteral("FontName"), last.left(last.size() - 1).toLower());
        open.store.writeInt(QString(), QStringLiteral("FontSize"), 12);
        open.open();
        QCOMPARE(open.dialog->fontList()->selectedFace(), last);
        QCOMPARE(open.dialog->sizeBox()->currentText(), QStringLiteral("12"));
        open.confirm();
        QCOMPARE(open.dialog->settings().main.fontName, last);
        QCOMPARE(open.dialog->settings().main.fontSize, 12);
        // A stored size too small to read shows as the size the tables are drawn with.
        open.store.writeInt(QString(), QStringLiteral("FontSize"), 0);
        open.open();
        QCOMPARE(open.dialog->sizeBox()->currentText(),
                 QString::number(TableFont::legibleMinimumPixelHeight()));
    }
    {
        // A face no longer installed gives way to the first face of the list.
        OpenSettings open;
        open.store.writeString(QString(), QStringLiteral("FontName"), QStringLiteral("Nicht Installiert"));
        open.open();
        QCOMPARE(open.dialog->fontList()->currentIndex(), 0);
        open.confirm();
        QCOMPARE(open.dialog->settings().main.fontName, open.dialog->fontList()->itemText(0));
    }
    {
        // Picked with the keyboard; the size typed with a unit, then a choice of the list, then no number.
        OpenSettings open;
        open.open();
        FontPreviewList* list = open.dialog->fontList();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_End);
        QCOMPARE(list->currentIndex(), list->count() - 1);
        QLineEdit* sizeText = open.dialog->sizeBox()->lineEdit();
        sizeText->selectAll();
        QTest::keyClicks(sizeText, QStringLiteral("14px"));
        open.confirm();
        QVERIFY(open.accepted());
        QCOMPARE(open.dialog->settings().main.fontName, list->itemText(list->count() - 1));
        QCOMPARE(open.dialog->settings().main.fontSize, 14);

        open.open();
        open.dialog->sizeBox()->setCurrentIndex(7);
        // Enter in the size box confirms the dialog as in any other field.
        QTest::keyClick(open.dialog->sizeBox()->lineEdit(), Qt::Key_Return);
        QVERIFY(open.accepted());
        QCOMPARE(open.dialog->settings().main.fontSize, 20);

        open.open();
        open.dialog->sizeBox()->lineEdit()->selectAll();
        QTest::keyClicks(open.dialog->sizeBox()->lineEdit(), QStringLiteral("gross"));
        open.confirm();
        QVERIFY(open.accepted());
        QCOMPARE(open.dialog->settings().main.fontSize, 0);
    }
}

void SettingsDialogTest::repertoryAndPracticeFolderAreChosenForTheNextStart() {
    QTemporaryDir folders;
    const QString practice = folders.filePath(QStringLiteral("Praxis"));
    const QString other = folders.filePath(QStringLiteral("Gemeinsam"));
    QVERIFY(QDir().mkpath(practice) && QDir().mkpath(other));
    const QString kent = folders.filePath(QStringLiteral("kent-de.dat"));
    const NextStartChoices choices{{},
                                   practice,
                                   {{QFile::encodeName(kent).toStdString(), {"Kent"_w1252, {}, {}}}},
                                   {QFile::encodeName(kent).toStdString()}};
    std::vector<std::pair<PathQuestion, QString>> asked;
    QString answer;
    const auto open = [&](OpenSettings& settings, const NextStartChoices& with) {
        settings.dialog = std::make_unique<SettingsDialog>(
            readEditableSettings(settings.store), kHistoryPath,
            DialogServices{&settings.store, nullptr, &settings.messages}, nullptr, with);
        settings.dialog->setPathAsker([&](PathQuestion question, const QString& start) {
            asked.emplace_back(question, start);
            return answer;
        });
        settings.dialog->show();
    };

    // Nothing chosen: the shipped Kent is shown as the one in use, and confirming keeps "nothing".
    OpenSettings unchanged;
    open(unchanged, choices);
    QComboBox* box = unchanged.dialog->repertoryBox();
    QCOMPARE(box->count(), 3);
    QCOMPARE(box->currentText(), QStringLiteral("Kent"));
    QCOMPARE(box->itemText(1), QStringLiteral("Beispielrepertorium (eingebaut, erfundene Daten)"));
    QCOMPARE(box->itemText(2), QStringLiteral("Eigene Datei…"));
    QCOMPARE(unchanged.dialog->practiceFolderField()->text(), QDir::toNativeSeparators(practice));
    QVERIFY(unchanged.dialog->nextStartNote()->text().contains(QStringLiteral("nächsten Start")));
    unchanged.confirm();
    QCOMPARE(unchanged.dialog->nextStartSettings(), NextStartSettings{});

    // The built-in repertory and another folder, chosen with keys and the folder dialog.
    OpenSettings changed;
    open(changed, choices);
    changed.dialog->repertoryBox()->setFocus();
    QTest::keyClick(changed.dialog->repertoryBox(), Qt::Key_Down);
    answer = other;
    QTest::mouseClick(changed.dialog->changeFolderButton(), Qt::LeftButton);
    QCOMPARE(asked.back(), std::make_pair(PathQuestion::PracticeFolder, QDir::toNativeSeparators(practice)));
    QCOMPARE(changed.dialog->practiceFolderField()->text(), QDir::toNativeSeparators(other));
    // The home folder itself is refused, with the folder kept.
    answer = QDir::homePath();
    QTest::mouseClick(changed.dialog->changeFolderButton(), Qt::LeftButton);
    QCOMPARE(changed.messages.shown().size(), std::size_t(1));
    QCOMPARE(changed.dialog->practiceFolderField()->text(), QDir::toNativeSeparators(other));
    changed.confirm();
    QCOMPARE(changed.dialog->nextStartSettings(),
             (NextStartSettings{QStringLiteral("eingebaut"), QDir::toNativeSeparators(other), QString()}));

    // Back from the practice server to the practice folder: the first start's server dialog with
    // the address emptied.
    NextStartChoices onServer = choices;
    onServer.stored.practiceServer = QStringLiteral("postgresql://praxis@server/praxis");
    OpenSettings back;
    open(back, onServer);
    QCOMPARE(back.dialog->practiceServerField()->text(), onServer.stored.practiceServer);
    QTimer::singleShot(0, [] {
        QWidget* server = QApplication::activeModalWidget();
        QVERIFY(server != nullptr);
        server->findChildren<QLineEdit*>().constFirst()->clear();
        server->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    QTest::mouseClick(back.dialog->changeServerButton(), Qt::LeftButton);
    QVERIFY(back.dialog->practiceServerField()->text().contains(QStringLiteral("Praxisordner")));
    back.confirm();
    QCOMPARE(back.dialog->nextStartSettings().practiceServer, QString());

    // A file of one's own is loaded first: a damaged one is refused, and the choice stays.
    OpenSettings own;
    open(own, choices);
    answer = folders.filePath(QStringLiteral("kaputt.dat"));
    QFile damaged(answer);
    QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write(QByteArray(64, '\x7f')) == 64);
    damaged.close();
    own.dialog->repertoryBox()->setCurrentIndex(2);
    emit own.dialog->repertoryBox()->activated(2);
    QCOMPARE(asked.back().first, PathQuestion::RepertoryFile);
    QCOMPARE(own.messages.shown().size(), std::size_t(1));
    QVERIFY(own.messages.shown().front().text.contains(QStringLiteral("kaputt.dat")));
    QCOMPARE(own.dialog->repertoryBox()->currentText(), QStringLiteral("Kent"));
    own.confirm();
    QCOMPARE(own.dialog->nextStartSettings(), NextStartSettings{});
}

void SettingsDialogTest::leavingSavesNothing() {
    const auto leaveWith = [](const std::function<void(SettingsDialog&)>& leave) {
        OpenSettings open;
        open.open();
        open.dialog->move(open.dialog->pos() + QPoint(40, 30));
        open.typeDelay(QStringLiteral("7"));
        open.dialog->askOnQuitBox()->setChecked(false);
        leave(*open.dialog);
        QVERIFY(!open.dialog->isVisible());
        QCOMPARE(open.dialog->result(), int(QDialog::Rejected));
        QCOMPARE(open.store.writeCount(), 0);
        QCOMPARE(open.dialog->settings(), readEditableSettings(open.store));
    };
    leaveWith([](SettingsDialog& d) { QTest::mouseClick(d.backButton(), Qt::LeftButton); });
    leaveWith([](SettingsDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); });
    leaveWith([](SettingsDialog& d) { d.close(); });

    // A refused delay keeps the dialog open, but the placement is already kept.
    OpenSettings open;
    open.open();
    open.typeDelay(QStringLiteral("12"));
    open.confirm();
    QVERIFY(open.placementSaved());
    QVERIFY(!open.store.contains(QString(), QStringLiteral("Startverzögerung")));
}

void SettingsDialogTest::helpOpensTopic19OrReportsFailure() {
    OpenSettings open;
    open.open();
    QTest::mouseClick(open.dialog->helpButton(), Qt::LeftButton);
    QTest::keyClick(open.dialog.get(), Qt::Key_F1);
    QCOMPARE(open.help.topics, std::vector<int>({19, 19}));
    QVERIFY(open.dialog->isVisible());

    open.open(false);
    QTest::mouseClick(open.dialog->helpButton(), Qt::LeftButton);
    QCOMPARE(open.messages.shown().size(), std::size_t{1});
    QCOMPARE(open.messages.shown()[0].text, QStringLiteral("Failed to launch help."));
}

void SettingsDialogTest::fontPreviewListMeasuresAndMarksItsFaces() {
    FontPreviewList list;
    list.setSampleHeight(19, false);
    QCOMPARE(list.count(), 0);
    list.fillWith({{QStringLiteral("zeta"), false},
                   {QStringLiteral("DejaVu Sans"), true},
                   {QStringLiteral("Alpha"), true},
                   {QStringLiteral("DejaVu Sans"), true},
                   {QStringLiteral("beta"), false}});
    QCOMPARE(itemTexts(list), QStringList({QStringLiteral("Alpha"), QStringLiteral("beta"),
                                           QStringLiteral("DejaVu Sans"), QStringLiteral("zeta")}));
    QCOMPARE(list.currentIndex(), 0);
    QVERIFY(list.isScalable(0) && !list.isScalable(1) && list.isScalable(2));
    QCOMPARE(list.itemData(2).toInt(), FontPreviewList::kScalableFontType);
    QCOMPARE(list.itemHeight(), 23);
    QCOMPARE(list.view()->sizeHintForRow(1), 23);
    QCOMPARE(list.sampleFont(QStringLiteral("zeta")).pixelSize(), 19);

    const QFontMetrics names(list.font());
    QCOMPARE(list.widestName(), names.horizontalAdvance(QStringLiteral("DejaVu Sans")));
    const QFontMetrics sample(list.sampleFont(QStringLiteral("DejaVu Sans")));
    QVERIFY(list.widestSample() >= sample.horizontalAdvance(FontPreviewList::sampleText()));
    QCOMPARE(list.popupWidth(), list.style()->pixelMetric(QStyle::PM_ScrollBarExtent) + list.widestName() +
                                    list.widestSample() + 35);

    list.selectFace(QStringLiteral("dejavu"));
    QCOMPARE(list.selectedFace(), QStringLiteral("DejaVu Sans"));
    list.setCurrentIndex(-1);
    QCOMPARE(list.selectedFace(), QString());

    // The names alone: no sample fonts and nothing measured for samples.
    list.setPreviewStyle(FontPreviewStyle::NameOnly);
    list.fillWith({{QStringLiteral("Alpha"), true}});
    QCOMPARE(list.widestSample(), 0);
    QCOMPARE(list.sampleFont(QStringLiteral("Alpha")), list.font());

    // The installed faces are all listed, sorted as the list sorts.
    list.fillWithInstalledFaces();
    QCOMPARE(list.count(), int(installedFontFaces().size()));
    QStringList sorted = itemTexts(list);
    std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    QCOMPARE(itemTexts(list), sorted);
}

void SettingsDialogTest::grabsOfTheDialogAndTheOpenFontList() {
    OpenSettings open;
    open.store.writeString(QString(), QStringLiteral("FontName"), QStringLiteral("DejaVu Serif"));
    open.store.writeInt(QString(), QStringLiteral("FontSize"), 14);
    open.open();
    const QDir output(QStringLiteral(TELVARIN_TEST_OUTPUT_DIR));
    QVERIFY(open.dialog->grab().save(output.filePath(QStringLiteral("settings_dialog.png"))));

    FontPreviewList* list = open.dialog->fontList();
    list->showPopup();
    QWidget* popup = list->view()->window();
    QVERIFY(QTest::qWaitForWindowExposed(popup));
    QVERIFY(list->view()->width() >= list->popupWidth() - 4);
    QVERIFY(popup->grab().save(output.filePath(QStringLiteral("settings_font_list.png"))));
    list->hidePopup();
}

void SettingsDialogTest::startDelayCheck_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("delay"); // -1 refused
    QTest::addColumn<QString>("message");
    const QString notInteger = QStringLiteral("Please enter an integer.");
    const QString outside = QStringLiteral("Please enter an integer between 0 and 10.");
    QTest::newRow("lowest") << "0" << 0 << QString();
    QTest::newRow("highest") << "10" << 10 << QString();
    QTest::newRow("blanks") << " 7 " << 7 << QString();
    QTest::newRow("one above") << "11" << -1 << outside;
    QTest::newRow("negative") << "-1" << -1 << outside;
    QTest::newRow("empty") << "" << -1 << notInteger;
    QTest::newRow("letters") << "fünf" << -1 << notInteger;
    QTest::newRow("too large for an integer") << "99999999999" << -1 << notInteger;
}

void SettingsDialogTest::startDelayCheck() {
    QFETCH(QString, text);
    QFETCH(int, delay);
    QFETCH(QString, message);
    const StartDelayCheck check = checkStartDelay(text);
    QCOMPARE(check.delay.value_or(-1), delay);
    QCOMPARE(check.message, message);
}

void SettingsDialogTest::fontSizeFromText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("size");
    QTest::newRow("choice") << "12" << 12;
    QTest::newRow("unit") << "14px" << 14;
    QTest::newRow("leading blank") << " 9" << 9;
    QTest::newRow("no digits") << "gross" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("sign") << "-5" << 0;
    QTest::newRow("absurd") << "123456789012345678901234567890" << TableFont::kMaximumPixelHeight;
}

void SettingsDialogTest::fontSizeFromText() {
    QFETCH(QString, text);
    QFETCH(int, size);
    QCOMPARE(telvarin::fontSizeFromText(text), size);
}

void SettingsDialogTest::faceForStoredName() {
    const QStringList faces{QStringLiteral("Arial"), QStringLiteral("Arial Black"),
                            QStringLiteral("Courier")};
    QCOMPARE(faceIndexForName(faces, QStringLiteral("arial b")), 1);
    QCOMPARE(faceIndexForName(faces, QStringLiteral("Arial")), 0);
    QCOMPARE(faceIndexForName(faces, QStringLiteral("COUR")), 2);
    QCOMPARE(faceIndexForName(faces, QStringLiteral("Times")), 0);
    QCOMPARE(faceIndexForName(faces, QString()), 0);
    QCOMPARE(faceIndexForName({}, QStringLiteral("Arial")), -1);
    QCOMPARE(steppedStartDelay(QStringLiteral("abc"), -1), 0);
}

QTEST_MAIN(SettingsDialogTest)
#include "SettingsDialogTest.moc"
