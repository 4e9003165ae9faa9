#include "ui/FileCaseDialog.h"

#include "foundation/dialogs/HelpViewer.h"
#include "foundation/dialogs/IconPushButton.h"
#include "foundation/dialogs/LabelShortcut.h"
#include "foundation/dialogs/MessageBoxes.h"
#include "foundation/text/GermanOrder.h"
#include "foundation/text/LineBreaks.h"
#include "foundation/text/QtCodePage.h"
#include "history/HistoryFile.h"
#include "history/StorableText.h"
#include "ui/IconSet.h"
#include "ui/PracticeServer.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <algorithm>
#include <tuple>

namespace telvarin {

namespace {

// Dialog units: the name and comment above, the prescription in one row below them, the buttons
// at the foot.
constexpr QSize kTemplateSize(223, 162);
constexpr int kButtonTop = 120;
const QString kWindowName = QStringLiteral("FallAblegen");

bool isEnterKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Text pasted from elsewhere may spell an umlaut as a letter and a combining mark; composed, it
// is the code page's own letter.
QString composed(const QString& text) {
    return text.normalized(QString::NormalizationForm_C);
}

} // namespace

std::vector<Windows1252Text> sortedCaseNames(std::vector<Windows1252Text> names) {
    std::stable_sort(names.begin(), names.end(), [](const Windows1252Text& a, const Windows1252Text& b) {
        return germanLess(a.bytes(), b.bytes());
    });
    return names;
}

std::vector<Windows1252Text> filedCaseNames(const std::string& historyPath) {
    // Only the names are wanted; a damaged file is reported when the case is filed into it.
    OpenedHistory opened = openHistoryForWindows(historyPath);
    auto* store = std::get_if<std::unique_ptr<HistoryStore>>(&opened);
    if (store == nullptr)
        return {};
    const CaseHistory history = (*store)->load(nullptr);
    std::vector<Windows1252Text> names;
    names.reserve(history.cases.size());
    for (const HistoryCase& historyCase : history.cases)
        names.push_back(historyCase.name);
    return names;
}

FileCaseDialog::FileCaseDialog(const std::vector<Windows1252Text>& caseNames, Windows1252View presetName,
                               const DialogServices& services, QWidget* parent)
    : DialogBase(kWindowName, kTemplateSize, services, parent) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Fall ablegen"));
    setHelpTopic(kHelpTopicFileCase);
    // Needed for the placement record, although nothing is anchored: the dialog keeps its size.
    setUpLayout();

    auto* casesLabel = addControl<QLabel>(QRect(7, 7, 46, 8), QStringLiteral("Bisherige Fälle"));
    widenToCaption(*casesLabel);
    nameBox_ = addControl<QComboBox>(QRect(7, 18, 209, 13));
    addLabelShortcut(*casesLabel, *nameBox_, QKeySequence(Qt::ALT | Qt::Key_B));
    nameBox_->setEditable(true);
    nameBox_->setInsertPolicy(QComboBox::NoInsert);
    nameBox_->setMaxVisibleItems(8);
    // Completing the typed text to a filed name would file "Müller" under "Müller, Anna": an
    // existing case is chosen from the list or by typing its whole name.
    nameBox_->setCompleter(nullptr);
    nameBox_->lineEdit()->installEventFilter(this);
    for (const Windows1252Text& name : sortedCaseNames(caseNames))
        nameBox_->addItem(fromWindows1252(name));
    nameBox_->setEditText(fromWindows1252(presetName));

    auto* commentLabel = addControl<QLabel>(QRect(7, 37, 36, 8), QStringLiteral("Kommentar"));
    widenToCaption(*commentLabel);
    commentField_ = addControl<QPlainTextEdit>(QRect(7, 46, 209, 44));
    addLabelShortcut(*commentLabel, *commentField_, QKeySequence(Qt::ALT | Qt::Key_K));
    commentField_->setTabChangesFocus(true);
    commentField_->installEventFilter(this);

    auto* remedyLabel = addControl<QLabel>(QRect(7, 94, 60, 8), QStringLiteral("Verordnet: Mittel"));
    widenToCaption(*remedyLabel);
    remedyBox_ = addControl<QComboBox>(QRect(7, 103, 70, 13));
    addLabelShortcut(*remedyLabel, *remedyBox_, QKeySequence(Qt::ALT | Qt::Key_M));
    remedyBox_->setEditable(true);
    remedyBox_->setInsertPolicy(QComboBox::NoInsert);
    remedyBox_->setCompleter(nullptr); // a typed remedy is taken as typed
    remedyBox_->lineEdit()->installEventFilter(this);
    auto* potencyLabel = addControl<QLabel>(QRect(82, 94, 30, 8), QStringLiteral("Potenz"));
    widenToCaption(*potencyLabel);
    potencyField_ = addControl<QLineEdit>(QRect(82, 103, 40, 13));
    addLabelShortcut(*potencyLabel, *potencyField_, QKeySequence(Qt::ALT | Qt::Key_P));
    auto* noteLabel = addControl<QLabel>(QRect(127, 94, 30, 8), QStringLiteral("Notiz"));
    widenToCaption(*noteLabel);
    noteField_ = addControl<QLineEdit>(QRect(127, 103, 89, 13));
    addLabelShortcut(*noteLabel, *noteField_, QKeySequence(Qt::ALT | Qt::Key_N));
    for (QLineEdit* field : {potencyField_, noteField_})
        connect(field, &QLineEdit::returnPressed, this, &FileCaseDialog::accept);

