#pragma once

// A repertory of the size of a complete classical one, generated deterministically for the
// benchmarks and the window test: 40 chapters, 5,000 sections, 75,000 rubrics, 740,000 remedy
// entries, 700 remedies, rubrics of 1 to 500 entries, about 4.5 MB of rubric text. Names of
// chapters, of sections within a chapter and of rubrics within a section are distinct, so that
// the tsv form of it imports again.

#include "repertory/RemedyEntry.h"
#include "repertory/RepertoryDatabase.h"
#include "repertory/RepertoryTables.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <unordered_set>
#include <vector>

namespace telvarin::test {

inline constexpr int kLargeChapters = 40;
inline constexpr int kLargeSectionsPerChapter = 125;
inline constexpr int kLargeRubrics = 75'000;
inline constexpr int kLargeEntries = 740'000;
inline constexpr int kLargeRemedies = 700;
inline constexpr int kLargeMaxEntries = 500;

// A fixed-seed generator of its own, so that every run builds the same bytes.
class LargeRandom {
public:
    std::uint64_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }
    double unit() { return static_cast<double>(next() >> 11) / 9007199254740992.0; }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }

private:
    std::uint64_t state_ = 0x7E1FA41Dull;
};

inline const std::vector<std::string>& largeVocabulary() {
    static const std::vector<std::string> words{
        "pain",      "burning",   "stitching", "pressing",  "cramping", "morning",  "evening", "night",
        "midnight",  "forenoon",  "afternoon", "waking",    "sleep",    "rising",   "lying",   "sitting",
        "walking",   "motion",    "rest",      "warmth",    "cold",     "air",      "open",    "wind",
        "damp",      "weather",   "eating",    "after",     "before",   "during",   "agg.",    "amel.",
        "left",      "right",     "side",      "extending", "upward",   "downward", "sudden",  "gradual",
        "sensation", "heat",      "chill",     "fever",     "sweat",    "thirst",   "anxiety", "fear",
        "weakness",  "trembling", "numbness",  "itching",   "swelling", "redness",  "dryness", "discharge",
        "pulsating", "dull",      "sharp",     "touch",     "pressure", "light",    "noise",   "company"};
    return words;
}

inline std::string largeWord(int i) {
    const auto& words = largeVocabulary();
    return words[static_cast<std::size_t>(i) % words.size()];
}

inline std::string upperAscii(std::string text) {
    for (char& c : text)
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    return text;
}

