#pragma once

// A hand-built data file image for loader and lookup tests: each test can damage one field.

#include "repertory/RemedyEntry.h"
#include "repertory/RepertoryDataFile.h"

#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace telvarin::test {

inline void append(std::vector<std::byte>& out, const void* data, std::size_t size) {
    // Grown first and copied into: g++ 12 -O3 sees a false overflow in vector::insert here.
    const std::size_t at = out.size();
    out.resize(at + size);
    std::memcpy(out.data() + at, data, size);
}

struct TinyRepertory {
    std::optional<RepertoryFileCounts> counts; // overrides the counts the records imply
    std::vector<ChapterRecord> chapters;
    std::vector<SectionRecord> sections;
    std::vector<RubricRecord> rubrics;
    std::vector<RemedyEntry> entries;
    std::vector<std::string> remedies;

    void addChapter(const char* name) {
        ChapterRecord record{};
        std::strncpy(record.name, name, sizeof record.name - 1);
        record.sectionEnd = static_cast<std::int32_t>(sections.size());
        chapters.push_back(record);
    }
    void addSection(const char* name) {
        SectionRecord record{};
        std::strncpy(record.name, name, sizeof record.name - 1);
        record.rubricEnd = static_cast<std::int32_t>(rubrics.size());
        sections.push_back(record);
        chapters.back().sectionEnd = static_cast<std::int32_t>(sections.size());
    }
    void addRubric(const char* text, std::vector<RemedyEntry> list, int counter = 0, int counterBd = 0) {
        RubricRecord record{};
        std::strncpy(record.text, text, sizeof record.text - 1);
        record.counterPolarity = counter;
        record.counterPolarityBd = counterBd;
        record.firstEntry = static_cast<std::int32_t>(entries.size());
        record.entryCount = static_cast<std::int32_t>(list.size());
        entries.insert(entries.end(), list.begin(), list.end());
        rubrics.push_back(record);
        sections.back().rubricEnd = static_cast<std::int32_t>(rubrics.size());
    }

    std::vector<std::byte> bytes() const {
        RepertoryFileCounts c{};
        if (counts) {
            c = *counts;
        } else {
            c = {static_cast<std::int32_t>(chapters.size()), static_cast<std::int32_t>(sections.size()),
                 static_cast<std::int32_t>(rubrics.size()), static_cast<std::int32_t>(entries.size()),
                 static_cast<std::int32_t>(remedies.size())};
        }
        std::vector<std::byte> out;
        append(out, &c, sizeof c);
        append(out, chapters.data(), chapters.size() * sizeof(ChapterRecord));
        append(out, sections.data(), sections.size() * sizeof(SectionRecord));
        append(out, rubrics.data(), rubrics.size() * sizeof(RubricRecord));
        append(out, entries.data(), entries.size() * sizeof(RemedyEntry));
        for (const std::string& name : remedies)
            append(out, name.c_str(), name.size() + 1);
        return out;
    }

    // Three chapters; the second has an empty first section; the last section is empty.
    static TinyRepertory sample() {
        TinyRepertory r;
        r.remedies = {"acon.", "agar.", "ag-c.", "sep.", "averylongname."};
        r.addChapter("MIND");
        r.addSection("GENERAL");
        r.addRubric("In general", {0 | kGrade3Mark, 1, 2 | kGrade2Mark});
        r.addRubric("Anxiety",
                    {3, 3 | kGrade3Mark, 4 | kGrade4Mark | kGrade3Mark, 0 | kGrade5Mark, 1 | kBdMark,
                     2 | kGrade2Mark | kGrade3Mark},
                    3);
        r.addSection("TIME");
        r.addRubric("Morning", {0, 1, 2, 3, 4});
        r.addChapter("HEAD");
        r.addSection("CROSS REFERENCE");
        r.addSection("PAIN");
        r.addRubric("Pain, forehead", {4}, 1, 2);
        r.addChapter("SKIN");
        r.addSection("ERUPTIONS");
        r.addRubric("Eruptions, itching", {2, 3});
        r.addSection("CROSS REFERENCE");
        return r;
    }
};

} // namespace telvarin::test
