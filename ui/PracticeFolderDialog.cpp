#include "ui/PracticeFolderDialog.h"

#include "foundation/dialogs/MessageBoxes.h"
#include "foundation/settings/MainSettings.h"
#include "foundation/text/QtCodePage.h"
#include "history/HistoryBackup.h"
#include "history/HistoryFile.h"
#include "history/HistoryOperations.h"
#include "history/PracticeFolder.h"
#include "server/HistoryCopy.h"
#include "ui/IconSet.h"
#include "ui/PracticeServer.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
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
    if (!dialog.server().isEmpty())
        chosenServer_ = dialog.server();
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

    serverButton_ = new QPushButton(QStringLiteral("Pra&xisserver…"), this);
    serverButton_->setToolTip(QStringLiteral(
        "Die Fallhistorie auf einem PostgreSQL-Server, für mehrere Arbeitsplätze; Sicherungen und "
        "ein eigenes Repertorium bleiben im Praxisordner."));
    connect(serverButton_, &QPushButton::clicked, this, &PracticeFolderDialog::choosePracticeServer);
    serverLabel_ = new QLabel(this);
    serverLabel_->setTextFormat(Qt::PlainText);
    serverLabel_->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(okButton_);
    buttons->addWidget(otherFolderButton_);
    buttons->addWidget(serverButton_);
    buttons->addStretch();
    buttons->addWidget(quitButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addWidget(folderLabel);
    layout->addWidget(folderField_);
    layout->addWidget(serverLabel_);
    layout->addSpacing(folderField_->fontMetrics().height() / 2);
    layout->addLayout(buttons);
    setMinimumWidth(std::max(minimumSizeHint().width(), fontMetrics().averageCharWidth() * 60));
    okButton_->setFocus(Qt::OtherFocusReason);
}

QString PracticeFolderDialog::folder() const {
    return QDir::fromNativeSeparators(folderField_->text());
}

namespace {

// The address as the settings keep it: a password typed into it is taken out.
std::pair<QString, QString> addressAndPassword(const QString& typed) {
    static const QRegularExpression withPassword(QStringLiteral("^(postgres(?:ql)?://[^:@/]*):([^@/]*)@"));
    const QRegularExpressionMatch match = withPassword.match(typed.trimmed());
    if (!match.hasMatch())
        return {typed.trimmed(), {}};
    QString address = typed.trimmed();
    address.replace(0, match.capturedLength(), match.captured(1) + u'@');
    return {address, match.captured(2)};
}

} // namespace

bool writeServerHistoryIntoFolder(QWidget* parent, const QString& address, const QString& password,
                                  const QString& practiceFolder, MessageBoxes& messages) {
    // On the first start the folder may not be made yet; it is made as the start would make it.
    if (isSameFolder(toFilePath(practiceFolder), toFilePath(QDir::homePath()))) {
        messages.warn(parent, homeFolderMessage(QDir::homePath()));
        return false;
    }
    if (const std::optional<std::string> notMade = createPrivateFolder(toFilePath(practiceFolder))) {
        messages.warn(parent, fromWindows1252(*notMade));
        return false;
    }
    const std::string historyFile = toFilePath(practiceFolder) + "/" + std::string(kHistoryFileName);
    const QString shown = QDir::toNativeSeparators(fromFilePath(historyFile));
    if (QFileInfo::exists(fromFilePath(historyFile)) &&
        !messages.askYesNo(parent, QStringLiteral("Im Praxisordner liegt schon die Fallhistorie %1. Soll die "
                                                  "Fallhistorie des Servers sie ersetzen?")
                                       .arg(shown)))
        return false;
    // The history it replaces stays as a dated copy, as before an import: a wrong answer above
    // must not cost the practice its local records.
    const std::optional<std::string> kept = keepCopyBeforeImport(historyFile, currentLocalDateTime());
    if (!kept) {
        messages.warn(parent,
                      QStringLiteral("Die Fallhistorie %1 lässt sich nicht sichern; sie bleibt, wie sie ist.")
                          .arg(shown));
        return false;
    }
    const QString usedPassword = password.isEmpty() ? keyringPassword(address) : password;
    const HistorySaveResult written = copyHistory(toFilePath(address), historyFile, toFilePath(usedPassword));
    if (!written.saved()) {
        messages.warn(parent, fromWindows1252(written.message));
        return false;
    }
    QString done = QStringLiteral("Die Fallhistorie des Servers steht jetzt in %1.").arg(shown);
    if (!kept->empty())
        done += QStringLiteral(" Die bisherige ist in %1 gesichert.")
                    .arg(QDir::toNativeSeparators(fromFilePath(*kept)));
    messages.inform(parent, done);
    return true;
}

