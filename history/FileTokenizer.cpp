#include "history/FileTokenizer.h"

#include "foundation/files/FileKind.h"

#include <memory>

namespace telvarin {

Tokenizer tokenizerForFile(const std::string& path, TokenTable keywords, TokenTable operators,
                           std::size_t blockSize) {
    auto opened = openRegularFile(path);
    auto* file = std::get_if<RegularFileReader>(&opened);
    if (file == nullptr)
        throw UnreadableFileError(path, -1);
    const std::uint64_t size = file->size();
    // Shared, as the tokenizer's reader must be copyable; the file closes with the tokenizer.
    auto reader = std::make_shared<RegularFileReader>(std::move(*file));
    return Tokenizer::fromReader(
        path, [reader](char* into, std::size_t wanted) { return reader->read(into, wanted).value_or(0); },
        size, keywords, operators, blockSize);
}

} // namespace telvarin
