#include "data/generator/FigureCheck.h"

#include "data/generator/Figures.h"

#include <algorithm>
#include <set>
#include <unordered_set>

namespace telvarin::generator {

namespace {

class FigureCheck {
public:
    explicit FigureCheck(const Repertory& repertory) : r_(repertory) {}

    std::vector<std::string> run() {
        counts();
        layout();
        texts();
        entries();
        remedies();
        return problems_;
    }

private:
    void expect(bool condition, const std::string& what) {
        if (!condition)
            problems_.push_back(what);
    }

    int chapterFirstRubric(std::size_t chapter) const {
        const int firstSection = chapter == 0 ? 0 : r_.chapters[chapter - 1].sectionEnd;
        return firstSection == 0 ? 1 : r_.sections[static_cast<std::size_t>(firstSection - 1)].rubricEnd + 1;
    }
    int chapterLastRubric(std::size_t chapter) const {
        return r_.sections[static_cast<std::size_t>(r_.chapters[chapter].sectionEnd - 1)].rubricEnd;
    }

    void counts() {
        std::size_t entries = 0;
        for (const Rubric& rubric : r_.rubrics)
            entries += rubric.entries.size();
        expect(r_.chapters.size() == kChapterCount, "chapter count " + std::to_string(r_.chapters.size()));
        expect(r_.sections.size() == kSectionCount, "section count " + std::to_string(r_.sections.size()));
        expect(r_.rubrics.size() == kRubricCount, "rubric count " + std::to_string(r_.rubrics.size()));
        expect(entries == kEntryCount, "entry count " + std::to_string(entries));
        expect(r_.remedies.size() == kRemedyCount, "remedy count " + std::to_string(r_.remedies.size()));
    }

    void layout() {
        if (!problems_.empty())
            return;
        expect(r_.chapters[0].name == "MIND" && r_.chapters[0].sectionEnd == kMindSections, "chapter MIND");
        expect(r_.sections[0].name == "GENERAL" && r_.sections[0].rubricEnd == kMindGeneralRubrics,
               "section MIND GENERAL");
        expect(chapterLastRubric(0) == kMindRubrics, "MIND rubrics");
        expect(r_.chapters[1].name == "SENSORIUM" && chapterFirstRubric(1) == kMindRubrics + 1 &&
                   chapterLastRubric(1) == kSensoriumLastRubric,
               "SENSORIUM rubrics");
        expect(r_.chapters[6].name == "EARS" && r_.chapters[7].name == "NOSE", "chapters EARS and NOSE");
        expect(r_.chapters[6].sectionEnd == kFirstSevenChapterSections &&
                   chapterLastRubric(6) == kFirstSevenChapterRubrics,
               "first seven chapters");
        const std::size_t last = r_.chapters.size() - 1;
        expect(r_.chapters[last].name == kLastChapterName &&
                   chapterFirstRubric(last) == kLastChapterFirstRubric &&
                   chapterLastRubric(last) == kRubricCount,
               "last chapter");
        int previous = 0;
        int emptyCrossReferences = 0;
        int generalFirst = 0;
        for (std::size_t s = 0; s < r_.sections.size(); ++s) {
            emptyCrossReferences +=
                r_.sections[s].name == "CROSS REFERENCE" && r_.sections[s].rubricEnd == previous;
            previous = r_.sections[s].rubricEnd;
        }
        for (std::size_t c = 0; c < r_.chapters.size(); ++c) {
            const int first = c == 0 ? 0 : r_.chapters[c - 1].sectionEnd;
            generalFirst += r_.sections[static_cast<std::size_t>(first)].name == "GENERAL";
        }
        expect(emptyCrossReferences >= 3, "empty cross-reference sections");
        expect(generalFirst * 2 > kChapterCount, "GENERAL first in most chapters");
    }

