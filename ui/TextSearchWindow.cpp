#include "ui/TextSearchWindow.h"

#include "foundation/dialogs/HelpViewer.h"
#include "foundation/dialogs/IconPushButton.h"
#include "foundation/dialogs/LabelShortcut.h"
#include "foundation/grid/TableGrid.h"
#include "foundation/settings/SettingsStore.h"
#include "foundation/settings/WindowPersistence.h"
#include "foundation/text/QtCodePage.h"
#include "repertory/RepertoryTexts.h"
#include "ui/CrossReferenceMenu.h"
#include "ui/IconSet.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QToolTip>
#include <algorithm>

namespace telvarin {

namespace {

constexpr QSize kTemplateSize(292, 172);
constexpr QRect kTableRect(5, 6, 282, 86);

constexpr int kColumnCount = 3;
constexpr int kNumberColumn = 0;
constexpr int kSymptomColumn = 1;
constexpr int kChapterColumn = 2;
constexpr int kFirstDataRow = 1;

struct ColumnSetUp {
    const char16_t* header;
    int width;
};
constexpr ColumnSetUp kColumns[kColumnCount] = {{u"Nummer", 60}, {u"Symptom", 372}, {u"Kapitel", 200}};

// The template's height of the chapter filter with its list open, in dialog units.
constexpr int kChapterListHeight = 100;

} // namespace

TextSearchWindow::TextSearchWindow(const RepertoryDatabase& db, const TableFont* tableFont,
                                   const DialogServices& services, const MainSettings& settings,
                                   AddSymptomCallback addSymptom, QWidget* parent)
    : DialogBase(placementName(), kTemplateSize, services, parent), index_(db),
      numberTexts_(static_cast<std::size_t>(db.rubricCount())),
      symptomTexts_(static_cast<std::size_t>(db.rubricCount())),
      headingTexts_(static_cast<std::size_t>(db.sectionCount())), settings_(settings),
      addSymptom_(std::move(addSymptom)) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setModal(false);
    setWindowTitle(fromWindows1252(textSearchIdleTitle()));
    setHelpTopic(kHelpTopicTextSearch);

    setUpLayout();
    createControls();
    addAnchor(table_, kAnchorStretches, kAnchorStretches);
    addAnchor(searchField_, kAnchorStretches, kAnchorFollowsFarSide);
    addAnchor(chapterBox_, kAnchorStretches, kAnchorFollowsFarSide);
    for (QWidget* control : {static_cast<QWidget*>(searchLabel_), static_cast<QWidget*>(chapterLabel_),
                             static_cast<QWidget*>(takeOverButton_), static_cast<QWidget*>(addButton_),
                             static_cast<QWidget*>(helpButton_), static_cast<QWidget*>(backButton_)})
        addAnchor(control, kAnchorStays, kAnchorFollowsFarSide);
    setDialogIcon(programIcon());

    chapterBox_->addItem(QString());
    for (int chapter = 0; chapter < db.chapterCount(); ++chapter)
        chapterBox_->addItem(fromWindows1252(db.chapterName(chapter)));
    chapterBox_->setCurrentIndex(-1);

    restorePlacement();
    // The size the placement gave is the one the columns are divided for; showing the window
    // later reports the same size and leaves them alone.
    reportedWidth_ = width();
    setUpTable(tableFont);
    searchField_->setFocus(Qt::OtherFocusReason);
}

TextSearchWindow::~TextSearchWindow() {
    // Destroying the window takes the focus from the field; that must not start a search.
    searchField_->removeEventFilter(this);
}

