#include "ui/ResultsWindow.h"

#include "analysis/KeySymptoms.h"
#include "analysis/PolarityMethod.h"
#include "foundation/dialogs/HelpViewer.h"
#include "foundation/dialogs/IconPushButton.h"
#include "foundation/dialogs/LabelShortcut.h"
#include "foundation/dialogs/WaitCursor.h"
#include "foundation/dialogs/WindowPlacement.h"
#include "foundation/grid/PrintChoices.h"
#include "foundation/grid/TableGrid.h"
#include "foundation/settings/SettingsStore.h"
#include "foundation/settings/WindowPersistence.h"
#include "foundation/text/ErrorReporter.h"
#include "foundation/text/QtCodePage.h"
#include "history/HistoryActions.h"
#include "history/StorableText.h"
#include "ui/HistoryWindow.h"
#include "ui/IconSet.h"
#include "ui/PracticeServer.h"
#include "ui/TablePrinting.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QResizeEvent>
#include <QShortcut>
#include <QShowEvent>
#include <QStyle>
#include <algorithm>
#include <utility>

namespace telvarin {

namespace {

constexpr QSize kTemplateSize(338, 159);
const QString kWindowName = QStringLiteral("Ergebnis");

// Grades and counts read best centred under their abbreviation.
constexpr std::uint16_t kNumberFormat = GridAlignCenter | GridAlignVCenter | GridSingleLine;

LocalDateTime localDateTimeOf(const QDateTime& time) {
    const QDate date = time.date();
    const QTime clock = time.time();
    return {date.day(), date.month(), date.year(), clock.hour(), clock.minute()};
}

} // namespace

ResultsWindow::ResultsWindow(const RepertoryDatabase& db, std::span<const CaseSymptom> rows,
                             const AnalysisResult& result, Windows1252Text evaluationName,
                             const MainSettings& settings, const std::optional<TableFont>& tableFont,
                             std::string historyPath, const DialogServices& services, QWidget* parent)
    : DialogBase(kWindowName, kTemplateSize, services, parent), db_(db), rows_(rows), result_(result),
      names_(db), settings_(settings), historyPath_(std::move(historyPath)),
      evaluationName_(std::move(evaluationName)), services_(services),
      clock_([] { return QDateTime::currentDateTime(); }) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(fromWindows1252(resultsWindowTitle()));
    setHelpTopic(kHelpTopicResults);

    tableSaving_.folder = tableExportFolder(fromFilePath(historyPath_));

    if (hasCounterPoleSymptom(db_, rows_))
        contraindicated_ = contraindicatedRemedies(db_, rows_, contraindicationLimits(highestGrade(db_)));
    if (const SettingsStore* store = settingsStore())
        methodRanking_ = readSetting(*store, Setting::ResultsRanking) == 1;
    ranking_ = shownRanking();

    setUpLayout();
    createControls();
    methodRankingBox_->setChecked(methodRanking_);
    fillTable(tableModel(), tableFont);

    setDialogIcon(programIcon());
    addAnchor(table_, kAnchorStretches, kAnchorStretches);
    addAnchor(nameField_, kAnchorStretches, kAnchorFollowsFarSide);
    for (QWidget* control : std::initializer_list<QWidget*>{
             nameLabel_, backButton_, printButton_, fileButton_, helpButton_, newButton_, methodRankingBox_})
        addAnchor(control, kAnchorStays, kAnchorFollowsFarSide);

    // A window the user left maximised opens maximised again.
    if (SettingsStore* store = settingsStore())
        restoreWindowPlacement(*store, placementSection(kWindowName), *this, true);
    if (SettingsStore* store = settingsStore())
        restoreColumnWidthsIfKept(settings_, *store, columnWidthsSection(kWindowName), *table_,
                                  kResultsKeptColumnWidths);
    limitTextColumns();
    nameField_->setText(fromWindows1252(evaluationName_));
    table_->setFocus(Qt::OtherFocusReason);
}

ResultsWindow::~ResultsWindow() = default;

