#include "data/BuiltinRepertory.h"

extern "C" {
extern const unsigned char telvarin_repertory_begin[];
extern const unsigned char telvarin_repertory_end[];
}

namespace telvarin {

std::span<const std::byte> builtinRepertoryBytes() {
    const auto* begin = reinterpret_cast<const std::byte*>(telvarin_repertory_begin);
    const auto* end = reinterpret_cast<const std::byte*>(telvarin_repertory_end);
    return {begin, static_cast<std::size_t>(end - begin)};
}

RepertoryLoadResult loadBuiltinRepertory() {
    return RepertoryDatabase::fromBytes(builtinRepertoryBytes());
}

} // namespace telvarin
