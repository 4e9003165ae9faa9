#include "history/RepertoryRecord.h"

#include "foundation/files/FileKind.h"
#include "foundation/files/FileReplacement.h"
#include "foundation/files/Utf8Paths.h"
#include "foundation/text/CodePage.h"
#include "foundation/text/KeyValueLines.h"
#include "repertory/RepertoryDatabase.h"
#include "repertory/RepertoryInfo.h"

#include <algorithm>
#include <filesystem>
#include <limits>

namespace telvarin {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kNameKey = "Repertorium";
constexpr std::string_view kNumberingKey = "Nummerierung";
constexpr std::string_view kChecksumKey = "Prü"
                                          "fsumme";
constexpr std::uint64_t kLargestRecord = 64 * 1024;

// The shipped editions whose histories were bound by the checksum of their bytes: the checksum
// then, and the numbering of that edition. Later editions that keep the numbering keep these
// histories.
struct KnownEdition {
    std::string_view checksum;
    std::string_view numbering;
};
constexpr KnownEdition kKnownEditions[] = {
    {"d6a194a4f1150ba0", "4c40e26d678b3a4e"}, // kent-de.dat of version 2.0.3
    {"793c9a6b7b3c2d34", "5db5cd830b6a9459"}, // the built-in repertory of version 2.0.3
};

fs::path resolved(const std::string& historyPath) {
    return pathFromUtf8(resolvedPath(historyPath));
}

// A record is read by those who may read its history, and by no one else.
bool writeRecordOf(const std::string& historyPath, std::string_view content) {
    ReplaceOptions shared;
    shared.accessModel = resolvedPath(historyPath);
    return replaceFileContents(repertoryRecordPath(historyPath), content, FileSystemCalls::system(), shared);
}

std::string quoted(Windows1252View name) {
    return "\x84" + std::string(name.bytes()) + "\x93";
}

// The numbering a record stands for, as far as it can be known without the data file.
std::string numberingOf(const RecordedRepertory& record) {
    if (!record.numbering.empty())
        return record.numbering;
    return std::string(knownEditionNumbering(record.legacyChecksum).value_or(""));
}

} // namespace

RepertoryIdentity repertoryIdentity(const RepertoryDatabase& db, const RepertoryInfo& info,
                                    const std::string& dataFile) {
    return {dataFile.empty() ? info.name : repertoryDisplayName(info, dataFile),
            repertoryNumbering(db),
            repertoryChecksum(db.fileBytes()),
            dataFile.empty() ? std::vector<std::string>() : compatibleNumberingsOf(dataFile),
            db.largestRubricNumber(),
            dataFile};
}

RepertoryIdentity builtinRepertoryIdentity(const RepertoryDatabase& db) {
    return repertoryIdentity(db, builtinRepertoryInfo(), {});
}

RepertoryIdentity repertoryFileIdentity(const std::string& path, const RepertoryDatabase& db) {
    return repertoryIdentity(db, repertoryInfoOf(path), path);
}

RecordedRepertory recordOf(const RepertoryIdentity& repertory) {
    return {repertory.name, repertory.numbering, {}};
}

std::optional<std::string> knownEditionNumbering(std::string_view checksum) {
    for (const KnownEdition& edition : kKnownEditions) {
        if (edition.checksum == checksum)
            return std::string(edition.numbering);
    }
    return std::nullopt;
}

bool recordFits(const RecordedRepertory& record, const RepertoryIdentity& repertory) {
    // A record of an earlier version fits the very file it was written for.
    if (record.numbering.empty() && !record.legacyChecksum.empty() &&
        record.legacyChecksum == repertory.checksum)
        return true;
    const std::string numbering = numberingOf(record);
    return !numbering.empty() && (numbering == repertory.numbering ||
                                  std::find(repertory.compatible.begin(), repertory.compatible.end(),
                                            numbering) != repertory.compatible.end());
}

bool sameNumbering(const RecordedRepertory& a, const RecordedRepertory& b) {
    const std::string first = numberingOf(a);
    if (!first.empty())
        return first == numberingOf(b);
    return !a.legacyChecksum.empty() && a.legacyChecksum == b.legacyChecksum;
}

std::string repertoryRecordPath(const std::string& historyPath) {
    return utf8FromPath(resolved(historyPath).replace_extension(kRepertoryRecordExtension));
}

std::string composeRepertoryRecord(const RecordedRepertory& record) {
    std::string text = std::string(kNameKey) + ": " + utf8Of(record.name) + "\n";
    if (!record.numbering.empty())
        text += std::string(kNumberingKey) + ": " + record.numbering + "\n";
    else
        text += std::string(kChecksumKey) + ": " + record.legacyChecksum + "\n";
    return text;
}

std::optional<RecordedRepertory> parseRepertoryRecord(std::string_view utf8Text) {
    RecordedRepertory record;
    forEachKeyValueLine(utf8Text, [&record](std::string_view key, std::string_view value) {
        if (key == kNameKey)
            record.name = windows1252Of(value);
        else if (key == kNumberingKey)
            record.numbering = std::string(value);
        else if (key == kChecksumKey)
            record.legacyChecksum = std::string(value);
    });
    if (!record.numbering.empty()) {
        if (!isNumbering(record.numbering))
            return std::nullopt;
        record.legacyChecksum.clear();
        return record;
    }
    if (!isNumbering(record.legacyChecksum))
        return std::nullopt;
    return record;
}

