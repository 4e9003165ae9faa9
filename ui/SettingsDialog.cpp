#include "ui/SettingsDialog.h"

#include "foundation/dialogs/HelpViewer.h"
#include "foundation/dialogs/IconPushButton.h"
#include "foundation/dialogs/SpinArrows.h"
#include "ui/FontPreviewList.h"
#include "ui/IconSet.h"
#include "ui/PracticeFolderDialog.h"
#include "ui/SettingsDialogRules.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <algorithm>

namespace telvarin {

namespace {

constexpr QSize kTemplateSize(230, 322);
const QString kWindowName = QStringLiteral("Eigenschaften");
constexpr int kFontSampleHeight = 19;
// The polarity controls at the top are never shown; the controls below them move up into their
// place, and the rows of the practice folder and the repertory take the room that frees.
constexpr int kHiddenBand = 53;

QRect up(const QRect& templateRect) {
    return templateRect.translated(0, -kHiddenBand);
}

QString askPathOnScreen(PathQuestion question, const QString& start, QWidget* parent) {
    if (question == PathQuestion::PracticeFolder)
        return QFileDialog::getExistingDirectory(parent, QStringLiteral("Praxisordner wählen"), start);
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Repertorium wählen"), start,
                                        QStringLiteral("Repertorium (*.dat)"));
}

} // namespace

SettingsDialog::SettingsDialog(const EditableSettings& settings, const QString& historyPath,
                               const DialogServices& services, QWidget* parent,
                               const NextStartChoices& nextStart)
    : DialogBase(kWindowName, kTemplateSize, services, parent), settings_(settings), choices_(nextStart),
      nextStart_(nextStart.stored), pathAsker_([this](PathQuestion question, const QString& start) {
          return askPathOnScreen(question, start, this);
      }) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Programmeinstellungen"));
    setHelpTopic(kHelpTopicSettings);
    createControls();
    fitTextsToFont();
    // The polarity handling is carried through unchanged; its controls are never shown.
    polarityGroup_->hide();
    for (QAbstractButton* button : polarityButtons_->buttons())
        button->hide();
    // The frame can be resized, but nothing is anchored: the controls keep their places.
    setUpLayout();

    fontList_->setSampleHeight(kFontSampleHeight, false);
    fontList_->fillWithInstalledFaces();

    setDialogIcon(programIcon());
    restorePlacement();
    transferToControls(historyPath);
}

SettingsDialog::~SettingsDialog() = default;

