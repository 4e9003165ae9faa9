#include "data/BuiltinRepertory.h"

// The data file's first byte and the byte after its last (builtin_repertory.S). Hidden: in the
// shared library only the function below is seen from outside, so the bytes are never copied into
// the program at load time.
extern "C" {
__attribute__((visibility("hidden"))) extern const unsigned char telvarin_repertory_begin[];
__attribute__((visibility("hidden"))) extern const unsigned char telvarin_repertory_end[];
}

namespace telvarin {

std::span<const std::byte> builtinRepertoryBytes() {
    const auto* begin = reinterpret_cast<const std::byte*>(telvarin_repertory_begin);
    const auto* end = reinterpret_cast<const std::byte*>(telvarin_repertory_end);
    return {begin, static_cast<std::size_t>(end - begin)};
}

} // namespace telvarin
