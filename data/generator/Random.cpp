#include "data/generator/Random.h"

namespace telvarin::generator {

std::vector<std::string> splitList(std::string_view list) {
    std::vector<std::string> items;
    while (!list.empty()) {
        const std::size_t bar = list.find('|');
        items.emplace_back(list.substr(0, bar));
        list = bar == std::string_view::npos ? std::string_view{} : list.substr(bar + 1);
    }
    return items;
}

SkewedList skewed(std::string_view list, int offset) {
    return SkewedList(splitList(list), offset);
}

} // namespace telvarin::generator
