#pragma once

#include "repertory/RepertoryDatabase.h"

#include <cstddef>
#include <span>

namespace telvarin {

// The repertory data file compiled into the program, byte for byte.
std::span<const std::byte> builtinRepertoryBytes();
// The built-in repertory, validated. Fails only when the program was built with a damaged file.
RepertoryLoadResult loadBuiltinRepertory();

} // namespace telvarin