void ResultsWindow::createControls() {
    table_ = addControl<TableGrid>(QRect(4, 3, 330, 89));
    nameLabel_ = addControl<QLabel>(QRect(4, 101, 86, 8), fromWindows1252(evaluationNameLabel()));
    nameField_ = addControl<QLineEdit>(QRect(90, 98, 145, 14));
    addLabelShortcut(*nameLabel_, *nameField_, QKeySequence(Qt::ALT | Qt::Key_U));

    IconButtonRow buttons = iconButtonRow(QPoint(4, 120));
    backButton_ = buttons.add(QStringLiteral("&Zurück"), iconPair(ButtonIcon::Back));
    printButton_ = buttons.add(QStringLiteral("&Drucken"), iconPair(ButtonIcon::Print));
    fileButton_ = buttons.add(QStringLiteral("&Ablegen"), iconPair(ButtonIcon::FileCase));
    helpButton_ = buttons.add(QStringLiteral("&Hilfe"), iconPair(ButtonIcon::Help));
    newButton_ = buttons.add(QStringLiteral("&Neu"), iconPair(ButtonIcon::NewCase));
    backButton_->setDefault(true);

    methodRankingBox_ =
        addControl<QCheckBox>(QRect(218, 122, 116, 10), fromWindows1252(methodRankingLabel()));
    connect(methodRankingBox_, &QCheckBox::toggled, this, &ResultsWindow::chooseMethodRanking);

    // Part of the window but never shown, so the user cannot reach it.
    copyButton_ = addControl<QPushButton>(QRect(257, 141, 77, 14), QStringLiteral("&X Copy to Clipboard"));
    copyButton_->setVisible(false);

    connect(backButton_, &QPushButton::clicked, this, &ResultsWindow::accept);
    connect(printButton_, &QPushButton::clicked, this, &ResultsWindow::printTable);
    connect(fileButton_, &QPushButton::clicked, this, &ResultsWindow::fileCase);
    connect(helpButton_, &QPushButton::clicked, this, [this] { showHelp(kHelpTopicResults); });
    connect(newButton_, &QPushButton::clicked, this, &ResultsWindow::startNewCase);
    connect(copyButton_, &QPushButton::clicked, this, &ResultsWindow::copyAllToClipboard);

    table_->installEventFilter(this);
    offerTableSaving(
        this, *table_, [this] { saveTable(); },
        [this](QMenu& menu, int row, int) {
            addKeySymptomEntry(menu, row);
            addPrintedRemediesEntry(menu);
            addRankingEntry(menu);
        });
    offerTablePrinting(this, [this] { printTable(); });
    connect(table_, &TableGrid::columnsSorted, this, &ResultsWindow::showSortedColumnsTitle);
    auto* ranking = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), this);
    connect(ranking, &QShortcut::activated, this, &ResultsWindow::returnToRanking);
}

void ResultsWindow::showSortedColumnsTitle(int keyRow, bool ascending) {
    if (table_->columnCount() <= kResultsFixedColumns)
        return; // no remedy has left its place
    const Windows1252Text label = toWindows1252(table_->cellText(keyRow, 0));
    setWindowTitle(fromWindows1252(
        sortedColumnsTitle(resultsWindowTitle(static_cast<int>(keySymptomRows_.size())), label, ascending)));
    // The position display goes on after the new title.
    table_->enableColumnSearch(this);
}

void ResultsWindow::returnToRanking() {
    showRanking();
}

void ResultsWindow::addRankingEntry(QMenu& menu) {
    QAction* entry = menu.addAction(fromWindows1252(rankingMenuText()));
    entry->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    connect(entry, &QAction::triggered, this, &ResultsWindow::returnToRanking);
}

void ResultsWindow::addPrintedRemediesEntry(QMenu& menu) {
    SettingsStore* store = settingsStore();
    if (store == nullptr)
        return;
    connect(menu.addAction(printedRemediesMenuText()), &QAction::triggered, this,
            [this, store] { editPrintedRemedies(*store, this); });
}

