#include "ui/CaseGrid.h"

#include "foundation/text/QtCodePage.h"
#include "repertory/RepertoryTexts.h"

#include <QColor>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QResizeEvent>
#include <QToolTip>
#include <algorithm>
#include <optional>

namespace telvarin {

namespace {

constexpr int kNumberColumn = 0;
constexpr int kSymptomColumn = 1;
constexpr int kChapterColumn = 2;

constexpr int kTextColumnMinimum = 40;
const std::array<QString, kCaseColumnCount> kHeaders{QStringLiteral("Nummer"), QStringLiteral("Symptom"),
                                                     QStringLiteral("Kapitel"), QStringLiteral("Gewicht")};
// A row of weight 0 takes no part in the analysis and is shown on grey. Grey text would not do:
// the table darkens any text too faint to read on its cell.
constexpr QRgb kOutOfAnalysisRgb = 0xD8D8D8;

// The weight a key asks for on a row: "+" and "-" step it, a digit of the scale sets it while the
// focus is in "Gewicht". Nothing for any other key.
std::optional<int> weightOfKey(const QKeyEvent& event, int weight, bool inWeightColumn) {
    const QString text = event.text();
    if (event.key() == Qt::Key_Plus)
        return weight + 1;
    if (event.key() == Qt::Key_Minus || text == QStringLiteral("−"))
        return weight - 1;
    const int digit = text.size() == 1 ? text[0].unicode() - u'0' : -1;
    if (inWeightColumn && digit >= kLowestWeight && digit <= kHighestWeight)
        return digit;
    return std::nullopt;
}

// The remedy list as the title tip lays out lists: its entries ("acon.        (3)") separated by
// tabs, so that the tip can put them in columns and never breaks one. An entry ends with its grade
// in brackets and a blank before the next abbreviation.
QString remedyListTip(Windows1252View remedyList) {
    static const QRegularExpression kEntryEnd(QStringLiteral("\\) (?=\\S)"));
    QString tip = fromWindows1252(remedyList);
    tip.replace(kEntryEnd, QStringLiteral(")\t"));
    return tip;
}

} // namespace

std::array<int, 3> fittedCaseColumnWidths(int visibleWidth, int numberMinimum, int textMinimum,
                                          const std::array<int, 3>& widths,
                                          const std::array<int, 2>& textNeeds) {
    const int number = std::max(widths[0], numberMinimum);
    const int rest = std::max(visibleWidth - number, 2 * textMinimum);
    const int wantedSymptom = std::max(widths[1], 0);
    const qint64 shared = static_cast<qint64>(wantedSymptom) + std::max(widths[2], 0);
    // Room to spare goes to both halves alike, so that the chapter gains as much as the symptom;
    // too little room is taken from both in proportion.
    int symptom = 0;
    if (shared <= rest)
        symptom = static_cast<int>(wantedSymptom + (rest - shared) / 2);
    else
        symptom = static_cast<int>(rest * static_cast<qint64>(wantedSymptom) / shared);
    symptom = std::clamp(symptom, textMinimum, rest - textMinimum);
    int chapter = rest - symptom;
    // Room one column has beyond its texts goes to the other where that one cuts its texts.
    if (chapter < textNeeds[1] && symptom > textNeeds[0]) {
        const int moved = std::min(textNeeds[1] - chapter, symptom - std::max(textNeeds[0], textMinimum));
        symptom -= std::max(moved, 0);
    } else if (symptom < textNeeds[0] && chapter > textNeeds[1]) {
        const int moved = std::min(textNeeds[0] - symptom, chapter - std::max(textNeeds[1], textMinimum));
        symptom += std::max(moved, 0);
    }
    chapter = rest - symptom;
    return {number, symptom, chapter};
}

CaseGrid::CaseGrid(CaseModel& model, QWidget* parent) : TableGrid(parent), model_(model) {
    setEditable(true);
    setListMode(true);
    setSelectionEnabled(false);
    setHeaderSort(false);
    setNumericSortText(false);
    setTitleTips(true);
    model_.setListener(this);
    connect(this, &TableGrid::focusCellChanged, this, &CaseGrid::takeFocusFromGrid);
}

CaseGrid::~CaseGrid() {
    model_.setListener(nullptr);
}

void CaseGrid::setUpTable(const TableFont* font) {
    if (font != nullptr)
        setGridFont(font->font());
    setColumnCount(kCaseColumnCount);
    setRowCount(1);
    setFixedRowCount(1);
    setFixedColumnCount(0);
    shown_.assign(1, CaseRowTexts{});
    for (int column = 0; column < kCaseColumnCount; ++column)
        setText(0, column, kHeaders[static_cast<std::size_t>(column)]);
    setColumnWidth(kNumberColumn, kNumberColumnWidth);
    setColumnWidth(kSymptomColumn, kSymptomColumnWidth);
    setColumnWidth(kWeightColumn, weightColumnWidth());
    refreshTable();
    fitColumns();
    model_.setCurrentRow(1);
    focusColumn_ = kNumberColumn;
    showFocus();
}

void CaseGrid::changeTableFont(const TableFont& font) {
    setGridFont(font.font());
    const int height = font.pixelHeight() + kRowPadding;
    setDefaultRowHeight(height);
    for (int row = 0; row < rowCount(); ++row)
        setRowHeight(row, height);
    if (isEditing() && editor() != nullptr)
        editor()->setFont(font.font());
    fitColumns();
    redraw();
}

void CaseGrid::applySettings(const MainSettings& settings) {
    model_.setPolarityMode(static_cast<PolarityMode>(settings.polarityHandling));
    model_.setJumpToEnd(settings.jumpToEnd);
    model_.setRemedyListOrder(settings.remedyListsByGrade ? RemedyListOrder::ByGrade
                                                          : RemedyListOrder::Stored);
    // The plain tip stays the cells' description for screen readers; the grid only stops showing it.
    classicalTips_ = settings.remedyListsByGrade;
    setTitleTips(!classicalTips_);
}

bool CaseGrid::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip || !classicalTips_)
        return TableGrid::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const GridCellPos cell = cellAt(help->pos());
    QString html;
    if (cell.isValid() && cell.col == kSymptomColumn && cell.row >= 1 && cell.row <= model_.rowCount()) {
        const CaseSymptom& symptom = model_.row(cell.row);
        html = fromWindows1252(
            remedyListHtml(model_.database(), symptom.number, symptom.bd, RemedyListOrder::ByGrade));
        if (const Windows1252Text& counterPole = model_.counterPoleText(cell.row);
            !html.isEmpty() && !counterPole.empty())
            html.prepend(QStringLiteral("Gegenpol: ") + fromWindows1252(counterPole).toHtmlEscaped());
    }
    if (html.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), html, viewport(), cellRect(cell.row, cell.col));
    return true;
}

