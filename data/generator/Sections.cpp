#include "data/generator/Sections.h"

#include "data/generator/Random.h"

#include <algorithm>
#include <utility>

namespace telvarin::generator {

namespace {

// Section sizes by weight, largest remainders first, so that they add up to the chapter's count.
std::vector<int> apportion(int total, const std::vector<int>& weights) {
    long long weightSum = 0;
    for (int weight : weights)
        weightSum += weight;
    std::vector<int> sizes(weights.size(), 0);
    if (weightSum == 0)
        return sizes;
    std::vector<std::pair<long long, std::size_t>> remainders;
    int given = 0;
    for (std::size_t k = 0; k < weights.size(); ++k) {
        const long long share = static_cast<long long>(total) * weights[k];
        sizes[k] = static_cast<int>(share / weightSum);
        given += sizes[k];
        remainders.emplace_back(-(share % weightSum), k);
    }
    std::sort(remainders.begin(), remainders.end());
    for (std::size_t k = 0; given < total; ++k, ++given)
        ++sizes[remainders[k % remainders.size()].second];
    return sizes;
}

} // namespace

SectionKind kindOf(std::string_view section, bool modalityChapter) {
    if (section == "TIME")
        return SectionKind::Time;
    if (section == "CROSS REFERENCE")
        return SectionKind::CrossReference;
    if (modalityChapter)
        return SectionKind::Modality;
    if (section == "GENERAL")
        return SectionKind::General;
    if (section == "AGGRAVATION")
        return SectionKind::Aggravation;
    if (section == "AMELIORATION")
        return SectionKind::Amelioration;
    if (section == "CONCOMITANTS")
        return SectionKind::Concomitants;
    return SectionKind::Topic;
}

int weightOf(SectionKind kind) {
    switch (kind) {
    case SectionKind::General:
        return 40;
    case SectionKind::Topic:
    case SectionKind::Modality:
        return 12;
    case SectionKind::Time:
    case SectionKind::Aggravation:
        return 6;
    case SectionKind::Amelioration:
    case SectionKind::Concomitants:
        return 4;
    case SectionKind::CrossReference:
        return 1;
    }
    return 1;
}

std::vector<SectionPlan> planSections(const ChapterSpec& chapter, bool modalityChapter) {
    std::vector<SectionPlan> plans;
    for (const std::string& item : splitList(chapter.sections)) {
        SectionPlan plan;
        const std::size_t equals = item.find('=');
        if (!item.empty() && item.back() == '*') {
            plan.name = item.substr(0, item.size() - 1);
            plan.empty = true;
        } else if (equals != std::string::npos) {
            plan.name = item.substr(0, equals);
            plan.size = std::stoi(item.substr(equals + 1));
            plan.explicitSize = true;
        } else {
            plan.name = item;
        }
        plans.push_back(plan);
    }
    std::vector<int> weights;
    int remaining = chapter.rubrics;
    for (const SectionPlan& plan : plans) {
        remaining -= plan.size;
        weights.push_back(plan.empty || plan.explicitSize ? 0 : weightOf(kindOf(plan.name, modalityChapter)));
    }
    const std::vector<int> shares = apportion(remaining, weights);
    for (std::size_t k = 0; k < plans.size(); ++k) {
        if (!plans[k].explicitSize)
            plans[k].size = shares[k];
    }
    return plans;
}

} // namespace telvarin::generator
