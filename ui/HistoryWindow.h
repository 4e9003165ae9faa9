#pragma once

// The case history window "Fallhistorie": the filed cases and their treatments as a tree, and the
// buttons that take one over into the current case, delete, order, export and import.

#include "foundation/dialogs/DialogBase.h"
#include "foundation/dialogs/WaitCursor.h"
#include "foundation/settings/MainSettings.h"
#include "history/CaseHistory.h"
#include "history/CaseNameFilter.h"
#include "history/HistoryActions.h"
#include "history/HistoryOperations.h"
#include "history/HistoryStore.h"
#include "repertory/RepertoryDatabase.h"
#include "server/HistoryStores.h"
#include "ui/HistoryEntries.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QSocketNotifier;
class QLineEdit;
class QPlainTextEdit;
class QShowEvent;
class QTreeWidget;
class QTreeWidgetItem;

namespace telvarin {

class IconPushButton;

// The wait cursor from the moment the history's lock is found taken until the action ends (or
// cursor is reset).
struct HistoryLockWait {
    std::optional<WaitCursor> cursor;
    // repertories: the program's, so that a change records the history's repertory (and filing is
    // refused under another one); null checks nothing.
    HistoryFileAccess access(const ProgramRepertories* repertories = nullptr);
};

enum class HistoryFileChoice { Export, Import };

// Asks for the file to export to or to import from, starting in startFolder; the empty text when
// the user cancelled.
using HistoryFileAsker =
    std::function<QString(HistoryFileChoice choice, const QString& startFolder, QWidget* parent)>;

// The save and open dialogs of the platform: "historie.xml" proposed, only "Fallhistorie (*.xml)"
// offered, overwriting asked before.
QString askHistoryFileOnScreen(HistoryFileChoice choice, const QString& startFolder, QWidget* parent);

// Asks which of choices the numbers of a history belong to; the index of the answer, or nothing
// when the user leaves it open.
using RepertoryAsker =
    std::function<std::optional<int>(const QString& question, const QStringList& choices, QWidget* parent)>;

std::optional<int> askRepertoryOnScreen(const QString& question, const QStringList& choices, QWidget* parent);

class HistoryWindow : public DialogBase {
    Q_OBJECT

public:
    // historyPath: the history file; db: for the symptom texts in the treatments' tips; settings:
    // "FragenBeimLoeschen"; tableFont: the font of the tree, or null for the built-in one. The
    // database must outlive the window.
    HistoryWindow(const QString& historyPath, const RepertoryDatabase& db, const MainSettings& settings,
                  const TableFont* tableFont, const DialogServices& services, QWidget* parent = nullptr);
    ~HistoryWindow() override;

    // After exec() returned 1 ("Ü&bernehmen" or a double click): the case to take over.
    const TakeOverResult& takeOverResult() const { return takeOverResult_; }

    const CaseHistory& history() const { return history_; }
    bool ordersByDate() const { return ordersByDate_; }

    QTreeWidget* tree() const { return tree_; }
    // Shows only the cases whose name holds what is typed (letter case, umlauts and ß folded).
    QLineEdit* searchField() const { return searchField_; }
    // The selected treatment, or a selected case's first one, as it would be taken over.
    QPlainTextEdit* preview() const { return preview_; }
    // The file shown and, while the numbers belong to another repertory, a line that says so.
    QLabel* fileLabel() const { return fileLabel_; }
    IconPushButton* takeOverButton() const { return takeOverButton_; }
    IconPushButton* deleteButton() const { return deleteButton_; }
    IconPushButton* orderButton() const { return orderButton_; }
    IconPushButton* exportButton() const { return exportButton_; }
    IconPushButton* importButton() const { return importButton_; }
    IconPushButton* helpButton() const { return helpButton_; }
    IconPushButton* backButton() const { return backButton_; }

    // The export and import dialogs are asked through this; tests give their own answers.
    void setFileAsker(HistoryFileAsker asker) { fileAsker_ = std::move(asker); }
    // When it is first shown, the window asks through this which repertory a history bound to
    // nothing belongs to.
    void setRepertoryAsker(RepertoryAsker asker) { repertoryAsker_ = std::move(asker); }

    // The commands of the buttons.
    void takeOverSelection();
    void deleteSelection();
    void toggleOrder();
    void exportCases();
    void importCases();

    // Shows the history as it is now, keeping the selected entry selected where it still is: what
    // another workstation filed appears without the user losing their place.
    void refreshFromStore();

    // Every way of closing keeps the placement.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    // A history with cases but no record of their repertory: asks which repertory it is among
    // those that fit every number, and records the answer.
    void askForRepertory();
    void loadCases(bool offerBackup = true);
    void fillTree();
    // Hides the cases the search leaves out; a selected case that goes out of sight is deselected.
    void applySearch();
    void showPreview();
    // Whether the history is shown minus the removed entry, so that only its item has to go.
    bool sameCasesBut(const CaseHistory& shown, const HistoryEntry& removed) const;
    void removeItem(const HistoryEntry& entry);
    void showOrderPictures();
    std::optional<HistoryEntry> selectedEntry() const;
    QString startFolder() const;
    void rememberFolderOf(const QString& file);
    void reportFailure(const HistorySaveResult& result);
    void reportOutcome(const HistorySaveResult& result);
    // An unreadable history: asks whether the newest backup shall take its place, and shows it.
    void offerToRestoreBackup();
    // Names the file and says whether its numbers belong to the repertory in use.
    void showFileAndRepertory();
    // The message that refuses a take-over under another repertory; empty when it is allowed.
    QString otherRepertoryRefusal() const;
    std::optional<HistoryBinding> binding() const;
    // On a practice server: listens for the changes other workstations announce.
    void listenForChanges();

    const RepertoryDatabase& db_;
    MainSettings settings_;
    QString historyPath_;
    std::unique_ptr<HistoryStore> store_; // null when the history could not be reached
    QString unreachable_;                 // why
    std::unique_ptr<HistoryChangeListener> changeListener_;
    QSocketNotifier* changeNotifier_ = nullptr;
    CaseHistory history_;
    bool ordersByDate_ = true;
    TakeOverResult takeOverResult_;
    HistoryFileAsker fileAsker_;
    RepertoryAsker repertoryAsker_;
    bool repertoryAsked_ = false;

    QLabel* fileLabel_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    QLineEdit* searchField_ = nullptr;
    QPlainTextEdit* preview_ = nullptr;
    // The folded names of history_'s cases, made again whenever the cases change.
    CaseNameFilter nameFilter_{{}};
    IconPushButton* takeOverButton_ = nullptr;
    IconPushButton* deleteButton_ = nullptr;
    IconPushButton* orderButton_ = nullptr;
    IconPushButton* exportButton_ = nullptr;
    IconPushButton* importButton_ = nullptr;
    IconPushButton* helpButton_ = nullptr;
    IconPushButton* backButton_ = nullptr;
};

} // namespace telvarin
