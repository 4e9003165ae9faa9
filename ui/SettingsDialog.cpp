#include "ui/SettingsDialog.h"

#include "foundation/dialogs/HelpViewer.h"
#include "foundation/dialogs/IconPushButton.h"
#include "ui/FontPreviewList.h"
#include "ui/IconSet.h"
#include "ui/SettingsDialogRules.h"
#include "ui/SpinArrows.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <algorithm>

namespace telvarin {

namespace {

constexpr QSize kTemplateSize(230, 276);
const QString kWindowName = QStringLiteral("Eigenschaften");
constexpr int kFontSampleHeight = 19;

} // namespace

SettingsDialog::SettingsDialog(const EditableSettings& settings, const QString& historyPath,
                               const DialogServices& services, QWidget* parent)
    : DialogBase(kWindowName, kTemplateSize, services, parent), settings_(settings) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Programmeinstellungen"));
    setHelpTopic(kHelpTopicSettings);
    createControls();
    fitTextsToFont();
    // The frame can be resized, but nothing is anchored: the controls keep their places.
    setUpLayout();

    // The polarity handling is carried through unchanged; its controls are never shown.
    polarityGroup_->hide();
    for (QAbstractButton* button : polarityButtons_->buttons())
        button->hide();

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
        addControl<QCheckBox>(QRect(16, 101, 164, 10), QStringLiteral("Vor dem Beenden mittels \"X\""));
    polarityButton(2, QRect(15, 40, 118, 10), QStringLiteral("Keine Gegenpolaritäten auflisten"));

    delayField_ = addControl<QLineEdit>(QRect(79, 60, 40, 14));
    delayField_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), delayField_));
    delayArrows_ = new SpinArrows(
        delayField_,
        [](const QString& text, int steps) { return QString::number(steppedStartDelay(text, steps)); }, this);
    placeControl(delayArrows_, QRect(120, 60, 11, 14));

    askOnQuit_ =
        addControl<QCheckBox>(QRect(16, 90, 164, 10), QStringLiteral("Vor dem Beenden mittels \"Beenden\""));
    askOnDelete_ =
        addControl<QCheckBox>(QRect(16, 112, 164, 10), QStringLiteral("Vor dem Löschen von Fällen"));

    const auto button = [this](int x, const QString& caption, ButtonIcon role) {
        const IconPair icons = iconPair(role);
        return addIconPushButton(QRect(x, 234, 42, 35), caption, icons.hover, icons.normal);
    };
    okButton_ = button(7, QStringLiteral("&OK"), ButtonIcon::Ok);
    helpButton_ = button(49, QStringLiteral("&Hilfe"), ButtonIcon::Help);
    backButton_ = button(91, QStringLiteral("&Zurück"), ButtonIcon::Back);
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &SettingsDialog::accept);
    connect(helpButton_, &QPushButton::clicked, this, [this] { showHelp(kHelpTopicSettings); });
    connect(backButton_, &QPushButton::clicked, this, &SettingsDialog::reject);

    polarityGroup_ = addControl<QGroupBox>(QRect(7, 7, 216, 48), QStringLiteral("Polaritäten"));
    addControl<QLabel>(QRect(7, 195, 65, 8), QStringLiteral("Schrift der Tabellen"));
    addControl<QLabel>(QRect(141, 63, 34, 8), QStringLiteral("Sekunden"));
    questionsGroup_ = addControl<QGroupBox>(QRect(7, 77, 216, 53), QStringLiteral("Rückfragen"));
    keepColumnWidths_ =
        addControl<QCheckBox>(QRect(7, 165, 209, 10), QStringLiteral("Speichern der Spaltenbreiten"));
    historyPathField_ = addControl<QLineEdit>(QRect(86, 213, 137, 14));
    historyPathField_->setReadOnly(true);
    escapeClears_ = addControl<QCheckBox>(
        QRect(7, 137, 209, 10), QStringLiteral("Drücken von Escape in der Auswertung löscht aktuellen Fall"));
    historyPathLabel_ = addControl<QLabel>(QRect(7, 215, 72, 8), QStringLiteral("Pfad für die Fallhistorie"));
    jumpToEnd_ =
        addControl<QCheckBox>(QRect(7, 151, 209, 10),
                              QStringLiteral("Ändern von Symptomen in der Mitte springt zum Ende der Liste"));
    noGreyPrint_ =
        addControl<QCheckBox>(QRect(7, 179, 209, 10), QStringLiteral("Kein grauer Hintergrund beim Drucken"));
    addControl<QLabel>(QRect(7, 63, 65, 8), QStringLiteral("Startverzögerung"));

    // The drop-down boxes keep the height of one line; their list opens below them.
    fontList_ = addControl<FontPreviewList>(QRect(77, 193, 81, 14));
    addControl<QLabel>(QRect(167, 195, 22, 8), QStringLiteral("Größe"));
    sizeBox_ = addControl<QComboBox>(QRect(194, 193, 29, 14));
    sizeBox_->setEditable(true);
    sizeBox_->setInsertPolicy(QComboBox::NoInsert);
    sizeBox_->addItems(fontSizeChoices());

    // The frames lie behind the controls they surround.
    polarityGroup_->lower();
    questionsGroup_->lower();
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
    const int pathLabelEnd = historyPathLabel_->geometry().right() + 1 + margin;
    if (pathLabelEnd > historyPathField_->x()) {
        QRect field = historyPathField_->geometry();
        field.setLeft(pathLabelEnd);
        historyPathField_->setGeometry(field);
    }
    // The frame and the path field keep their right margin when the dialog grows.
    const int growth = neededWidth - width();
    for (QWidget* control :
         {static_cast<QWidget*>(questionsGroup_), static_cast<QWidget*>(historyPathField_)})
        control->resize(control->width() + growth, control->height());
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
    historyPathField_->setText(historyPath);
    // The size the tables are drawn with, which a too small stored size is raised to.
    sizeBox_->setEditText(QString::number(
        main.fontName.isEmpty() ? main.fontSize : TableFont::drawnPixelHeight(main.fontSize)));
    // Without a stored face no face is selected, so that confirming keeps the tables' built-in font
    // instead of switching them to whichever face comes first.
    if (main.fontName.isEmpty())
        fontList_->setCurrentIndex(-1);
    else
        fontList_->selectFace(main.fontName);
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
    main.fontName = fontList_->selectedFace();
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
    DialogBase::accept();
}

} // namespace telvarin
