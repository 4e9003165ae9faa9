#include "history/StorableText.h"

#include "foundation/text/CodePage.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <utility>

namespace telvarin {
namespace {

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
        return;
    }
    if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
    } else {
        if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        }
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (cp & 0x3F));
}

// „Ł“ (U+0141): the character itself may be invisible or look like another one.
std::string quoted(char32_t cp) {
    std::string text = "„";
    appendUtf8(text, cp);
    char code[16];
    std::snprintf(code, sizeof code, "“ (U+%04X)", static_cast<unsigned>(cp));
    return text + code;
}

// The code points of a UTF-8 text; an invalid sequence gives U+FFFD.
std::u32string decodeUtf8(std::string_view text) {
    std::u32string decoded;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const std::size_t length = byte < 0x80    ? 1
                                   : byte >= 0xF0 ? 4
                                   : byte >= 0xE0 ? 3
                                   : byte >= 0xC0 ? 2
                                                  : 0;
        char32_t cp = length == 1   ? byte
                      : length == 2 ? byte & 0x1F
                      : length == 3 ? byte & 0x0F
                                    : byte & 0x07;
        bool valid = length > 0 && byte < 0xF8 && i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            cp = (cp << 6) | (next & 0x3F);
        }
        decoded += valid ? cp : U'\uFFFD';
        i += valid ? length : 1;
    }
    return decoded;
}

// The code page's letters that are a letter and one combining mark: for each mark, the base
// letters and what each becomes.
struct Composition {
    char32_t mark;
    std::string_view bases;
    std::u32string_view composed;
};
constexpr Composition kCompositions[] = {
    {U'\u0300', "AEIOUaeiou", U"ÀÈÌÒÙàèìòù"},
    {U'\u0301', "AEIOUYaeiouy", U"ÁÉÍÓÚÝáéíóúý"},
    {U'\u0302', "AEIOUaeiou", U"ÂÊÎÔÛâêîôû"},
    {U'\u0303', "ANOano", U"ÃÑÕãñõ"},
    {U'\u0308', "AEIOUYaeiouy", U"ÄËÏÖÜŸäëïöüÿ"},
    {U'\u030A', "Aa", U"Åå"},
    {U'\u030C', "SZsz", U"ŠŽšž"},
    {U'\u0327', "Cc", U"Çç"},
};

// The signs NFC replaces by another one on their own (singletons) where that one is the code
// page's or a mark that composes.
char32_t singletonReplacement(char32_t cp) {
    switch (cp) {
    case U'\u0340':
        return U'\u0300';
    case U'\u0341':
        return U'\u0301';
    case U'\u037E':
        return U';';
    case U'\u0387':
        return U'\u00B7';
    case U'\u1FEF':
        return U'`';
    case U'\u1FFD':
        return U'\u00B4';
    case U'\u212A':
        return U'K';
    case U'\u212B':
        return U'\u00C5';
    default:
        return cp;
    }
}

bool isControlCharacter(char32_t cp) {
    return cp < 0x20 || (cp >= 0x7F && cp < 0xA0) || cp == U'\u2028' || cp == U'\u2029';
}

// Unicode's format characters (general category Cf): they show nothing, or change only how the
// text around them is laid out.
bool isFormatCharacter(char32_t cp) {
    constexpr std::pair<char32_t, char32_t> kRanges[] = {
        {0x00AD, 0x00AD},   {0x0600, 0x0605},   {0x061C, 0x061C},   {0x06DD, 0x06DD},   {0x070F, 0x070F},
        {0x0890, 0x0891},   {0x08E2, 0x08E2},   {0x180E, 0x180E},   {0x200B, 0x200F},   {0x202A, 0x202E},
        {0x2060, 0x2064},   {0x2066, 0x206F},   {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD},
        {0x110CD, 0x110CD}, {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001},
        {0xE0020, 0xE007F},
    };
    return std::any_of(std::begin(kRanges), std::end(kRanges),
                       [cp](const auto& range) { return cp >= range.first && cp <= range.second; });
}

std::string codeText(char32_t cp) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
    return code;
}

std::string quotedPlain(std::string_view plain) {
    return "„" + std::string(plain) + "“";
}

} // namespace

std::string composedForHistory(std::string_view utf8Text) {
    std::u32string composed;
    for (char32_t cp : decodeUtf8(utf8Text)) {
        cp = singletonReplacement(cp);
        const auto joined =
            std::find_if(std::begin(kCompositions), std::end(kCompositions), [&](const Composition& c) {
                return c.mark == cp && !composed.empty() && composed.back() < 0x80 &&
                       c.bases.find(static_cast<char>(composed.back())) != std::string_view::npos;
            });
        if (joined == std::end(kCompositions))
            composed += cp;
        else
            composed.back() = joined->composed[joined->bases.find(static_cast<char>(composed.back()))];
    }
    std::string text;
    for (const char32_t cp : composed)
        appendUtf8(text, cp);
    return text;
}

std::string controlCharacterMessage(std::string_view field, std::string_view utf8Text,
                                    bool lineBreaksAllowed) {
    for (const char32_t cp : decodeUtf8(utf8Text)) {
        if ((lineBreaksAllowed && (cp == U'\r' || cp == U'\n' || cp == U'\t')) || !isControlCharacter(cp))
            continue;
        const std::string code = codeText(cp);
        const std::string_view kind = cp == U'\r' || cp == U'\n' ? ", Zeilenumbruch"
                                      : cp == U'\t'              ? ", Tabulator"
                                                                 : "";
        return std::string(field) + " enthält ein Steuerzeichen (" + code + std::string(kind) +
               "), das in der Fallhistorie nicht stehen darf; es wurde nichts abgelegt.";
    }
    return {};
}

std::string formatCharacterMessage(std::string_view field, std::string_view utf8Text) {
    for (const char32_t cp : decodeUtf8(utf8Text)) {
        if (!isFormatCharacter(cp))
            continue;
        const std::string_view kind = cp == U'\u00AD' ? ", weiches Trennzeichen" : "";
        return std::string(field) + " enthält ein unsichtbares Formatzeichen (" + codeText(cp) +
               std::string(kind) + "), das in der Fallhistorie nicht stehen darf; es wurde nichts abgelegt.";
    }
    return {};
}

std::string unstorableTextMessage(std::string_view field, std::string_view utf8Text) {
    const std::u32string outside = codePointsOutsideWindows1252(utf8Text);
    if (outside.empty())
        return {};
    std::string message(field);
    message += " enthält Zeichen, die die Fallhistorie nicht speichern kann: ";
    std::string suggestion;
    for (std::size_t i = 0; i < outside.size(); ++i) {
        if (i > 0)
            message += ", ";
        message += quoted(outside[i]);
        const std::string plain = asciiTransliteration(outside[i]);
        if (!plain.empty()) {
            suggestion += suggestion.empty() ? "\nVorschlag: " : ", ";
            std::string character;
            appendUtf8(character, outside[i]);
            suggestion += quotedPlain(character) + " als " + quotedPlain(plain);
        }
    }
    message += "." + suggestion + (suggestion.empty() ? "" : ".");
    message += "\nBitte ersetzen oder entfernen Sie diese Zeichen; es wurde nichts abgelegt.";
    return message;
}

} // namespace telvarin
