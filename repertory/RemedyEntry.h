#pragma once

// Decoding of one remedy entry word: bits 0-10 remedy index, 0x800 BD mark, and the grade marks
// 0x1000 (5), 0x8000 (4), 0x2000 (3), 0x4000 (2). The bit order is not the grade order.

#include "repertory/RepertoryDataFile.h"

#include <array>

namespace telvarin {

inline constexpr RemedyEntry kRemedyIndexMask = 0x7FF;
inline constexpr RemedyEntry kBdMark = 0x800;
inline constexpr RemedyEntry kGrade5Mark = 0x1000;
inline constexpr RemedyEntry kGrade3Mark = 0x2000;
inline constexpr RemedyEntry kGrade2Mark = 0x4000;
inline constexpr RemedyEntry kGrade4Mark = 0x8000;
inline constexpr RemedyEntry kGradeMarks = 0xF000;

constexpr int remedyOf(RemedyEntry entry) {
    return static_cast<int>(entry & kRemedyIndexMask);
}

constexpr int gradeOf(RemedyEntry entry) {
    if (entry & kGrade5Mark)
        return 5;
    if (entry & kGrade4Mark)
        return 4;
    if (entry & kGrade3Mark)
        return 3;
    if (entry & kGrade2Mark)
        return 2;
    return 1;
}

constexpr bool isBdEntry(RemedyEntry entry) {
    return (entry & kBdMark) != 0;
}

// Which grades a caller wants, index 0 for grade 1 through index 4 for grade 5.
using GradeSelection = std::array<bool, 5>;

// The entry filter by grade marks. It looks at the marks themselves, not at gradeOf: an entry
// with two marks passes when either of them is wanted.
constexpr bool passesGradeFilter(RemedyEntry entry, const GradeSelection& wanted, bool bdWanted,
                                 bool ignoreBd) {
    if (!ignoreBd && isBdEntry(entry) != bdWanted)
        return false;
    return (wanted[0] && (entry & kGradeMarks) == 0) || (wanted[1] && (entry & kGrade2Mark)) ||
           (wanted[2] && (entry & kGrade3Mark)) || (wanted[3] && (entry & kGrade4Mark)) ||
           (wanted[4] && (entry & kGrade5Mark));
}

} // namespace telvarin
