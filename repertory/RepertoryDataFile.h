#pragma once

// Byte layout of the repertory data file: five counts, then the chapter, section and rubric
// records, the remedy entry words and the NUL-terminated remedy abbreviations. Optional tables may
// follow, each opened by a four-letter tag; a file without them is read as before. All integers are
// 32-bit little-endian; every record size is a multiple of four, so a file that starts on a
// four-byte boundary can be read in place through these structs.

#include <bit>
#include <cstddef>
#include <cstdint>

namespace telvarin {

inline constexpr std::size_t kRubricTextSize = 224;
inline constexpr std::size_t kChapterNameSize = 128;
inline constexpr std::size_t kSectionNameSize = 172;
// The longest remedy abbreviation, in bytes without its terminator: far beyond any real one, it
// bounds the size a file's counts allow, so that a file far larger is refused before it is read.
inline constexpr std::size_t kMaxAbbreviationBytes = 255;

// The optional table of full remedy names: the tag, then one NUL-terminated name per remedy in
// remedy-index order, empty where the repertory gives none.
inline constexpr char kFullNamesTag[4] = {'N', 'A', 'M', 'E'};
inline constexpr std::size_t kFullNameTagBytes = sizeof kFullNamesTag;
inline constexpr std::size_t kMaxFullNameBytes = 255;
// The optional table of the rubrics' own tree: the tag, then for each rubric in order the number
// of its parent rubric as a 32-bit little-endian integer, 0 for a rubric at the top of its
// chapter. A parent comes before its children and stands in the same chapter.
inline constexpr char kParentsTag[4] = {'T', 'R', 'E', 'E'};

struct RubricRecord {
    char text[kRubricTextSize];
    std::int32_t counterPolarity;
    std::int32_t counterPolarityBd;
    std::int32_t firstEntry;
    std::int32_t entryCount;
};

struct ChapterRecord {
    char name[kChapterNameSize];
    std::int32_t sectionEnd;
};

struct SectionRecord {
    char name[kSectionNameSize];
    std::int32_t rubricEnd;
};

struct RepertoryFileCounts {
    std::int32_t chapters;
    std::int32_t sections;
    std::int32_t rubrics;
    std::int32_t remedyEntries;
    std::int32_t remedies;
};

static_assert(sizeof(RubricRecord) == 240);
static_assert(sizeof(ChapterRecord) == 132);
static_assert(sizeof(SectionRecord) == 176);
static_assert(sizeof(RepertoryFileCounts) == 20);
static_assert(std::endian::native == std::endian::little, "the data file is read in place");

using RemedyEntry = std::uint32_t;

} // namespace telvarin
