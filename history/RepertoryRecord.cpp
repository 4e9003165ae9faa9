#include "history/RepertoryRecord.h"

#include "foundation/files/FileKind.h"
#include "foundation/files/FileReplacement.h"
#include "foundation/files/Utf8Paths.h"
#include "foundation/text/CodePage.h"
#include "repertory/RepertoryChoice.h"

#include <algorithm>
#include <filesystem>

namespace telvarin {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kNameKey = "Repertorium";
constexpr std::string_view kChecksumKey = "Pr\xC3\xBC"
                                          "fsumme";
constexpr std::size_t kChecksumLength = 16;
constexpr std::uint64_t kLargestRecord = 64 * 1024;

fs::path resolved(const std::string& historyPath) {
    return pathFromUtf8(resolvedPath(historyPath));
}

// A record is read by those who may read its history, and by no one else.
bool writeRecordOf(const std::string& historyPath, std::string_view content) {
    ReplaceOptions shared;
    shared.accessModel = resolvedPath(historyPath);
    return replaceFileContents(repertoryRecordPath(historyPath), content, FileSystemCalls::system(), shared);
}

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isChecksum(std::string_view text) {
    return text.size() == kChecksumLength && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

std::string quoted(const std::string& name) {
    return "\x84" + name + "\x93";
}

} // namespace

bool sameRepertory(const RepertoryIdentity& a, const RepertoryIdentity& b) {
    return !a.checksum.empty() && a.checksum == b.checksum;
}

std::string repertoryRecordPath(const std::string& historyPath) {
    return utf8FromPath(resolved(historyPath).replace_extension(kRepertoryRecordExtension));
}

std::string composeRepertoryRecord(const RepertoryIdentity& identity) {
    return std::string(kNameKey) + ": " + windows1252ToUtf8(identity.name) + "\n" +
           std::string(kChecksumKey) + ": " + identity.checksum + "\n";
}

std::optional<RepertoryIdentity> parseRepertoryRecord(std::string_view utf8Text) {
    RepertoryIdentity identity;
    while (!utf8Text.empty()) {
        const std::size_t end = utf8Text.find('\n');
        const std::string_view line = utf8Text.substr(0, end);
        utf8Text = end == std::string_view::npos ? std::string_view() : utf8Text.substr(end + 1);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            continue;
        const std::string_view key = trimmed(line.substr(0, colon));
        const std::string_view value = trimmed(line.substr(colon + 1));
        if (key == kNameKey)
            identity.name = utf8ToWindows1252(value);
        else if (key == kChecksumKey)
            identity.checksum = std::string(value);
    }
    if (!isChecksum(identity.checksum))
        return std::nullopt;
    return identity;
}

RepertoryRecord readRepertoryRecord(const std::string& historyPath) {
    const FileReadResult read = readRegularFile(repertoryRecordPath(historyPath), kLargestRecord);
    if (const auto* error = std::get_if<FileReadError>(&read))
        return {error->missing ? RecordState::Missing : RecordState::Unreadable, {}};
    const std::optional<RepertoryIdentity> identity = parseRepertoryRecord(std::get<std::string>(read));
    if (!identity)
        return {RecordState::Unreadable, {}};
    return {RecordState::Present, *identity};
}

bool writeRepertoryRecord(const std::string& historyPath, const RepertoryIdentity& identity) {
    return writeRecordOf(historyPath, composeRepertoryRecord(identity));
}

bool copyRepertoryRecord(const std::string& fromHistory, const std::string& toHistory) {
    const FileReadResult read = readRegularFile(repertoryRecordPath(fromHistory), kLargestRecord);
    if (const auto* error = std::get_if<FileReadError>(&read))
        return error->missing;
    return writeRecordOf(toHistory, std::get<std::string>(read));
}

RepertoryIdentity builtinRepertoryIdentity(std::span<const std::byte> bytes) {
    return {std::string(kBuiltinRepertoryName), repertoryChecksum(bytes)};
}

RepertoryIdentity repertoryFileIdentity(const std::string& path, std::span<const std::byte> bytes) {
    return {repertoryDisplayName(repertoryInfoOf(path), path), repertoryChecksum(bytes)};
}

RepertoryIdentity legacyRepertoryOf(const std::string& historyPath, const RepertoryIdentity& builtin) {
    const std::string own = utf8FromPath(resolved(historyPath).parent_path() / kOwnRepertoryFileName);
    if (fileKindOf(own) == FileKind::Missing)
        return builtin;
    return {repertoryDisplayName(repertoryInfoOf(own), own), repertoryFileChecksum(own).value_or("")};
}

HistoryBinding historyBinding(const CaseHistory& history, const ProgramRepertories& program) {
    const RepertoryRecord record = readRepertoryRecord(history.path);
    if (history.cases.empty()) {
        const bool recorded =
            record.state == RecordState::Present && sameRepertory(record.identity, program.inUse);
        return {program.inUse, record.state, !recorded};
    }
    switch (record.state) {
    case RecordState::Present:
        return {record.identity, record.state, false};
    case RecordState::Unreadable:
        // Never guessed and never written over: the user has to look at it.
        return {{}, record.state, false};
    case RecordState::Missing:
        break;
    }
    return {legacyRepertoryOf(history.path, program.builtin), RecordState::Missing, true};
}

bool belongsToOtherRepertory(const HistoryBinding& binding, const ProgramRepertories& program) {
    return !sameRepertory(binding.repertory, program.inUse);
}

std::string otherRepertoryMessage(const std::string& historyPath, const HistoryBinding& binding,
                                  const ProgramRepertories& program) {
    const std::string unchanged = " Es wird nichts abgelegt und nichts \xFC"
                                  "bernommen; die Fallhistorie bleibt unver\xE4ndert.";
    if (binding.record == RecordState::Unreadable)
        return "Die Datei \"" + utf8ToWindows1252(repertoryRecordPath(historyPath)) +
               "\", die angibt, zu welchem Repertorium die Rubriknummern der Fallhistorie geh\xF6ren, kann "
               "nicht gelesen werden." +
               unchanged;
    return "Die Rubriknummern der Fallhistorie \"" + utf8ToWindows1252(historyPath) +
           "\" geh\xF6ren zum Repertorium " + quoted(binding.repertory.name) +
           ", das Programm arbeitet aber mit dem Repertorium " + quoted(program.inUse.name) +
           ". In einem anderen Repertorium bedeutet dieselbe Nummer ein anderes Symptom." + unchanged +
           "\n\nUm mit dieser Fallhistorie zu arbeiten, w\xE4hlen Sie unter \x84" +
           "Eigenschaften\x93 als Repertorium " + quoted(binding.repertory.name) +
           " und starten das Programm neu.";
}

std::string repertoryNotice(const HistoryBinding& binding, const ProgramRepertories& program) {
    if (binding.record == RecordState::Unreadable)
        return "Es ist nicht lesbar, zu welchem Repertorium die Rubriknummern dieser Fallhistorie "
               "geh\xF6ren; \xDC"
               "bernehmen und Ablegen sind gesperrt.";
    if (!belongsToOtherRepertory(binding, program))
        return "Die Rubriknummern geh\xF6ren zu " + quoted(binding.repertory.name) + ".";
    return "Die Rubriknummern geh\xF6ren zu " + quoted(binding.repertory.name) + ", nicht zu " +
           quoted(program.inUse.name) +
           "; \xDC"
           "bernehmen und Ablegen sind gesperrt.";
}

} // namespace telvarin
