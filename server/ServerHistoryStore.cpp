#include "server/ServerHistoryStore.h"

#include "foundation/text/CodePage.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>
#include <utility>

namespace telvarin {

namespace {

// Raised inside a transaction when the server refuses a statement or the connection breaks; the
// action then rolls back and reports the message.
struct ServerFailure {
    std::string message; // German, Windows-1252
};

// Serialises creating and updating the tables among programs starting at the same moment.
constexpr const char* kSchemaLockKey = "730105";

constexpr const char* kCreateTables = R"(
CREATE TABLE telvarin_schema (version integer NOT NULL);
INSERT INTO telvarin_schema VALUES (1);
CREATE TABLE telvarin_binding (
    only_row boolean PRIMARY KEY DEFAULT true CHECK (only_row),
    recorded boolean NOT NULL DEFAULT false,
    repertory_name text NOT NULL DEFAULT '',
    numbering text NOT NULL DEFAULT '',
    legacy_checksum text NOT NULL DEFAULT '',
    numbers_held boolean NOT NULL DEFAULT false,
    largest_number integer NOT NULL DEFAULT 0);
INSERT INTO telvarin_binding DEFAULT VALUES;
CREATE TABLE telvarin_case (
    id bigint PRIMARY KEY,
    position bigint NOT NULL,
    name text NOT NULL,
    name_key text NOT NULL);
CREATE INDEX telvarin_case_name_key ON telvarin_case (name_key, position);
CREATE INDEX telvarin_case_position ON telvarin_case (position);
CREATE TABLE telvarin_treatment (
    id bigint PRIMARY KEY,
    case_id bigint NOT NULL REFERENCES telvarin_case ON DELETE CASCADE,
    position bigint NOT NULL,
    date_stamp text NOT NULL,
    comment text NOT NULL,
    preferred integer NOT NULL DEFAULT 0);
CREATE INDEX telvarin_treatment_case ON telvarin_treatment (case_id, position);
CREATE TABLE telvarin_symptom (
    treatment_id bigint NOT NULL REFERENCES telvarin_treatment ON DELETE CASCADE,
    position integer NOT NULL,
    number integer NOT NULL,
    bd integer NOT NULL,
    PRIMARY KEY (treatment_id, position));
)";

// What brings the tables of version i + 1 to version i + 2. New tables are made as version 1 and
// brought up from there, so that a fresh server and an updated one hold the same tables.
constexpr const char* kMigrations[] = {
    // 2: the weight of a symptom (0 to 4) and what was prescribed after a treatment. Rows of
    // version 1 read as the file reads a history without them: weight 1, nothing prescribed.
    // The defaults go again once those rows hold them: a program of version 1 still running
    // would rewrite the tables without what it does not know of; without a default its
    // statements fail and nothing is lost.
    R"(
ALTER TABLE telvarin_symptom ADD COLUMN weight integer NOT NULL DEFAULT 1 CHECK (weight BETWEEN 0 AND 4);
ALTER TABLE telvarin_symptom ALTER COLUMN weight DROP DEFAULT;
ALTER TABLE telvarin_treatment ADD COLUMN remedy text NOT NULL DEFAULT '',
    ADD COLUMN potency text NOT NULL DEFAULT '', ADD COLUMN note text NOT NULL DEFAULT '';
ALTER TABLE telvarin_treatment ALTER COLUMN remedy DROP DEFAULT, ALTER COLUMN potency DROP DEFAULT,
    ALTER COLUMN note DROP DEFAULT;
)"};
static_assert(std::size(kMigrations) == ServerHistoryStore::kSchemaVersion - 1);

std::string utf8(std::string_view windows1252) {
    return windows1252ToUtf8(windows1252);
}

std::string nameKey(Windows1252View name) {
    return utf8(toUpperWindows1252(name.bytes()));
}

std::string numberArray(const std::vector<std::int64_t>& numbers) {
    std::string text = "{";
    for (std::size_t i = 0; i < numbers.size(); ++i)
        text += (i == 0 ? "" : ",") + std::to_string(numbers[i]);
    return text + "}";
}

struct Stats {
    bool numbersHeld = false;
    int largestNumber = 0;
};

std::string newerTablesMessage(const ServerConnection& server, std::int64_t found) {
    return "Die Fallhistorie auf dem Praxisserver " + utf8ToWindows1252(server.address().display()) +
           " hat Tabellen der Version " + std::to_string(found) + ", dieses Programm kennt nur die Version " +
           std::to_string(ServerHistoryStore::kSchemaVersion) +
           ". Eine neuere Ausgabe von Telvarin hat sie angelegt; bitte verwenden Sie diese.";
}

std::string creationFailure(const ServerConnection& server, const std::string& reason) {
    return "Auf dem Praxisserver " + utf8ToWindows1252(server.address().display()) +
           " k\xF6nnen die Tabellen der Fallhistorie nicht angelegt oder gelesen werden. Darf der Benutzer "
           "dort Tabellen anlegen (er sollte Eigent\xFCmer der Datenbank sein)?\n(" +
           utf8ToWindows1252(reason) + ")";
}

// Creates the tables, or updates older ones; a message when that fails or they are newer.
std::optional<std::string> prepareTables(ServerConnection& server) {
    const auto failed = [&](const ServerResult& result) {
        const std::string reason = result.error().empty() ? server.lastError() : result.error();
        server.exec("ROLLBACK");
        return creationFailure(server, reason);
    };
    if (ServerResult begun = server.exec("BEGIN"); !begun.ok())
        return failed(begun);
    if (ServerResult locked = server.exec("SELECT pg_advisory_xact_lock($1::bigint)", {kSchemaLockKey});
        !locked.ok())
        return failed(locked);
    ServerResult exists = server.exec("SELECT to_regclass('telvarin_schema') IS NOT NULL");
    if (!exists.ok())
        return failed(exists);
    if (exists.text(0, 0) != "t") {
        if (ServerResult created = server.script(kCreateTables); !created.ok())
            return failed(created);
    }
    ServerResult version = server.exec("SELECT max(version) FROM telvarin_schema");
    if (!version.ok())
        return failed(version);
    const std::int64_t found = version.number(0, 0);
    if (found > ServerHistoryStore::kSchemaVersion) {
        server.exec("ROLLBACK");
        return newerTablesMessage(server, found) + " Die Fallhistorie bleibt unver\xE4ndert.";
    }
    for (std::int64_t from = std::max<std::int64_t>(found, 1); from < ServerHistoryStore::kSchemaVersion;
         ++from) {
        if (ServerResult migrated = server.script(kMigrations[from - 1]); !migrated.ok())
            return failed(migrated);
    }
    if (found < ServerHistoryStore::kSchemaVersion) {
        if (ServerResult marked = server.exec("UPDATE telvarin_schema SET version = $1::integer",
                                              {std::to_string(ServerHistoryStore::kSchemaVersion)});
            !marked.ok())
            return failed(marked);
    }
    if (ServerResult committed = server.exec("COMMIT"); !committed.ok())
        return creationFailure(server, committed.error());
    return std::nullopt;
}

} // namespace

