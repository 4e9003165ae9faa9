#pragma once

// Texts that go into the history file must fit its code page: a character it cannot hold would be
// stored as "?" and make different names equal ("Łukasz" and "Żukasz" would become one case).

#include <string>
#include <string_view>

namespace telvarin {

// Empty when every character of the UTF-8 text fits the history file. Otherwise a German message
// in UTF-8 (it has to show the characters themselves) that names them, with their code points,
// and proposes the usual plain letters where there are any. field is the subject of the sentence,
// "Der Name" or "Der Kommentar".
std::string unstorableTextMessage(std::string_view field, std::string_view utf8Text);

// The UTF-8 text with each letter that is followed by a combining mark composed into the one
// letter of the code page that they spell, as Unicode's composition (NFC) does, and the few signs
// that NFC replaces by one of the code page ("\u212B" by "\u00C5"): a name pasted as "Mu" and
// U+0308 "ller" becomes "M\u00FCller". Characters the code page cannot hold either way stay.
std::string composedForHistory(std::string_view utf8Text);

// Empty when the UTF-8 text holds no control character (line breaks and tabs allowed where
// lineBreaksAllowed). Otherwise a German message in UTF-8 that names the first one.
std::string controlCharacterMessage(std::string_view field, std::string_view utf8Text,
                                    bool lineBreaksAllowed);

// Empty when the UTF-8 text holds no invisible format character (a soft hyphen U+00AD, a
// zero-width space, a direction mark). Otherwise a German message in UTF-8 that names the first
// one: in a name it would make a second case that looks the same as the first.
std::string formatCharacterMessage(std::string_view field, std::string_view utf8Text);

} // namespace telvarin