void SettingsDialog::createControls() {
    // Created in tab order, which is also the order of the focus chain.
    polarityButtons_ = new QButtonGroup(this);
    const auto polarityButton = [this](int mode, const QRect& rect, const QString& caption) {
        auto* button = addControl<QRadioButton>(rect, caption);
        polarityButtons_->addButton(button, mode);
    };
    polarityButton(0, QRect(15, 18, 134, 10), QStringLiteral("Gegenpolaritäten unmittelbar auflisten"));
    polarityButton(1, QRect(15, 29, 128, 10), QStringLiteral("Gegenpolaritäten am Ende auflisten"));
    askOnCloseBox_ =
        addControl<QCheckBox>(up(QRect(16, 101, 164, 10)), QStringLiteral("Vor dem Beenden mittels \"X\""));
    polarityButton(2, QRect(15, 40, 118, 10), QStringLiteral("Keine Gegenpolaritäten auflisten"));

    delayField_ = addControl<QLineEdit>(up(QRect(79, 60, 40, 14)));
    delayField_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), delayField_));
    delayArrows_ = new SpinArrows(
        delayField_,
        [](const QString& text, int steps) { return QString::number(steppedStartDelay(text, steps)); },
        SpinArrows::FieldKeys::Step, this);
    placeControl(delayArrows_, up(QRect(120, 60, 11, 14)));

    askOnQuit_ = addControl<QCheckBox>(up(QRect(16, 90, 164, 10)),
                                       QStringLiteral("Vor dem Beenden mittels \"Beenden\""));
    askOnDelete_ =
        addControl<QCheckBox>(up(QRect(16, 112, 164, 10)), QStringLiteral("Vor dem Löschen von Fällen"));

    IconButtonRow buttons = iconButtonRow(QPoint(7, 280));
    okButton_ = buttons.add(QStringLiteral("&OK"), iconPair(ButtonIcon::Ok));
    helpButton_ = buttons.add(QStringLiteral("&Hilfe"), iconPair(ButtonIcon::Help));
    backButton_ = buttons.add(QStringLiteral("&Zurück"), iconPair(ButtonIcon::Back));
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &SettingsDialog::accept);
    connect(helpButton_, &QPushButton::clicked, this, [this] { showHelp(kHelpTopicSettings); });
    connect(backButton_, &QPushButton::clicked, this, &SettingsDialog::reject);

    polarityGroup_ = addControl<QGroupBox>(QRect(7, 7, 216, 48), QStringLiteral("Polaritäten"));
    auto* fontLabel = addControl<QLabel>(up(QRect(7, 223, 65, 8)), QStringLiteral("Schrift der Tabellen"));
    addControl<QLabel>(up(QRect(141, 63, 34, 8)), QStringLiteral("Sekunden"));
    questionsGroup_ = addControl<QGroupBox>(up(QRect(7, 77, 216, 53)), QStringLiteral("Rückfragen"));
    keepColumnWidths_ =
        addControl<QCheckBox>(up(QRect(7, 165, 209, 10)), QStringLiteral("Speichern der Spaltenbreiten"));
    historyPathField_ = addControl<QLineEdit>(up(QRect(86, 241, 137, 14)));
    historyPathField_->setReadOnly(true);
    escapeClears_ =
        addControl<QCheckBox>(up(QRect(7, 137, 209, 10)),
                              QStringLiteral("Drücken von Escape in der Auswertung löscht aktuellen Fall"));
    historyPathLabel_ =
        addControl<QLabel>(up(QRect(7, 243, 72, 8)), QStringLiteral("Pfad für die Fallhistorie"));
    jumpToEnd_ =
        addControl<QCheckBox>(up(QRect(7, 151, 209, 10)),
                              QStringLiteral("Ändern von Symptomen in der Mitte springt zum Ende der Liste"));
    noGreyPrint_ = addControl<QCheckBox>(up(QRect(7, 179, 209, 10)),
                                         QStringLiteral("Kein grauer Hintergrund beim Drucken"));
    remediesByGrade_ = addControl<QCheckBox>(up(QRect(7, 193, 209, 10)),
                                             QStringLiteral("Mittel in Tipps nach Grad und Namen ordnen"));
    treeAlphabetical_ =
        addControl<QCheckBox>(up(QRect(7, 207, 209, 10)), QStringLiteral("Symptombaum alphabetisch ordnen"));
    auto* delayLabel = addControl<QLabel>(up(QRect(7, 63, 65, 8)), QStringLiteral("Startverzögerung"));

    // The drop-down boxes keep the height of one line; their list opens below them.
    fontList_ = addControl<FontPreviewList>(up(QRect(77, 221, 81, 14)));
    auto* sizeLabel = addControl<QLabel>(up(QRect(167, 223, 22, 8)), QStringLiteral("Größe"));
    sizeBox_ = addControl<QComboBox>(up(QRect(194, 221, 29, 14)));
    // Screen readers name each field after its label.
    delayLabel->setBuddy(delayField_);
    historyPathLabel_->setBuddy(historyPathField_);
    fontLabel->setBuddy(fontList_);
    sizeLabel->setBuddy(sizeBox_);
    sizeBox_->setEditable(true);
    sizeBox_->setInsertPolicy(QComboBox::NoInsert);
    sizeBox_->addItems(fontSizeChoices());

    createNextStartControls();

    // The frames lie behind the controls they surround.
    polarityGroup_->lower();
    questionsGroup_->lower();
}