std::variant<std::unique_ptr<ServerHistoryStore>, std::string>
ServerHistoryStore::open(const std::string& uri, const std::string& password) {
    auto opened = ServerConnection::open(uri, password);
    if (auto* message = std::get_if<std::string>(&opened))
        return std::move(*message);
    auto& server = std::get<std::unique_ptr<ServerConnection>>(opened);
    // A filing reported done must survive a crash of the server a moment later, whatever the
    // server's own default.
    server->exec("SET synchronous_commit TO on");
    if (std::optional<std::string> refused = prepareTables(*server))
        return std::move(*refused);
    return std::unique_ptr<ServerHistoryStore>(new ServerHistoryStore(uri, password, std::move(server)));
}

ServerHistoryStore::ServerHistoryStore(std::string uri, std::string password,
                                       std::unique_ptr<ServerConnection> connection)
    : uri_(std::move(uri)), password_(std::move(password)), connection_(std::move(connection)) {}

ServerHistoryStore::~ServerHistoryStore() = default;

std::string ServerHistoryStore::location() const {
    return connection_->address().display();
}

ServerConnection& ServerHistoryStore::connection() {
    // A server restarted meanwhile is reached again; when it is still down, the broken
    // connection's statements fail and say so.
    if (connection_->broken()) {
        auto reopened = ServerConnection::open(uri_, password_);
        if (auto* server = std::get_if<std::unique_ptr<ServerConnection>>(&reopened)) {
            connection_ = std::move(*server);
            connection_->exec("SET synchronous_commit TO on");
        } else {
            throw ServerFailure{std::get<std::string>(reopened)};
        }
    }
    return *connection_;
}

