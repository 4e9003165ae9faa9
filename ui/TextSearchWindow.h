#pragma once

// "Textuelle Symptomsuche": finds rubrics by words of their text while the user types, optionally
// within one chapter, and hands a found rubric to the case. Modeless, and hidden rather than
// closed, so that the search text, the chapter filter and the results survive between uses.

#include "analysis/TextSearch.h"
#include "foundation/dialogs/DialogBase.h"
#include "foundation/settings/MainSettings.h"
#include "repertory/RepertoryDatabase.h"
#include "ui/SearchWindowRules.h"
#include "ui/TableSaving.h"

#include <optional>
#include <string>

class QComboBox;
class QHelpEvent;
class QLabel;
class QLineEdit;

namespace telvarin {

class IconPushButton;
class TableGrid;

class TextSearchWindow : public DialogBase {
    Q_OBJECT

public:
    static QString placementName() { return QStringLiteral("Textsuche"); }
    // The header row and 19 empty rows of a table without results.
    static constexpr int kEmptyTableRows = 20;

    // The database and the settings must outlive the window; "Spaltenbreite" is read from the
    // settings each time the column widths would be kept, so a change takes effect at once. The
    // window is built hidden, its placement restored; showWindow shows it. tableFont may be null.
    TextSearchWindow(const RepertoryDatabase& db, const TableFont* tableFont, const DialogServices& services,
                     const MainSettings& settings, AddSymptomCallback addSymptom, QWidget* parent = nullptr);
    ~TextSearchWindow() override;

    // Shows the window as it was left and brings it to the front.
    void showWindow();
    // Shows the window searching the whole repertory for these words, as "Siehe: …" asks.
    void searchFor(const QString& words);
    // The table font was changed in the settings (null: the built-in font); the rows follow it and
    // the headers stay whole.
    void changeTableFont(const TableFont* tableFont);

    // The symptom of the chosen result: the focused row, which the table shows selected. Nothing
    // while that row holds no result.
    std::optional<ParsedSymptom> chosenSymptom() const;
    // -1 while no chapter filters the search.
    int chapterFilterIndex() const { return chapterFilter_; }
    const Windows1252Text& lastSearchText() const { return lastSearchText_; }

    TableGrid& table() const { return *table_; }
    QLineEdit* searchField() const { return searchField_; }
    QComboBox* chapterBox() const { return chapterBox_; }
    IconPushButton* takeOverButton() const { return takeOverButton_; }
    IconPushButton* addButton() const { return addButton_; }
    IconPushButton* helpButton() const { return helpButton_; }
    IconPushButton* backButton() const { return backButton_; }

    // Where "Als Tabelle speichern…" and Ctrl+S propose to save the table, and under which name.
    void setTableSaving(TableSaveSettings saving) { tableSaving_ = std::move(saving); }
    void saveTable();

    // "Hi&nzufügen": hands the chosen result over and keeps the window in front.
    void addChosen();
    // "Ü&bernehmen": hands the chosen result over, empties the table and hides the window.
    void accept() override;
    // "&Zurück", Escape and the close box: only hides the window.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void setUpTable(const TableFont* tableFont);
    // A search that does not run sets the idle title, unless `keepTitle`: the window was hidden or
    // left, and its title goes on describing the rows it shows.
    void requestSearch(TextSearchEvent event, bool keepTitle = false);
    void runSearch(Windows1252View text);
    void resetTable();
    void chooseChapter(int entry);
    void handOverRow(int row);
    // With the remedy lists by grade, a data row's tip lists its remedies in the classical
    // typefaces; false where the grid's own tip or none belongs.
    bool showRemedyTip(const QHelpEvent& help);
    // The width the columns share: the table's beside its vertical scroll bar, known from the
    // window's size also before it is shown. Kept widths are saved and restored against it.
    int columnsShownWidth() const;
    void divideColumns();
    void keepPlacementAndWidths();
    // The texts of a rubric's cells, converted once per window: a common three-letter search fills
    // tens of thousands of rows, and converting and allocating their texts anew on every keystroke
    // cost more than the search itself. The cells share the kept strings.
    const QString& shownNumber(int rubric);
    const QString& shownSymptom(int rubric);
    const QString& shownHeading(int rubric);
    // Converts the next slice of texts while the window waits for the first letters.
    void keepTextsAhead();

    TextSearchIndex index_;
    std::vector<QString> numberTexts_;  // per rubric record, null until converted
    std::vector<QString> symptomTexts_; // per rubric record
    std::vector<QString> headingTexts_; // per section
    const QString noHeading_;
    bool keepingTextsAhead_ = false;
    int textsKeptAhead_ = 0; // rubric records converted ahead so far
    const MainSettings& settings_;
    AddSymptomCallback addSymptom_;
    Windows1252Text lastSearchText_;
    std::optional<std::size_t> lastHitCount_; // of lastSearchText_, while the table shows its hits
    int chapterFilter_ = -1;
    int reportedWidth_ = -1;
    TableSaveSettings tableSaving_;

    TableGrid* table_ = nullptr;
    QLabel* searchLabel_ = nullptr;
    QLineEdit* searchField_ = nullptr;
    QLabel* chapterLabel_ = nullptr;
    QComboBox* chapterBox_ = nullptr;
    IconPushButton* takeOverButton_ = nullptr;
    IconPushButton* addButton_ = nullptr;
    IconPushButton* helpButton_ = nullptr;
    IconPushButton* backButton_ = nullptr;
};

} // namespace telvarin