RepertoryRecord readRepertoryRecord(const std::string& historyPath) {
    const FileReadResult read = readRegularFile(repertoryRecordPath(historyPath), kLargestRecord);
    if (const auto* error = std::get_if<FileReadError>(&read))
        return {error->missing ? RecordState::Missing : RecordState::Unreadable, {}};
    const std::optional<RecordedRepertory> record = parseRepertoryRecord(std::get<std::string>(read));
    if (!record)
        return {RecordState::Unreadable, {}};
    return {RecordState::Present, *record};
}

bool writeRepertoryRecord(const std::string& historyPath, const RecordedRepertory& record) {
    return writeRecordOf(historyPath, composeRepertoryRecord(record));
}

bool removeRepertoryRecord(const std::string& historyPath) {
    std::error_code ec;
    const fs::path record = pathFromUtf8(repertoryRecordPath(historyPath));
    fs::remove(record, ec);
    return !ec && fileKindOf(utf8FromPath(record)) == FileKind::Missing;
}

std::string recordWriteFailedMessage(const std::string& historyPath) {
    return "Die Datei \"" + utf8ToWindows1252(repertoryRecordPath(historyPath)) +
           "\", die angibt, zu welchem Repertorium die Rubriknummern der Fallhistorie geh\xF6ren, konnte "
           "nicht geschrieben werden.";
}

bool copyRepertoryRecord(const std::string& fromHistory, const std::string& toHistory) {
    const FileReadResult read = readRegularFile(repertoryRecordPath(fromHistory), kLargestRecord);
    if (const auto* error = std::get_if<FileReadError>(&read))
        return error->missing && removeRepertoryRecord(toHistory);
    return writeRecordOf(toHistory, std::get<std::string>(read));
}

int largestRubricNumberIn(const CaseHistory& history) {
    std::int64_t largest = 0;
    for (const HistoryCase& c : history.cases) {
        for (const Treatment& t : c.treatments) {
            for (const SymptomRef& s : t.symptoms) {
                // Only a symptom without BD value names a rubric.
                if (s.bd == 0)
                    largest =
                        std::max(largest, s.number < 0 ? -std::int64_t{s.number} : std::int64_t{s.number});
            }
        }
    }
    return static_cast<int>(std::min<std::int64_t>(largest, std::numeric_limits<int>::max()));
}

bool holdsEveryNumber(const RepertoryIdentity& repertory, int largestNumber) {
    return largestNumber <= repertory.largestRubricNumber;
}

bool holdsNumbers(const CaseHistory& history) {
    return std::any_of(history.cases.begin(), history.cases.end(), [](const HistoryCase& c) {
        return std::any_of(c.treatments.begin(), c.treatments.end(),
                           [](const Treatment& t) { return !t.symptoms.empty(); });
    });
}

namespace {

// The name of a repertory, and its numbering when the other one it is named beside has the same
// name, so that two editions can be told apart.
std::string nameBeside(Windows1252View name, const std::string& numbering, Windows1252View other) {
    if (name != other || numbering.empty())
        return quoted(name);
    return quoted(name) + " (Nummerierung " + numbering + ")";
}

} // namespace

HistoryBinding historyBinding(const CaseHistory& history, const ProgramRepertories& program) {
    return historyBinding(readRepertoryRecord(history.path), holdsNumbers(history),
                          largestRubricNumberIn(history), program);
}

HistoryBinding historyBinding(const RepertoryRecord& record, bool numbersHeld, int largestNumber,
                              const ProgramRepertories& program) {
    HistoryBinding binding{BindingState::Unbound, record.state, record.recorded, largestNumber};
    if (!numbersHeld)
        binding.state = BindingState::NoCases;
    else if (record.state == RecordState::Present && (!recordFits(record.recorded, program.inUse) ||
                                                      holdsEveryNumber(program.inUse, binding.largestNumber)))
        binding.state = BindingState::Bound;
    return binding;
}

bool belongsToOtherRepertory(const HistoryBinding& binding, const ProgramRepertories& program) {
    switch (binding.state) {
    case BindingState::NoCases:
        return false;
    case BindingState::Bound:
        return !recordFits(binding.recorded, program.inUse);
    case BindingState::Unbound:
        break;
    }
    return true;
}