void TextSearchWindow::createControls() {
    table_ = addControl<TableGrid>(kTableRect);
    searchLabel_ = addControl<QLabel>(QRect(4, 99, 50, 8), QStringLiteral("Suchtext"));
    searchField_ = addControl<QLineEdit>(QRect(56, 96, 232, 14));
    chapterLabel_ = addControl<QLabel>(QRect(4, 116, 35, 8), QStringLiteral("Kapitelfilter"));
    chapterBox_ = addControl<QComboBox>(QRect(56, 114, 232, 13));
    chapterBox_->setEditable(false);
    // A list under the field as tall as the template's 100 units, not a popup over the whole
    // screen as some styles open it.
    chapterBox_->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    const int listHeight = pixelRect(QRect(0, 0, 1, kChapterListHeight)).height() - chapterBox_->height();
    chapterBox_->setMaxVisibleItems(
        std::max(3, listHeight / std::max(1, chapterBox_->fontMetrics().height() + 2)));
    addLabelShortcut(*searchLabel_, *searchField_, QKeySequence(Qt::ALT | Qt::Key_S));
    addLabelShortcut(*chapterLabel_, *chapterBox_, QKeySequence(Qt::ALT | Qt::Key_K));
    // A caption too wide for its label may take the gap up to the fields, one unit short of them.
    const int fieldsLeft = pixelRect(QRect(55, 0, 1, 1)).x();
    for (QLabel* label : {searchLabel_, chapterLabel_})
        widenToCaption(*label, fieldsLeft);

    IconButtonRow buttons = iconButtonRow(QPoint(4, 133));
    takeOverButton_ = buttons.add(QStringLiteral("Ü&bernehmen"), iconPair(ButtonIcon::TakeOver));
    addButton_ = buttons.add(QStringLiteral("Hi&nzufügen"), iconPair(ButtonIcon::Add));
    helpButton_ = buttons.add(QStringLiteral("&Hilfe"), iconPair(ButtonIcon::Help));
    backButton_ = buttons.add(QStringLiteral("&Zurück"), iconPair(ButtonIcon::Back));
    takeOverButton_->setDefault(true);

    connect(takeOverButton_, &QPushButton::clicked, this, &TextSearchWindow::accept);
    connect(addButton_, &QPushButton::clicked, this, &TextSearchWindow::addChosen);
    connect(helpButton_, &QPushButton::clicked, this, [this] { showHelp(kHelpTopicTextSearch); });
    connect(backButton_, &QPushButton::clicked, this, &TextSearchWindow::reject);
    connect(searchField_, &QLineEdit::textChanged, this,
            [this] { requestSearch(TextSearchEvent::TextChanged); });
    searchField_->installEventFilter(this);
    table_->viewport()->installEventFilter(this);
    connect(chapterBox_, &QComboBox::activated, this, &TextSearchWindow::chooseChapter);
    connect(table_, &TableGrid::cellDoubleClicked, this, [this](int row, int) { handOverRow(row); });
    offerTableSaving(
        this, *table_, [this] { saveTable(); },
        [this](QMenu& menu, int row, int) {
            if (row < kFirstDataRow)
                return;
            const ParsedSymptom symptom = parseSymptomEntry(
                index_.database(), toWindows1252(table_->cellText(row, kNumberColumn)).bytes());
            if (symptom.valid && symptom.number > 0)
                addCrossReferenceEntries(
                    menu, index_.database().rubricTextField(index_.database().rubricIndex(symptom.number, 0)),
                    [this](const QString& words) { searchFor(words); });
        });
}

void TextSearchWindow::changeTableFont(const TableFont* tableFont) {
    TableGrid& grid = *table_;
    grid.setGridFont(tableFont != nullptr ? tableFont->font() : font());
    for (int row = 0; row < grid.rowCount(); ++row)
        grid.setRowHeight(row, grid.defaultRowHeight());
    for (int col = 0; col < grid.columnCount(); ++col)
        grid.widenColumnToHeader(col);
}

void TextSearchWindow::setUpTable(const TableFont* tableFont) {
    TableGrid& grid = *table_;
    // Before the rows exist, so that they are made as high as the font needs.
    if (tableFont != nullptr)
        grid.setGridFont(tableFont->font());
    grid.setColumnCount(kColumnCount);
    grid.setRowCount(kEmptyTableRows);
    grid.setFixedRowCount(1);
    for (int col = 0; col < kColumnCount; ++col) {
        grid.setText(0, col, QString::fromUtf16(kColumns[col].header));
        grid.setColumnWidth(col, kColumns[col].width);
    }
    grid.setEditable(false);
    grid.setListMode(true);
    // Without extending selections a click selects one whole row and only that one.
    grid.setSelectionEnabled(false);
    grid.setHeaderSort(false);
    grid.setFocusCell(kFirstDataRow, kNumberColumn);
    // The columns are often narrower than the rubric texts; a cut text shows whole in its tip.
    grid.setCutTextTips(true);
    divideColumns();
    // Kept widths from a wider window (maximised, or on a screen scaled larger) are narrowed to
    // the width the window opens at, which the table, not shown yet, cannot tell itself.
    SettingsStore* store = settingsStore();
    const QString section = columnWidthsSection(placementName());
    const int shownWidth = columnsShownWidth();
    if (store == nullptr || !restoreColumnWidthsIfKept(settings_, *store, section, grid, 0, shownWidth))
        return;
    // Narrowed, the number column may have gone back to its heading's width: the text columns give
    // way, so that no horizontal scroll bar comes.
    if (columnWidthScale(store->readInt(section, shownWidthName(), 0), shownWidth) < 1.0)
        divideColumns();
}

void TextSearchWindow::showWindow() {
    show();
    raise();
    activateWindow();
    // The user goes on typing the search; the focus left in the table would take the first keys.
    searchField_->setFocus(Qt::OtherFocusReason);
}

