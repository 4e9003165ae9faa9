#pragma once

// The tokenizer over a file, read as foundation/files reads one: opened without blocking and only
// when it is a regular file.

#include "foundation/text/Tokenizer.h"

#include <string>

namespace telvarin {

// Throws UnreadableFileError (error number -1) when the file cannot be opened, is no regular file
// or is empty.
Tokenizer tokenizerForFile(const std::string& path, TokenTable keywords, TokenTable operators,
                           std::size_t blockSize = Tokenizer::kDefaultBlockSize);

} // namespace telvarin