void SettingsDialog::createNextStartControls() {
    practiceFolderLabel_ = addControl<QLabel>(QRect(7, 208, 72, 8), QStringLiteral("Praxisordner"));
    practiceFolderField_ = addControl<QLineEdit>(QRect(86, 206, 100, 14));
    practiceFolderField_->setReadOnly(true);
    practiceFolderLabel_->setBuddy(practiceFolderField_);
    changeFolderButton_ = addControl<QPushButton>(QRect(188, 205, 35, 16), QStringLiteral("Ä&ndern…"));
    changeFolderButton_->setAutoDefault(false);
    connect(changeFolderButton_, &QPushButton::clicked, this, &SettingsDialog::changePracticeFolder);

    practiceServerLabel_ = addControl<QLabel>(QRect(7, 226, 72, 8), QStringLiteral("Praxisserver"));
    practiceServerField_ = addControl<QLineEdit>(QRect(86, 224, 100, 14));
    practiceServerField_->setReadOnly(true);
    practiceServerLabel_->setBuddy(practiceServerField_);
    changeServerButton_ = addControl<QPushButton>(QRect(188, 223, 35, 16), QStringLiteral("Wech&seln…"));
    changeServerButton_->setAutoDefault(false);
    changeServerButton_->setToolTip(QStringLiteral("Einen Praxisserver für die Fallhistorie wählen, oder "
                                                   "zurück zur Fallhistorie im Praxisordner"));
    connect(changeServerButton_, &QPushButton::clicked, this, &SettingsDialog::changePracticeServer);

    repertoryLabel_ = addControl<QLabel>(QRect(7, 244, 72, 8), QStringLiteral("&Repertorium"));
    repertoryBox_ = addControl<QComboBox>(QRect(86, 242, 137, 14));
    repertoryLabel_->setBuddy(repertoryBox_);
    for (const RepertoryEntry& entry : repertoryEntries(choices_.repertories, choices_.stored.repertory))
        repertoryBox_->addItem(entry.label, entry.value);
    repertoryBox_->addItem(ownRepertoryFileLabel());
    connect(repertoryBox_, &QComboBox::activated, this, &SettingsDialog::repertoryChosen);

    nextStartNote_ = addControl<QLabel>(QRect(7, 259, 216, 17));
    nextStartNote_->setWordWrap(true);
    nextStartNote_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void SettingsDialog::fitTextsToFont() {
    // A face wider than the one the positions were made for would cut the longer captions; such a
    // caption grows to the right, the path field gives way to its label, and the dialog grows last.
    const int margin = pixelRect(QRect(0, 0, 7, 0)).width();
    int neededWidth = width();
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!qobject_cast<QCheckBox*>(control) && !qobject_cast<QLabel*>(control))
            continue;
        if (control->sizeHint().width() > control->width())
            control->resize(control->sizeHint().width(), control->height());
        if (!control->isHidden())
            neededWidth = std::max(neededWidth, control->geometry().right() + 1 + margin);
    }
    // The fields of the three rows below give way to the widest of their labels.
    int labelsEnd = 0;
    for (QLabel* label : {historyPathLabel_, practiceFolderLabel_, practiceServerLabel_, repertoryLabel_})
        labelsEnd = std::max(labelsEnd, label->geometry().right() + 1 + margin);
    for (QWidget* field : std::initializer_list<QWidget*>{historyPathField_, practiceFolderField_,
                                                          practiceServerField_, repertoryBox_}) {
        if (labelsEnd > field->x()) {
            QRect moved = field->geometry();
            moved.setLeft(labelsEnd);
            field->setGeometry(moved);
        }
    }
    // The repertories are known by their names, so the box shows the longest whole.
    neededWidth = std::max(neededWidth, width() + repertoryBox_->sizeHint().width() - repertoryBox_->width());
    const int buttonWidth = std::max({changeFolderButton_->width(), changeFolderButton_->sizeHint().width(),
                                      changeServerButton_->sizeHint().width()});
    for (auto [button, field] : {std::pair{changeFolderButton_, practiceFolderField_},
                                 std::pair{changeServerButton_, practiceServerField_}}) {
        button->setGeometry(historyPathField_->geometry().right() + 1 - buttonWidth, button->y(), buttonWidth,
                            button->height());
        QRect fieldRect = field->geometry();
        fieldRect.setRight(button->x() - margin / 2);
        field->setGeometry(fieldRect);
    }
    // The frame, the fields and the note keep their right margin when the dialog grows.
    const int growth = neededWidth - width();
    for (QWidget* control :
         std::initializer_list<QWidget*>{questionsGroup_, historyPathField_, practiceFolderField_,
                                         practiceServerField_, repertoryBox_, nextStartNote_})
        control->resize(control->width() + growth, control->height());
    for (QPushButton* button : {changeFolderButton_, changeServerButton_})
        button->move(button->x() + growth, button->y());
    resize(neededWidth, height());
}