    IconButtonRow buttons = iconButtonRow(QPoint(7, kButtonTop));
    okButton_ = buttons.add(QStringLiteral("&OK"), iconPair(ButtonIcon::Ok));
    helpButton_ = buttons.add(QStringLiteral("&Hilfe"), iconPair(ButtonIcon::Help));
    backButton_ = buttons.add(QStringLiteral("&Zurück"), iconPair(ButtonIcon::Back));
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &FileCaseDialog::accept);
    connect(helpButton_, &QPushButton::clicked, this, [this] { showHelp(kHelpTopicFileCase); });
    connect(backButton_, &QPushButton::clicked, this, &FileCaseDialog::reject);

    setDialogIcon(programIcon());
    restorePlacement();
    setFixedSize(size());
    nameBox_->setFocus(Qt::OtherFocusReason);
    nameBox_->lineEdit()->selectAll();
}

FileCaseDialog::~FileCaseDialog() = default;

FileCaseAnswer FileCaseDialog::answer() const {
    const auto windows1252 = [](const QString& text) { return toWindows1252(composed(text)); };
    const auto field = [&windows1252](const QString& text) { return windows1252(text.trimmed()); };
    return {windows1252(nameBox_->currentText()),
            withCrLf(windows1252(commentField_->toPlainText())),
            {field(remedyBox_->currentText()), field(potencyField_->text()), field(noteField_->text())}};
}

void FileCaseDialog::offerRemedies(const PrescriptionChoices& choices) {
    remedyBox_->clear();
    for (const Windows1252Text& remedy : choices.remedies)
        remedyBox_->addItem(fromWindows1252(remedy));
    remedyBox_->setEditText(fromWindows1252(choices.presetRemedy));
}

void FileCaseDialog::accept() {
    // Nothing may reach the history with a character replaced: the user mends the text here.
    for (const auto& [field, widget, text] :
         {std::tuple{"Der Name", static_cast<QWidget*>(nameBox_), nameBox_->currentText()},
          std::tuple{"Der Kommentar", static_cast<QWidget*>(commentField_), commentField_->toPlainText()},
          std::tuple{"Das Mittel", static_cast<QWidget*>(remedyBox_), remedyBox_->currentText()},
          std::tuple{"Die Potenz", static_cast<QWidget*>(potencyField_), potencyField_->text()},
          std::tuple{"Die Notiz", static_cast<QWidget*>(noteField_), noteField_->text()}}) {
        std::string message = unstorableTextMessage(field, composed(text).toStdString());
        // A soft hyphen in a name would make a second case that looks like the first one.
        if (message.empty() && widget == nameBox_)
            message = formatCharacterMessage(field, composed(text).toStdString());
        if (!message.empty()) {
            messageBoxes().warn(this, QString::fromStdString(message));
            widget->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    savePlacement();
    DialogBase::accept();
}

bool FileCaseDialog::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == nameBox_->lineEdit() || watched == remedyBox_->lineEdit()) &&
        event->type() == QEvent::KeyPress && isEnterKey(static_cast<QKeyEvent*>(event)->key())) {
        // Enter confirms with the name as typed; the combo box would first replace it by a list
        // entry that matches it without regard to letter case.
        accept();
        return true;
    }
    if (watched == commentField_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (isEnterKey(key->key())) {
            // Enter confirms the dialog as in a one-line field; Ctrl+Enter breaks the line.
            if (key->modifiers() & Qt::ControlModifier)
                commentField_->insertPlainText(QStringLiteral("\n"));
            else
                accept();
            return true;
        }
    }
    return DialogBase::eventFilter(watched, event);
}

FileCaseAsker screenFileCaseAsker(const std::string& historyPath, const DialogServices& services,
                                  QWidget* parent, PrescriptionChoices choices) {
    return [historyPath, services, parent,
            choices = std::move(choices)](Windows1252View presetName) -> std::optional<FileCaseAnswer> {
        FileCaseDialog dialog(filedCaseNames(historyPath), presetName, services, parent);
        dialog.offerRemedies(choices);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.answer();
    };
}

} // namespace telvarin
