#pragma once

#include <ostream>
#include <span>
#include <string>

namespace telvarin {

// "import FORMAT SOURCE OUT": a data file from an exchange format (json folder, tsv file or
// OpenRep folder, the latter optionally with --chapter-order FILE), written only when the loader
// accepts it; the import report follows the figures.
int runImportCommand(std::span<const std::string> words, std::ostream& out, std::ostream& err);

} // namespace telvarin
