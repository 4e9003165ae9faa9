#pragma once

// The repertory of the benchmarks named ".../large": the generated one of tests/LargeRepertory.h,
// or the data file that TELVARIN_BENCH_REPERTORY names, so that the same figures can be taken on a
// real repertory (TELVARIN_BENCH_REPERTORY=path/kent-de.dat build/bench/analysis/analysis_benchmark).

#include "repertory/RepertoryDatabase.h"
#include "tests/LargeRepertory.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace telvarin::bench {

inline const char* chosenRepertoryFile() {
    const char* path = std::getenv("TELVARIN_BENCH_REPERTORY");
    return path != nullptr && *path != '\0' ? path : nullptr;
}

inline const RepertoryDatabase& largeOrChosenRepertory() {
    static const RepertoryDatabase* const db = []() -> const RepertoryDatabase* {
        const char* path = chosenRepertoryFile();
        if (path == nullptr)
            return &test::largeRepertory();
        static const RepertoryDatabase chosen = [path] {
            RepertoryLoadResult loaded = RepertoryDatabase::fromFile(path);
            if (auto* error = std::get_if<RepertoryLoadError>(&loaded))
                throw std::runtime_error(std::string(path) + ": " + error->message.bytes());
            return std::get<RepertoryDatabase>(std::move(loaded));
        }();
        return &chosen;
    }();
    return *db;
}

} // namespace telvarin::bench
