#include "repertory/RepertoryTables.h"

#include <cstring>

namespace telvarin {

std::vector<std::byte> dataFileBytes(const RepertoryTables& tables) {
    const RepertoryFileCounts counts{
        static_cast<std::int32_t>(tables.chapters.size()), static_cast<std::int32_t>(tables.sections.size()),
        static_cast<std::int32_t>(tables.rubrics.size()), static_cast<std::int32_t>(tables.entries.size()),
        static_cast<std::int32_t>(tables.abbreviations.size())};
    std::size_t abbreviationBytes = 0;
    for (const std::string& abbreviation : tables.abbreviations)
        abbreviationBytes += abbreviation.size() + 1;
    std::size_t fullNameBytes = tables.fullNames.empty() ? 0 : kFullNameTagBytes;
    for (const std::string& name : tables.fullNames)
        fullNameBytes += name.size() + 1;
    const std::size_t parentBytes =
        tables.parents.empty() ? 0 : sizeof kParentsTag + tables.parents.size() * sizeof(std::int32_t);
    std::vector<std::byte> out(
        sizeof counts + tables.chapters.size() * sizeof(ChapterRecord) +
        tables.sections.size() * sizeof(SectionRecord) + tables.rubrics.size() * sizeof(RubricRecord) +
        tables.entries.size() * sizeof(RemedyEntry) + abbreviationBytes + fullNameBytes + parentBytes);
    std::byte* cursor = out.data();
    const auto append = [&cursor](const void* data, std::size_t size) {
        if (size != 0)
            std::memcpy(cursor, data, size);
        cursor += size;
    };
    append(&counts, sizeof counts);
    append(tables.chapters.data(), tables.chapters.size() * sizeof(ChapterRecord));
    append(tables.sections.data(), tables.sections.size() * sizeof(SectionRecord));
    append(tables.rubrics.data(), tables.rubrics.size() * sizeof(RubricRecord));
    append(tables.entries.data(), tables.entries.size() * sizeof(RemedyEntry));
    for (const std::string& abbreviation : tables.abbreviations)
        append(abbreviation.c_str(), abbreviation.size() + 1);
    if (!tables.fullNames.empty()) {
        append(kFullNamesTag, kFullNameTagBytes);
        for (const std::string& name : tables.fullNames)
            append(name.c_str(), name.size() + 1);
    }
    if (!tables.parents.empty()) {
        append(kParentsTag, sizeof kParentsTag);
        append(tables.parents.data(), tables.parents.size() * sizeof(std::int32_t));
    }
    return out;
}

} // namespace telvarin
