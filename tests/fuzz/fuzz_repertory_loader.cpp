// Feeds arbitrary bytes to the repertory loader: it must refuse or accept, never read out of range.
#include "repertory/RepertoryDatabase.h"
#include "repertory/RepertoryTexts.h"

#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    // The loader reads records in place and wants them aligned like the embedded file.
    std::vector<std::byte> bytes(size);
    if (size > 0)
        std::memcpy(bytes.data(), data, size);
    const telvarin::RepertoryLoadResult result = telvarin::RepertoryDatabase::fromBytes(bytes);
    if (const auto* db = std::get_if<telvarin::RepertoryDatabase>(&result)) {
        for (int n = 1; n <= db->rubricCount(); ++n) {
            (void)telvarin::remedyListText(*db, n, 0);
            (void)telvarin::sectionHeading(*db, n - 1);
        }
    }
    return 0;
}