void CaseGrid::setLargestRubricNumber(int number) {
    largestRubricNumber_ = std::max(number, 1);
    fitColumns();
}

int CaseGrid::weightColumnWidth() const {
    return cellWidthFor(0, kWeightColumn, kHeaders[kWeightColumn]);
}

int CaseGrid::numberColumnMinimum() const {
    const QString widest = QStringLiteral("-") + QString(QString::number(largestRubricNumber_).size(), u'9');
    return std::max(cellWidthFor(0, kNumberColumn, cellText(0, kNumberColumn)),
                    cellWidthFor(std::min(1, rowCount() - 1), kNumberColumn, widest));
}

void CaseGrid::fitColumns() {
    // Until the table is shown its width is not final; the size it is shown at fits them.
    if (columnCount() != kCaseColumnCount || !isVisible())
        return;
    const std::array<int, 3> widths{columnWidth(kNumberColumn), columnWidth(kSymptomColumn),
                                    columnWidth(kChapterColumn)};
    // Widths set since the last fit (by the user, a restore or a set-up) are the proportions to
    // keep; fitting always starts from them, so growing and shrinking back give the same widths.
    if (widths != lastFitted_)
        wantedWidths_ = widths;
    // "Gewicht" keeps its width; the other three share what is left.
    const int weight = std::max(columnWidth(kWeightColumn), weightColumnWidth());
    if (columnWidth(kWeightColumn) != weight)
        setColumnWidth(kWeightColumn, weight);
    lastFitted_ = fittedCaseColumnWidths(viewport()->width() - weight, numberColumnMinimum(),
                                         kTextColumnMinimum, wantedWidths_, textColumnNeeds());
    for (int column = 0; column < kWeightColumn; ++column) {
        const int width = lastFitted_[static_cast<std::size_t>(column)];
        if (columnWidth(column) != width)
            setColumnWidth(column, width);
    }
}

std::array<int, 2> CaseGrid::textColumnNeeds() const {
    std::array<int, 2> needs{};
    for (int row = 0; row < rowCount(); ++row) {
        for (const int column : {kSymptomColumn, kChapterColumn}) {
            int& need = needs[static_cast<std::size_t>(column - kSymptomColumn)];
            if (const QString text = cellText(row, column); !text.isEmpty())
                need = std::max(need, cellWidthFor(row, column, text));
        }
    }
    return needs;
}