void SettingsDialog::transferToControls(const QString& historyPath) {
    const MainSettings& main = settings_.main;
    delayField_->setText(QString::number(settings_.startDelay));
    if (QAbstractButton* mode = polarityButtons_->button(main.polarityHandling))
        mode->setChecked(true);
    askOnQuit_->setChecked(main.askBeforeQuit);
    askOnCloseBox_->setChecked(main.askBeforeQuitByCloseBox);
    askOnDelete_->setChecked(main.askBeforeDelete);
    jumpToEnd_->setChecked(main.jumpToEnd);
    keepColumnWidths_->setChecked(main.keepColumnWidths);
    noGreyPrint_->setChecked(main.noGreyInPrint);
    escapeClears_->setChecked(main.escapeClearsCase);
    remediesByGrade_->setChecked(main.remedyListsByGrade);
    treeAlphabetical_->setChecked(main.symptomTreeAlphabetical);
    historyPathField_->setText(historyPath);
    // The size the tables are drawn with, which a too small or absent size is raised to.
    shownSize_ = QString::number(TableFont::drawnPixelHeight(main.fontSize));
    sizeBox_->setEditText(shownSize_);
    // Without a stored face no face is selected, so that confirming keeps the tables' built-in font
    // instead of switching them to whichever face comes first.
    if (main.fontName.isEmpty())
        fontList_->setCurrentIndex(-1);
    else
        fontList_->selectFace(main.fontName);

    practiceFolderField_->setText(QDir::toNativeSeparators(choices_.practiceFolder));
    practiceFolderField_->setCursorPosition(0);
    practiceFolderField_->setToolTip(practiceFolderField_->text());
    showPracticeServer();
    shownRepertory_ = repertoryEntryIndex(repertoryEntries(choices_.repertories, choices_.stored.repertory),
                                          choices_.stored.repertory, choices_.shippedFiles);
    repertoryBox_->setCurrentIndex(shownRepertory_);
    showNextStartNote();
}

NextStartSettings SettingsDialog::editedNextStart() const {
    NextStartSettings edited = nextStart_;
    // Left as it was shown, the stored choice stays, also when nothing is stored.
    if (repertoryBox_->currentIndex() != shownRepertory_)
        edited.repertory = repertoryBox_->currentData().toString();
    return edited;
}

void SettingsDialog::changePracticeFolder() {
    const QString chosen = pathAsker_(PathQuestion::PracticeFolder, practiceFolderField_->text());
    if (chosen.isEmpty())
        return;
    if (const QString refused = practiceFolderRefusal(chosen, QDir::homePath()); !refused.isEmpty())
        return messageBoxes().warn(this, refused);
    practiceFolderField_->setText(QDir::toNativeSeparators(QDir::cleanPath(chosen)));
    practiceFolderField_->setToolTip(practiceFolderField_->text());
    nextStart_.practiceFolder = practiceFolderField_->text();
    showNextStartNote();
}