namespace {

// Statements inside one transaction; the first failure ends it.
class Session {
public:
    Session(ServerConnection& server, std::string location)
        : server_(server), location_(std::move(location)) {}

    ServerResult run(const char* sql, const std::vector<std::string>& parameters = {}) {
        ServerResult result = server_.exec(sql, parameters);
        if (!result.ok())
            fail(result.error().empty() ? server_.lastError() : result.error());
        return result;
    }
    void copy(const char* statement, const std::string& rows) {
        if (const std::string failure = server_.copyIn(statement, rows); !failure.empty())
            fail(failure);
    }
    [[noreturn]] void fail(const std::string& reason);

    // Locks the record's row: writers wait here for each other. Tables a newer program updated
    // since this one opened them are not written: it would drop what it does not know of.
    std::pair<RepertoryRecord, Stats> lockRecord() {
        const ServerResult row = run(
            "SELECT recorded, repertory_name, numbering, legacy_checksum, numbers_held, "
            "largest_number, (SELECT max(version) FROM telvarin_schema) FROM telvarin_binding FOR UPDATE");
        if (row.rows() != 1)
            fail("telvarin_binding: " + std::to_string(row.rows()) + " Zeilen statt einer");
        if (const std::int64_t version = row.number(0, 6); version > ServerHistoryStore::kSchemaVersion)
            throw ServerFailure{newerTablesMessage(server_, version)};
        return {recordIn(row), Stats{row.text(0, 4) == "t", static_cast<int>(row.number(0, 5))}};
    }
    static RepertoryRecord recordIn(const ServerResult& row) {
        RepertoryRecord record;
        if (row.rows() == 1 && row.text(0, 0) == "t") {
            record.state = RecordState::Present;
            record.recorded = {windows1252Of(row.text(0, 1)), std::string(row.text(0, 2)),
                               std::string(row.text(0, 3))};
        }
        return record;
    }
    void setRecord(const std::optional<RecordedRepertory>& record) {
        run("UPDATE telvarin_binding SET recorded = $1::boolean, repertory_name = $2, numbering = $3, "
            "legacy_checksum = $4",
            {record ? "t" : "f", record ? utf8Of(record->name) : "", record ? record->numbering : "",
             record ? record->legacyChecksum : ""});
    }
    CaseHistory readAll();
    void rewriteAll(const CaseHistory& history);

private:
    ServerConnection& server_;
    std::string location_;
};

CaseHistory Session::readAll() {
    CaseHistory history;
    history.path = location_;
    const ServerResult cases = run("SELECT id, name FROM telvarin_case ORDER BY position, id");
    std::unordered_map<std::int64_t, std::size_t> caseAt;
    history.cases.reserve(static_cast<std::size_t>(cases.rows()));
    for (int row = 0; row < cases.rows(); ++row) {
        caseAt.emplace(cases.number(row, 0), history.cases.size());
        history.cases.push_back({windows1252Of(cases.text(row, 1)), {}});
    }
    const ServerResult treatments =
        run("SELECT id, case_id, date_stamp, comment, preferred, remedy, potency, note FROM "
            "telvarin_treatment ORDER BY case_id, position, id");
    std::unordered_map<std::int64_t, Treatment*> treatmentAt;
    treatmentAt.reserve(static_cast<std::size_t>(treatments.rows()));
    for (int row = 0; row < treatments.rows(); ++row) {
        const auto owner = caseAt.find(treatments.number(row, 1));
        if (owner == caseAt.end())
            continue;
        std::vector<Treatment>& list = history.cases[owner->second].treatments;
        list.push_back({utf8ToWindows1252(treatments.text(row, 2)),
                        windows1252Of(treatments.text(row, 3)),
                        static_cast<std::int32_t>(treatments.number(row, 4)),
                        {},
                        {windows1252Of(treatments.text(row, 5)), windows1252Of(treatments.text(row, 6)),
                         windows1252Of(treatments.text(row, 7))}});
    }
    // The addresses are taken once every list is complete; rows of one case come in order.
    std::unordered_map<std::int64_t, std::size_t> seen;
    for (int row = 0; row < treatments.rows(); ++row) {
        const std::int64_t caseId = treatments.number(row, 1);
        const auto owner = caseAt.find(caseId);
        if (owner == caseAt.end())
            continue;
        const std::size_t index = seen[caseId]++;
        treatmentAt.emplace(treatments.number(row, 0), &history.cases[owner->second].treatments[index]);
    }
    const ServerResult symptoms =
        run("SELECT treatment_id, number, bd, weight FROM telvarin_symptom ORDER BY treatment_id, position");
    Treatment* current = nullptr;
    std::int64_t currentId = -1;
    for (int row = 0; row < symptoms.rows(); ++row) {
        if (const std::int64_t id = symptoms.number(row, 0); id != currentId) {
            currentId = id;
            const auto found = treatmentAt.find(id);
            current = found != treatmentAt.end() ? found->second : nullptr;
        }
        if (current != nullptr)
            current->symptoms.push_back({static_cast<RubricNumber>(symptoms.number(row, 1)),
                                         static_cast<std::int32_t>(symptoms.number(row, 2)),
                                         static_cast<std::int32_t>(symptoms.number(row, 3))});
    }
    history.loaded = true;
    return history;
}

void Session::rewriteAll(const CaseHistory& history) {
    run("DELETE FROM telvarin_symptom");
    run("DELETE FROM telvarin_treatment");
    run("DELETE FROM telvarin_case");
    std::string cases;
    std::string treatments;
    std::string symptoms;
    std::int64_t treatmentId = 0;
    for (std::size_t c = 0; c < history.cases.size(); ++c) {
        const HistoryCase& historyCase = history.cases[c];
        const std::string caseId = std::to_string(c + 1);
        cases += caseId + '\t' + caseId + '\t';
        appendCopyField(cases, utf8Of(historyCase.name));
        cases += '\t';
        appendCopyField(cases, nameKey(historyCase.name));
        cases += '\n';
        for (std::size_t t = 0; t < historyCase.treatments.size(); ++t) {
            const Treatment& treatment = historyCase.treatments[t];
            const std::string id = std::to_string(++treatmentId);
            treatments += id + '\t' + caseId + '\t' + std::to_string(t + 1) + '\t';
            appendCopyField(treatments, utf8(treatment.dateStamp));
            treatments += '\t';
            appendCopyField(treatments, utf8Of(treatment.comment));
            treatments += '\t' + std::to_string(treatment.preferred);
            for (const Windows1252Text* text :
                 {&treatment.prescription.remedy, &treatment.prescription.potency,
                  &treatment.prescription.note}) {
                treatments += '\t';
                appendCopyField(treatments, utf8Of(*text));
            }
            treatments += '\n';
            for (std::size_t s = 0; s < treatment.symptoms.size(); ++s) {
                const SymptomRef& symptom = treatment.symptoms[s];
                symptoms += id + '\t' + std::to_string(s + 1) + '\t' + std::to_string(symptom.number) + '\t' +
                            std::to_string(symptom.bd) + '\t' + std::to_string(symptom.weight) + '\n';
            }
        }
    }
    copy("COPY telvarin_case (id, position, name, name_key) FROM STDIN", cases);
    copy("COPY telvarin_treatment (id, case_id, position, date_stamp, comment, preferred, remedy, potency, "
         "note) FROM STDIN",
         treatments);
    copy("COPY telvarin_symptom (treatment_id, position, number, bd, weight) FROM STDIN", symptoms);
    run("UPDATE telvarin_binding SET numbers_held = $1::boolean, largest_number = $2::integer",
        {holdsNumbers(history) ? "t" : "f", std::to_string(largestRubricNumberIn(history))});
}

} // namespace

