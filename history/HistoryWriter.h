#pragma once

#include "history/CaseHistory.h"

#include <string>

namespace telvarin {

// The whole history file as bytes: CR LF line ends (a line break inside a text gets its CR too,
// so CR LF in memory becomes CR CR LF), TAB indentation, names and comments with escaped quotes.
std::string composeHistoryText(const CaseHistory& history);

} // namespace telvarin
