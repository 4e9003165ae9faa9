#pragma once

// The generated repertory as the text source that telvarin-repertory compiles (data/README.md).

#include "data/generator/Repertory.h"

#include <string>

namespace telvarin::generator {

std::string sourceText(const Repertory& repertory);

} // namespace telvarin::generator
