#pragma once

// The text search: rubrics whose text or section heading holds every word of the search text and
// none of its excluded words, compared in capitals, optionally within one chapter.

#include "analysis/SearchPattern.h"
#include "analysis/SearchWords.h"
#include "repertory/RepertoryDatabase.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace telvarin {

// The capitalised rubric texts and section headings of a database, built once (after a
// language file has replaced texts) so that a search on every keystroke only compares.
class TextSearchIndex {
public:
    explicit TextSearchIndex(const RepertoryDatabase& db);

    const RepertoryDatabase& database() const { return db_; }
    std::string_view rubricCapitals(int rubricIndex) const;
    // rubricText as shown, kept next to each other so that thousands of rows copy them quickly.
    Windows1252View rubricText(int rubricIndex) const;
    int sectionOf(int rubricIndex) const { return sections_[static_cast<std::size_t>(rubricIndex)]; }
    const std::string& headingCapitals(int section) const {
        return headingCapitals_[static_cast<std::size_t>(section)];
    }
    // sectionHeading as shown; for a section that holds no rubric it is empty.
    const Windows1252Text& heading(int section) const { return headings_[static_cast<std::size_t>(section)]; }

    // Marks the rubric record indices first..last (inclusive) whose text holds the word,
    // marks[index - first].
    void markRubricsHolding(const SearchPattern& word, int first, int last, std::vector<char>& marks) const;

private:
    void indexWords(int rubric);
    // Marks the rubrics whose text holds `plain`, or the word when plain is empty, in one pass.
    void markScanning(const SearchPattern& word, std::string_view plain, int first, int last,
                      std::vector<char>& marks) const;

    const RepertoryDatabase& db_;
    std::string rubricCapitals_;        // all texts one after another, each followed by a NUL
    std::vector<std::size_t> offsets_;  // rubricCount + 1 starts of the texts in rubricCapitals_
    std::string rubricTexts_;           // rubricText of every rubric, one after another
    std::vector<std::size_t> textEnds_; // rubricCount + 1 starts of the texts in rubricTexts_
    // Every distinct run of letters and digits of the texts with the rubrics that hold it: a
    // search word made only of such characters can only lie within one run, so it is looked up
    // among the runs instead of in the whole text.
    std::vector<std::string> words_;
    std::vector<std::vector<int>> wordRubrics_; // ascending rubric record indices per word
    struct WordHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view word) const { return std::hash<std::string_view>{}(word); }
    };
    std::unordered_map<std::string, int, WordHash, std::equal_to<>> wordNumbers_; // while building
    std::vector<int> sections_;             // section of every rubric record, -1 for none
    std::vector<Windows1252Text> headings_; // per section
    std::vector<std::string> headingCapitals_;
};

// The texts are views into the index, which outlives the rows: a common three-letter search
// matches tens of thousands of rubrics, and copying their texts cost more than finding them.
struct TextSearchRow {
    RubricNumber number = 0;
    Windows1252Text numberColumn;  // "Nummer": numberText
    Windows1252View symptomColumn; // "Symptom": rubricText
    Windows1252View chapterColumn; // "Kapitel": sectionHeading
};

// The numbers of the rubrics that hold every word and no excluded word, ascending; chapterIndex -1
// searches the whole repertory.
std::vector<RubricNumber> textSearchMatches(const TextSearchIndex& index, Windows1252View text,
                                            int chapterIndex);
// The same with the texts of the three columns.
std::vector<TextSearchRow> runTextSearch(const TextSearchIndex& index, Windows1252View text,
                                         int chapterIndex);

// "Textuelle Symptomsuche" while no search ran.
Windows1252Text textSearchIdleTitle();
// The title after a search with this many matches.
Windows1252Text textSearchTitle(std::size_t matches);

// The events that ask for a search, and the flags each carries.
enum class TextSearchEvent { TextChanged, FocusLost, ChapterChosen };
struct TextSearchTrigger {
    bool force = false;
    bool refresh = false;
};
TextSearchTrigger triggerOf(TextSearchEvent event);
// Whether a search runs: on a changed text (or a refresh with a text), and only from the third
// character on unless forced.
bool searchShouldRun(Windows1252View text, Windows1252View lastSearchText, TextSearchTrigger trigger);

} // namespace telvarin