void ResultsWindow::fillTable(const ResultsTableModel& model, const std::optional<TableFont>& tableFont) {
    const WaitCursor busy;
    TableGrid& grid = *table_;
    if (tableFont)
        grid.setGridFont(tableFont->font());
    grid.setColumnCount(model.columnCount());
    grid.setRowCount(model.rowCount());
    grid.setEditable(false);
    grid.setSelectionEnabled(false);
    grid.setHeaderSort(true);
    // A click on the sums (or the contraindications below them) orders the remedies by that row;
    // hits and grade sums settle each other's ties.
    grid.setKeyRows({{kResultsHitsRow, kResultsGradeSumRow, kResultsContraindicationRow},
                     {kResultsHitsRow, kResultsGradeSumRow}});
    grid.setNumericSortText(true);
    // Rubric texts and chapters carry umlauts; they sort as a German index does.
    grid.setCompareFunction(germanTextLess);

    const QColor summary(kSummaryRgb);
    const int remedies = model.remedyColumnCount();
    for (int k = 0; k < remedies; ++k) {
        grid.setText(0, k + kResultsFixedColumns, fromWindows1252(model.abbreviation(k)));
        grid.setFormat(0, k + kResultsFixedColumns, kNumberFormat);
        // The header shows the abbreviation; its tip names the remedy in full.
        if (const Windows1252Text fullName = model.fullName(k); !fullName.empty())
            grid.setTipText(0, k + kResultsFixedColumns,
                            fromWindows1252(model.abbreviation(k) + " \x96 "_w1252 + fullName));
    }
    const int fixedRows = model.fixedRowCount();
    for (int row = kResultsHitsRow; row < fixedRows; ++row) {
        grid.setText(row, 0, fromWindows1252(model.cellText(row, 0)));
        grid.setBackgroundColour(row, 0, summary);
    }

    // The text columns may be shown narrower than their texts; the tips show them whole.
    for (int j = 0; j < model.symptomCount(); ++j) {
        for (const auto& [column, text] : {std::pair{0, fromWindows1252(model.symptomText(j))},
                                           std::pair{1, fromWindows1252(model.headingText(j))}}) {
            grid.setText(j + fixedRows, column, text);
            grid.setTipText(j + fixedRows, column, text);
        }
        // Sorting moves whole rows; the case row goes with its cells.
        grid.setUserValue(j + fixedRows, 0, j);
    }
    grid.setTitleTips(true);
    grid.setPrintLegend(fromWindows1252(model.remedyLegend()));
    for (int k = 0; k < remedies; ++k) {
        const int col = k + kResultsFixedColumns;
        for (int row = kResultsHitsRow; row < fixedRows; ++row) {
            grid.setText(row, col, fromWindows1252(model.cellText(row, col)));
            grid.setBackgroundColour(row, col, summary);
            grid.setFormat(row, col, kNumberFormat);
        }
    }

    const QColor counterPolarity(kCounterPolarityRgb);
    const QColor contraindicated(kContraindicatedRgb);
    for (int j = 0; j < model.symptomCount(); ++j) {
        const int row = j + fixedRows;
        // A row of weight 0 is shown as a counter-polarity is: its grades stand, but not counted.
        if (model.isOutOfAnalysis(j)) {
            for (int col = 0; col < model.columnCount(); ++col)
                grid.setBackgroundColour(row, col, counterPolarity);
        }
        for (const RemedyGrade& grade : model.gradesOfRow(j)) {
            const int col = grade.column + kResultsFixedColumns;
            grid.setText(row, col, QString::number(grade.grade));
            grid.setFormat(row, col, kNumberFormat);
        }
        for (int k = 0; k < remedies; ++k) {
            const ResultsCellShade shade = model.cellShade(row, k + kResultsFixedColumns);
            if (shade == ResultsCellShade::Contraindicated)
                grid.setBackgroundColour(row, k + kResultsFixedColumns, contraindicated);
            else if (shade == ResultsCellShade::CounterPolarity)
                grid.setBackgroundColour(row, k + kResultsFixedColumns, counterPolarity);
        }
    }

    grid.setFixedRowCount(fixedRows);
    grid.setFixedColumnCount(kResultsFixedColumns);
    // The title is remembered here, so the position display adds to the plain title.
    grid.enableColumnSearch(this);
    grid.setMaxColumnWidth(kResultsMaxColumnWidth);
    grid.autoSizeColumns(kResultsFixedColumns);
}

