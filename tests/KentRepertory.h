#pragma once

// Kent's repertory in German as the build made it (kent-de.dat in the build tree), loaded once per
// program. Needs the target repertory_kent_de.

#include "repertory/RepertoryDatabase.h"

#include <stdexcept>

namespace telvarin::test {

inline const RepertoryDatabase& kentRepertory() {
    static const RepertoryDatabase db = [] {
        RepertoryLoadResult loaded = RepertoryDatabase::fromFile(TELVARIN_KENT_DE_BUILD_FILE);
        if (auto* error = std::get_if<RepertoryLoadError>(&loaded))
            throw std::runtime_error(error->message.bytes());
        return std::get<RepertoryDatabase>(std::move(loaded));
    }();
    return db;
}

} // namespace telvarin::test