void TextSearchWindow::searchFor(const QString& words) {
    // A reference may lead into any chapter.
    chapterBox_->setCurrentIndex(0);
    chapterFilter_ = -1;
    {
        const QSignalBlocker quiet(searchField_);
        searchField_->setText(words);
    }
    showWindow();
    runSearch(toWindows1252(words));
}

void TextSearchWindow::requestSearch(TextSearchEvent event, bool keepTitle) {
    const Windows1252Text text = toWindows1252(searchField_->text());
    if (!searchShouldRun(text, lastSearchText_, triggerOf(event))) {
        // The table still shows the hits of this very text under the same chapter: their count
        // stays in the title.
        if (lastHitCount_ && text == lastSearchText_ && event != TextSearchEvent::ChapterChosen)
            setWindowTitle(fromWindows1252(textSearchTitle(*lastHitCount_)));
        else if (!keepTitle)
            setWindowTitle(fromWindows1252(textSearchIdleTitle()));
        return;
    }
    runSearch(text);
}

void TextSearchWindow::resetTable() {
    // Down to the header and up again, so that no text of the previous rows is left.
    table_->setRowCount(1);
    table_->setRowCount(kEmptyTableRows);
    table_->setFocusCell(kFirstDataRow, kNumberColumn);
}

void TextSearchWindow::runSearch(Windows1252View text) {
    resetTable();
    lastSearchText_ = Windows1252Text(text);
    const std::vector<RubricNumber> found = textSearchMatches(index_, text, chapterFilter_);
    if (!found.empty())
        table_->setRowCount(static_cast<int>(found.size()) + kFirstDataRow);
    int row = kFirstDataRow;
    for (const RubricNumber number : found) {
        const int rubric = number - 1;
        table_->setText(row, kNumberColumn, shownNumber(rubric));
        table_->setText(row, kSymptomColumn, shownSymptom(rubric));
        table_->setText(row, kChapterColumn, shownHeading(rubric));
        ++row;
    }
    table_->setFocusCell(kFirstDataRow, kNumberColumn);
    lastHitCount_ = found.size();
    setWindowTitle(fromWindows1252(textSearchTitle(found.size())));
}

const QString& TextSearchWindow::shownNumber(int rubric) {
    QString& text = numberTexts_[static_cast<std::size_t>(rubric)];
    if (text.isNull())
        text = fromWindows1252(numberText(rubric + 1, 0));
    return text;
}

const QString& TextSearchWindow::shownSymptom(int rubric) {
    QString& text = symptomTexts_[static_cast<std::size_t>(rubric)];
    if (text.isNull())
        text = fromWindows1252(index_.rubricText(rubric));
    return text;
}

const QString& TextSearchWindow::shownHeading(int rubric) {
    const int section = index_.sectionOf(rubric);
    if (section < 0)
        return noHeading_;
    QString& text = headingTexts_[static_cast<std::size_t>(section)];
    if (text.isNull())
        text = fromWindows1252(index_.heading(section));
    return text;
}

void TextSearchWindow::showEvent(QShowEvent* event) {
    DialogBase::showEvent(event);
    if (!keepingTextsAhead_) {
        keepingTextsAhead_ = true;
        QTimer::singleShot(0, this, &TextSearchWindow::keepTextsAhead);
    }
}

void TextSearchWindow::keepTextsAhead() {
    // Slices of a few milliseconds, so that a key pressed meanwhile waits no longer than that.
    constexpr int kSlice = 4000;
    const int count = static_cast<int>(symptomTexts_.size());
    const int end = std::min(textsKeptAhead_ + kSlice, count);
    for (; textsKeptAhead_ < end; ++textsKeptAhead_) {
        shownNumber(textsKeptAhead_);
        shownSymptom(textsKeptAhead_);
        shownHeading(textsKeptAhead_);
    }
    if (textsKeptAhead_ < count)
        QTimer::singleShot(0, this, &TextSearchWindow::keepTextsAhead);
}

void TextSearchWindow::saveTable() {
    const Windows1252Text name =
        tableSaving_.evaluationName ? tableSaving_.evaluationName() : Windows1252Text();
    saveTableAsCsv(*table_, tableSaving_, name, "Textsuche"_w1252, messageBoxes(), this);
}

void TextSearchWindow::chooseChapter(int entry) {
    // The first entry is empty and stands for the whole repertory.
    chapterFilter_ = entry >= 1 ? entry - 1 : -1;
    requestSearch(TextSearchEvent::ChapterChosen);
}

std::optional<ParsedSymptom> TextSearchWindow::chosenSymptom() const {
    const int row = table_->focusCell().row;
    if (row < kFirstDataRow || !table_->isCellSelected(row, kNumberColumn))
        return std::nullopt;
    const QString number = table_->cellText(row, kNumberColumn);
    if (number.isEmpty())
        return std::nullopt;
    const ParsedSymptom symptom = parseSymptomEntry(index_.database(), toWindows1252(number).bytes());
    if (!symptom.valid)
        return std::nullopt;
    return symptom;
}

