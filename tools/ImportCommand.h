#pragma once

#include <ostream>
#include <span>
#include <string>

namespace telvarin {

// "import FORMAT SOURCE OUT": a data file from an exchange format (json folder or tsv file),
// written only when the loader accepts it.
int runImportCommand(std::span<const std::string> words, std::ostream& out, std::ostream& err);

} // namespace telvarin
