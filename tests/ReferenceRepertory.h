#pragma once

// The built-in reference repertory, validated once per test or benchmark program and shared by
// all its cases, so that each case does not pay for loading it again.

#include "data/BuiltinRepertory.h"

#include <stdexcept>

namespace telvarin::test {

inline const RepertoryDatabase& referenceRepertory() {
    static const RepertoryDatabase db = [] {
        RepertoryLoadResult loaded = loadBuiltinRepertory();
        if (auto* error = std::get_if<RepertoryLoadError>(&loaded))
            throw std::runtime_error(error->message.bytes());
        return std::get<RepertoryDatabase>(std::move(loaded));
    }();
    return db;
}

} // namespace telvarin::test