int ResultsWindow::caseRowOf(int tableRow) const {
    if (tableRow < table_->fixedRowCount() || tableRow >= table_->rowCount())
        return -1;
    return table_->userValue(tableRow, 0);
}

bool ResultsWindow::canBeKeySymptom(int caseRow) const {
    return caseRow >= 0 && static_cast<std::size_t>(caseRow) < rows_.size() &&
           keySymptomRubric(db_, rows_[static_cast<std::size_t>(caseRow)]) >= 0;
}

void ResultsWindow::toggleKeySymptom(int caseRow) {
    if (!canBeKeySymptom(caseRow))
        return;
    const auto marked = std::lower_bound(keySymptomRows_.begin(), keySymptomRows_.end(), caseRow);
    if (marked != keySymptomRows_.end() && *marked == caseRow)
        keySymptomRows_.erase(marked);
    else
        keySymptomRows_.insert(marked, caseRow);
    showRanking();
}

std::vector<RemedyScore> ResultsWindow::shownRanking() const {
    std::vector<int> keyRubrics;
    for (const int row : keySymptomRows_)
        keyRubrics.push_back(keySymptomRubric(db_, rows_[static_cast<std::size_t>(row)]));
    std::vector<RemedyScore> ranking = eliminateByKeySymptoms(db_, result_.listed(), keyRubrics);
    if (methodRanking_)
        ranking = polarityMethodOrder(ranking, contraindicated_, names_);
    return ranking;
}

ResultsTableModel ResultsWindow::tableModel() const {
    ResultsTableModel model(db_, rows_, ranking_);
    model.markKeySymptoms(keySymptomRows_);
    model.showContraindications(contraindicated_);
    return model;
}

void ResultsWindow::chooseMethodRanking(bool method) {
    if (method == methodRanking_)
        return;
    methodRanking_ = method;
    if (SettingsStore* store = settingsStore())
        writeSetting(*store, Setting::ResultsRanking, method ? 1 : 0);
    showRanking();
}

void ResultsWindow::showRanking() {
    ranking_ = shownRanking();

    TableGrid& grid = *table_;
    const GridCellPos focus = grid.focusCell();
    const int focusCaseRow = caseRowOf(focus.row);
    const int shownWidths[kResultsFixedColumns] = {grid.columnWidth(0), grid.columnWidth(1)};
    // Before filling: the table takes the title as the start of its position display.
    setWindowTitle(fromWindows1252(resultsWindowTitle(static_cast<int>(keySymptomRows_.size()))));
    grid.setRowCount(0);
    grid.setColumnCount(0);
    fillTable(tableModel(), std::nullopt);
    // The text columns keep what the user gave them, and grow by the mark.
    for (int col = 0; col < kResultsFixedColumns; ++col)
        grid.setColumnWidth(col, std::max(shownWidths[col], grid.columnWidth(col)));
    limitTextColumns();
    // The table shows the case's order again; the focus stays on the same symptom.
    if (focusCaseRow >= 0)
        grid.setFocusCell(focusCaseRow + grid.fixedRowCount(), std::max(focus.col, kResultsFixedColumns));
}

void ResultsWindow::addKeySymptomEntry(QMenu& menu, int tableRow) {
    // Outside the cells, as for the keyboard's menu key, the entry is for the focus cell's row.
    const int caseRow = caseRowOf(tableRow >= 0 ? tableRow : table_->focusCell().row);
    QAction* entry = menu.addAction(fromWindows1252(keySymptomMenuText()));
    entry->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_S));
    entry->setCheckable(true);
    entry->setChecked(std::binary_search(keySymptomRows_.begin(), keySymptomRows_.end(), caseRow));
    entry->setEnabled(canBeKeySymptom(caseRow));
    connect(entry, &QAction::triggered, this, [this, caseRow] { toggleKeySymptom(caseRow); });
}

