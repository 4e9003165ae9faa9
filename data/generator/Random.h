#pragma once

// Deterministic randomness: splitmix64 and integer-only draws, so that every standard library
// gives the same repertory.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace telvarin::generator {

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in [0, bound).
    int below(int bound) { return static_cast<int>(next() % static_cast<std::uint64_t>(bound)); }
    bool percent(int chance) { return below(100) < chance; }

private:
    std::uint64_t state_;
};

// A list drawn from with falling weights: the first items are common, the last ones rare.
class SkewedList {
public:
    SkewedList() = default;
    SkewedList(std::vector<std::string> items, int offset) : items_(std::move(items)) {
        std::uint64_t total = 0;
        for (std::size_t k = 0; k < items_.size(); ++k) {
            total += 1000000 / (k + static_cast<std::size_t>(offset));
            cumulative_.push_back(total);
        }
    }
    bool empty() const { return items_.empty(); }
    std::size_t size() const { return items_.size(); }
    const std::string& operator[](std::size_t k) const { return items_[k]; }
    std::size_t drawIndex(Random& random) const {
        const std::uint64_t point = random.next() % cumulative_.back();
        return static_cast<std::size_t>(std::upper_bound(cumulative_.begin(), cumulative_.end(), point) -
                                        cumulative_.begin());
    }
    const std::string& draw(Random& random) const { return items_[drawIndex(random)]; }

private:
    std::vector<std::string> items_;
    std::vector<std::uint64_t> cumulative_;
};

// "a|b|c" as its items.
std::vector<std::string> splitList(std::string_view list);

// The items of a "|"-separated list, the first ones common, the last ones rare.
SkewedList skewed(std::string_view list, int offset = 2);

} // namespace telvarin::generator
