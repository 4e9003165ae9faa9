#include "analysis/TextSearch.h"

#include "analysis/RemedyOverview.h"
#include "analysis/SectionWalk.h"
#include "foundation/text/ByteSearch.h"
#include "repertory/RepertoryTexts.h"

#include <algorithm>

namespace telvarin {
namespace {

// Letters and digits of the code page; the bytes above 127 count as letters, which only makes
// the runs of the word index a little longer.
bool isWordByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
           byte >= 0x80;
}

// Up to 2 pairs, 4 spellings, a pass for each beats one pass that tries the pattern at every
// occurrence of its plain part.
constexpr int kMaxSpellingPasses = 2;

} // namespace

void TextSearchIndex::indexWords(int rubric) {
    const std::string_view text = rubricCapitals(rubric);
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && !isWordByte(text[pos]))
            ++pos;
        const std::size_t start = pos;
        while (pos < text.size() && isWordByte(text[pos]))
            ++pos;
        if (pos == start)
            break;
        const std::string_view word = text.substr(start, pos - start);
        auto known = wordNumbers_.find(word);
        if (known == wordNumbers_.end()) {
            known = wordNumbers_.emplace(std::string(word), static_cast<int>(words_.size())).first;
            words_.emplace_back(word);
            wordRubrics_.emplace_back();
        }
        std::vector<int>& rubrics = wordRubrics_[static_cast<std::size_t>(known->second)];
        if (rubrics.empty() || rubrics.back() != rubric)
            rubrics.push_back(rubric);
    }
}

TextSearchIndex::TextSearchIndex(const RepertoryDatabase& db) : db_(db) {
    const auto rubricCount = static_cast<std::size_t>(db.rubricCount());
    offsets_.reserve(rubricCount + 1);
    textEnds_.reserve(rubricCount + 1);
    textEnds_.push_back(0);
    sections_.reserve(rubricCount);
    headings_.resize(static_cast<std::size_t>(db.sectionCount()));
    headingCapitals_.resize(static_cast<std::size_t>(db.sectionCount()));
    SectionWalk walk(db);
    offsets_.push_back(0);
    for (int index = 0; index < db.rubricCount(); ++index) {
        const Windows1252Text shown = telvarin::rubricText(db, index + 1);
        rubricTexts_ += shown.bytes();
        textEnds_.push_back(rubricTexts_.size());
        rubricCapitals_ += searchCapitals(shown.bytes());
        // The NUL keeps a word from being found across the end of one text into the next.
        rubricCapitals_ += '\0';
        offsets_.push_back(rubricCapitals_.size());
        indexWords(index);
        const int section = walk.sectionOf(index);
        sections_.push_back(section);
        if (section >= 0 && headings_[static_cast<std::size_t>(section)].empty()) {
            headings_[static_cast<std::size_t>(section)] = walk.headingOf(index);
            headingCapitals_[static_cast<std::size_t>(section)] =
                searchCapitals(walk.headingOf(index).bytes());
        }
    }
    wordNumbers_ = {};
}

Windows1252View TextSearchIndex::rubricText(int rubricIndex) const {
    const auto i = static_cast<std::size_t>(rubricIndex);
    return Windows1252View(
        std::string_view(rubricTexts_).substr(textEnds_[i], textEnds_[i + 1] - textEnds_[i]));
}

std::string_view TextSearchIndex::rubricCapitals(int rubricIndex) const {
    const auto i = static_cast<std::size_t>(rubricIndex);
    return std::string_view(rubricCapitals_).substr(offsets_[i], offsets_[i + 1] - offsets_[i] - 1);
}

void TextSearchIndex::markRubricsHolding(const SearchPattern& word, int first, int last,
                                         std::vector<char>& marks) const {
    // Both spellings of an umlaut are letters, so they never take a word out of one run.
    if (std::all_of(word.text().begin(), word.text().end(), isWordByte)) {
        for (std::size_t w = 0; w < words_.size(); ++w) {
            if (!word.isFoundIn(words_[w]))
                continue;
            const std::vector<int>& rubrics = wordRubrics_[w];
            for (auto it = std::lower_bound(rubrics.begin(), rubrics.end(), first);
                 it != rubrics.end() && *it <= last; ++it)
                marks[static_cast<std::size_t>(*it - first)] = 1;
        }
        return;
    }
    // A word with blanks or punctuation may span runs: a pass over the texts. A few spellings are
    // each looked for in a pass of their own, which jumps from rubric to rubric.
    if (word.umlautPairs() <= kMaxSpellingPasses) {
        for (const std::string& spelling : word.spellings())
            markScanning(SearchPattern(std::string()), spelling, first, last, marks);
    } else {
        markScanning(word, {}, first, last, marks);
    }
}