bool ResultsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Small letters go on finding a remedy column by its abbreviation.
        if (key->text() == QStringLiteral("S") &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            toggleKeySymptom(caseRowOf(table_->focusCell().row));
            return true;
        }
    }
    return DialogBase::eventFilter(watched, event);
}

void ResultsWindow::saveTable() {
    saveTableAsCsv(*table_, tableSaving_, toWindows1252(nameField_->text()), "Auswertung"_w1252,
                   messageBoxes(), this);
}

void ResultsWindow::limitTextColumns() {
    TableGrid& grid = *table_;
    // Widths other than the ones shown last were set by the user, a restore or the filling: they
    // are what the columns grow back to.
    const ResultsTextWidths current{grid.columnWidth(0), grid.columnWidth(1)};
    if (current != shownTextWidths_)
        wantedTextWidths_ = current;
    shownTextWidths_ = shownResultsTextWidths(grid.contentsRect().width(), wantedTextWidths_);
    if (shownTextWidths_.symptom != current.symptom)
        grid.setColumnWidth(0, shownTextWidths_.symptom);
    if (shownTextWidths_.chapter != current.chapter)
        grid.setColumnWidth(1, shownTextWidths_.chapter);
}

void ResultsWindow::growToShowTheCase() {
    const TableGrid& grid = *table_;
    const int remedyColumns =
        std::min(grid.columnCount(), kResultsFixedColumns + kResultsRemediesShownAtOpen);
    int remedyWidth = 0;
    for (int col = kResultsFixedColumns; col < remedyColumns; ++col)
        remedyWidth += grid.columnWidth(col);
    // The widths the text columns grow back to, not the ones the small window squeezed them to.
    const int textWidth = wantedTextWidths_.symptom + wantedTextWidths_.chapter;
    // The text columns give way beyond their share of the table; the remedies then come first.
    const int width = std::max(textWidth + remedyWidth, textWidth * 100 / kResultsTextShare);
    int height = 0;
    for (int row = 0; row < grid.rowCount(); ++row)
        height += grid.rowHeight(row);
    // Room for the frame, and for the scroll bar below when more remedies follow.
    QSize chrome = grid.size() - grid.contentsRect().size();
    if (grid.columnCount() > remedyColumns)
        chrome.rheight() += grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &grid);
    growWindowToShow(*this, grid.size(), QSize(width, height) + chrome);
}

void ResultsWindow::showEvent(QShowEvent* event) {
    DialogBase::showEvent(event);
    // Only now does the table have the size the window gives it.
    if (!event->spontaneous() && !grownToShowTheCase_) {
        grownToShowTheCase_ = true;
        growToShowTheCase();
    }
}

void ResultsWindow::resizeEvent(QResizeEvent* event) {
    DialogBase::resizeEvent(event);
    if (table_ != nullptr && event->size().width() != event->oldSize().width())
        limitTextColumns();
}

void ResultsWindow::commitFields() {
    evaluationName_ = toWindows1252(nameField_->text());
}

void ResultsWindow::printTable() {
    commitFields();
    TableGrid& grid = *table_;
    const GridDefaultCell screenFixedCell = grid.defaultCell(true);
    if (settings_.noGreyInPrint) {
        GridDefaultCell printedFixedCell = screenFixedCell;
        printedFixedCell.background = QColor(kPrintedFixedRgb);
        grid.setDefaultCell(true, printedFixedCell);
    }
    const QDate today = clock_().date();
    grid.setText(0, 0,
                 fromWindows1252(printedNameCell(evaluationName_, today.day(), today.month(), today.year())));

    TableGrid::PrintRequest request;
    const QString name = nameField_->text();
    request.title = printedPageTitle(name.trimmed().isEmpty() ? fromWindows1252(resultsWindowTitle()) : name,
                                     today, printedRepertoryName(programRepertories()));
    request.columns = kResultsFixedColumns + printedRemedyColumns(settingsStore(),
                                                                  grid.columnCount() - kResultsFixedColumns,
                                                                  messageBoxes(), this);
    const TableGrid::PrintOutcome printed = grid.print(request);

    // Restored whether the print dialog was confirmed or cancelled.
    grid.setText(0, 0, QString());
    grid.setDefaultCell(true, screenFixedCell);
    if (printed == TableGrid::PrintOutcome::CouldNotStart)
        messageBoxes().reportError(this, TableGrid::printFailedText());
}

