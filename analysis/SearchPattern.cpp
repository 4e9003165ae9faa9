#include "analysis/SearchPattern.h"

#include "foundation/text/ByteSearch.h"
#include "foundation/text/UmlautSpelling.h"

#include <algorithm>

namespace telvarin {

SearchPattern::SearchPattern(std::string capitals) : text_(std::move(capitals)) {
    for (std::size_t i = 0; i < text_.size(); ++i) {
        const char umlaut = capitalUmlautOf(text_[i]);
        if (umlaut != 0 && i + 1 < text_.size() && text_[i + 1] == 'E') {
            steps_.push_back({text_[i], umlaut});
            ++umlautPairs_;
            ++i;
        } else {
            steps_.push_back({text_[i], 0});
        }
    }
    if (umlautPairs_ == 0)
        return;
    // Both spellings of a pair start with a different byte, so a match is found without going back;
    // the anchor only spares trying every position of a long text.
    std::size_t bestStart = 0, bestLength = 0;
    std::size_t minOffset = 0, maxOffset = 0, bestMin = 0, bestMax = 0;
    for (std::size_t i = 0; i < steps_.size();) {
        if (steps_[i].umlaut != 0) {
            minOffset += 1;
            maxOffset += 2;
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < steps_.size() && steps_[end].umlaut == 0)
            ++end;
        if (end - i > bestLength) {
            bestStart = i;
            bestLength = end - i;
            bestMin = minOffset;
            bestMax = maxOffset;
        }
        minOffset += end - i;
        maxOffset += end - i;
        i = end;
    }
    for (std::size_t i = bestStart; i < bestStart + bestLength; ++i)
        anchor_ += steps_[i].byte;
    anchorMinOffset_ = bestMin;
    anchorMaxOffset_ = bestMax;
}

std::vector<std::string> SearchPattern::spellings() const {
    std::vector<std::string> spellings{std::string()};
    for (const Step& step : steps_) {
        const std::size_t count = spellings.size();
        for (std::size_t i = 0; i < count; ++i) {
            if (step.umlaut != 0) {
                spellings.push_back(spellings[i] + step.umlaut);
                spellings[i] += step.byte;
                spellings[i] += 'E';
            } else {
                spellings[i] += step.byte;
            }
        }
    }
    return spellings;
}

std::size_t SearchPattern::matchAt(std::string_view text, std::size_t at) const {
    std::size_t pos = at;
    for (const Step& step : steps_) {
        if (pos >= text.size())
            return std::string_view::npos;
        if (step.umlaut != 0 && text[pos] == step.umlaut) {
            ++pos;
        } else if (text[pos] != step.byte) {
            return std::string_view::npos;
        } else if (step.umlaut != 0) {
            if (pos + 1 >= text.size() || text[pos + 1] != 'E')
                return std::string_view::npos;
            pos += 2;
        } else {
            ++pos;
        }
    }
    return pos - at;
}

std::size_t SearchPattern::find(std::string_view text, std::size_t from) const {
    // Mostly short texts (the runs of the word index, headings): a plain search costs least.
    if (umlautPairs_ == 0)
        return text.find(text_, from);
    if (anchor_.empty()) {
        // Only pairs, as "UE": short enough to try at every position.
        for (std::size_t at = from; at < text.size(); ++at) {
            if (matchAt(text, at) != std::string_view::npos)
                return at;
        }
        return std::string_view::npos;
    }
    std::size_t searchFrom = from + anchorMinOffset_;
    while (searchFrom < text.size()) {
        const std::size_t hit = findBytes(text, searchFrom, anchor_);
        if (hit == std::string_view::npos)
            return std::string_view::npos;
        const std::size_t lowest = hit >= anchorMaxOffset_ ? hit - anchorMaxOffset_ : 0;
        for (std::size_t at = std::max(lowest, from); at + anchorMinOffset_ <= hit; ++at) {
            if (matchAt(text, at) != std::string_view::npos)
                return at;
        }
        searchFrom = hit + 1;
    }
    return std::string_view::npos;
}

} // namespace telvarin