// The server dialog of the first start; its password goes to the keyring there, never here.
void SettingsDialog::changePracticeServer() {
    const std::optional<QString> chosen =
        askPracticeServer(this, nextStart_.practiceServer,
                          QDir::fromNativeSeparators(practiceFolderField_->text()), messageBoxes());
    if (!chosen)
        return;
    nextStart_.practiceServer = *chosen;
    showPracticeServer();
}

void SettingsDialog::showPracticeServer() {
    practiceServerField_->setText(nextStart_.practiceServer.isEmpty()
                                      ? QStringLiteral("keiner: Fallhistorie im Praxisordner")
                                      : nextStart_.practiceServer);
    practiceServerField_->setCursorPosition(0);
    practiceServerField_->setToolTip(practiceServerField_->text());
}

void SettingsDialog::repertoryChosen(int index) {
    // The last entry asks for a data file of one's own, which becomes an entry of the list.
    if (index == repertoryBox_->count() - 1) {
        const QString chosen = pathAsker_(PathQuestion::RepertoryFile, QString());
        const QString refused = chosen.isEmpty() ? QString() : repertoryFileRefusal(chosen);
        if (chosen.isEmpty() || !refused.isEmpty()) {
            if (!refused.isEmpty())
                messageBoxes().warn(this, refused);
            repertoryBox_->setCurrentIndex(shownRepertory_);
            return;
        }
        const QString path = QDir::toNativeSeparators(QDir::cleanPath(chosen));
        const QList<RepertoryEntry> entry = repertoryEntries({}, path);
        repertoryBox_->insertItem(0, entry.front().label, entry.front().value);
        ++shownRepertory_;
        repertoryBox_->setCurrentIndex(0);
    }
    showNextStartNote();
}

void SettingsDialog::showNextStartNote() {
    QString note =
        QStringLiteral("Praxisordner, Praxisserver und Repertorium wirken erst beim nächsten Start.");
    const QString folder = practiceFolderField_->text();
    if (QFile::exists(QDir(folder).filePath(
            QString::fromLatin1(kOwnRepertoryFileName.data(), kOwnRepertoryFileName.size()))))
        note += QStringLiteral(" Der Praxisordner enthält eine Datei repertorium.dat; sie hat Vorrang.");
    nextStartNote_->setText(note);
}

EditableSettings SettingsDialog::editedSettings(int startDelay) const {
    EditableSettings edited = settings_;
    edited.startDelay = startDelay;
    MainSettings& main = edited.main;
    if (polarityButtons_->checkedId() >= 0)
        main.polarityHandling = polarityButtons_->checkedId();
    main.askBeforeQuit = askOnQuit_->isChecked();
    main.askBeforeQuitByCloseBox = askOnCloseBox_->isChecked();
    main.askBeforeDelete = askOnDelete_->isChecked();
    main.jumpToEnd = jumpToEnd_->isChecked();
    main.keepColumnWidths = keepColumnWidths_->isChecked();
    main.noGreyInPrint = noGreyPrint_->isChecked();
    main.escapeClearsCase = escapeClears_->isChecked();
    main.remedyListsByGrade = remediesByGrade_->isChecked();
    main.symptomTreeAlphabetical = treeAlphabetical_->isChecked();
    main.fontName = fontList_->selectedFace();
    // The size shown for an absent or too small one stays what it was unless it is changed.
    if (sizeBox_->currentText() != shownSize_)
        main.fontSize = fontSizeFromText(sizeBox_->currentText());
    return edited;
}

void SettingsDialog::accept() {
    savePlacement();
    const StartDelayCheck delay = checkStartDelay(delayField_->text());
    if (!delay.delay) {
        messageBoxes().warn(this, delay.message);
        delayField_->setFocus(Qt::OtherFocusReason);
        delayField_->selectAll();
        return;
    }
    settings_ = editedSettings(*delay.delay);
    nextStart_ = editedNextStart();
    DialogBase::accept();
}

} // namespace telvarin
