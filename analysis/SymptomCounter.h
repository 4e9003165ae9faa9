#pragma once

// How often each (number, BD value) pair stands in the case, so that isInCase needs no scan of
// up to 6,000 rows for every entered symptom and every analysed row.

#include "analysis/CaseSymptom.h"

#include <cstdint>
#include <unordered_map>

namespace telvarin {

class SymptomCounter {
public:
    void add(RubricNumber number, int bd) {
        if (number != 0)
            ++counts_[key(number, bd)];
    }
    void remove(RubricNumber number, int bd) {
        if (number == 0)
            return;
        const auto it = counts_.find(key(number, bd));
        if (it != counts_.end() && --it->second == 0)
            counts_.erase(it);
    }
    bool contains(RubricNumber number, int bd) const { return counts_.count(key(number, bd)) != 0; }
    void clear() { counts_.clear(); }

private:
    static std::uint64_t key(RubricNumber number, int bd) {
        return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(number)) << 32) |
               static_cast<std::uint32_t>(bd);
    }
    std::unordered_map<std::uint64_t, int> counts_;
};

} // namespace telvarin
