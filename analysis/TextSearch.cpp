#include "analysis/TextSearch.h"

#include "analysis/RemedyOverview.h"
#include "analysis/SectionWalk.h"
#include "foundation/CodePage.h"
#include "repertory/RepertoryTexts.h"

#include <algorithm>

namespace telvarin {
namespace {

constexpr char kSharpS = '\xDF';

} // namespace

std::string searchCapitals(std::string_view text) {
    std::string capitals;
    capitals.reserve(text.size() + 2);
    for (const char c : text) {
        if (c == kSharpS)
            capitals += "SS";
        else
            capitals += static_cast<char>(toUpperWindows1252(static_cast<unsigned char>(c)));
    }
    return capitals;
}

std::vector<std::string> searchWords(std::string_view text) {
    std::vector<std::string> words;
    std::size_t start = 0;
    int blanksCut = 0;
    while (blanksCut < kMaxSearchWords) {
        const std::size_t blank = text.find(' ', start);
        if (blank == std::string_view::npos)
            break;
        words.push_back(searchCapitals(text.substr(start, blank - start)));
        start = blank + 1;
        ++blanksCut;
    }
    std::string rest = searchCapitals(text.substr(start));
    if (blanksCut == kMaxSearchWords)
        words.back() = std::move(rest);
    else
        words.push_back(std::move(rest));
    return words;
}

TextSearchIndex::TextSearchIndex(const RepertoryDatabase& db) : db_(db) {
    const auto rubricCount = static_cast<std::size_t>(db.rubricCount());
    offsets_.reserve(rubricCount + 1);
    sections_.reserve(rubricCount);
    headings_.resize(static_cast<std::size_t>(db.sectionCount()));
    headingCapitals_.resize(static_cast<std::size_t>(db.sectionCount()));
    SectionWalk walk(db);
    offsets_.push_back(0);
    for (int index = 0; index < db.rubricCount(); ++index) {
        rubricCapitals_ += searchCapitals(rubricText(db, index + 1));
        offsets_.push_back(rubricCapitals_.size());
        const int section = walk.sectionOf(index);
        sections_.push_back(section);
        if (section >= 0 && headings_[static_cast<std::size_t>(section)].empty()) {
            headings_[static_cast<std::size_t>(section)] = walk.headingOf(index);
            headingCapitals_[static_cast<std::size_t>(section)] = searchCapitals(walk.headingOf(index));
        }
    }
}

std::string_view TextSearchIndex::rubricCapitals(int rubricIndex) const {
    const auto i = static_cast<std::size_t>(rubricIndex);
    return std::string_view(rubricCapitals_).substr(offsets_[i], offsets_[i + 1] - offsets_[i]);
}

std::vector<TextSearchRow> runTextSearch(const TextSearchIndex& index, std::string_view text,
                                         int chapterIndex) {
    const RepertoryDatabase& db = index.database();
    const std::vector<std::string> words = searchWords(text);
    const RubricRange range = chapterRubricRange(db, chapterIndex);
    std::vector<TextSearchRow> rows;

    // Whether each word stands in the current section's heading, worked out once per section.
    std::vector<char> inHeading(words.size(), 0);
    int currentSection = -2;
    for (RubricNumber number = range.first; number <= range.last; ++number) {
        if (!db.isValidSymptom(number, 0))
            continue;
        const int rubric = number - 1;
        const int section = index.sectionOf(rubric);
        if (section != currentSection) {
            currentSection = section;
            const std::string_view heading =
                section < 0 ? std::string_view() : std::string_view(index.headingCapitals(section));
            for (std::size_t w = 0; w < words.size(); ++w)
                inHeading[w] = heading.find(words[w]) != std::string_view::npos;
        }
        const std::string_view capitals = index.rubricCapitals(rubric);
        bool matches = true;
        for (std::size_t w = 0; w < words.size() && matches; ++w)
            matches = inHeading[w] || capitals.find(words[w]) != std::string_view::npos;
        if (!matches)
            continue;
        rows.push_back(TextSearchRow{number, numberText(number, 0), rubricText(db, number),
                                     section < 0 ? std::string() : index.heading(section)});
    }
    return rows;
}

std::string textSearchIdleTitle() {
    return "Textuelle Symptomsuche";
}

std::string textSearchTitle(std::size_t matches) {
    if (matches == 0)
        return "Textuelle Symptomsuche: Kein Symptom gefunden";
    if (matches == 1)
        return "Textuelle Symptomsuche: 1 gefundenes Symptom";
    return "Textuelle Symptomsuche: " + std::to_string(matches) + " gefundene Symptome";
}

TextSearchTrigger triggerOf(TextSearchEvent event) {
    switch (event) {
    case TextSearchEvent::TextChanged:
        return {false, false};
    case TextSearchEvent::FocusLost:
        return {true, false};
    case TextSearchEvent::ChapterChosen:
        return {true, true};
    }
    return {};
}

bool searchShouldRun(std::string_view text, std::string_view lastSearchText, TextSearchTrigger trigger) {
    const bool wanted = (trigger.refresh && !text.empty()) || text != lastSearchText;
    return wanted && (trigger.force || text.size() > 2);
}

} // namespace telvarin
