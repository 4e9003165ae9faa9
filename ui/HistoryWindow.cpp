#include "ui/HistoryWindow.h"

#include "foundation/dialogs/HelpViewer.h"
#include "foundation/dialogs/IconPushButton.h"
#include "foundation/grid/GlyphRoom.h"
#include "foundation/settings/SettingsStore.h"
#include "foundation/text/ErrorReporter.h"
#include "foundation/text/QtCodePage.h"
#include "history/HistoryActions.h"
#include "history/HistoryBackup.h"
#include "history/HistoryFile.h"
#include "repertory/RepertoryChoice.h"
#include "ui/HistoryTree.h"
#include "ui/IconSet.h"
#include "ui/PracticeServer.h"
#include "ui/RepertoryPlaces.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSocketNotifier>
#include <QTreeWidget>
#include <algorithm>
#include <memory>
#include <vector>

namespace telvarin {

namespace {

// The template's 344 x 186 units, with three lines above the tree that name the file and, when its
// numbers belong to another repertory, say so, a line with the search field above the tree, and
// the preview of the selected treatment beside it.
constexpr int kBelowFileLines = 24;
constexpr int kSearchLine = 16;
constexpr int kPreviewWidth = 120;
constexpr QSize kTemplateSize(344 + kPreviewWidth, 186 + kBelowFileLines);
const QString kWindowName = QStringLiteral("Historie");

std::string fileNameBytes(const QString& path) {
    return toFilePath(path);
}

} // namespace

HistoryFileAccess HistoryLockWait::access(const ProgramRepertories* repertories) {
    HistoryFileAccess access;
    access.waiting = [this] { cursor.emplace(); };
    access.repertories = repertories;
    return access;
}

QString askHistoryFileOnScreen(HistoryFileChoice choice, const QString& startFolder, QWidget* parent) {
    const bool exporting = choice == HistoryFileChoice::Export;
    QFileDialog dialog(parent, exporting ? QStringLiteral("Speichern unter") : QStringLiteral("Öffnen"),
                       startFolder, QStringLiteral("Fallhistorie (*.xml)"));
    dialog.setAcceptMode(exporting ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(exporting ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("xml"));
    dialog.selectFile(QString::fromLatin1(kHistoryFileName.data(), kHistoryFileName.size()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

HistoryWindow::HistoryWindow(const QString& historyPath, const RepertoryDatabase& db,
                             const MainSettings& settings, const TableFont* tableFont,
                             const DialogServices& services, QWidget* parent)
    : DialogBase(kWindowName, kTemplateSize, services, parent), db_(db), settings_(settings),
      historyPath_(historyPath), fileAsker_(askHistoryFileOnScreen), repertoryAsker_(askRepertoryOnScreen) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Fallhistorie"));
    setHelpTopic(kHelpTopicCaseHistory);

    setUpLayout();
    createControls();
    addAnchor(fileLabel_, kAnchorStretches, kAnchorStays);
    addAnchor(searchField_, kAnchorStretches, kAnchorStays);
    addAnchor(tree_, kAnchorStretches, kAnchorStretches);
    addAnchor(preview_, kAnchorFollowsFarSide, kAnchorStretches);
    for (QWidget* button :
         std::initializer_list<QWidget*>{takeOverButton_, deleteButton_, orderButton_, exportButton_,
                                         importButton_, helpButton_, backButton_})
        addAnchor(button, kAnchorStays, kAnchorFollowsFarSide);
    restorePlacement();
    setDialogIcon(programIcon());
    if (tableFont != nullptr)
        tree_->setFont(tableFont->font());

    if (OpenedHistory opened = openHistoryForWindows(fileNameBytes(historyPath_));
        auto* store = std::get_if<std::unique_ptr<HistoryStore>>(&opened))
        store_ = std::move(*store);
    else
        unreachable_ = fromWindows1252(std::get<std::string>(opened));
    loadCases();
    showFileAndRepertory();
    listenForChanges();
    if (const SettingsStore* store = settingsStore())
        ordersByDate_ = readSetting(*store, Setting::HistorySortOrder) != 0;
    showOrderPictures();
    sortCases(history_, !ordersByDate_);
    fillTree();
    tree_->setFocus(Qt::OtherFocusReason);
}

HistoryWindow::~HistoryWindow() = default;

std::optional<int> askRepertoryOnScreen(const QString& question, const QStringList& choices,
                                        QWidget* parent) {
    bool ok = false;
    const QString chosen = QInputDialog::getItem(parent, QStringLiteral("Repertorium der Fallhistorie"),
                                                 question, choices, 0, false, &ok);
    if (!ok || !choices.contains(chosen))
        return std::nullopt;
    return static_cast<int>(choices.indexOf(chosen));
}

void HistoryWindow::showEvent(QShowEvent* event) {
    DialogBase::showEvent(event);
    if (!repertoryAsked_) {
        repertoryAsked_ = true;
        askForRepertory();
    }
}

void HistoryWindow::askForRepertory() {
    const ProgramRepertories* repertories = programRepertories();
    const std::optional<HistoryBinding> found = binding();
    if (!found || found->state != BindingState::Unbound)
        return;
    const HistoryBinding& binding = *found;
    std::vector<std::string> dataFiles;
    for (const RepertoryFile& file : repertoryFilesIn(repertoryFolders()))
        dataFiles.push_back(file.path);
    const std::vector<RepertoryIdentity> fitting = repertoriesFitting(history_, *repertories, dataFiles);
    if (fitting.empty())
        return; // the line above the tree says that it is bound to nothing
    QStringList choices;
    for (const RepertoryIdentity& repertory : fitting)
        choices << fromWindows1252(repertoryChoiceText(repertory));
    const std::optional<int> chosen =
        repertoryAsker_(fromWindows1252(unboundHistoryQuestion(history_.path, binding)), choices, this);
    if (!chosen || *chosen < 0 || static_cast<std::size_t>(*chosen) >= fitting.size())
        return;
    HistoryLockWait wait;
    const HistorySaveResult bound =
        store_->bind(fitting[static_cast<std::size_t>(*chosen)], wait.access(repertories));
    wait.cursor.reset();
    if (!bound.saved())
        reportFailure(bound);
    showFileAndRepertory();
}

void HistoryWindow::createControls() {
    fileLabel_ = addControl<QLabel>(QRect(7, 4, 330, kBelowFileLines + 1));
    fileLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    fileLabel_->setWordWrap(true);
    fileLabel_->setTextFormat(Qt::PlainText);
    auto* searchLabel = addControl<QLabel>(QRect(7, 9 + kBelowFileLines, 28, 8), QStringLiteral("S&uchen:"));
    searchLabel->resize(std::max(searchLabel->width(), searchLabel->sizeHint().width()),
                        searchLabel->height());
    searchField_ = addControl<QLineEdit>(QRect(37, 7 + kBelowFileLines, 300, 12));
    searchLabel->setBuddy(searchField_);
    searchField_->setClearButtonEnabled(true);
    searchField_->setAccessibleName(QStringLiteral("Fall suchen"));
    connect(searchField_, &QLineEdit::textChanged, this, [this] { applySearch(); });
    tree_ = addControl<HistoryTree>(QRect(7, 7 + kBelowFileLines + kSearchLine, 330, 132 - kSearchLine));
    tree_->setHeaderHidden(true);
    tree_->setAccessibleName(QStringLiteral("Fallhistorie"));
    tree_->setColumnCount(1);
    tree_->setItemDelegate(new RoomyRowDelegate(tree_));
    tree_->setRootIsDecorated(true);
    tree_->setItemsExpandable(true);
    tree_->setExpandsOnDoubleClick(false);
    tree_->setDragEnabled(false);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setUniformRowHeights(true);
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this] { takeOverSelection(); });
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this] { showPreview(); });
    preview_ = addControl<QPlainTextEdit>(QRect(342, 7 + kBelowFileLines, kPreviewWidth - 7, 132));
    preview_->setReadOnly(true);
    preview_->setAccessibleName(QStringLiteral("Vorschau der Behandlung"));
    preview_->setTabChangesFocus(true);