void ResultsWindow::fileCase() {
    const QString typed = nameField_->text().normalized(QString::NormalizationForm_C);
    if (const std::string refused = unstorableTextMessage("Der Name der Auswertung", typed.toStdString());
        !refused.empty())
        return messageBoxes().warn(this, QString::fromStdString(refused));
    commitFields();
    OpenedHistory opened = openHistoryForWindows(historyPath_);
    if (const auto* unreachable = std::get_if<std::string>(&opened))
        return messageBoxes().reportError(this, fromWindows1252(*unreachable));
    HistoryStore& store = *std::get<std::unique_ptr<HistoryStore>>(opened);
    // Said before the name and comment are typed, not after. Filing checks again under the lock.
    if (const ProgramRepertories* repertories = services_.repertories) {
        const CaseHistory history = store.load(nullptr);
        const HistoryBinding binding = storeBinding(store, history, *repertories);
        if (!history.unreadable && belongsToOtherRepertory(binding, *repertories))
            return messageBoxes().reportError(
                this, fromWindows1252(otherRepertoryMessage(store.location(), binding, *repertories)));
    }
    const FileCaseAsker asker =
        fileCaseAsker_ ? fileCaseAsker_
                       : screenFileCaseAsker(historyPath_, services_, this, prescriptionChoices());
    const std::optional<FileCaseAnswer> answer = asker(evaluationName_);
    if (!answer)
        return;
    MessageBoxReporter reporter(messageBoxes(), this);
    HistoryLockWait wait;
    const HistorySaveResult saved =
        store.file(answer->name, answer->comment, rows_, localDateTimeOf(clock_()), &reporter,
                   wait.access(services_.repertories), answer->prescription);
    wait.cursor.reset();
    // Nothing is shown on success, but a file written in place (to keep who may read it) says so; a
    // refusal or a failed write must not pass for one.
    if (!saved.saved())
        messageBoxes().reportError(this, fromWindows1252(saved.message));
    else if (!saved.message.empty())
        messageBoxes().inform(this, fromWindows1252(saved.message));
}

PrescriptionChoices ResultsWindow::prescriptionChoices() const {
    // The headers hold the abbreviations in the order the user sees, however the columns stand.
    PrescriptionChoices choices;
    for (int col = kResultsFixedColumns; col < table_->columnCount(); ++col)
        choices.remedies.push_back(toWindows1252(table_->cellText(0, col)));
    if (const int col = table_->focusCell().col; col >= kResultsFixedColumns && col < table_->columnCount())
        choices.presetRemedy = toWindows1252(table_->cellText(0, col));
    return choices;
}

void ResultsWindow::startNewCase() {
    closeKeepsCase_ = false;
    reject();
}

void ResultsWindow::copyAllToClipboard() {
    table_->setSelectionEnabled(true);
    table_->selectAll();
    table_->copySelection();
    table_->setSelectionEnabled(false);
}

void ResultsWindow::accept() {
    commitFields();
    outcome_ = ResultsOutcome::keepCase;
    done(Accepted);
}

void ResultsWindow::reject() {
    if (closeKeepsCase_ && !settings_.escapeClearsCase) {
        commitFields();
        outcome_ = ResultsOutcome::keepCase;
        done(Accepted);
        return;
    }
    outcome_ = ResultsOutcome::clearCase;
    done(Rejected);
}

void ResultsWindow::done(int result) {
    savePlacement();
    if (SettingsStore* store = settingsStore())
        saveColumnWidthsIfKept(settings_, *store, columnWidthsSection(kWindowName), *table_,
                               kResultsKeptColumnWidths);
    DialogBase::done(result);
}

} // namespace telvarin
