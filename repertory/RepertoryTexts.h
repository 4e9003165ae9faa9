#pragma once

// The texts every window shows for rubrics and remedies, composed one way so that all tables
// agree to the character, in Windows-1252; none of these fails.

#include "foundation/text/Windows1252Text.h"
#include "repertory/RepertoryDatabase.h"

#include <vector>

namespace telvarin {

// "%d" when the BD value is 0, the empty text otherwise.
Windows1252Text numberText(RubricNumber number, int bd);
// Rubric text and " [entryCount]"; empty for 0 or a number beyond the repertory.
Windows1252Text rubricText(const RepertoryDatabase& db, RubricNumber number);
// The order of a remedy list in a tip: as the repertory stores it, or the highest grade first and
// by name within a grade, as the printed repertories list them.
enum class RemedyListOrder { Stored, ByGrade };
// Five "abbrev(grade) " items per line, names padded to 13 characters, lines joined by CR LF.
Windows1252Text remedyListText(const RepertoryDatabase& db, RubricNumber number, int bd,
                               RemedyListOrder order = RemedyListOrder::Stored);
// The same list as rich text for a tip, five items a row, each "abbrev.&nbsp;(grade)" unbroken,
// also at the hyphen of "kali-n.". By grade it is set in the classical typefaces: grade 3 and
// above bold, grade 2 italic, grade 1 plain; the grade stays written, for screen readers and for
// copying. Empty for no rubric.
Windows1252Text remedyListHtml(const RepertoryDatabase& db, RubricNumber number, int bd,
                               RemedyListOrder order = RemedyListOrder::Stored);
// Chapter name, a blank, section name of a rubric record index; empty when no section holds it.
Windows1252Text sectionHeading(const RepertoryDatabase& db, int rubricIndex);
// Name of the chapter holding a section; empty when none does.
Windows1252Text chapterNameOfSection(const RepertoryDatabase& db, int sectionIndex);
Windows1252Text remedyName(const RepertoryDatabase& db, int remedy);
// The words a rubric text refers to: "Kloßgefühl (siehe: Stein)" gives "Stein". Each "(siehe: ...)"
// in any letter case gives one, with its blanks tidied; none for a text without.
std::vector<Windows1252Text> crossReferences(Windows1252View rubricText);

} // namespace telvarin
