#include "ui/RemedyOverviewWindow.h"

#include "foundation/dialogs/HelpViewer.h"
#include "foundation/dialogs/IconPushButton.h"
#include "foundation/dialogs/LabelShortcut.h"
#include "foundation/dialogs/SpinArrows.h"
#include "foundation/grid/PrintChoices.h"
#include "foundation/grid/TableGrid.h"
#include "foundation/settings/SettingsStore.h"
#include "foundation/settings/WindowPersistence.h"
#include "foundation/text/QtCodePage.h"
#include "ui/IconSet.h"
#include "ui/RemedyOverviewForm.h"
#include "ui/TablePrinting.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <initializer_list>

namespace telvarin {

namespace {

constexpr QSize kTemplateSize(326, 284);

// The height of a closed combo box, in dialog units: a one-line field's; its list opens below it.
constexpr int kComboHeight = 13;

// Cell margins and grid line around a header text, in pixels.
constexpr int kHeaderPadding = 8;

constexpr qreal kSmallestCaptionPoints = 7.0;
// Room left between a caption and the control after it, in dialog units.
constexpr int kCaptionGap = 2;

// A caption that does not fit its control takes the free room up to `limit` (pixels, the next
// control's left edge) and, if it still does not fit, a smaller font, rather than being cut off.
void giveCaptionRoom(QWidget* control, int limit) {
    widenToCaption(*control, limit);
    QFont font = control->font();
    while (control->sizeHint().width() > control->width() && font.pointSizeF() > kSmallestCaptionPoints) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        control->setFont(font);
    }
}

} // namespace

RemedyOverviewWindow::RemedyOverviewWindow(const RepertoryDatabase& db, const MainSettings& settings,
                                           const TableFont* tableFont, const DialogServices& services,
                                           QWidget* parent)
    : DialogBase(placementName(), kTemplateSize, services, parent), db_(db), settings_(settings),
      tableFont_(tableFont) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(placementName());
    setHelpTopic(kHelpTopicRemedyOverview);

    createControls();
    fitCaptions();
    setUpLayout();
    gradeBoxes_[4]->hide();
    bdOnlyBox_->hide();
    registerAnchors();
    applySizeFilterEnabling();
    fillChapterBox();

    restorePlacement();
    // The table has no columns yet; this only keeps the order every window follows.
    if (SettingsStore* store = settingsStore())
        restoreColumnWidthsIfKept(settings_, *store, columnWidthsSection(placementName()), *table_);
    setDialogIcon(programIcon());
    fillRemedyBox();
    applyHighGrades();
    remedyBox_->setFocus(Qt::OtherFocusReason);
}

RemedyOverviewWindow::~RemedyOverviewWindow() = default;

