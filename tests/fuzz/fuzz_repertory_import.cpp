// Any bytes into the importer's readers: the tsv import must refuse them with a message or hand
// back a data file that the loader accepts, and the json reader must return or refuse, never
// crash or run away on nesting.

#include "repertory/JsonReader.h"
#include "repertory/RepertoryDatabase.h"
#include "repertory/RepertoryImport.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // A json text starts with its object; everything else is taken as tsv.
    if (text.starts_with('{')) {
        (void)telvarin::parseJson(text);
        return 0;
    }
    const telvarin::RepertoryImportResult imported = telvarin::importTsvRepertory(text, "fuzz.tsv");
    if (const auto* repertory = std::get_if<telvarin::ImportedRepertory>(&imported)) {
        if (std::holds_alternative<telvarin::RepertoryLoadError>(
                telvarin::RepertoryDatabase::fromBytes(repertory->bytes)))
            std::abort();
    }
    return 0;
}
