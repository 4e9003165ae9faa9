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

} // namespace telvarin