void RemedyOverviewWindow::createControls() {
    table_ = addControl<TableGrid>(QRect(7, 7, 311, 126));
    table_->setEditable(false);
    table_->setSelectionEnabled(false);
    table_->setHeaderSort(false);
    table_->setListMode(true);
    // Maximised, the columns widen rather than leave grey beside them.
    table_->setColumnsFillWidth(true);

    chapterLabel_ = addControl<QLabel>(QRect(7, 142, 35, 8), QStringLiteral("Kapitelfilter"));
    chapterBox_ = addControl<QComboBox>(QRect(59, 139, 259, kComboHeight));
    chapterBox_->setMaxVisibleItems(20);
    addLabelShortcut(*chapterLabel_, *chapterBox_, QKeySequence(Qt::ALT | Qt::Key_K));

    remedyLabel_ = addControl<QLabel>(QRect(7, 160, 18, 8), QStringLiteral("Mittel"));
    remedyBox_ = addControl<QComboBox>(QRect(57, 157, 110, kComboHeight));
    // The box reports a typed text that equals an item as if that item had been chosen, when the
    // editing ends (Enter, or the focus leaving). Only choices from the list search; Enter
    // searches through the default button. The first connection runs before the box's own.
    auto* remedyEdit = new QLineEdit(remedyBox_);
    connect(remedyEdit, &QLineEdit::editingFinished, this, [this] { editingRemedy_ = true; });
    remedyBox_->setLineEdit(remedyEdit);
    connect(remedyEdit, &QLineEdit::editingFinished, this, [this] { editingRemedy_ = false; });
    // What is typed stays as typed: no completion, and Enter adds nothing to the list.
    remedyBox_->setInsertPolicy(QComboBox::NoInsert);
    remedyBox_->setCompleter(nullptr);
    remedyBox_->setMaxVisibleItems(20);
    addLabelShortcut(*remedyLabel_, *remedyBox_, QKeySequence(Qt::ALT | Qt::Key_M));

    sizeGroup_ = addControl<QGroupBox>(QRect(7, 172, 193, 56), QStringLiteral("Rubrikengröße"));
    sizeFilterBox_ = addControl<QCheckBox>(QRect(16, 184, 95, 10), QStringLiteral("Rubrikengröße beachten"));
    minSizeLabel_ = addControl<QLabel>(QRect(16, 199, 46, 8), QStringLiteral("Mindestgröße "));
    // The arrows sit at the right end of the field's template rectangle.
    minSizeField_ = addControl<QLineEdit>(QRect(63, 197, 22, 14), QStringLiteral("1"));
    minSizeArrows_ = new SpinArrows(minSizeField_, steppedSizeField, SpinArrows::FieldKeys::Untouched, this);
    placeControl(minSizeArrows_, QRect(85, 197, 11, 14));
    maxSizeLabel_ = addControl<QLabel>(QRect(109, 199, 52, 8), QStringLiteral("Maximale Größe"));
    maxSizeField_ = addControl<QLineEdit>(QRect(165, 196, 20, 14), QStringLiteral("30"));
    maxSizeArrows_ = new SpinArrows(maxSizeField_, steppedSizeField, SpinArrows::FieldKeys::Untouched, this);
    placeControl(maxSizeArrows_, QRect(185, 197, 11, 14));
    listOthersBox_ = addControl<QCheckBox>(QRect(16, 213, 156, 10),
                                           QStringLiteral("Andere hochwertige Mittel mit ausgeben"));
    listOthersBox_->setChecked(true);
    for (QLineEdit* field : {minSizeField_, maxSizeField_})
        field->setAlignment(Qt::AlignRight);

    gradeGroup_ = addControl<QGroupBox>(QRect(212, 172, 106, 75), QStringLiteral("Wertigkeit"));
    for (int grade = 1; grade <= 5; ++grade)
        gradeBoxes_[static_cast<std::size_t>(grade - 1)] =
            addControl<QCheckBox>(QRect(227, 171 + 12 * grade, 20, 10), QString::number(grade));
    bdOnlyBox_ = addControl<QCheckBox>(QRect(258, 184, 38, 10), QStringLiteral("nur BD"));
    allGradesButton_ = addControl<QPushButton>(QRect(256, 202, 50, 14), QStringLiteral("&Alle"));
    highGradesButton_ = addControl<QPushButton>(QRect(256, 223, 50, 14), QStringLiteral("Hoch&wertig"));

    IconButtonRow buttons = iconButtonRow(QPoint(7, 238));
    searchButton_ = buttons.add(QStringLiteral("&Suche"), iconPair(ButtonIcon::Search));
    printButton_ = buttons.add(QStringLiteral("&Drucken"), iconPair(ButtonIcon::Print));
    helpButton_ = buttons.add(QStringLiteral("&Hilfe"), iconPair(ButtonIcon::Help));
    backButton_ = buttons.add(QStringLiteral("&Zurück"), iconPair(ButtonIcon::Back));
    searchButton_->setDefault(true);

    connect(table_, &TableGrid::cellDoubleClicked, this, [this](int row, int) { takeOverRow(row); });
    offerTableSaving(this, *table_, [this] { saveTable(); });
    connect(chapterBox_, &QComboBox::activated, this, [this](int index) {
        // Any item that is not a chapter searches the whole repertory.
        bool isChapter = false;
        const int chapter = chapterBox_->itemData(index).toInt(&isChapter);
        query_.chapterIndex = isChapter ? chapter : -1;
        search();
    });
    connect(remedyBox_, &QComboBox::activated, this, [this] {
        if (!editingRemedy_)
            search();
    });
    connect(sizeFilterBox_, &QCheckBox::clicked, this, [this] { applySizeFilterEnabling(); });
    connect(allGradesButton_, &QPushButton::clicked, this, &RemedyOverviewWindow::applyAllGrades);
    connect(highGradesButton_, &QPushButton::clicked, this, &RemedyOverviewWindow::applyHighGrades);
    connect(searchButton_, &QPushButton::clicked, this, &RemedyOverviewWindow::search);
    connect(printButton_, &QPushButton::clicked, this, &RemedyOverviewWindow::printTable);
    offerTablePrinting(this, [this] { printTable(); });
    connect(helpButton_, &QPushButton::clicked, this, [this] { showHelp(kHelpTopicRemedyOverview); });
    connect(backButton_, &QPushButton::clicked, this, &RemedyOverviewWindow::reject);
}

