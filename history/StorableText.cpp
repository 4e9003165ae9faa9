#include "history/StorableText.h"

#include "foundation/text/CodePage.h"

#include <cstdio>

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
    std::string text = "\xE2\x80\x9E";
    appendUtf8(text, cp);
    char code[16];
    std::snprintf(code, sizeof code, "\xE2\x80\x9C (U+%04X)", static_cast<unsigned>(cp));
    return text + code;
}

std::string quotedPlain(std::string_view plain) {
    return "\xE2\x80\x9E" + std::string(plain) + "\xE2\x80\x9C";
}

} // namespace

std::string unstorableTextMessage(std::string_view field, std::string_view utf8Text) {
    const std::u32string outside = codePointsOutsideWindows1252(utf8Text);
    if (outside.empty())
        return {};
    std::string message(field);
    message += " enth\xC3\xA4lt Zeichen, die die Fallhistorie nicht speichern kann: ";
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
