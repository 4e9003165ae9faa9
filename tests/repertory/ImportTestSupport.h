#pragma once

// Reading the outcome of an import in tests: the database of an accepted one, its remedy lists as
// short texts, and the message of a refused one.

#include "repertory/RemedyEntry.h"
#include "repertory/RepertoryDatabase.h"
#include "repertory/RepertoryImport.h"

#include <gtest/gtest.h>
#include <string>

namespace telvarin::test {

// The bytes stay owned by the result, which must outlive the database.
inline RepertoryDatabase importedDatabase(const RepertoryImportResult& result) {
    if (const auto* error = std::get_if<RepertoryImportError>(&result))
        ADD_FAILURE() << error->message;
    return std::get<RepertoryDatabase>(
        RepertoryDatabase::fromBytes(std::get<ImportedRepertory>(result).bytes));
}
// A temporary result would be gone before the database is read.
RepertoryDatabase importedDatabase(RepertoryImportResult&&) = delete;

inline const ImportReport& importReport(const RepertoryImportResult& result) {
    return std::get<ImportedRepertory>(result).report;
}

// "acon.3 ars.2" for the remedy list of a rubric record.
inline std::string entriesText(const RepertoryDatabase& db, int rubric) {
    std::string text;
    for (const RemedyEntry entry : db.remedyList(rubric))
        text.append(text.empty() ? "" : " ")
            .append(db.remedyName(remedyOf(entry)).bytes())
            .append(std::to_string(gradeOf(entry)));
    return text;
}

inline std::string refusal(const RepertoryImportResult& result) {
    const auto* error = std::get_if<RepertoryImportError>(&result);
    return error ? error->message : "(angenommen)";
}

} // namespace telvarin::test