    IconButtonRow buttons = iconButtonRow(QPoint(7, 144 + kBelowFileLines));
    takeOverButton_ = buttons.add(QStringLiteral("Ü&bernehmen"), iconPair(ButtonIcon::TakeOver));
    deleteButton_ = buttons.add(QStringLiteral("&Löschen"), iconPair(ButtonIcon::Delete));
    orderButton_ = buttons.add(QStringLiteral("&Sortieren"), iconPair(ButtonIcon::OrderByDate));
    exportButton_ = buttons.add(QStringLiteral("&Export"), iconPair(ButtonIcon::Export));
    importButton_ = buttons.add(QStringLiteral("&Import"), iconPair(ButtonIcon::Import));
    helpButton_ = buttons.add(QStringLiteral("&Hilfe"), iconPair(ButtonIcon::Help));
    backButton_ = buttons.add(QStringLiteral("&Zurück"), iconPair(ButtonIcon::Back));
    takeOverButton_->setDefault(true);

    connect(takeOverButton_, &QPushButton::clicked, this, &HistoryWindow::takeOverSelection);
    connect(deleteButton_, &QPushButton::clicked, this, &HistoryWindow::deleteSelection);
    connect(orderButton_, &QPushButton::clicked, this, &HistoryWindow::toggleOrder);
    connect(exportButton_, &QPushButton::clicked, this, &HistoryWindow::exportCases);
    connect(importButton_, &QPushButton::clicked, this, &HistoryWindow::importCases);
    connect(helpButton_, &QPushButton::clicked, this, [this] { showHelp(kHelpTopicCaseHistory); });
    connect(backButton_, &QPushButton::clicked, this, &HistoryWindow::reject);
}

