#pragma once

// The rubric texts: a section's words ready to draw from, and candidate texts drawn from them in
// the shape of real rubrics (symptom, location, kind, time, modality, concomitant).

#include "data/generator/Chapters.h"
#include "data/generator/Random.h"
#include "data/generator/Sections.h"

#include <string>
#include <string_view>

namespace telvarin::generator {

std::string capitalised(std::string text);
std::string lowered(std::string text);
// "LARYNX AND TRACHEA" -> "Larynx and trachea", as a cross reference names a chapter.
std::string titleCase(std::string_view upper);

// Vocabulary of one section, ready to draw from.
struct SectionVocabulary {
    SectionKind kind = SectionKind::General;
    SkewedList mains;
    SkewedList locations;
    SkewedList qualities;
    std::string qualified; // the symptom the chapter's qualities belong to; empty for all
    SkewedList commonQualities;
    bool chapterWords = true; // mains are the chapter's symptoms (pain kinds apply to "Pain")
    bool body = true;
};

SectionVocabulary vocabularyFor(const ChapterSpec& chapter, std::string_view section, bool modalityChapter);

class TextMaker {
public:
    explicit TextMaker(Random& random);

    // One candidate rubric text; extra raises the number of qualifiers when a section runs short.
    std::string make(const SectionVocabulary& vocabulary, int extra, int& depth);

private:
    int drawDepth();
    // Symptom, then location, kind, time, modality and concomitant, each present or not.
    std::string qualified(const std::string& main, const SectionVocabulary& vocabulary, int depth,
                          bool withLocation);

    const std::string& qualityOf(const std::string& main, const SectionVocabulary& vocabulary);
    std::string timeText(const SectionVocabulary& vocabulary, int depth);
    std::string modalityText(std::string base, int depth, std::string_view ending);
    std::string crossReference(const SectionVocabulary& vocabulary);

    Random& random_;
    SkewedList times_;
    SkewedList modalities_;
    SkewedList bases_;
    SkewedList concomitants_;
    SkewedList painKinds_;
    SkewedList extensions_;
};

} // namespace telvarin::generator