void TextSearchWindow::handOverRow(int row) {
    if (row < kFirstDataRow)
        return;
    const QString number = table_->cellText(row, kNumberColumn);
    if (number.isEmpty())
        return;
    const ParsedSymptom symptom = parseSymptomEntry(index_.database(), toWindows1252(number).bytes());
    if (symptom.valid && addSymptom_)
        addSymptom_(symptom.number, symptom.bd);
}

void TextSearchWindow::addChosen() {
    // Held as a plain value: g++ 12 takes the optional for a dangling pointer in the call below.
    const ParsedSymptom symptom = chosenSymptom().value_or(ParsedSymptom{});
    if (symptom.number <= 0)
        return;
    if (addSymptom_)
        addSymptom_(symptom.number, symptom.bd);
    // The case table took the focus; the user goes on choosing here.
    raise();
    activateWindow();
}

void TextSearchWindow::accept() {
    const std::optional<ParsedSymptom> symptom = chosenSymptom();
    if (!symptom)
        return;
    if (addSymptom_)
        addSymptom_(symptom->number, symptom->bd);
    keepPlacementAndWidths();
    if (searchField_->hasSelectedText())
        searchField_->del();
    resetTable();
    // The emptied table stands for what is left in the field: the focus leaving it, as it does
    // when the window hides, must not search for that rest (for an empty field, every rubric).
    lastSearchText_ = toWindows1252(searchField_->text());
    lastHitCount_.reset();
    setWindowTitle(fromWindows1252(textSearchIdleTitle()));
    DialogBase::accept();
}

void TextSearchWindow::reject() {
    keepPlacementAndWidths();
    DialogBase::reject();
}

void TextSearchWindow::keepPlacementAndWidths() {
    savePlacement();
    if (SettingsStore* store = settingsStore())
        saveColumnWidthsIfKept(settings_, *store, columnWidthsSection(placementName()), *table_, 0,
                               columnsShownWidth());
}

bool TextSearchWindow::showRemedyTip(const QHelpEvent& help) {
    // A cut text shows whole in the grid's own tip; the remedies stay out of its way there.
    const GridCellPos cell = table_->cellAt(help.pos());
    if (!settings_.remedyListsByGrade || !cell.isValid() || cell.row < kFirstDataRow ||
        table_->isTextCut(cell.row, cell.col))
        return false;
    const RepertoryDatabase& db = index_.database();
    const ParsedSymptom symptom =
        parseSymptomEntry(db, toWindows1252(table_->cellText(cell.row, kNumberColumn)).bytes());
    if (!symptom.valid)
        return false;
    QToolTip::showText(
        help.globalPos(),
        fromWindows1252(remedyListHtml(db, symptom.number, symptom.bd, RemedyListOrder::ByGrade)),
        table_->viewport(), table_->cellRect(cell.row, cell.col));
    return true;
}

bool TextSearchWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_->viewport() && event->type() == QEvent::ToolTip)
        return showRemedyTip(*static_cast<QHelpEvent*>(event)) || DialogBase::eventFilter(watched, event);
    if (watched == searchField_ && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason)
            requestSearch(TextSearchEvent::FocusLost, reason == Qt::ActiveWindowFocusReason || !isVisible());
    }
    return DialogBase::eventFilter(watched, event);
}

void TextSearchWindow::resizeEvent(QResizeEvent* event) {
    DialogBase::resizeEvent(event);
    // Only a changed width divides the columns anew; the same width again leaves what the user set.
    if (width() == reportedWidth_)
        return;
    reportedWidth_ = width();
    if (table_ != nullptr && table_->columnCount() > 0)
        divideColumns();
}

int TextSearchWindow::columnsShownWidth() const {
    // What the table shows beside its vertical scroll bar, which comes with the first long result.
    // The table keeps the template's distance to the window's edges; measured from the window,
    // this holds also before the window is first laid out.
    const int besideTable =
        pixelRect(QRect(QPoint(0, 0), kTemplateSize)).width() - pixelRect(kTableRect).width();
    return width() - besideTable - 2 * table_->frameWidth() -
           table_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, table_);
}

void TextSearchWindow::divideColumns() {
    const TextSearchColumnWidths widths =
        textSearchColumnWidths(columnsShownWidth(), table_->columnWidth(kNumberColumn),
                               table_->columnWidth(kSymptomColumn), table_->columnWidth(kChapterColumn));
    table_->setColumnWidth(kSymptomColumn, widths.symptom);
    table_->setColumnWidth(kChapterColumn, widths.chapter);
}

} // namespace telvarin