void RemedyOverviewWindow::fitCaptions() {
    const auto leftEdge = [this](int dialogUnitsX) {
        return pixelRect(QRect(dialogUnitsX - kCaptionGap, 0, 1, 1)).x();
    };
    giveCaptionRoom(chapterLabel_, leftEdge(59));
    giveCaptionRoom(remedyLabel_, leftEdge(57));
    giveCaptionRoom(minSizeLabel_, leftEdge(63));
    giveCaptionRoom(maxSizeLabel_, leftEdge(165));
    giveCaptionRoom(sizeFilterBox_, leftEdge(200));
    giveCaptionRoom(listOthersBox_, leftEdge(200));
}

void RemedyOverviewWindow::registerAnchors() {
    addAnchor(table_, kAnchorStretches, kAnchorStretches);
    addAnchor(chapterBox_, kAnchorStretches, kAnchorFollowsFarSide);
    for (QWidget* control : gradeBoxes_)
        addAnchor(control, kAnchorFollowsFarSide, kAnchorFollowsFarSide);
    for (QWidget* control :
         std::initializer_list<QWidget*>{bdOnlyBox_, allGradesButton_, highGradesButton_, gradeGroup_})
        addAnchor(control, kAnchorFollowsFarSide, kAnchorFollowsFarSide);
    for (QWidget* control : std::initializer_list<QWidget*>{
             remedyBox_, remedyLabel_, chapterLabel_, minSizeLabel_, maxSizeLabel_, sizeFilterBox_,
             listOthersBox_, sizeGroup_, minSizeField_, maxSizeField_, minSizeArrows_, maxSizeArrows_,
             searchButton_, backButton_, printButton_, helpButton_})
        addAnchor(control, kAnchorStays, kAnchorFollowsFarSide);
}

void RemedyOverviewWindow::fillChapterBox() {
    // The chapter index travels with each item, so two chapters of the same name stay apart.
    for (const ChapterChoice& choice : chapterChoices(db_)) {
        if (choice.chapterIndex < 0)
            chapterBox_->addItem(QString());
        else
            chapterBox_->addItem(fromWindows1252(choice.name), choice.chapterIndex);
    }
    chapterBox_->setCurrentIndex(0);
    query_.chapterIndex = -1;
}

void RemedyOverviewWindow::fillRemedyBox() {
    QStringList names;
    for (const std::string& item : remedyBoxItems(db_))
        names.push_back(fromWindows1252(item));
    remedyBox_->addItems(names);
    // The list opens as wide as its longest full name, wider than the box, so no name is cut.
    int widest = 0;
    for (const QString& name : names)
        widest = std::max(widest, remedyBox_->view()->fontMetrics().horizontalAdvance(name));
    remedyBox_->view()->setMinimumWidth(widest + remedyBox_->view()->verticalScrollBar()->sizeHint().width() +
                                        2 * remedyBox_->view()->fontMetrics().averageCharWidth());
    remedyBox_->setCurrentIndex(-1);
    remedyBox_->setEditText(QString());
}

bool RemedyOverviewWindow::commitFields() {
    OverviewFields fields;
    fields.remedyText = remedyBox_->currentText();
    for (std::size_t k = 0; k < gradeBoxes_.size(); ++k)
        fields.grades[k] = gradeBoxes_[k]->isChecked();
    fields.bdOnly = bdOnlyBox_->isChecked();
    fields.sizeFilter = sizeFilterBox_->isChecked();
    fields.minSizeText = minSizeField_->text();
    fields.maxSizeText = maxSizeField_->text();
    fields.listOthers = listOthersBox_->isChecked();

    const OverviewCommit commit = commitOverviewFields(query_, fields);
    query_ = commit.query;
    if (commit.succeeded())
        return true;
    QLineEdit* field = commit.failedField == OverviewField::MinimumSize ? minSizeField_ : maxSizeField_;
    messageBoxes().warn(this, commit.message);
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    return false;
}

void RemedyOverviewWindow::applySizeFilterEnabling() {
    commitFields();
    const bool on = sizeFilterBox_->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*>{listOthersBox_, minSizeField_, maxSizeField_,
                                                            minSizeLabel_, maxSizeLabel_})
        control->setEnabled(on);
}

void RemedyOverviewWindow::applyAllGrades() {
    for (std::size_t k = 0; k < gradeBoxes_.size(); ++k)
        gradeBoxes_[k]->setChecked(allGrades()[k]);
    bdOnlyBox_->setChecked(false);
}

void RemedyOverviewWindow::applyHighGrades() {
    for (std::size_t k = 0; k < gradeBoxes_.size(); ++k)
        gradeBoxes_[k]->setChecked(highGrades()[k]);
    bdOnlyBox_->setChecked(false);
}