std::optional<QString> askPracticeServer(QWidget* parent, const QString& current,
                                         const QString& practiceFolder, MessageBoxes& messages) {
    QDialog ask(parent);
    ask.setWindowTitle(QStringLiteral("Praxisserver - ") + programTitle());
    auto* address = new QLineEdit(current, &ask);
    address->setPlaceholderText(QStringLiteral("postgresql://benutzer@rechner/praxis?sslmode=verify-full"));
    address->setMinimumWidth(address->fontMetrics().horizontalAdvance(address->placeholderText()) + 24);
    address->setToolTip(QStringLiteral("Leer: die Fallhistorie liegt im Praxisordner."));
    auto* password = new QLineEdit(&ask);
    password->setEchoMode(QLineEdit::Password);
    password->setToolTip(QStringLiteral("Wird im Schlüsselbund des Desktops verwahrt, nie in den "
                                        "Einstellungen; leer: aus ~/.pgpass"));
    const std::string historyFile = toFilePath(practiceFolder) + "/" + std::string(kHistoryFileName);
    const CaseHistory local = loadHistory(historyFile, nullptr);
    auto* move = new QCheckBox(QStringLiteral("Die Fallhistorie des Praxisordners (%1 Fälle) auf den "
                                              "Server übertragen")
                                   .arg(local.cases.size()),
                               &ask);
    move->setVisible(!local.cases.empty());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &ask);
    // The way back: the server's history becomes the practice folder's file again.
    QPushButton* writeBack =
        buttons->addButton(QStringLiteral("In den Praxisordner &schreiben…"), QDialogButtonBox::ActionRole);
    writeBack->setToolTip(QStringLiteral("Schreibt die Fallhistorie des Servers als %1 in den Praxisordner")
                              .arg(fromFilePath(std::string(kHistoryFileName))));
    auto* form = new QFormLayout(&ask);
    form->addRow(new QLabel(QStringLiteral("Die Fallhistorie liegt dann auf diesem PostgreSQL-Server; jeder "
                                           "Arbeitsplatz trägt dieselbe Adresse ein. Ohne Adresse liegt "
                                           "sie im Praxisordner."),
                            &ask));
    form->addRow(QStringLiteral("&Adresse"), address);
    form->addRow(QStringLiteral("&Kennwort"), password);
    form->addRow(move);
    form->addRow(buttons);
    QString chosen;
    QObject::connect(writeBack, &QPushButton::clicked, &ask, [&] {
        auto [uri, typedPassword] = addressAndPassword(address->text());
        if (!password->text().isEmpty())
            typedPassword = password->text();
        if (!isServerLocation(toFilePath(uri)))
            return messages.warn(&ask, QStringLiteral("Bitte tragen Sie die Adresse des Praxisservers ein."));
        if (writeServerHistoryIntoFolder(&ask, uri, typedPassword, practiceFolder, messages)) {
            // Written back, the history is meant to live in the folder again.
            address->clear();
            move->hide();
        }
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &ask, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &ask, [&] {
        auto [uri, typedPassword] = addressAndPassword(address->text());
        if (uri.isEmpty())
            return ask.accept();
        if (!password->text().isEmpty())
            typedPassword = password->text();
        OpenedHistory opened = openHistoryStore(toFilePath(uri), toFilePath(typedPassword));
        if (const auto* message = std::get_if<std::string>(&opened))
            return messages.warn(&ask, fromWindows1252(*message));
        if (!typedPassword.isEmpty() && !storeKeyringPassword(uri, typedPassword))
            messages.inform(&ask,
                            QStringLiteral("Das Kennwort kann nicht im Schlüsselbund verwahrt werden und "
                                           "wird nicht gespeichert. Tragen Sie es in ~/.pgpass ein, damit "
                                           "Telvarin sich beim nächsten Start anmelden kann."));
        if (move->isVisible() && move->isChecked()) {
            const RepertoryRecord record = readRepertoryRecord(historyFile);
            const HistorySaveResult moved = moveOntoServer(
                toFilePath(uri), local,
                record.state == RecordState::Present ? std::optional(record.recorded) : std::nullopt,
                toFilePath(typedPassword));
            if (!moved.saved())
                return messages.warn(&ask, fromWindows1252(moved.message));
        }
        chosen = uri;
        ask.accept();
    });
    if (ask.exec() != QDialog::Accepted)
        return std::nullopt;
    return chosen;
}

void PracticeFolderDialog::choosePracticeServer() {
    QtMessageBoxes messages;
    const std::optional<QString> chosen = askPracticeServer(this, server_, folder(), messages);
    if (!chosen)
        return;
    server_ = *chosen;
    serverLabel_->setText(QStringLiteral("Fallhistorie auf dem Praxisserver ") + server_);
    serverLabel_->setVisible(!server_.isEmpty());
}

QString historyLocation(const QString& practiceFolder, const QString& storedServer) {
    if (!storedServer.isEmpty())
        return storedServer;
    return fromFilePath(historyPathFor(toFilePath(practiceFolder), '/'));
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
    if (const std::optional<QString> server = questions.chosenServer())
        writeTextSetting(store, Setting::PracticeServer, *server);
    return folder;
}

} // namespace telvarin
