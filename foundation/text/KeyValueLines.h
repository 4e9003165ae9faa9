#pragma once

// The small "Key: value" files beside a data file and a history: one entry a line, the key before
// the first colon; blanks around key and value do not count, and a line without a colon is passed
// over, so that a note or an empty line does no harm.

#include "foundation/text/Trimmed.h"

#include <string_view>

namespace telvarin {

// Calls entry(key, value) for each "Key: value" line of text, in order.
template <class Entry>
void forEachKeyValueLine(std::string_view text, Entry&& entry) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const std::size_t colon = line.find(':');
        if (colon != std::string_view::npos)
            entry(trimmed(line.substr(0, colon)), trimmed(line.substr(colon + 1)));
    }
}

} // namespace telvarin
