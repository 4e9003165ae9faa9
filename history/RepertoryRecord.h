#pragma once

// A case history stores rubric numbers, and a number means something else in another repertory.
// A small record beside the history file ("historie.repertorium" beside "historie.xml") names the
// repertory its numbers belong to, so that the history file itself keeps its format. The record
// is UTF-8 text of two lines:
//
//     Repertorium: Kent, Homöopathisches Repertorium (deutsch)
//     Prüfsumme: 0123456789abcdef
//
// The checksum of the data file decides; the name is what the messages show.

#include "history/CaseHistory.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace telvarin {

struct RepertoryIdentity {
    std::string name;     // Windows-1252
    std::string checksum; // empty when unknown; then it equals no repertory
    friend bool operator==(const RepertoryIdentity&, const RepertoryIdentity&) = default;
};

bool sameRepertory(const RepertoryIdentity& a, const RepertoryIdentity& b);

inline constexpr std::string_view kRepertoryRecordExtension = ".repertorium";

// Beside the file a link points to, as the backups are.
std::string repertoryRecordPath(const std::string& historyPath);
std::string composeRepertoryRecord(const RepertoryIdentity& identity);
// Nothing when the text holds no checksum of 16 hexadecimal digits.
std::optional<RepertoryIdentity> parseRepertoryRecord(std::string_view utf8Text);

enum class RecordState { Missing, Present, Unreadable };

struct RepertoryRecord {
    RecordState state = RecordState::Missing;
    RepertoryIdentity identity;
};

RepertoryRecord readRepertoryRecord(const std::string& historyPath);
bool writeRepertoryRecord(const std::string& historyPath, const RepertoryIdentity& identity);

// The record of one history file becomes that of another (a backup, or a backup put back); when
// the first has none, the second keeps its own. False when a record was there but not copied.
bool copyRepertoryRecord(const std::string& fromHistory, const std::string& toHistory);

// The built-in repertory, known by the bytes of its data file.
RepertoryIdentity builtinRepertoryIdentity(std::span<const std::byte> bytes);
// A repertory read from a data file, named as repertoryDisplayName names it.
RepertoryIdentity repertoryFileIdentity(const std::string& path, std::span<const std::byte> bytes);

// What a program checks a history against: the repertory it works with, and the built-in one.
struct ProgramRepertories {
    RepertoryIdentity inUse;
    RepertoryIdentity builtin;
};

// The repertory of a history written before there were records: the one that program used, which
// is "repertorium.dat" in the history's folder when there is one, else the built-in repertory.
RepertoryIdentity legacyRepertoryOf(const std::string& historyPath, const RepertoryIdentity& builtin);

// Which repertory the numbers of a history belong to. A history without cases holds no numbers and
// belongs to the repertory in use.
struct HistoryBinding {
    RepertoryIdentity repertory;
    RecordState record = RecordState::Missing;
    bool needsRecord = false; // the next save of the history writes the record
};

// history as loaded from its file (history.path).
HistoryBinding historyBinding(const CaseHistory& history, const ProgramRepertories& program);
bool belongsToOtherRepertory(const HistoryBinding& binding, const ProgramRepertories& program);

// Why nothing is filed into or taken over from the history, and how to choose its repertory; German,
// Windows-1252.
std::string otherRepertoryMessage(const std::string& historyPath, const HistoryBinding& binding,
                                  const ProgramRepertories& program);
// The line the history window shows about the repertory of its numbers; it says when that is
// another one than the program's.
std::string repertoryNotice(const HistoryBinding& binding, const ProgramRepertories& program);

} // namespace telvarin
