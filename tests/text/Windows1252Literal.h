#pragma once

// Test data that owns its Windows-1252 text, spelled as the core's literals are: the cases,
// treatments and names the tests build hold Windows1252Text, which a view does not become
// implicitly.

#include "foundation/text/Windows1252Text.h"

#include <cstddef>
#include <string>

namespace telvarin::testing {

inline Windows1252Text operator""_text(const char* text, std::size_t size) {
    return Windows1252Text(std::string(text, size));
}

} // namespace telvarin::testing
