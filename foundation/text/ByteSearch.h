#pragma once

// The first place of a byte string in a text, from a position on: the C library's memmem where it
// has one (it jumps through long texts), the standard search where it has none (Windows).

#include <cstring>
#include <string_view>

namespace telvarin {

inline std::size_t findBytes(std::string_view text, std::size_t from, std::string_view piece) {
#if defined(_WIN32)
    return text.find(piece, from);
#else
    if (from > text.size())
        return std::string_view::npos;
    const void* found = ::memmem(text.data() + from, text.size() - from, piece.data(), piece.size());
    return found == nullptr ? std::string_view::npos
                            : static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
#endif
}

} // namespace telvarin
