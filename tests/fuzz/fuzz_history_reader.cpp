// Any bytes into the history reader: it must throw one of the tokenizer's exceptions or give cases
// that the writer writes and the reader reads back unchanged.

#include "history/HistoryReader.h"
#include "history/HistoryWriter.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

telvarin::CaseHistory readOrAbort(const std::string& text) {
    telvarin::CaseHistory history;
    try {
        history.cases = telvarin::readHistoryText(text);
    } catch (const telvarin::TokenizerError&) {
        std::abort(); // the writer's own output must always load
    }
    return history;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    telvarin::CaseHistory first;
    try {
        first.cases = telvarin::readHistoryText(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const telvarin::TokenizerError&) {
        return 0;
    }
    // A lone LF in a value is written as CR LF (text mode) and comes back as CR LF; from the
    // second generation on, texts and bytes stay the same.
    const telvarin::CaseHistory second = readOrAbort(telvarin::composeHistoryText(first));
    const std::string secondText = telvarin::composeHistoryText(second);
    const telvarin::CaseHistory third = readOrAbort(secondText);
    if (third.cases != second.cases || telvarin::composeHistoryText(third) != secondText)
        std::abort();
    return 0;
}
