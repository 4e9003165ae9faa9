#pragma once

// A small repertory built in memory whose rubrics carry counter-polarities, BD marks, a remedy
// listed twice, an empty section, a chapter without rubrics and names that tie in the ranking.
//
//  chapter 0 "MIND"
//    section 0 "GENERAL"   1 Anxiety (counter 2)   2 Calmness (counter 1)   3 Fear (sep. twice)
//    section 1 "TIME"      empty
//    section 2 "NIGHT"     4 Restless (counter 5 with BD 2)   5 Quiet   6 Sadness (counter 2)
//  chapter 1 "HEAD"
//    section 3 "PAIN"      7 Pain, straße (counter 8)   8 Pain, STRASSE side   9 Heat
//  chapter 2 "EMPTY"       no sections
//  chapter 3 "LAST"
//    section 4 "GENERAL"   10 Last rubric

#include "repertory/RemedyEntry.h"
#include "repertory/RepertoryDatabase.h"

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace telvarin::test {

enum PolarityRemedy : RemedyEntry { kAcon = 0, kAgar = 1, kAgC = 2, kSep = 3, kZinc = 4, kBry = 5 };

inline RemedyEntry graded(RemedyEntry remedy, int grade) {
    switch (grade) {
    case 2:
        return remedy | kGrade2Mark;
    case 3:
        return remedy | kGrade3Mark;
    case 4:
        return remedy | kGrade4Mark;
    case 5:
        return remedy | kGrade5Mark;
    default:
        return remedy;
    }
}

class RepertoryBuilder {
public:
    void chapter(const char* name) {
        ChapterRecord record{};
        std::strncpy(record.name, name, sizeof record.name - 1);
        record.sectionEnd = static_cast<std::int32_t>(sections_.size());
        chapters_.push_back(record);
    }
    void section(const char* name) {
        SectionRecord record{};
        std::strncpy(record.name, name, sizeof record.name - 1);
        record.rubricEnd = static_cast<std::int32_t>(rubrics_.size());
        sections_.push_back(record);
        chapters_.back().sectionEnd = static_cast<std::int32_t>(sections_.size());
    }
    void rubric(const char* text, std::vector<RemedyEntry> list, int counter = 0, int counterBd = 0) {
        RubricRecord record{};
        std::strncpy(record.text, text, sizeof record.text - 1);
        record.counterPolarity = counter;
        record.counterPolarityBd = counterBd;
        record.firstEntry = static_cast<std::int32_t>(entries_.size());
        record.entryCount = static_cast<std::int32_t>(list.size());
        entries_.insert(entries_.end(), list.begin(), list.end());
        rubrics_.push_back(record);
        sections_.back().rubricEnd = static_cast<std::int32_t>(rubrics_.size());
    }
    void remedies(std::vector<std::string> names) { remedies_ = std::move(names); }
    void fullNames(std::vector<std::string> names) { fullNames_ = std::move(names); }

    // Bytes in 4-byte words, so that the database can read them in place.
    std::vector<std::uint32_t> words() const {
        std::vector<char> bytes;
        const RepertoryFileCounts counts{
            static_cast<std::int32_t>(chapters_.size()), static_cast<std::int32_t>(sections_.size()),
            static_cast<std::int32_t>(rubrics_.size()), static_cast<std::int32_t>(entries_.size()),
            static_cast<std::int32_t>(remedies_.size())};
        append(bytes, &counts, sizeof counts);
        append(bytes, chapters_.data(), chapters_.size() * sizeof(ChapterRecord));
        append(bytes, sections_.data(), sections_.size() * sizeof(SectionRecord));
        append(bytes, rubrics_.data(), rubrics_.size() * sizeof(RubricRecord));
        append(bytes, entries_.data(), entries_.size() * sizeof(RemedyEntry));
        for (const std::string& name : remedies_)
            append(bytes, name.c_str(), name.size() + 1);
        if (!fullNames_.empty())
            append(bytes, kFullNamesTag, kFullNameTagBytes);
        for (const std::string& name : fullNames_)
            append(bytes, name.c_str(), name.size() + 1);
        // The last abbreviation ends the file; pad to whole words and give the true size out.
        size_ = bytes.size();
        bytes.resize((bytes.size() + 3) / 4 * 4, '\0');
        std::vector<std::uint32_t> words(bytes.size() / 4);
        std::memcpy(words.data(), bytes.data(), bytes.size());
        return words;
    }
    std::size_t size() const { return size_; }

private:
    static void append(std::vector<char>& out, const void* data, std::size_t size) {
        const auto* p = static_cast<const char*>(data);
        out.insert(out.end(), p, p + size);
    }
    std::vector<ChapterRecord> chapters_;
    std::vector<SectionRecord> sections_;
    std::vector<RubricRecord> rubrics_;
    std::vector<RemedyEntry> entries_;
    std::vector<std::string> remedies_;
    std::vector<std::string> fullNames_;
    mutable std::size_t size_ = 0;
};

// Owns the bytes and the database that reads them.
class PolarityRepertory {
public:
    PolarityRepertory() : words_(build()), db_(load()) {}
    const RepertoryDatabase& db() const { return db_; }

private:
    std::vector<std::uint32_t> build() {
        RepertoryBuilder b;
        b.remedies({"acon.", "agar.", "ag-c.", "sep.", "ZINC.", "bry."});
        b.chapter("MIND");
        b.section("GENERAL");
        b.rubric("Anxiety", {graded(kAcon, 3), graded(kAgar, 1), graded(kSep, 2)}, 2);
        b.rubric("Calmness", {graded(kAcon, 1), graded(kBry, 2)}, 1);
        b.rubric("Fear", {graded(kSep, 1), graded(kSep, 3), graded(kAgC, 2), graded(kAgar, 2)});
        b.section("TIME");
        b.section("NIGHT");
        b.rubric("Restless", {graded(kBry, 4), graded(kZinc, 5), kAcon | kBdMark}, 5, 2);
        b.rubric("Quiet", {graded(kAcon, 2)});
        b.rubric("Sadness", {graded(kAgar, 1)}, 2);
        b.chapter("HEAD");
        b.section("PAIN");
        b.rubric("Pain, stra\xDF"
                 "e",
                 {graded(kAcon, 1)}, 8);
        b.rubric("Pain, STRASSE side", {graded(kAgar, 1)});
        b.rubric("Heat", {graded(kAgC, 2), graded(kAgar, 2)});
        b.chapter("EMPTY");
        b.chapter("LAST");
        b.section("GENERAL");
        b.rubric("Last rubric", {graded(kZinc, 1), graded(kBry, 1)});
        auto words = b.words();
        size_ = b.size();
        return words;
    }
    RepertoryDatabase load() const {
        const auto* bytes = reinterpret_cast<const std::byte*>(words_.data());
        RepertoryLoadResult loaded = RepertoryDatabase::fromBytes({bytes, size_});
        if (auto* error = std::get_if<RepertoryLoadError>(&loaded))
            throw std::runtime_error(error->message.bytes());
        return std::get<RepertoryDatabase>(std::move(loaded));
    }

    std::size_t size_ = 0;
    std::vector<std::uint32_t> words_;
    RepertoryDatabase db_;
};

} // namespace telvarin::test