namespace {

void Session::fail(const std::string& reason) {
    const std::string server = utf8ToWindows1252(server_.address().display());
    if (server_.broken())
        throw ServerFailure{"Die Verbindung zum Praxisserver " + server + " ist unterbrochen.\n(" +
                            utf8ToWindows1252(reason) + ")"};
    throw ServerFailure{"Der Praxisserver " + server + " hat die Anfrage nicht ausgef\xFChrt.\n(" +
                        utf8ToWindows1252(reason) + ")"};
}

// Ends a write: saved only when the server confirmed the commit.
HistorySaveResult commit(ServerConnection& server) {
    server.exec((std::string("NOTIFY ") + kHistoryChangeChannel).c_str());
    const ServerResult committed = server.exec("COMMIT");
    if (committed.ok())
        return {};
    const std::string name = utf8ToWindows1252(server.address().display());
    const std::string reason =
        utf8ToWindows1252(committed.error().empty() ? server.lastError() : committed.error());
    if (server.broken())
        return {
            HistorySaveStatus::WriteFailed,
            "Die Verbindung zum Praxisserver " + name +
                " brach beim Speichern ab. Ob die \xC4nderung gespeichert ist, l\xE4sst sich nicht sagen; "
                "bitte \xF6"
                "ffnen Sie die Fallhistorie neu und pr\xFC"
                "fen Sie es.\n(" +
                reason + ")"};
    return {HistorySaveStatus::WriteFailed,
            "Der Praxisserver " + name +
                " hat die \xC4nderung nicht gespeichert; die Fallhistorie ist unver\xE4ndert.\n(" + reason +
                ")"};
}

HistorySaveResult failed(ServerConnection* server, const ServerFailure& failure) {
    if (server != nullptr && !server->broken())
        server->exec("ROLLBACK");
    return {HistorySaveStatus::WriteFailed, failure.message + " Die Fallhistorie ist unver\xE4ndert."};
}

std::string holdsOtherRepertoryMessage(const std::string& location, const RecordedRepertory& there,
                                       const std::optional<RecordedRepertory>& moved) {
    return "Die Fallhistorie auf " + utf8ToWindows1252(location) + " geh\xF6rt zum Repertorium \x84" +
           there.name.bytes() + "\x93, die F\xE4lle, die sie ersetzen sollen, " +
           (moved ? "zum Repertorium \x84" + moved->name.bytes() + "\x93"
                  : std::string("zu keinem festgehaltenen")) +
           ". Es wurde nichts geschrieben.";
}

} // namespace

