#include "data/generator/Generator.h"

#include "data/generator/Chapters.h"
#include "data/generator/Figures.h"
#include "data/generator/Remedies.h"
#include "data/generator/RubricTexts.h"
#include "data/generator/Sections.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <unordered_set>

namespace telvarin::generator {

namespace {

// Alphabetical regardless of case; the exact text breaks ties so that no sort order is left open.
bool textOrder(const Rubric& a, const Rubric& b) {
    const std::string left = lowered(a.text);
    const std::string right = lowered(b.text);
    return left != right ? left < right : a.text < b.text;
}

class RepertoryGenerator {
public:
    Repertory generate() {
        RemedyPool remedies = makeRemedies(random_);
        repertory_.remedies = remedies.names;
        makeTexts();
        drawSizes();
        drawRemedyLists(repertory_, remedies, sizes_, random_);
        return std::move(repertory_);
    }

private:
    void makeTexts() {
        TextMaker maker(random_);
        for (std::size_t c = 0; c < kChapters.size(); ++c) {
            const ChapterSpec& chapter = kChapters[c];
            const bool modalityChapter = chapter.name == kLastChapterName;
            const std::vector<SectionPlan> plans = planSections(chapter, modalityChapter);
            for (std::size_t s = 0; s < plans.size(); ++s) {
                const bool lastSection = c + 1 == kChapters.size() && s + 1 == plans.size();
                const SectionVocabulary vocabulary = vocabularyFor(chapter, plans[s].name, modalityChapter);
                std::vector<Rubric> rubrics;
                std::unordered_set<std::string> seen;
                const auto keep = [&](std::string text, int depth) {
                    if (seen.insert(text).second)
                        rubrics.push_back({std::move(text), depth, {}});
                };
                const bool headsChapter = s == 0 && plans[s].name == "GENERAL" && plans[s].size > 0;
                if (headsChapter)
                    keep(std::string(kFirstRubricText), 0);
                if (chapter.name == "HEAD" && plans[s].name == "GENERAL")
                    keep(std::string(kLongestText), 5);
                const int wanted = plans[s].size - (lastSection ? 1 : 0);
                for (long long attempt = 0; static_cast<int>(rubrics.size()) < wanted; ++attempt) {
                    if (attempt > 400LL * wanted + 10000)
                        fail("section " + std::string(chapter.name) + " / " + plans[s].name +
                             " cannot be filled with distinct texts");
                    int depth = 0;
                    std::string text =
                        maker.make(vocabulary, static_cast<int>(attempt / (40LL * wanted + 100)), depth);
                    if (text.size() > kMaxGeneratedTextLength || text == kFirstRubricText)
                        continue;
                    if (lastSection && lowered(text) >= lowered(std::string(kLastRubricText)))
                        continue;
                    keep(std::move(text), depth);
                }
                // Rubrics stand in alphabetical order, with a chapter's "In general" in front.
                std::sort(rubrics.begin() + (headsChapter ? 1 : 0), rubrics.end(), textOrder);
                if (lastSection)
                    rubrics.push_back({std::string(kLastRubricText), 2, {}});
                for (Rubric& rubric : rubrics)
                    repertory_.rubrics.push_back(std::move(rubric));
                repertory_.sections.push_back({plans[s].name, static_cast<int>(repertory_.rubrics.size())});
            }
            repertory_.chapters.push_back(
                {std::string(chapter.name), static_cast<int>(repertory_.sections.size())});
        }
    }

    // Few large rubrics, many small ones: a Pareto tail, steeper for rubrics with more qualifiers.
    int drawSize(int depth) {
        static constexpr std::array<int, 6> kScaleTenths = {85, 32, 19, 14, 11, 10};
        const int scale = kScaleTenths[static_cast<std::size_t>(std::min(depth, 5))];
        for (;;) {
            const std::uint64_t u = random_.next() % (1ULL << 20) + 1;
            const auto size = static_cast<int>((static_cast<std::uint64_t>(scale) << 20) / (u * 10));
            if (size <= kMaxEntriesPerRubric)
                return std::max(size, 1);
        }
    }

    void drawSizes() {
        std::vector<Rubric>& rubrics = repertory_.rubrics;
        sizes_.entries.resize(rubrics.size());
        sizes_.fixed.assign(rubrics.size(), false);
        long long sum = 0;
        std::size_t largest = 1;
        for (std::size_t r = 0; r < rubrics.size(); ++r) {
            sizes_.entries[r] = drawSize(rubrics[r].depth);
            sum += sizes_.entries[r];
            if (r > 0 && r != kSepTwiceRubric - 1 && sizes_.entries[r] > sizes_.entries[largest])
                largest = r;
        }
        const auto fix = [&](std::size_t r, int size) {
            sum += size - sizes_.entries[r];
            sizes_.entries[r] = size;
            sizes_.fixed[r] = true;
        };
        fix(0, kFirstRubricEntries);
        fix(kSepTwiceRubric - 1, 14);
        fix(largest, kMaxEntriesPerRubric);
        // Reach the exact total in single steps on rubrics of some size, so that the many small
        // rubrics keep their shape.
        while (sum != kEntryCount) {
            const std::size_t r = static_cast<std::size_t>(random_.below(static_cast<int>(rubrics.size())));
            if (sizes_.fixed[r] || sizes_.entries[r] < 3)
                continue;
            if (sum < kEntryCount && sizes_.entries[r] < kMaxEntriesPerRubric - 1) {
                ++sizes_.entries[r];
                ++sum;
            } else if (sum > kEntryCount) {
                --sizes_.entries[r];
                --sum;
            }
        }
    }

    Random random_{0x7E1FA81D5EEDULL};
    Repertory repertory_;
    RubricSizes sizes_;
};

} // namespace

void fail(const std::string& message) {
    std::fprintf(stderr, "telvarin-generate-repertory: %s\n", message.c_str());
    std::exit(1);
}

Repertory generateRepertory() {
    return RepertoryGenerator().generate();
}

} // namespace telvarin::generator