void HistoryWindow::loadCases(bool offerBackup) {
    MessageBoxReporter reporter(messageBoxes(), this);
    if (store_ == nullptr) {
        // The server could not be reached: nothing is shown, and nothing can be saved over it.
        history_ = CaseHistory{};
        history_.path = fileNameBytes(historyPath_);
        history_.unreadable = true;
        messageBoxes().reportError(this, unreachable_);
        return;
    }
    history_ = store_->load(&reporter);
    // A damaged file has been named by the reader already; one that could not be read at all
    // would otherwise look like an empty history.
    if (history_.unreadable && reporter.reports() == 0)
        messageBoxes().reportError(this, fromWindows1252(unreadableHistoryMessage(history_.path)));
    if (history_.unreadable && offerBackup && !store_->isServer())
        offerToRestoreBackup();
}

void HistoryWindow::offerToRestoreBackup() {
    const std::optional<HistoryBackup> backup = backupToRestore(history_.path);
    if (!backup ||
        !messageBoxes().askYesNo(this, fromWindows1252(restoreBackupQuestion(history_.path, *backup))))
        return;
    HistoryLockWait wait;
    const HistorySaveResult restored =
        restoreBackup(history_.path, *backup, wait.access(programRepertories()));
    wait.cursor.reset();
    if (!restored.saved())
        reportFailure(restored);
    if (restored.saved() || restored.status == HistorySaveStatus::Gone)
        loadCases(false);
}

void HistoryWindow::showFileAndRepertory() {
    const bool onServer = isServerLocation(fileNameBytes(historyPath_));
    const QString shown = onServer && store_ != nullptr ? fromFilePath(store_->location())
                                                        : QDir::toNativeSeparators(historyPath_);
    QString text = (onServer ? QStringLiteral("Praxisserver: ") : QStringLiteral("Datei: ")) + shown;
    const QString refusal = otherRepertoryRefusal();
    if (const std::optional<HistoryBinding> found = binding())
        text += u'\n' + fromWindows1252(repertoryNotice(*found, *programRepertories()));
    fileLabel_->setText(text);
    fileLabel_->setToolTip(refusal.isEmpty() ? shown : refusal);
    // A dark red reads well on a light window, a light red on a dark one: both stay above 4.5:1.
    const bool darkWindow = palette().color(QPalette::Window).lightness() < 128;
    const QString warning =
        darkWindow ? QStringLiteral("color: #ff9090;") : QStringLiteral("color: #a00000;");
    fileLabel_->setStyleSheet(refusal.isEmpty() ? QString() : warning);
}

