#include "data/generator/RubricTexts.h"

#include "data/generator/Vocabulary.h"

#include <algorithm>
#include <array>

namespace telvarin::generator {

namespace {

std::vector<std::string> mergedList(std::string_view first, std::string_view second) {
    std::vector<std::string> items = splitList(first);
    for (std::string& item : splitList(second)) {
        if (std::find(items.begin(), items.end(), item) == items.end())
            items.push_back(std::move(item));
    }
    return items;
}

} // namespace

std::string capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

std::string lowered(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::string titleCase(std::string_view upper) {
    std::string title = lowered(std::string(upper));
    return capitalised(title);
}

SectionVocabulary vocabularyFor(const ChapterSpec& chapter, std::string_view section, bool modalityChapter) {
    SectionVocabulary vocabulary;
    vocabulary.kind = kindOf(section, modalityChapter);
    vocabulary.body = chapter.body;
    const auto& special = sectionVocabularies();
    const auto found = special.find(section);
    if (found != special.end() && vocabulary.kind != SectionKind::CrossReference) {
        vocabulary.mains = skewed(found->second);
        vocabulary.chapterWords = false;
    } else if (modalityChapter) {
        vocabulary.mains = skewed(kModalityBases, 4);
        vocabulary.chapterWords = false;
    } else if (chapter.body && vocabulary.kind == SectionKind::Topic) {
        // A part of the region: the complaints any part can have, not the chapter's own.
        vocabulary.mains = skewed(kBodySymptoms, 1);
    } else {
        vocabulary.mains = SkewedList(
            chapter.body ? mergedList(chapter.symptoms, kBodySymptoms) : splitList(chapter.symptoms), 1);
    }
    if (!chapter.locations.empty())
        vocabulary.locations = skewed(chapter.locations);
    std::string_view qualities = chapter.qualities;
    if (const std::size_t colon = qualities.find(':'); colon != std::string_view::npos) {
        vocabulary.qualified = std::string(qualities.substr(0, colon));
        qualities.remove_prefix(colon + 1);
    }
    if (!qualities.empty())
        vocabulary.qualities = skewed(qualities);
    if (chapter.body)
        vocabulary.commonQualities = skewed(kBodyQualities);
    return vocabulary;
}

TextMaker::TextMaker(Random& random)
    : random_(random), times_(skewed(kTimes, 3)), modalities_(skewed(kModalities, 4)),
      bases_(skewed(kModalityBases, 4)), concomitants_(skewed(kConcomitants)), painKinds_(skewed(kPainKinds)),
      extensions_(skewed(kExtensions)) {}

std::string TextMaker::make(const SectionVocabulary& vocabulary, int extra, int& depth) {
    depth = drawDepth() + extra;
    switch (vocabulary.kind) {
    case SectionKind::Time:
        return timeText(vocabulary, depth);
    case SectionKind::Aggravation:
        return modalityText(capitalised(bases_.draw(random_)), depth, "agg.");
    case SectionKind::Amelioration:
        return modalityText(capitalised(bases_.draw(random_)), depth, "amel.");
    case SectionKind::Modality: {
        const std::string base =
            vocabulary.mains.empty() ? bases_.draw(random_) : vocabulary.mains.draw(random_);
        return modalityText(base, depth, random_.percent(60) ? "agg." : "amel.");
    }
    case SectionKind::Concomitants:
        return qualified(capitalised(concomitants_.draw(random_)), vocabulary, depth, false);
    case SectionKind::CrossReference:
        return crossReference(vocabulary);
    case SectionKind::General:
    case SectionKind::Topic:
        break;
    }
    return qualified(vocabulary.mains.draw(random_), vocabulary, depth,
                     vocabulary.kind == SectionKind::General);
}

int TextMaker::drawDepth() {
    const int roll = random_.below(100);
    if (roll < 12)
        return 0;
    if (roll < 45)
        return 1;
    if (roll < 75)
        return 2;
    if (roll < 92)
        return 3;
    return 4;
}

std::string TextMaker::qualified(const std::string& main, const SectionVocabulary& vocabulary, int depth,
                                 bool withLocation) {
    std::array<bool, 5> present{};
    // Chapters of the mind and the like have no parts to extend to.
    const int locationWeight = withLocation && !vocabulary.locations.empty() ? 4 : vocabulary.body ? 1 : 0;
    const std::array<int, 5> weights = {locationWeight, 3, 3, 3, 1};
    const int slots = std::min(depth, locationWeight > 0 ? 5 : 4);
    for (int chosen = 0; chosen < slots;) {
        int total = 0;
        for (std::size_t k = 0; k < present.size(); ++k)
            total += present[k] ? 0 : weights[k];
        int point = random_.below(total);
        for (std::size_t k = 0; k < present.size(); ++k) {
            if (present[k] || weights[k] == 0)
                continue;
            if (point < weights[k]) {
                present[k] = true;
                ++chosen;
                break;
            }
            point -= weights[k];
        }
    }
    std::string text = main;
    if (present[0]) {
        if (withLocation && !vocabulary.locations.empty())
            text += ", " + vocabulary.locations.draw(random_);
        else
            text += ", " + extensions_.draw(random_);
    }
    if (present[1]) {
        text += ", " + qualityOf(main, vocabulary);
    }
    if (present[2])
        text += ", " + times_.draw(random_);
    if (present[3])
        text += ", " + modalities_.draw(random_);
    if (present[4])
        text += ", " + concomitants_.draw(random_);
    return text;
}

const std::string& TextMaker::qualityOf(const std::string& main, const SectionVocabulary& vocabulary) {
    const bool own =
        !vocabulary.qualities.empty() && (vocabulary.qualified.empty() || vocabulary.qualified == main);
    if (vocabulary.chapterWords && main == "Pain" && !(own && random_.percent(30)))
        return painKinds_.draw(random_);
    if (own)
        return vocabulary.qualities.draw(random_);
    if (!vocabulary.commonQualities.empty())
        return vocabulary.commonQualities.draw(random_);
    return extensions_.draw(random_);
}

std::string TextMaker::timeText(const SectionVocabulary& vocabulary, int depth) {
    std::string text = capitalised(times_.draw(random_));
    if (depth >= 2 && !vocabulary.mains.empty() && vocabulary.chapterWords)
        text += ", " + lowered(vocabulary.mains.draw(random_));
    if (depth >= 1)
        text += ", " + modalities_.draw(random_);
    if (depth >= 3)
        text += ", " + concomitants_.draw(random_);
    return text;
}

std::string TextMaker::modalityText(std::string base, int depth, std::string_view ending) {
    if (depth >= 2)
        base += ", " + times_.draw(random_);
    if (depth >= 3)
        base += ", " + concomitants_.draw(random_);
    return base + ", " + std::string(ending);
}

std::string TextMaker::crossReference(const SectionVocabulary& vocabulary) {
    const std::string main = vocabulary.mains.draw(random_);
    std::string from = main;
    if (random_.percent(50))
        from += ", " + qualityOf(main, vocabulary);
    const std::string to = vocabulary.mains.draw(random_);
    if (to == main || random_.percent(40))
        return from + ", see also " +
               titleCase(kChapters[static_cast<std::size_t>(random_.below(kChapterCount))].name);
    return from + ", see " + lowered(to);
}

} // namespace telvarin::generator
