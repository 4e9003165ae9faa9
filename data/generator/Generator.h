#pragma once

// The reference repertory, made up deterministically from one seed in the shape of a real one:
// the remedies first, then the rubric texts, the sizes of the rubrics and their remedy lists.

#include "data/generator/Repertory.h"

namespace telvarin::generator {

Repertory generateRepertory();

} // namespace telvarin::generator