inline RepertoryTables generateLargeRepertoryTables() {
    LargeRandom random;
    RepertoryTables tables;
    const int sectionCount = kLargeChapters * kLargeSectionsPerChapter;

    // Entry counts: a long tail of large rubrics, every count within 1..500, summing exactly.
    std::vector<int> counts(kLargeRubrics);
    for (int& count : counts)
        count = 1 + static_cast<int>(std::floor((kLargeMaxEntries - 1) * std::pow(random.unit(), 52.0)));
    counts[1234] = kLargeMaxEntries;
    long total = 0;
    for (int count : counts)
        total += count;
    for (std::size_t i = 0; total != kLargeEntries; i = (i + 7919) % counts.size()) {
        if (i == 1234)
            continue;
        if (total < kLargeEntries && counts[i] < kLargeMaxEntries) {
            ++counts[i];
            ++total;
        } else if (total > kLargeEntries && counts[i] > 1) {
            --counts[i];
            --total;
        }
    }

    for (int r = 0; r < kLargeRemedies; ++r)
        tables.abbreviations.push_back(std::string(1, static_cast<char>('a' + r % 26)) +
                                       largeWord(r / 26 * 3 + r % 5).substr(0, 3) + "-" + std::to_string(r) +
                                       ".");

    // Rubrics spread over the sections unevenly, but every section holds at least one.
    std::vector<int> perSection(static_cast<std::size_t>(sectionCount), 1);
    for (int i = sectionCount; i < kLargeRubrics; ++i)
        ++perSection[static_cast<std::size_t>(random.below(sectionCount) % (1 + random.below(sectionCount)))];

    static constexpr int kStrides[] = {1, 3, 9, 11, 13, 17, 19, 23, 27, 29, 31, 33};
    int rubric = 0;
    for (int c = 0; c < kLargeChapters; ++c) {
        ChapterRecord chapter{};
        const std::string chapterName = upperAscii(largeWord(c)) + " " + std::to_string(c + 1);
        std::memcpy(chapter.name, chapterName.data(), chapterName.size());
        for (int s = 0; s < kLargeSectionsPerChapter; ++s) {
            const int section = c * kLargeSectionsPerChapter + s;
            SectionRecord record{};
            const std::string sectionWord = largeWord(s * 5 + c);
            const std::string sectionName =
                s == 0 ? std::string("GENERAL") : upperAscii(sectionWord + " " + largeWord(s / 7 + c));
            std::memcpy(record.name, sectionName.data(), sectionName.size());
            std::unordered_set<std::string> texts;
            for (int k = 0; k < perSection[static_cast<std::size_t>(section)]; ++k, ++rubric) {
                std::string text = sectionWord;
                text[0] = static_cast<char>(text[0] - 'a' + 'A');
                const std::size_t length = 15 + static_cast<std::size_t>(random.below(60) + random.below(25));
                while (text.size() < length || !texts.insert(text).second)
                    text += (random.below(3) == 0 ? ", " : " ") + largeWord(random.below(64));
                RubricRecord entry{};
                std::memcpy(entry.text, text.data(), std::min(text.size(), kRubricTextSize - 1));
                entry.firstEntry = static_cast<std::int32_t>(tables.entries.size());
                entry.entryCount = counts[static_cast<std::size_t>(rubric)];
                const int start = random.below(kLargeRemedies);
                const int stride = kStrides[random.below(12)];
                for (int e = 0; e < entry.entryCount; ++e) {
                    const int grade = random.below(100);
                    const RemedyEntry marks = grade < 60   ? 0
                                              : grade < 85 ? kGrade2Mark
                                              : grade < 97 ? kGrade3Mark
                                                           : kGrade4Mark;
                    tables.entries.push_back(static_cast<RemedyEntry>((start + e * stride) % kLargeRemedies) |
                                             marks);
                }
                tables.rubrics.push_back(entry);
            }
            record.rubricEnd = rubric;
            tables.sections.push_back(record);
        }
        chapter.sectionEnd = static_cast<std::int32_t>(tables.sections.size());
        tables.chapters.push_back(chapter);
    }
    return tables;
}

// The data file bytes, generated once per program.
inline const std::vector<std::byte>& largeRepertoryBytes() {
    static const std::vector<std::byte> bytes = dataFileBytes(generateLargeRepertoryTables());
    return bytes;
}

inline const RepertoryDatabase& largeRepertory() {
    static const RepertoryDatabase db = [] {
        RepertoryLoadResult loaded = RepertoryDatabase::fromBytes(largeRepertoryBytes());
        if (auto* error = std::get_if<RepertoryLoadError>(&loaded))
            throw std::runtime_error(error->message.bytes());
        return std::get<RepertoryDatabase>(std::move(loaded));
    }();
    return db;
}

// The tsv exchange form of a repertory (texts are plain ASCII here, so UTF-8 as they stand).
inline std::string tsvOf(const RepertoryDatabase& db) {
    std::string tsv;
    tsv.reserve(static_cast<std::size_t>(db.remedyEntryCount()) * 80);
    for (int section = 0, rubric = 0; section < db.sectionCount(); ++section) {
        const std::string_view chapter = db.chapterName(db.chapterOfSection(section)).bytes();
        for (; rubric < db.rubricEnd(section); ++rubric) {
            for (const RemedyEntry entry : db.remedyList(rubric)) {
                ((((tsv += chapter) += '\t') += db.sectionName(section).bytes()) += '\t') +=
                    db.rubricTextField(rubric).bytes();
                ((tsv += '\t') += db.remedyName(remedyOf(entry)).bytes()) += '\t';
                (tsv += static_cast<char>('0' + gradeOf(entry))) += '\n';
            }
        }
    }
    return tsv;
}

} // namespace telvarin::test