void CaseGrid::stretchColumns() {
    fitColumns();
}

void CaseGrid::refreshTable() {
    const int rows = model_.rowCount() + 1;
    if (rows != rowCount()) {
        const int before = std::min(rowCount(), static_cast<int>(shown_.size()));
        setRowCount(rows);
        // Cells of new rows start empty; the symptom and chapter follow the number only.
        shown_.resize(static_cast<std::size_t>(rows));
        for (int row = std::max(before, 1); row < rows; ++row) {
            shown_[static_cast<std::size_t>(row)] = CaseRowTexts{};
            setCellReadOnly(row, kSymptomColumn, true);
            setCellReadOnly(row, kChapterColumn, true);
        }
    }
    for (int row = 1; row < rows; ++row)
        showRow(row);
    showFocus();
    // A new symptom or chapter text may need room the other column can give.
    fitColumns();
}

void CaseGrid::focusTable() {
    setFocus(Qt::OtherFocusReason);
}

bool CaseGrid::setCellText(int row, int col, const QString& text) {
    if (row == 0 && col >= 0 && col < columnCount()) {
        setText(0, col, text);
        return true;
    }
    if (!model_.setCellText(row, col, toWindows1252(text)))
        return false;
    if (col == kWeightColumn) {
        showRow(row);
        return true;
    }
    if (col != kNumberColumn)
        return false; // the symptom and chapter cells cannot be set
    if (model_.rowCount() + 1 != rowCount())
        refreshTable();
    else
        showRow(row);
    showFocus();
    return true;
}

void CaseGrid::resizeEvent(QResizeEvent* event) {
    TableGrid::resizeEvent(event);
    fitColumns();
}

void CaseGrid::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Undo) && model_.restoreClearedCase()) {
        event->accept();
        return;
    }
    const int row = focusCell().row;
    if (!isEditing() && row >= 1 && row <= model_.rowCount() && model_.row(row).number != 0) {
        if (const std::optional<int> weight =
                weightOfKey(*event, model_.row(row).weight, focusCell().col == kWeightColumn)) {
            if (model_.setWeight(row, *weight))
                showRow(row);
            event->accept();
            return;
        }
    }
    TableGrid::keyPressEvent(event);
}

void CaseGrid::showRow(int row) {
    if (row < 1 || row >= rowCount() || row > model_.rowCount())
        return;
    CaseRowTexts& shown = shown_[static_cast<std::size_t>(row)];
    const auto show = [&](Windows1252Text& held, const Windows1252Text& wanted, int column) {
        if (held == wanted)
            return;
        held = wanted;
        setText(row, column, fromWindows1252(wanted));
    };
    show(shown.number, model_.cellText(row, kNumberColumn), kNumberColumn);
    show(shown.symptom, model_.cellText(row, kSymptomColumn), kSymptomColumn);
    show(shown.chapter, model_.cellText(row, kChapterColumn), kChapterColumn);
    const bool wasFaded = !shown.weight.empty() && shown.weight.bytes()[0] == '0';
    show(shown.weight, model_.cellText(row, kWeightColumn), kWeightColumn);
    if (const bool faded = !shown.weight.empty() && shown.weight.bytes()[0] == '0'; faded != wasFaded) {
        for (int column = 0; column < kCaseColumnCount; ++column)
            setBackgroundColour(row, column, faded ? QColor(kOutOfAnalysisRgb) : QColor());
    }
    const Windows1252Text& tip = model_.tipText(row);
    const Windows1252Text& counterPole = model_.counterPoleText(row);
    if (shown.tip != tip || shown.counterPole != counterPole) {
        shown.tip = tip;
        shown.counterPole = counterPole;
        QString text = remedyListTip(tip);
        // The counter-pole above the remedies, where the eye starts reading.
        if (!counterPole.empty())
            text.prepend(QStringLiteral("Gegenpol: ") + fromWindows1252(counterPole) + u'\n');
        setTipText(row, kSymptomColumn, text);
    }
}

void CaseGrid::showFocus() {
    const GridCellPos wanted{model_.currentRow(), focusColumn_};
    if (focusCell() != wanted && wanted.row < rowCount())
        setFocusCell(wanted.row, wanted.col);
}

void CaseGrid::takeFocusFromGrid(int row, int col) {
    if (row < 1)
        return;
    model_.setCurrentRow(row);
    focusColumn_ = col;
}

} // namespace telvarin
