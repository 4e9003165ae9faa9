#pragma once

// The German umlauts as a keyboard without them spells them: "AE" for "Ä", "OE" for "Ö", "UE"
// for "Ü". In capitals of the code page, as the searches compare.

namespace telvarin {

// The capital umlaut that a vowel followed by "E" stands for, or 0.
constexpr char capitalUmlautOf(char capitalVowel) {
    switch (capitalVowel) {
    case 'A':
        return '\xC4';
    case 'O':
        return '\xD6';
    case 'U':
        return '\xDC';
    default:
        return 0;
    }
}

// The vowel that spells a capital umlaut with a following "E", or 0.
constexpr char vowelOfCapitalUmlaut(char capitalUmlaut) {
    for (const char vowel : {'A', 'O', 'U'})
        if (capitalUmlautOf(vowel) == capitalUmlaut)
            return vowel;
    return 0;
}

} // namespace telvarin