std::string otherRepertoryMessage(const std::string& historyPath, const HistoryBinding& binding,
                                  const ProgramRepertories& program) {
    const std::string history = utf8ToWindows1252(historyPath);
    const std::string unchanged = " Es wird nichts abgelegt und nichts \xFC"
                                  "bernommen; die Fallhistorie bleibt unver\xE4ndert.";
    if (binding.state == BindingState::Unbound) {
        std::string why;
        if (binding.record == RecordState::Missing)
            why = "es fehlt die Datei \"" + utf8ToWindows1252(repertoryRecordPath(historyPath)) +
                  "\", die es angibt";
        else if (binding.record == RecordState::Unreadable)
            why = "die Datei \"" + utf8ToWindows1252(repertoryRecordPath(historyPath)) +
                  "\", die es angibt, kann nicht gelesen werden";
        else
            why = "sie nennt das Repertorium " + quoted(binding.recorded.name) + ", doch die Rubriknummer " +
                  std::to_string(binding.largestNumber) + " geht \xFC" + "ber dessen " +
                  std::to_string(program.inUse.largestRubricNumber) + " Rubriken hinaus";
        return "Die Fallhistorie \"" + history +
               "\" enth\xE4lt F\xE4lle, aber es ist nicht sicher, zu welchem Repertorium ihre Rubriknummern "
               "geh\xF6ren: " +
               why + "." + unchanged +
               "\n\nGeben Sie an, zu welchem Repertorium sie geh\xF6ren: im Fenster \x84"
               "Fallhistorie\x93 oder mit\n    telvarin-repertory history \"" +
               history + "\" --bind DATENDATEI\n(f\xFCr das eingebaute Repertorium: --bind eingebaut).";
    }
    return "Die Rubriknummern der Fallhistorie \"" + history + "\" geh\xF6ren zum Repertorium " +
           nameBeside(binding.recorded.name, numberingOf(binding.recorded), program.inUse.name) +
           ", das Programm arbeitet aber mit dem Repertorium " +
           nameBeside(program.inUse.name, program.inUse.numbering, binding.recorded.name) +
           ". In einem anderen Repertorium bedeutet dieselbe Nummer ein anderes Symptom." + unchanged +
           "\n\nUm mit dieser Fallhistorie zu arbeiten, w\xE4hlen Sie unter \x84"
           "Eigenschaften\x93 als Repertorium " +
           quoted(binding.recorded.name) + " und starten das Programm neu.";
}

std::vector<RepertoryIdentity> repertoriesFitting(const CaseHistory& history,
                                                  const ProgramRepertories& program,
                                                  const std::vector<std::string>& dataFiles) {
    const int largest = largestRubricNumberIn(history);
    std::vector<RepertoryIdentity> fitting;
    const auto offer = [&](RepertoryIdentity repertory) {
        const bool known = std::any_of(fitting.begin(), fitting.end(), [&](const RepertoryIdentity& r) {
            return r.numbering == repertory.numbering;
        });
        if (!repertory.numbering.empty() && !known && holdsEveryNumber(repertory, largest))
            fitting.push_back(std::move(repertory));
    };
    offer(program.inUse);
    offer(program.builtin);
    for (const std::string& file : dataFiles) {
        const RepertoryLoadResult loaded = RepertoryDatabase::fromFile(file);
        if (const auto* db = std::get_if<RepertoryDatabase>(&loaded))
            offer(repertoryFileIdentity(file, *db));
    }
    return fitting;
}

std::string unboundHistoryQuestion(const std::string& historyPath, const HistoryBinding& binding) {
    const std::string lost = binding.record == RecordState::Present
                                 ? "Die Angabe dazu passt nicht zu ihren Rubriknummern."
                                 : "Die Datei mit dieser Angabe fehlt oder ist nicht lesbar.";
    return "Es ist nicht festgehalten, zu welchem Repertorium die Rubriknummern der Fallhistorie \"" +
           utf8ToWindows1252(historyPath) + "\" geh\xF6ren. " + lost +
           "\n\nZu welchem Repertorium geh\xF6ren sie? Angeboten werden die Repertorien, in denen es jede "
           "ihrer Nummern gibt. Bis Sie es angeben, sind \xDC"
           "bernehmen und Ablegen gesperrt.";
}

Windows1252Text repertoryChoiceText(const RepertoryIdentity& repertory) {
    if (repertory.dataFile.empty() || repertory.name == windows1252Of(repertory.dataFile))
        return repertory.name;
    return repertory.name + " ("_w1252 + windows1252Of(repertory.dataFile) + ")"_w1252;
}

std::string repertoryNotice(const HistoryBinding& binding, const ProgramRepertories& program) {
    if (binding.state == BindingState::Unbound)
        return "Es ist nicht festgehalten, zu welchem Repertorium die Rubriknummern dieser Fallhistorie "
               "geh\xF6ren; \xDC"
               "bernehmen und Ablegen sind gesperrt.";
    if (binding.state == BindingState::NoCases)
        return "Die Rubriknummern geh\xF6ren zu " + quoted(program.inUse.name) + ".";
    if (!belongsToOtherRepertory(binding, program))
        return "Die Rubriknummern geh\xF6ren zu " + quoted(binding.recorded.name) + ".";
    return "Die Rubriknummern geh\xF6ren zu " +
           nameBeside(binding.recorded.name, numberingOf(binding.recorded), program.inUse.name) +
           ", nicht zu " + nameBeside(program.inUse.name, program.inUse.numbering, binding.recorded.name) +
           "; \xDC"
           "bernehmen und Ablegen sind gesperrt.";
}

} // namespace telvarin
