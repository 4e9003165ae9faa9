#include "tools/CliOptions.h"

namespace telvarin {

void printMessage(Windows1252View message, std::ostream& err) {
    const std::string text = utf8Of(message);
    err << text << (text.empty() || text.back() != '\n' ? "\n" : "");
}

std::string CliArguments::value(const std::string& option, std::size_t i) const {
    const auto it = options.find(option);
    if (it == options.end() || i >= it->second.size())
        return {};
    return it->second[i];
}

CliArguments parseCliArguments(std::span<const std::string> words, const std::map<std::string, int>& arity) {
    CliArguments parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        // Only words starting with "--" are options, so entries such as -12 or -5+8 stay arguments.
        if (optionsEnded || word.rfind("--", 0) != 0) {
            parsed.positional.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const auto spec = arity.find(word);
        if (spec == arity.end()) {
            parsed.error = "Unbekannte Option: " + word;
            return parsed;
        }
        std::vector<std::string>& values = parsed.options[word];
        for (int k = 0; k < spec->second; ++k) {
            if (i + 1 >= words.size()) {
                parsed.error = "Option " + word + " erwartet " + std::to_string(spec->second) + " Wert(e)";
                return parsed;
            }
            values.push_back(words[++i]);
        }
    }
    return parsed;
}

} // namespace telvarin