CaseHistory ServerHistoryStore::load(ErrorReporter* reporter) {
    ServerConnection* server = nullptr;
    try {
        server = &connection();
        Session session(*server, location());
        // One snapshot for all three tables: a filing in between is either wholly there or not.
        session.run("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
        CaseHistory history = session.readAll();
        session.run("COMMIT");
        return history;
    } catch (const ServerFailure& failure) {
        if (server != nullptr && !server->broken())
            server->exec("ROLLBACK");
        CaseHistory history;
        history.path = location();
        history.unreadable = true;
        if (reporter != nullptr)
            reporter->showError(Windows1252View(failure.message));
        return history;
    }
}

RepertoryRecord ServerHistoryStore::record() {
    try {
        ServerConnection& server = connection();
        const ServerResult row =
            server.exec("SELECT recorded, repertory_name, numbering, legacy_checksum FROM telvarin_binding");
        if (!row.ok())
            return {RecordState::Unreadable, {}};
        return Session::recordIn(row);
    } catch (const ServerFailure&) {
        return {RecordState::Unreadable, {}};
    }
}

HistorySaveResult ServerHistoryStore::file(Windows1252View name, Windows1252View comment,
                                           std::span<const CaseSymptom> caseRows, const LocalDateTime& now,
                                           ErrorReporter*, const HistoryFileAccess& access,
                                           const Prescription& prescription) {
    const Treatment treatment = makeTreatment(comment, caseRows, now, prescription);
    ServerConnection* server = nullptr;
    try {
        server = &connection();
        Session session(*server, location());
        session.run("BEGIN");
        const auto [record, stats] = session.lockRecord();
        if (access.repertories != nullptr) {
            const HistoryBinding binding =
                historyBinding(record, stats.numbersHeld, stats.largestNumber, *access.repertories);
            if (belongsToOtherRepertory(binding, *access.repertories)) {
                server->exec("ROLLBACK");
                return {HistorySaveStatus::OtherRepertory,
                        otherRepertoryMessage(location(), binding, *access.repertories)};
            }
            // The first numbers filed bind the history to the repertory they were filed with.
            if (binding.state == BindingState::NoCases)
                session.setRecord(recordOf(access.repertories->inUse));
        }
        const std::string key = nameKey(name);
        const ServerResult found = session.run(
            "SELECT id FROM telvarin_case WHERE name_key = $1 ORDER BY position, id LIMIT 1", {key});
        std::string caseId;
        if (found.rows() == 1) {
            caseId = std::string(found.text(0, 0));
        } else {
            const ServerResult added =
                session.run("INSERT INTO telvarin_case (id, position, name, name_key) SELECT "
                            "coalesce((SELECT max(id) FROM telvarin_case), 0) + 1, "
                            "coalesce((SELECT max(position) FROM telvarin_case), 0) + 1, $1, $2 RETURNING id",
                            {utf8Of(name), key});
            caseId = std::string(added.text(0, 0));
        }
        const ServerResult filed = session.run(
            "INSERT INTO telvarin_treatment (id, case_id, position, date_stamp, comment, preferred, remedy, "
            "potency, note) SELECT "
            "coalesce((SELECT max(id) FROM telvarin_treatment), 0) + 1, $1::bigint, "
            "coalesce((SELECT max(position) FROM telvarin_treatment WHERE case_id = $1::bigint), 0) + 1, "
            "$2, $3, $4::integer, $5, $6, $7 RETURNING id",
            {caseId, utf8(treatment.dateStamp), utf8Of(treatment.comment),
             std::to_string(treatment.preferred), utf8Of(treatment.prescription.remedy),
             utf8Of(treatment.prescription.potency), utf8Of(treatment.prescription.note)});
        if (!treatment.symptoms.empty()) {
            std::vector<std::int64_t> numbers;
            std::vector<std::int64_t> bds;
            std::vector<std::int64_t> weights;
            for (const SymptomRef& symptom : treatment.symptoms) {
                numbers.push_back(symptom.number);
                bds.push_back(symptom.bd);
                weights.push_back(symptom.weight);
            }
            session.run("INSERT INTO telvarin_symptom (treatment_id, position, number, bd, weight) SELECT "
                        "$1::bigint, ordinality, n, b, w FROM unnest($2::integer[], $3::integer[], "
                        "$4::integer[]) WITH ORDINALITY AS u(n, b, w)",
                        {std::string(filed.text(0, 0)), numberArray(numbers), numberArray(bds),
                         numberArray(weights)});
            CaseHistory filedAlone;
            filedAlone.cases.push_back({Windows1252Text(name), {treatment}});
            session.run("UPDATE telvarin_binding SET numbers_held = true, "
                        "largest_number = greatest(largest_number, $1::integer)",
                        {std::to_string(largestRubricNumberIn(filedAlone))});
        }
        return commit(*server);
    } catch (const ServerFailure& failure) {
        return failed(server, failure);
    }
}

HistorySaveResult
ServerHistoryStore::update(const std::function<HistoryChange(CaseHistory&, const RepertoryRecord&)>& change,
                           CaseHistory* current) {
    ServerConnection* server = nullptr;
    try {
        server = &connection();
        Session session(*server, location());
        session.run("BEGIN");
        const RepertoryRecord record = session.lockRecord().first;
        CaseHistory history = session.readAll();
        const HistoryChange changed = change(history, record);
        HistorySaveResult result;
        if (!changed.goneMessage.empty() || !changed.refusal.empty() || !changed.save) {
            server->exec("ROLLBACK");
            if (!changed.goneMessage.empty())
                result = {HistorySaveStatus::Gone, changed.goneMessage};
            else if (!changed.refusal.empty())
                result = {HistorySaveStatus::Refused, changed.refusal};
        } else {
            session.rewriteAll(history);
            if (changed.rebind)
                session.setRecord(changed.repertory);
            result = commit(*server);
        }
        if (current != nullptr && result.status != HistorySaveStatus::WriteFailed)
            *current = std::move(history);
        return result;
    } catch (const ServerFailure& failure) {
        return failed(server, failure);
    }
}

HistorySaveResult ServerHistoryStore::updateShown(
    CaseHistory& window, const std::function<HistoryChange(CaseHistory&, const RepertoryRecord&)>& change) {
    if (window.unreadable)
        return {HistorySaveStatus::Refused, unreadableHistoryMessage(location())};
    const bool byName = window.sortByName;
    CaseHistory fresh;
    const HistorySaveResult result = update(
        [&](CaseHistory& history, const RepertoryRecord& record) {
            HistoryChange changed = change(history, record);
            // Saved in the window's order, as the file is.
            if (changed.goneMessage.empty())
                sortCases(history, byName);
            return changed;
        },
        &fresh);
    if (result.saved() || result.status == HistorySaveStatus::Gone) {
        sortCases(fresh, byName);
        fresh.path = window.path;
        window = std::move(fresh);
    }
    return result;
}

HistorySaveResult ServerHistoryStore::remove(CaseHistory& window, const HistoryCase& shownCase,
                                             const Treatment* shownTreatment, ErrorReporter*,
                                             const HistoryFileAccess&) {
    return updateShown(window, [&](CaseHistory& history, const RepertoryRecord&) {
        return removeShown(history, shownCase, shownTreatment);
    });
}

HistorySaveResult ServerHistoryStore::import(CaseHistory& window, const HistoryImport& import,
                                             ErrorReporter* reporter, const HistoryFileAccess& access) {
    // The server keeps no copies beside the history; its backups are the administrator's dumps.
    HistoryImport imported = import;
    imported.keepCopyAt.reset();
    return updateShown(window, [&](CaseHistory& history, const RepertoryRecord& record) {
        return importChange(history, record, imported, reporter, access);
    });
}

HistorySaveResult ServerHistoryStore::exportTo(CaseHistory& window, const std::string& target, ErrorReporter*,
                                               const HistoryFileAccess& access) {
    // The copy names the repertory of its numbers too, when they are bound to it.
    std::optional<RecordedRepertory> bound;
    if (const RepertoryRecord own = record(); own.state == RecordState::Present && holdsNumbers(window))
        bound = own.recorded;
    if (access.repertories != nullptr &&
        storeBinding(*this, window, *access.repertories).state != BindingState::Bound)
        bound.reset();
    return saveWithRepertoryRecord(target, bound,
                                   [&] { return saveHistoryAs(window, target, access.calls); });
}

HistorySaveResult ServerHistoryStore::bind(const RepertoryIdentity& repertory, const HistoryFileAccess&) {
    ServerConnection* server = nullptr;
    try {
        server = &connection();
        Session session(*server, location());
        session.run("BEGIN");
        const Stats stats = session.lockRecord().second;
        if (!holdsEveryNumber(repertory, stats.largestNumber)) {
            server->exec("ROLLBACK");
            return {HistorySaveStatus::Refused,
                    "Die Fallhistorie auf " + utf8ToWindows1252(location()) +
                        " enth\xE4lt die Rubriknummer " + std::to_string(stats.largestNumber) +
                        ", das Repertorium \x84" + repertory.name.bytes() + "\x93 hat aber nur " +
                        std::to_string(repertory.largestRubricNumber) +
                        " Rubriken: Sie geh\xF6rt nicht zu ihm. Die Angabe bleibt unver\xE4ndert."};
        }
        session.setRecord(recordOf(repertory));
        return commit(*server);
    } catch (const ServerFailure& failure) {
        return failed(server, failure);
    }
}

HistorySaveResult ServerHistoryStore::replace(const CaseHistory& moved,
                                              const std::optional<RecordedRepertory>& record) {
    return update(
        [&](CaseHistory& history, const RepertoryRecord& there) {
            HistoryChange change;
            if (holdsNumbers(history) && there.state == RecordState::Present &&
                !(record && sameNumbering(*record, there.recorded))) {
                change.save = false;
                change.refusal = holdsOtherRepertoryMessage(location(), there.recorded, record);
                return change;
            }
            history.cases = moved.cases;
            change.rebind = true;
            change.repertory = holdsNumbers(moved) ? record : std::nullopt;
            return change;
        },
        nullptr);
}

} // namespace telvarin
