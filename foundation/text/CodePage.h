#pragma once

// Conversion between the Windows-1252 byte strings of the core and Unicode. Every one of the 256
// bytes has a code point (the five bytes that Windows-1252 leaves undefined map to the C1 control
// characters of the same value), so decoding and encoding again gives back the same bytes.

#include <string>
#include <string_view>

namespace telvarin {

char32_t codePointOfWindows1252(unsigned char byte);
// The Windows-1252 byte of a code point, or '?' when the code page has none.
unsigned char windows1252OfCodePoint(char32_t codePoint);

std::string windows1252ToUtf8(std::string_view bytes);
// Invalid UTF-8 sequences and characters outside the code page become '?'.
std::string utf8ToWindows1252(std::string_view utf8);

// The characters of a UTF-8 text that the code page cannot hold, each once, in the order of their
// first appearance; an invalid UTF-8 sequence counts as U+FFFD. Empty when the whole text fits.
std::u32string codePointsOutsideWindows1252(std::string_view utf8);
// How a letter outside the code page is usually written without its accent ("S" for U+015E,
// "L" for U+0141); empty when there is no usual plain spelling.
std::string asciiTransliteration(char32_t codePoint);

// Capitals as the searches compare them: a-z and the Windows-1252 letters with a capital in the
// code page (ä to Ä, š to Š, ÿ to Ÿ, ...); ß and every other byte stay as they are.
unsigned char toUpperWindows1252(unsigned char byte);
std::string toUpperWindows1252(std::string_view bytes);

} // namespace telvarin