    void texts() {
        std::size_t longest = 0;
        const auto upper = [](const std::string& name) {
            return std::none_of(name.begin(), name.end(), [](char c) { return c >= 'a' && c <= 'z'; });
        };
        const auto plain = [](const std::string& text) {
            return !text.empty() && text.front() != ' ' && text.back() != ' ' &&
                   std::all_of(text.begin(), text.end(),
                               [](char c) { return c >= 0x20 && c < 0x7F && c != '|'; });
        };
        for (const Chapter& chapter : r_.chapters)
            expect(upper(chapter.name) && plain(chapter.name), "chapter name " + chapter.name);
        for (const Section& section : r_.sections)
            expect(upper(section.name) && plain(section.name), "section name " + section.name);
        int begin = 0;
        for (const Section& section : r_.sections) {
            std::unordered_set<std::string> seen;
            for (int r = begin; r < section.rubricEnd; ++r) {
                const std::string& text = r_.rubrics[static_cast<std::size_t>(r)].text;
                expect(plain(text), "rubric text " + text);
                expect(seen.insert(text).second, "repeated rubric text " + text);
                longest = std::max(longest, text.size());
            }
            begin = section.rubricEnd;
        }
        expect(longest == kLongestRubricText, "longest rubric text " + std::to_string(longest));
        expect(r_.rubrics.front().text == kFirstRubricText, "text of rubric 1");
        expect(r_.rubrics.back().text == kLastRubricText, "text of the last rubric");
    }

    void entries() {
        bool five = false;
        bool six = false;
        bool unordered = false;
        int largest = 0;
        for (const Rubric& rubric : r_.rubrics) {
            const int size = static_cast<int>(rubric.entries.size());
            expect(size >= 1 && size <= kMaxEntriesPerRubric, "rubric size " + std::to_string(size));
            largest = std::max(largest, size);
            five = five || size == 5;
            six = six || size == 6;
            for (std::size_t k = 0; k < rubric.entries.size(); ++k) {
                const Entry& entry = rubric.entries[k];
                expect(entry.grade >= 1 && entry.grade <= 4, "grade");
                if (k > 0)
                    unordered =
                        unordered || r_.remedies[static_cast<std::size_t>(entry.remedy)] <
                                         r_.remedies[static_cast<std::size_t>(rubric.entries[k - 1].remedy)];
            }
        }
        expect(five && six, "rubrics with 5 and 6 entries");
        expect(largest == kMaxEntriesPerRubric, "largest rubric " + std::to_string(largest));
        expect(unordered, "some list out of alphabetical order");
        expect(r_.rubrics.front().entries.size() == kFirstRubricEntries, "entries of rubric 1");
        const std::vector<Entry>& special = r_.rubrics[kSepTwiceRubric - 1].entries;
        std::vector<int> sepGrades;
        for (const Entry& entry : special) {
            if (r_.remedies[static_cast<std::size_t>(entry.remedy)] == "sep.")
                sepGrades.push_back(entry.grade);
        }
        expect(sepGrades == std::vector<int>{1, 3}, "sep. twice in rubric 63");
    }

    void remedies() {
        for (std::size_t k = 0; k < kFirstRemedies.size(); ++k)
            expect(r_.remedies[k] == kFirstRemedies[k], "remedy " + std::to_string(k));
        for (std::size_t k = 0; k < kLastRemedies.size(); ++k)
            expect(r_.remedies[kRemedyCount - kLastRemedies.size() + k] == kLastRemedies[k], "late remedy");
        std::set<std::string> distinct(r_.remedies.begin(), r_.remedies.end());
        expect(distinct.size() == r_.remedies.size(), "distinct abbreviations");
        expect(distinct.count("sep.") == 1 && distinct.count("ant-t.") == 1, "sep. and ant-t.");
        for (const std::string& name : r_.remedies) {
            const bool shape = !name.empty() && name.size() <= kMaxAbbreviationLength && name.back() == '.' &&
                               std::all_of(name.begin(), name.end(), [](char c) {
                                   return (c >= 'a' && c <= 'z') || c == '-' || c == '.';
                               });
            expect(shape, "abbreviation " + name);
        }
        std::vector<bool> listed(r_.remedies.size(), false);
        for (const Rubric& rubric : r_.rubrics) {
            for (const Entry& entry : rubric.entries)
                listed[static_cast<std::size_t>(entry.remedy)] = true;
        }
        expect(std::all_of(listed.begin(), listed.end(), [](bool used) { return used; }),
               "every remedy listed");
    }

    const Repertory& r_;
    std::vector<std::string> problems_;
};

} // namespace

std::vector<std::string> checkFigures(const Repertory& repertory) {
    return FigureCheck(repertory).run();
}

} // namespace telvarin::generator
