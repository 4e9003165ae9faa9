#include "ui/PracticeFolderDialog.h"

#include "foundation/dialogs/MessageBoxes.h"
#include "foundation/settings/MainSettings.h"
#include "foundation/text/QtCodePage.h"
#include "history/PracticeFolder.h"
#include "ui/IconSet.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace telvarin {

namespace {

std::string fileName(const QString& path) {
    return toFilePath(path);
}

QString homeFolderMessage(const QString& home) {
    return QStringLiteral("Der persönliche Ordner %1 selbst nimmt keine Patientendaten auf. Bitte wählen "
                          "Sie einen Ordner darin, zum Beispiel „Telvarin“ in den Dokumenten.")
        .arg(QDir::toNativeSeparators(home));
}

} // namespace

std::optional<QString> ScreenPracticeFolderQuestions::askFirstFolder(const QString& proposed) {
    PracticeFolderDialog dialog(proposed, [this](const QString& start) { return chooseFolder(start); });
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.folder();
}

PracticeFolderQuestions::Answer ScreenPracticeFolderQuestions::askAboutUnusableFolder(const QString& message,
                                                                                      bool canContinue) {
    QMessageBox box(QMessageBox::Warning, programTitle(), message, QMessageBox::NoButton);
    QPushButton* other = box.addButton(QStringLiteral("&Anderen Ordner wählen…"), QMessageBox::AcceptRole);
    QPushButton* anyway =
        canContinue ? box.addButton(QStringLiteral("&Trotzdem starten"), QMessageBox::ActionRole) : nullptr;
    QPushButton* quit = box.addButton(QStringLiteral("Been&den"), QMessageBox::RejectRole);
    box.setDefaultButton(other);
    box.setEscapeButton(quit);
    box.exec();
    if (box.clickedButton() == other)
        return Answer::ChooseAnother;
    if (anyway != nullptr && box.clickedButton() == anyway)
        return Answer::Continue;
    return Answer::Quit;
}

std::optional<QString> ScreenPracticeFolderQuestions::chooseFolder(const QString& startFolder) {
    const QString chosen =
        QFileDialog::getExistingDirectory(nullptr, QStringLiteral("Praxisordner wählen"), startFolder);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

PracticeFolderDialog::PracticeFolderDialog(const QString& proposed, FolderChooser chooseFolder,
                                           QWidget* parent)
    : QDialog(parent), chooseFolder_(std::move(chooseFolder)) {
    setWindowTitle(QStringLiteral("Praxisordner - ") + programTitle());
    setWindowIcon(programIcon());
    auto* explanation = new QLabel(
        QStringLiteral("Wo sollen die Fallhistorie, ihre Sicherungen und ein eigenes Repertorium liegen? "
                       "Telvarin fragt nur dieses eine Mal; in den Programmeinstellungen können Sie den "
                       "Ordner später ändern.\n\nArbeiten mehrere Arbeitsplätze mit einer "
                       "Fallhistorie, wählen Sie mit „Anderer Ordner…“ auf jedem denselben "
                       "Netzwerkordner."),
        this);
    explanation->setWordWrap(true);
    folderField_ = new QLineEdit(QDir::toNativeSeparators(proposed), this);
    folderField_->setReadOnly(true);
    folderField_->setMinimumWidth(folderField_->fontMetrics().horizontalAdvance(folderField_->text()) + 24);
    auto* folderLabel = new QLabel(QStringLiteral("&Praxisordner"), this);
    folderLabel->setBuddy(folderField_);

    okButton_ = new QPushButton(QStringLiteral("&OK"), this);
    otherFolderButton_ = new QPushButton(QStringLiteral("Anderer Ordner…"), this);
    quitButton_ = new QPushButton(QStringLiteral("Been&den"), this);
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(quitButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(otherFolderButton_, &QPushButton::clicked, this, [this] {
        if (const std::optional<QString> chosen = chooseFolder_ ? chooseFolder_(folder()) : std::nullopt)
            folderField_->setText(QDir::toNativeSeparators(*chosen));
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(okButton_);
    buttons->addWidget(otherFolderButton_);
    buttons->addStretch();
    buttons->addWidget(quitButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addWidget(folderLabel);
    layout->addWidget(folderField_);
    layout->addSpacing(folderField_->fontMetrics().height() / 2);
    layout->addLayout(buttons);
    setMinimumWidth(std::max(minimumSizeHint().width(), fontMetrics().averageCharWidth() * 60));
    okButton_->setFocus(Qt::OtherFocusReason);
}

QString PracticeFolderDialog::folder() const {
    return QDir::fromNativeSeparators(folderField_->text());
}

std::optional<QString> settlePracticeFolder(const QString& startFolder, const QString& documentsFolder,
                                            const QString& homeFolder, SettingsStore& store,
                                            PracticeFolderQuestions& questions) {
    const PracticeFolderDecision decision = decidePracticeFolder(
        fileName(startFolder), fileName(readTextSetting(store, Setting::PracticeFolder)));
    QString folder = fromFilePath(decision.folder);
    // A folder chosen in this start is made when missing and stored; one from before never is made,
    // since it may be a network share that is merely not mounted.
    bool chosenNow = decision.rule == PracticeFolderRule::Ask;
    if (chosenNow) {
        const QString proposed = fromFilePath(proposedPracticeFolder(fileName(documentsFolder)));
        const std::optional<QString> first = questions.askFirstFolder(proposed);
        if (!first)
            return std::nullopt;
        folder = *first;
    }
    for (;;) {
        QString problem;
        bool canContinue = false;
        if (chosenNow && isSameFolder(fileName(folder), fileName(homeFolder))) {
            problem = homeFolderMessage(homeFolder);
        } else if (const std::optional<std::string> notMade =
                       chosenNow ? createPrivateFolder(fileName(folder)) : std::nullopt) {
            problem = fromWindows1252(*notMade);
        } else {
            const PracticeFolderFacts facts = practiceFolderFacts(fileName(folder));
            const PracticeFolderProblem found = practiceFolderProblem(facts);
            if (found == PracticeFolderProblem::None)
                break;
            problem = fromWindows1252(practiceFolderProblemMessage(fileName(folder), found, facts));
            canContinue =
                found == PracticeFolderProblem::ReadOnly || found == PracticeFolderProblem::HistoryDamaged;
        }
        const PracticeFolderQuestions::Answer answer = questions.askAboutUnusableFolder(problem, canContinue);
        if (answer == PracticeFolderQuestions::Answer::Quit)
            return std::nullopt;
        if (answer == PracticeFolderQuestions::Answer::Continue && canContinue)
            break;
        if (const std::optional<QString> other = questions.chooseFolder(folder)) {
            folder = *other;
            chosenNow = true;
        }
    }
    folder = QDir::cleanPath(folder);
    if (chosenNow)
        writeTextSetting(store, Setting::PracticeFolder, QDir::toNativeSeparators(folder));
    return folder;
}

} // namespace telvarin
