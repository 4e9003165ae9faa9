#include "history/HistoryFile.h"

#include "foundation/CodePage.h"
#include "foundation/Tokenizer.h"
#include "history/HistoryReader.h"
#include "history/HistoryWriter.h"

#include <filesystem>
#include <new>

namespace telvarin {
namespace {

namespace fs = std::filesystem;

// Missing, or there but without a byte: the ordinary state before the first case is filed.
bool isMissingOrEmpty(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found)
        return true;
    if (ec || status.type() != fs::file_type::regular)
        return false;
    return fs::file_size(path, ec) == 0 && !ec;
}

bool isSameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    if (fs::equivalent(a, b, ec))
        return true;
    return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}

HistorySaveResult writeHistoryText(const CaseHistory& history, const std::string& path,
                                   const FileSystemCalls& calls) {
    if (replaceFileContents(path, composeHistoryText(history), calls))
        return {};
    return {HistorySaveStatus::WriteFailed, historyWriteFailedMessage(path)};
}

} // namespace

std::string unreadableHistoryMessage(const std::string& path) {
    return "Die Fallhistorie \"" + utf8ToWindows1252(path) +
           "\" konnte nicht gelesen werden. Sie wurde nicht ver\xE4"
           "ndert, damit die darin abgelegten F\xE4"
           "lle erhalten bleiben.";
}

std::string historyWriteFailedMessage(const std::string& path) {
    return "Die Fallhistorie \"" + utf8ToWindows1252(path) +
           "\" konnte nicht geschrieben werden. Die bisherige Datei ist unver\xE4"
           "ndert.";
}

CaseHistory loadHistory(const std::string& path, ErrorReporter* reporter) {
    CaseHistory history;
    history.path = path;
    if (isMissingOrEmpty(path))
        return history;
    try {
        Tokenizer tokenizer = Tokenizer::fromFile(path, {}, historyOperatorTable());
        history.cases = readHistoryCases(tokenizer);
        history.loaded = true;
    } catch (const ExceptionFileError&) {
        history.unreadable = true;
    } catch (MyException& error) {
        history.unreadable = true;
        if (reporter != nullptr)
            error.report(*reporter);
    } catch (const std::bad_alloc&) {
        history.unreadable = true;
    }
    return history;
}

HistorySaveResult saveHistory(const CaseHistory& history, const FileSystemCalls& calls) {
    if (history.unreadable)
        return {HistorySaveStatus::Refused, unreadableHistoryMessage(history.path)};
    return writeHistoryText(history, history.path, calls);
}

HistorySaveResult saveHistoryAs(const CaseHistory& history, const std::string& path,
                                const FileSystemCalls& calls) {
    if (history.unreadable && isSameFile(path, history.path))
        return {HistorySaveStatus::Refused, unreadableHistoryMessage(history.path)};
    return writeHistoryText(history, path, calls);
}

} // namespace telvarin