std::optional<HistoryBinding> HistoryWindow::binding() const {
    const ProgramRepertories* repertories = programRepertories();
    if (repertories == nullptr || history_.unreadable || store_ == nullptr)
        return std::nullopt;
    return storeBinding(*store_, history_, *repertories);
}

QString HistoryWindow::otherRepertoryRefusal() const {
    const std::optional<HistoryBinding> found = binding();
    if (!found || !belongsToOtherRepertory(*found, *programRepertories()))
        return {};
    return fromWindows1252(otherRepertoryMessage(history_.path, *found, *programRepertories()));
}

void HistoryWindow::listenForChanges() {
    if (store_ == nullptr || !store_->isServer())
        return;
    changeListener_ =
        listenForHistoryChanges(fileNameBytes(historyPath_), toFilePath(keyringPassword(historyPath_)));
    if (changeListener_ == nullptr)
        return;
    changeNotifier_ = new QSocketNotifier(changeListener_->socket(), QSocketNotifier::Read, this);
    connect(changeNotifier_, &QSocketNotifier::activated, this, [this] {
        const int announced = changeListener_->takeAnnouncements();
        if (announced > 0)
            refreshFromStore();
        // A closed connection stays readable: it would call here without end.
        else if (announced < 0)
            changeNotifier_->setEnabled(false);
    });
}

void HistoryWindow::refreshFromStore() {
    if (store_ == nullptr)
        return;
    const std::optional<HistoryEntry> selected = selectedEntry();
    std::optional<HistoryCase> selectedCase;
    std::optional<Treatment> selectedTreatment;
    if (selected && isValidEntry(history_, *selected)) {
        selectedCase = history_.cases[selected->caseIndex];
        if (selected->treatmentIndex)
            selectedTreatment = selectedCase->treatments[*selected->treatmentIndex];
    }
    CaseHistory fresh = store_->load(nullptr);
    if (fresh.unreadable || fresh.cases == history_.cases)
        return;
    sortCases(fresh, !ordersByDate_);
    const std::vector<HistoryCase> before = history_.cases;
    history_ = std::move(fresh);
    fillTree();
    showFileAndRepertory();
    if (!selectedCase)
        return;
    const std::optional<HistoryEntry> again = entryAgain(history_, *selectedCase, selectedTreatment);
    if (!again)
        return;
    QTreeWidgetItem* item = tree_->topLevelItem(static_cast<int>(again->caseIndex));
    if (again->treatmentIndex) {
        item->setExpanded(true);
        item = item->child(static_cast<int>(*again->treatmentIndex));
    }
    tree_->setCurrentItem(item, 0, QItemSelectionModel::ClearAndSelect);
    tree_->scrollToItem(item);
}

void HistoryWindow::fillTree() {
    tree_->setUpdatesEnabled(false);
    tree_->clear();
    for (const HistoryCase& historyCase : history_.cases) {
        auto* caseItem = new QTreeWidgetItem(tree_, QStringList(fromWindows1252(caseItemText(historyCase))));
        for (const Treatment& treatment : historyCase.treatments) {
            auto* item =
                new QTreeWidgetItem(caseItem, QStringList(fromWindows1252(treatmentItemText(treatment))));
            item->setToolTip(0, fromWindows1252(treatmentTip(db_, treatment)));
        }
    }
    nameFilter_ = CaseNameFilter(history_.cases);
    applySearch();
    tree_->setUpdatesEnabled(true);
    showPreview();
}

void HistoryWindow::applySearch() {
    const std::vector<bool> shown = nameFilter_.matching(toWindows1252(searchField_->text()));
    const int count = std::min(tree_->topLevelItemCount(), static_cast<int>(shown.size()));
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem* item = tree_->topLevelItem(i);
        // Only items whose state changes are touched: hiding thousands anew costs a layout each.
        if (item->isHidden() == shown[static_cast<std::size_t>(i)])
            item->setHidden(!shown[static_cast<std::size_t>(i)]);
    }
    // The tree leaves hidden items out of its selection, but would bring them back with the next
    // text; an entry out of sight must not be taken over or deleted unseen.
    if (!selectedEntry())
        tree_->clearSelection();
    showPreview();
}

