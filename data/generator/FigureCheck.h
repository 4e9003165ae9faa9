#pragma once

// The check that the generated repertory meets every published figure; the generator writes no
// source where one is off.

#include "data/generator/Repertory.h"

#include <string>
#include <vector>

namespace telvarin::generator {

// What is off, one line each; empty when every figure holds.
std::vector<std::string> checkFigures(const Repertory& repertory);

} // namespace telvarin::generator
