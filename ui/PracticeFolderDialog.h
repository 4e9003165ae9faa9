#pragma once

// Where the practice keeps its records: asked once on the first start (when neither the start
// folder nor the settings name a practice folder), and again when the practice folder cannot be
// used. Nothing is ever written to another folder without the user choosing it.

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace telvarin {

class MessageBoxes;
class SettingsStore;

// The questions of this start, behind an interface so that tests can answer them.
class PracticeFolderQuestions {
public:
    enum class Answer { ChooseAnother, Continue, Quit };

    virtual ~PracticeFolderQuestions() = default;
    // The first start: the proposed folder, or another one the user chose; nothing to quit.
    virtual std::optional<QString> askFirstFolder(const QString& proposed) = 0;
    // The message names the folder and the reason. canContinue offers to start anyway, where that
    // is safe: a folder that can only be read, or a history that a backup can replace.
    virtual Answer askAboutUnusableFolder(const QString& message, bool canContinue) = 0;
    // The platform's folder dialog; nothing when it was cancelled.
    virtual std::optional<QString> chooseFolder(const QString& startFolder) = 0;
    // The practice server the user chose with the first folder (its address, without password);
    // nothing keeps the history in the practice folder.
    virtual std::optional<QString> chosenServer() const { return std::nullopt; }
};

class ScreenPracticeFolderQuestions : public PracticeFolderQuestions {
public:
    std::optional<QString> askFirstFolder(const QString& proposed) override;
    Answer askAboutUnusableFolder(const QString& message, bool canContinue) override;
    std::optional<QString> chooseFolder(const QString& startFolder) override;
    std::optional<QString> chosenServer() const override { return chosenServer_; }

private:
    std::optional<QString> chosenServer_;
};

// The first start's question: the proposed folder, "Anderer Ordner…" and quitting.
class PracticeFolderDialog : public QDialog {
    Q_OBJECT

public:
    using FolderChooser = std::function<std::optional<QString>(const QString& startFolder)>;

    PracticeFolderDialog(const QString& proposed, FolderChooser chooseFolder, QWidget* parent = nullptr);

    QString folder() const;
    // The practice server chosen with "Praxisserver…": its address without password; empty for none.
    QString server() const { return server_; }
    QLineEdit* folderField() const { return folderField_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* otherFolderButton() const { return otherFolderButton_; }
    QPushButton* quitButton() const { return quitButton_; }

private:
    void choosePracticeServer();

    FolderChooser chooseFolder_;
    QString server_;
    QLabel* serverLabel_ = nullptr;
    QPushButton* serverButton_ = nullptr;
    QLineEdit* folderField_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* otherFolderButton_ = nullptr;
    QPushButton* quitButton_ = nullptr;
};

// The practice server dialog: an address and its password (kept in the keyring), optionally the
// folder's history moved onto the server, or the server's history written back into the folder.
// The address chosen, without password; empty for the practice folder; nothing when cancelled.
std::optional<QString> askPracticeServer(QWidget* parent, const QString& current,
                                         const QString& practiceFolder, MessageBoxes& messages);

// The history of the server at address written into practiceFolder's "historie.xml"; a history
// already there is replaced only when the user agrees. password empty: the keyring's or ~/.pgpass.
bool writeServerHistoryIntoFolder(QWidget* parent, const QString& address, const QString& password,
                                  const QString& practiceFolder, MessageBoxes& messages);

// Where the history is: the practice server's address when one is stored, else the practice
// folder's "historie.xml".
QString historyLocation(const QString& practiceFolder, const QString& storedServer);

// The practice folder of this run, by the rules of history/PracticeFolder.h: asked on the first
// start, checked, and when it cannot be used the user chooses another, starts anyway where that is
// safe, or quits (nothing). A folder the user chose now is made when missing and stored as
// "Praxisordner". homeFolder itself is never taken: patient files do not go straight into it.
std::optional<QString> settlePracticeFolder(const QString& startFolder, const QString& documentsFolder,
                                            const QString& homeFolder, SettingsStore& store,
                                            PracticeFolderQuestions& questions);

} // namespace telvarin
