#pragma once

// The order of German dictionaries and telephone books (DIN 5007, form 1) for Windows-1252 texts:
// letters with umlauts or accents stand with their base letter (Ä with A, Ö with O, é with e),
// ß as ss, and letter case counts only where the texts are otherwise equal. So "Ärmel" comes
// between "Becker" and "Zander", not after "Z" as the bytes of the code page would put it.

#include <string>
#include <string_view>

namespace telvarin {

// The text as it is compared first: letters in capitals without their marks, ß as SS.
std::string germanBaseLetters(std::string_view text);

// Negative, 0 or positive. Texts equal in their base letters are ordered by their capitals
// (plain before marked: "Arm" before "Ärm"), then by their bytes, so that only equal texts
// compare equal.
int compareGerman(std::string_view a, std::string_view b);
// The same, without regard to letter case: only texts that differ in case alone compare equal.
int compareGermanIgnoringCase(std::string_view a, std::string_view b);

inline bool germanLess(std::string_view a, std::string_view b) {
    return compareGerman(a, b) < 0;
}

} // namespace telvarin