void RemedyOverviewWindow::search() {
    // The table keeps what it shows until the size fields hold numbers the query can use.
    if (!commitFields())
        return;
    const OverviewResult result = runRemedyQuery(db_, query_);
    setUpTable(result.showsOthers);
    showResult(result);
    setWindowTitle(fromWindows1252(overviewTitle(result)));
    lastResult_ = result;
}

void RemedyOverviewWindow::setUpTable(bool showsOthers) {
    TableGrid& grid = *table_;
    if (tableFont_ != nullptr)
        grid.setGridFont(tableFont_->font());
    grid.setSelectionEnabled(false);
    grid.setRowCount(0);
    const std::vector<OverviewColumn> columns = overviewColumns(showsOthers);
    grid.setColumnCount(static_cast<int>(columns.size()));
    grid.setRowCount(1);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const int col = static_cast<int>(c);
        grid.setText(0, col, columns[c].header);
        // The set widths suit the usual table fonts; no header is cut off in a wider one.
        const int headerWidth =
            QFontMetrics(grid.cellStyle(0, col).font).horizontalAdvance(columns[c].header) + kHeaderPadding;
        grid.setColumnWidth(col, std::max(columns[c].width, headerWidth));
    }
    SettingsStore* store = settingsStore();
    if (store == nullptr ||
        !restoreColumnWidthsIfKept(settings_, *store, columnWidthsSection(placementName()), grid))
        grid.fillWidthFromHere();
    grid.setFixedRowCount(1);
    grid.setFixedColumnCount(0);
    grid.setHeaderSort(false);
    grid.setEditable(false);
    grid.setListMode(true);
}

void RemedyOverviewWindow::showResult(const OverviewResult& result) {
    TableGrid& grid = *table_;
    grid.setRowCount(static_cast<int>(result.rows.size()) + 1);
    int row = 1;
    for (const OverviewRow& overviewRow : result.rows) {
        grid.setText(row, 0, fromWindows1252(overviewRow.numberColumn));
        grid.setText(row, 1, fromWindows1252(overviewRow.gradeColumn));
        grid.setText(row, 2, fromWindows1252(overviewRow.symptomColumn));
        grid.setText(row, 3, fromWindows1252(overviewRow.chapterColumn));
        if (result.showsOthers) {
            // The column is narrow for the list it holds; the tip shows it whole.
            const QString others = fromWindows1252(overviewRow.othersColumn);
            grid.setText(row, 4, others);
            grid.setTipText(row, 4, others);
        }
        ++row;
    }
    grid.setTitleTips(result.showsOthers);
    if (grid.rowCount() > 1) {
        grid.setFocusCell(1, 0);
        grid.ensureCellVisible(1, 0);
    }
}

void RemedyOverviewWindow::printTable() {
    TableGrid& grid = *table_;
    const QString remembered = grid.cellText(0, 0);
    // The printed table names its remedy where the screen shows "Nummer".
    const Windows1252Text& remedy = lastResult_ ? lastResult_->remedyText : query_.remedyText;
    grid.setText(0, 0, fromWindows1252(remedy));
    TableGrid::PrintRequest request;
    request.title =
        printedPageTitle(windowTitle(), QDate::currentDate(), printedRepertoryName(programRepertories()));
    const TableGrid::PrintOutcome printed = grid.print(request);
    grid.setText(0, 0, remembered);
    if (printed == TableGrid::PrintOutcome::CouldNotStart)
        messageBoxes().reportError(this, TableGrid::printFailedText());
}

void RemedyOverviewWindow::saveTable() {
    const Windows1252Text name =
        tableSaving_.evaluationName ? tableSaving_.evaluationName() : Windows1252Text();
    saveTableAsCsv(*table_, tableSaving_, name,
                   "Mittel\xFC"
                   "bersicht"_w1252,
                   messageBoxes(), this);
}

void RemedyOverviewWindow::takeOverRow(int row) {
    if (row < table_->fixedRowCount() || row >= table_->rowCount())
        return;
    const std::optional<SymptomRef> symptom =
        symptomOfNumberCell(db_, toWindows1252(table_->cellText(row, 0)).bytes());
    if (!symptom)
        return;
    chosen_ = symptom;
    done(Accepted);
}

void RemedyOverviewWindow::accept() {
    search();
}

void RemedyOverviewWindow::done(int result) {
    if (result != Accepted)
        chosen_.reset();
    savePlacement();
    if (SettingsStore* store = settingsStore())
        saveColumnWidthsIfKept(settings_, *store, columnWidthsSection(placementName()), *table_);
    DialogBase::done(result);
}

} // namespace telvarin
