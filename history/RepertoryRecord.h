#pragma once

// A case history stores rubric numbers, and a number means something else in another repertory.
// A small record beside the history file ("historie.repertorium" beside "historie.xml") names the
// repertory its numbers belong to, so that the history file itself keeps its format. The record
// is UTF-8 text of two lines:
//
//     Repertorium: Kent, Homöopathisches Repertorium (deutsch)
//     Nummerierung: 0123456789abcdef
//
// The numbering (see repertoryNumbering) decides, not the bytes of the data file: an edition that
// corrects a grade or adds a counter-polarity keeps every history bound to it, and an edition
// whose info file declares an earlier numbering "Kompatibel" does too. The name is what the
// messages show. Records written before numberings hold "Prüfsumme:", the checksum of the data
// file's bytes; they stay valid for that file as long as it is unchanged, and for every later
// edition of a repertory the program shipped under that checksum (knownEditionNumbering).
//
// A history that holds cases but has no readable record, or one whose numbers do not fit the
// repertory the record names, is bound to nothing: nothing is guessed, the user says which
// repertory it belongs to (bindHistory, "telvarin-repertory history H --bind DATA" or the history
// window's question).

#include "history/CaseHistory.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace telvarin {

class RepertoryDatabase;
struct RepertoryInfo;

// What a record says.
struct RecordedRepertory {
    Windows1252Text name;
    std::string numbering;      // empty in a record written before numberings
    std::string legacyChecksum; // the data file's checksum, in such a record
    friend bool operator==(const RecordedRepertory&, const RecordedRepertory&) = default;
};

// A repertory the program has at hand.
struct RepertoryIdentity {
    Windows1252Text name;
    std::string numbering;
    std::string checksum;                // of its data file's bytes
    std::vector<std::string> compatible; // numberings of earlier editions its numbers keep
    int largestRubricNumber = 0;
    std::string dataFile; // empty for the built-in repertory
    friend bool operator==(const RepertoryIdentity&, const RepertoryIdentity&) = default;
};

RepertoryIdentity builtinRepertoryIdentity(const RepertoryDatabase& db);
// A repertory read from a data file, named as repertoryDisplayName names it.
RepertoryIdentity repertoryFileIdentity(const std::string& path, const RepertoryDatabase& db);
RepertoryIdentity repertoryIdentity(const RepertoryDatabase& db, const RepertoryInfo& info,
                                    const std::string& dataFile);
RecordedRepertory recordOf(const RepertoryIdentity& repertory);

// The numbering of a shipped edition known by the checksum a record of an earlier version holds;
// nothing for any other checksum.
std::optional<std::string> knownEditionNumbering(std::string_view checksum);
// Whether the numbers a record names mean the same rubrics in repertory.
bool recordFits(const RecordedRepertory& record, const RepertoryIdentity& repertory);
// Whether two records name the same numbering.
bool sameNumbering(const RecordedRepertory& a, const RecordedRepertory& b);

inline constexpr std::string_view kRepertoryRecordExtension = ".repertorium";

// Beside the file a link points to, as the backups are.
std::string repertoryRecordPath(const std::string& historyPath);
std::string composeRepertoryRecord(const RecordedRepertory& record);
// Nothing when the text holds neither a numbering nor a checksum of 16 hexadecimal digits.
std::optional<RecordedRepertory> parseRepertoryRecord(std::string_view utf8Text);

enum class RecordState { Missing, Present, Unreadable };

struct RepertoryRecord {
    RecordState state = RecordState::Missing;
    RecordedRepertory recorded;
};

RepertoryRecord readRepertoryRecord(const std::string& historyPath);
// Each true only when the record is on disk as asked (or, removed, no longer there).
bool writeRepertoryRecord(const std::string& historyPath, const RecordedRepertory& record);
bool removeRepertoryRecord(const std::string& historyPath);
std::string recordWriteFailedMessage(const std::string& historyPath);

// The record of one history file becomes that of another (a backup, or a backup put back); when
// the first has none, the second has none afterwards either. False when that failed.
bool copyRepertoryRecord(const std::string& fromHistory, const std::string& toHistory);

// What a program checks a history against: the repertory it works with, and the built-in one.
struct ProgramRepertories {
    RepertoryIdentity inUse;
    RepertoryIdentity builtin;
};

// Whether any treatment holds a symptom, and so a number that belongs to some repertory.
bool holdsNumbers(const CaseHistory& history);
// The largest rubric number (counter-polarities by their rubric) the treatments hold; 0 for none.
int largestRubricNumberIn(const CaseHistory& history);
bool holdsEveryNumber(const RepertoryIdentity& repertory, int largestNumber);

enum class BindingState {
    NoCases, // holds no numbers: the next filing binds it to the repertory in use
    Bound,   // to the repertory its record names
    Unbound, // holds cases, but no record says to which repertory they belong
};

struct HistoryBinding {
    BindingState state = BindingState::NoCases;
    RecordState record = RecordState::Missing;
    RecordedRepertory recorded; // when the record is present
    int largestNumber = 0;
};

// history as loaded from its file (history.path). A record that names the repertory in use while
// the history holds a number beyond it is wrong, and the history bound to nothing.
HistoryBinding historyBinding(const CaseHistory& history, const ProgramRepertories& program);
// The same from what is known of a history kept elsewhere (on a server): its record, whether it
// holds numbers, and the largest of them.
HistoryBinding historyBinding(const RepertoryRecord& record, bool numbersHeld, int largestNumber,
                              const ProgramRepertories& program);
// Whether filing into the history and taking over from it are refused: it is bound to nothing or
// to another repertory.
bool belongsToOtherRepertory(const HistoryBinding& binding, const ProgramRepertories& program);

// Why nothing is filed into or taken over from the history, and how to choose its repertory; German,
// Windows-1252.
std::string otherRepertoryMessage(const std::string& historyPath, const HistoryBinding& binding,
                                  const ProgramRepertories& program);
// The repertories a history bound to nothing may belong to: of the program's and those in
// dataFiles (that load), each that holds every number in the history, each numbering once, the
// one in use first.
std::vector<RepertoryIdentity> repertoriesFitting(const CaseHistory& history,
                                                  const ProgramRepertories& program,
                                                  const std::vector<std::string>& dataFiles);
// The question the history window asks about a history bound to nothing.
std::string unboundHistoryQuestion(const std::string& historyPath, const HistoryBinding& binding);
// How a repertory is offered: its name, and the data file when it has one.
Windows1252Text repertoryChoiceText(const RepertoryIdentity& repertory);

// The line the history window shows about the repertory of its numbers; it says when that is
// another one than the program's, or none.
std::string repertoryNotice(const HistoryBinding& binding, const ProgramRepertories& program);

} // namespace telvarin