void HistoryWindow::showPreview() {
    const std::optional<HistoryEntry> entry = selectedEntry();
    preview_->setPlainText(entry ? fromWindows1252(entryPreview(db_, history_, *entry)) : QString());
}

void HistoryWindow::showOrderPictures() {
    orderButton_->setIcons(iconPair(ordersByDate_ ? ButtonIcon::OrderByDate : ButtonIcon::OrderByName));
}

std::optional<HistoryEntry> HistoryWindow::selectedEntry() const {
    const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    QTreeWidgetItem* item = selected.constFirst();
    if ((item->parent() != nullptr ? item->parent() : item)->isHidden())
        return std::nullopt; // a treatment of a case the search put out of sight
    // The tree mirrors the history: the items' places are the indexes of cases and treatments.
    if (QTreeWidgetItem* parent = item->parent())
        return HistoryEntry{static_cast<std::size_t>(tree_->indexOfTopLevelItem(parent)),
                            static_cast<std::size_t>(parent->indexOfChild(item))};
    return HistoryEntry{static_cast<std::size_t>(tree_->indexOfTopLevelItem(item)), std::nullopt};
}

void HistoryWindow::takeOverSelection() {
    const std::optional<HistoryEntry> entry = selectedEntry();
    if (!entry)
        return;
    std::optional<TakeOverResult> result = takeOverEntry(history_, *entry);
    if (!result)
        return;
    if (const QString refusal = otherRepertoryRefusal(); !refusal.isEmpty())
        return messageBoxes().warn(this, refusal);
    takeOverResult_ = std::move(*result);
    accept();
}

void HistoryWindow::deleteSelection() {
    const std::optional<HistoryEntry> entry = selectedEntry();
    if (!entry || !isValidEntry(history_, *entry))
        return;
    if (settings_.askBeforeDelete &&
        !messageBoxes().askYesNo(this, fromWindows1252(deleteQuestion(history_, *entry))))
        return;
    MessageBoxReporter reporter(messageBoxes(), this);
    HistoryLockWait wait;
    const CaseHistory shown = history_;
    const HistorySaveResult result =
        deleteEntry(*store_, history_, *entry, &reporter, wait.access(programRepertories()));
    wait.cursor.reset();
    if (result.saved() && sameCasesBut(shown, *entry))
        removeItem(*entry);
    else if (result.saved() || result.status == HistorySaveStatus::Gone)
        fillTree();         // the file had changed: show it as it is now
    showFileAndRepertory(); // a history without cases holds no numbers of any repertory
    reportOutcome(result);
    // The entry that keeps the focus frame is the selected one, so that "Ü&bernehmen" and
    // "&Löschen" act on the entry the user sees marked (a deletion still asks first).
    if (QTreeWidgetItem* focused = tree_->currentItem())
        tree_->setCurrentItem(focused, 0, QItemSelectionModel::ClearAndSelect);
    else
        tree_->clearSelection();
}

bool HistoryWindow::sameCasesBut(const CaseHistory& shown, const HistoryEntry& removed) const {
    CaseHistory expected = shown;
    if (removed.treatmentIndex)
        removeTreatment(expected, removed.caseIndex, *removed.treatmentIndex);
    else
        removeCase(expected, removed.caseIndex);
    return expected.cases == history_.cases;
}

void HistoryWindow::removeItem(const HistoryEntry& entry) {
    QTreeWidgetItem* caseItem = tree_->topLevelItem(static_cast<int>(entry.caseIndex));
    const std::unique_ptr<QTreeWidgetItem> removed(
        entry.treatmentIndex ? caseItem->takeChild(static_cast<int>(*entry.treatmentIndex))
                             : tree_->takeTopLevelItem(static_cast<int>(entry.caseIndex)));
    nameFilter_ = CaseNameFilter(history_.cases);
    showPreview();
}