void TextSearchIndex::markScanning(const SearchPattern& word, std::string_view plain, int first, int last,
                                   std::vector<char>& marks) const {
    // The NUL after each text keeps a match within one rubric.
    const std::string_view texts =
        std::string_view(rubricCapitals_).substr(0, offsets_[static_cast<std::size_t>(last) + 1]);
    std::size_t from = offsets_[static_cast<std::size_t>(first)];
    auto rubric = static_cast<std::size_t>(first);
    while (from < texts.size()) {
        std::size_t offset = std::string_view::npos;
        if (!plain.empty()) {
            offset = findBytes(texts, from, plain);
        } else {
            offset = word.find(texts, from);
        }
        if (offset == std::string_view::npos)
            break;
        while (offsets_[rubric + 1] <= offset)
            ++rubric;
        marks[rubric - static_cast<std::size_t>(first)] = 1;
        from = offsets_[rubric + 1]; // one hit is enough for a rubric
    }
}

namespace {

// Marks the rubrics first..last whose text or section heading holds the word.
void markHolding(const TextSearchIndex& index, const SearchPattern& word, int first, int last,
                 std::vector<char>& holding) {
    const RepertoryDatabase& db = index.database();
    std::fill(holding.begin(), holding.end(), 0);
    index.markRubricsHolding(word, first, last, holding);
    // A word in a section's heading holds for all its rubrics.
    const int lastSection = index.sectionOf(last);
    for (int section = index.sectionOf(first); section >= 0 && section <= lastSection; ++section) {
        if (!word.isFoundIn(index.headingCapitals(section)))
            continue;
        const int from = std::max(first, section == 0 ? 0 : db.rubricEnd(section - 1));
        const int to = std::min(last + 1, db.rubricEnd(section));
        for (int rubric = from; rubric < to; ++rubric)
            holding[static_cast<std::size_t>(rubric - first)] = 1;
    }
}

} // namespace

std::vector<RubricNumber> textSearchMatches(const TextSearchIndex& index, Windows1252View text,
                                            int chapterIndex) {
    const RubricRange range = chapterRubricRange(index.database(), chapterIndex);
    if (range.first > range.last)
        return {};
    const int first = range.first - 1;
    const int last = range.last - 1;
    const auto count = static_cast<std::size_t>(last - first + 1);
    // Every word narrows the rubrics down: a required one to those holding it, an excluded one to
    // those without it.
    std::vector<char> matched(count, 1);
    std::vector<char> holding(count);
    for (const SearchWord& word : searchWords(text.bytes())) {
        // An empty word is found in every text; excluding it would leave nothing, so it is ignored.
        if (word.text.empty())
            continue;
        markHolding(index, SearchPattern(word.text), first, last, holding);
        const char wanted = word.excluded ? 0 : 1;
        for (std::size_t i = 0; i < count; ++i)
            matched[i] &= static_cast<char>(holding[i] == wanted);
    }
    std::vector<RubricNumber> numbers;
    for (std::size_t i = 0; i < count; ++i) {
        if (matched[i])
            numbers.push_back(first + static_cast<RubricNumber>(i) + 1);
    }
    return numbers;
}

std::vector<TextSearchRow> runTextSearch(const TextSearchIndex& index, Windows1252View text,
                                         int chapterIndex) {
    const std::vector<RubricNumber> numbers = textSearchMatches(index, text, chapterIndex);
    std::vector<TextSearchRow> rows;
    rows.reserve(numbers.size());
    for (const RubricNumber number : numbers) {
        const int section = index.sectionOf(number - 1);
        rows.push_back(
            TextSearchRow{number, numberText(number, 0), index.rubricText(number - 1),
                          section < 0 ? Windows1252View() : Windows1252View(index.heading(section))});
    }
    return rows;
}

Windows1252Text textSearchIdleTitle() {
    return "Textuelle Symptomsuche"_w1252;
}

Windows1252Text textSearchTitle(std::size_t matches) {
    if (matches == 0)
        return "Textuelle Symptomsuche: Kein Symptom gefunden"_w1252;
    if (matches == 1)
        return "Textuelle Symptomsuche: 1 gefundenes Symptom"_w1252;
    return "Textuelle Symptomsuche: "_w1252 + windows1252Number(matches) + " gefundene Symptome"_w1252;
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

bool searchShouldRun(Windows1252View text, Windows1252View lastSearchText, TextSearchTrigger trigger) {
    const bool wanted = (trigger.refresh && !text.empty()) || text != lastSearchText;
    return wanted && (trigger.force || text.size() > 2);
}

} // namespace telvarin