void HistoryWindow::toggleOrder() {
    ordersByDate_ = !ordersByDate_;
    showOrderPictures();
    sortCases(history_, !ordersByDate_);
    fillTree();
    if (SettingsStore* store = settingsStore())
        writeSetting(*store, Setting::HistorySortOrder, ordersByDate_ ? 1 : 0);
}

void HistoryWindow::exportCases() {
    if (store_ == nullptr)
        return;
    const QString file = fileAsker_(HistoryFileChoice::Export, startFolder(), this);
    if (file.isEmpty())
        return;
    MessageBoxReporter reporter(messageBoxes(), this);
    const CaseHistory shown = history_;
    HistoryLockWait wait;
    const HistorySaveResult result =
        store_->exportTo(history_, fileNameBytes(file), &reporter, wait.access(programRepertories()));
    wait.cursor.reset();
    if (history_.cases != shown.cases) // exported onto the history file, which had changed
        fillTree();
    rememberFolderOf(file);
    reportOutcome(result);
}

void HistoryWindow::importCases() {
    if (store_ == nullptr)
        return;
    const QString file = fileAsker_(HistoryFileChoice::Import, startFolder(), this);
    if (file.isEmpty())
        return;
    rememberFolderOf(file);
    MessageBoxReporter reporter(messageBoxes(), this);
    HistoryImport import{fileNameBytes(file), ImportMode::Replace, std::nullopt};
    // An unreadable history is refused by the import itself, before anything is asked.
    if (!history_.unreadable) {
        const CaseHistory imported = loadHistory(import.path, &reporter);
        if (!imported.loaded) {
            if (reporter.reports() == 0)
                messageBoxes().reportError(this, fromWindows1252(unreadableHistoryMessage(import.path)));
            return;
        }
        // With no case shown there is nothing to replace; merging then also keeps what was filed
        // meanwhile.
        import.mode = ImportMode::Merge;
        if (!history_.cases.empty()) {
            const LocalDateTime now = currentLocalDateTime();
            const QString question = fromWindows1252(
                importQuestion(history_.cases.size(), imported.cases.size(), import.path,
                               store_->isServer() ? std::string() : importCopyPathFor(history_.path, now)));
            const int replace = 0;
            const int merge = 1;
            const int cancel = 2;
            const int answer =
                messageBoxes().choose(this, question,
                                      {QStringLiteral("&Ersetzen"), QStringLiteral("&Zusammenführen"),
                                       QStringLiteral("&Abbrechen")},
                                      cancel);
            if (answer != replace && answer != merge)
                return;
            import.mode = answer == replace ? ImportMode::Replace : ImportMode::Merge;
            import.keepCopyAt = now;
        }
    }
    history_.sortByName = !ordersByDate_;
    HistoryLockWait wait;
    const HistorySaveResult result =
        store_->import(history_, import, &reporter, wait.access(programRepertories()));
    wait.cursor.reset();
    fillTree();
    showFileAndRepertory();
    reportOutcome(result);
}

QString HistoryWindow::startFolder() const {
    const SettingsStore* store = settingsStore();
    const QString stored = store != nullptr ? readTextSetting(*store, Setting::CurrentDirectory) : QString();
    return stored.isEmpty() ? QDir::currentPath() : stored;
}

void HistoryWindow::rememberFolderOf(const QString& file) {
    SettingsStore* store = settingsStore();
    if (store == nullptr)
        return;
    QString folder = QDir::toNativeSeparators(QFileInfo(file).absolutePath());
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    writeTextSetting(*store, Setting::CurrentDirectory, folder);
}

void HistoryWindow::reportFailure(const HistorySaveResult& result) {
    messageBoxes().reportError(this, fromWindows1252(result.message));
}

void HistoryWindow::reportOutcome(const HistorySaveResult& result) {
    if (!result.saved())
        reportFailure(result);
    else if (!result.message.empty()) // saved, but written in place: who may read it stayed
        messageBoxes().inform(this, fromWindows1252(result.message));
}

void HistoryWindow::done(int result) {
    savePlacement();
    DialogBase::done(result);
}

} // namespace telvarin
