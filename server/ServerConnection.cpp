#include "server/ServerConnection.h"

#include "foundation/text/CodePage.h"

#include <algorithm>
#include <charconv>
#include <libpq-fe.h>
#include <utility>

namespace telvarin {
namespace {

// Gives up on a server that does not answer, rather than leave the window hanging; an address
// that says otherwise wins.
constexpr const char* kConnectTimeoutSeconds = "5";

bool mentions(std::string_view text, std::initializer_list<std::string_view> phrases) {
    return std::any_of(phrases.begin(), phrases.end(),
                       [&](std::string_view phrase) { return text.find(phrase) != std::string_view::npos; });
}

std::string trimmedMessage(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

// The reason a connection failed, in German. libpq's own words (English, or the language of the
// session) follow it, so that an administrator can look them up.
std::string connectFailureMessage(pg_conn* connection, const ServerAddress& address) {
    const std::string detail = trimmedMessage(PQerrorMessage(connection));
    const std::string user = "\x84" + utf8ToWindows1252(address.user) + "\x93";
    std::string reason;
    if (PQconnectionNeedsPassword(connection))
        reason = "Der Server verlangt ein Kennwort f\xFCr den Benutzer " + user +
                 ", aber es ist keines angegeben (weder in der Adresse noch in ~/.pgpass noch im "
                 "Schl\xFC"
                 "sselbund).";
    else if (mentions(detail, {"password authentication failed", "Passwort-Authentifizierung"}))
        reason = "Das Kennwort f\xFCr den Benutzer " + user + " ist falsch.";
    else if (mentions(detail, {"no pg_hba.conf entry", "pg_hba.conf"}))
        reason = "Der Server l\xE4sst den Benutzer " + user +
                 " von diesem Rechner aus nicht zu (pg_hba.conf des Servers).";
    else if (mentions(detail, {"does not exist", "existiert nicht"}))
        reason = "Die Datenbank \x84" + utf8ToWindows1252(address.database) + "\x93 oder der Benutzer " +
                 user + " ist dort nicht vorhanden.";
    else if (mentions(detail,
                      {"could not translate host name", "Name or service not known", "konnte Hostnamen"}))
        reason = "Der Rechnername \x84" + utf8ToWindows1252(address.host) + "\x93 ist unbekannt.";
    else if (mentions(detail, {"certificate", "Zertifikat", "SSL", "ssl"}))
        reason =
            "Die verschl\xFCsselte Verbindung kam nicht zustande; das Zertifikat des Servers wurde nicht "
            "best\xE4tigt.";
    else if (mentions(detail, {"Connection refused", "timeout expired", "No route to host",
                               "Network is unreachable", "Verbindung verweigert",
                               "Zeitü"
                               "berschreitung"}))
        reason = "Der Server ist nicht erreichbar; l\xE4uft er, und ist das Netz verbunden?";
    else
        reason = "Die Verbindung kam nicht zustande.";
    return "Der Praxisserver " + utf8ToWindows1252(address.display()) + " kann nicht verwendet werden. " +
           reason + "\n(" + utf8ToWindows1252(detail) + ")";
}

} // namespace

std::string ServerAddress::display() const {
    std::string text = "postgresql://";
    if (!user.empty())
        text += user + "@";
    text += host;
    if (!port.empty())
        text += ":" + port;
    return text + "/" + database;
}

std::optional<ServerAddress> parseServerAddress(const std::string& uri) {
    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(uri.c_str(), &error);
    if (options == nullptr) {
        PQfreemem(error);
        return std::nullopt;
    }
    ServerAddress address;
    for (const PQconninfoOption* option = options; option->keyword != nullptr; ++option) {
        const std::string_view keyword = option->keyword;
        const std::string value = option->val != nullptr ? option->val : "";
        if (keyword == "host" || (keyword == "hostaddr" && address.host.empty()))
            address.host = value;
        else if (keyword == "port")
            address.port = value;
        else if (keyword == "dbname")
            address.database = value;
        else if (keyword == "user")
            address.user = value;
    }
    PQconninfoFree(options);
    if (address.host.empty())
        address.host = "localhost";
    return address;
}

ServerResult::ServerResult(pg_result* result) : result_(result) {}
ServerResult::ServerResult(ServerResult&& other) noexcept : result_(std::exchange(other.result_, nullptr)) {}
ServerResult& ServerResult::operator=(ServerResult&& other) noexcept {
    std::swap(result_, other.result_);
    return *this;
}
ServerResult::~ServerResult() {
    PQclear(result_);
}

bool ServerResult::ok() const {
    const ExecStatusType status = PQresultStatus(result_);
    return result_ != nullptr && (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK);
}

int ServerResult::rows() const {
    return result_ != nullptr ? PQntuples(result_) : 0;
}

std::string_view ServerResult::text(int row, int column) const {
    // A table changed by hand may lack a row the program expects: that reads as empty.
    if (result_ == nullptr || row < 0 || row >= PQntuples(result_) || column < 0 ||
        column >= PQnfields(result_))
        return {};
    return {PQgetvalue(result_, row, column), static_cast<std::size_t>(PQgetlength(result_, row, column))};
}

std::int64_t ServerResult::number(int row, int column) const {
    const std::string_view value = text(row, column);
    std::int64_t parsed = 0;
    std::from_chars(value.data(), value.data() + value.size(), parsed);
    return parsed;
}

bool ServerResult::isNull(int row, int column) const {
    return PQgetisnull(result_, row, column) != 0;
}

std::string ServerResult::sqlState() const {
    const char* state = result_ != nullptr ? PQresultErrorField(result_, PG_DIAG_SQLSTATE) : nullptr;
    return state != nullptr ? state : "";
}

std::string ServerResult::error() const {
    return result_ != nullptr ? trimmedMessage(PQresultErrorMessage(result_)) : std::string();
}

std::variant<std::unique_ptr<ServerConnection>, std::string>
ServerConnection::open(const std::string& uri, const std::string& password) {
    const std::optional<ServerAddress> address = parseServerAddress(uri);
    if (!address)
        return "Die Adresse des Praxisservers ist nicht lesbar. Sie hat die Form "
               "postgresql://BENUTZER@RECHNER:PORT/DATENBANK, wahlweise mit ?sslmode=verify-full.";
    // Later entries win over earlier ones: what the address says overrides these defaults.
    std::vector<const char*> keywords{"connect_timeout", "application_name", "client_encoding"};
    std::vector<const char*> values{kConnectTimeoutSeconds, "telvarin", "UTF8"};
    if (!password.empty()) {
        keywords.push_back("password");
        values.push_back(password.c_str());
    }
    keywords.push_back("dbname");
    values.push_back(uri.c_str());
    keywords.push_back(nullptr);
    values.push_back(nullptr);
    pg_conn* connection = PQconnectdbParams(keywords.data(), values.data(), 1);
    if (connection == nullptr)
        return std::string("Nicht genug Speicher f\xFCr die Verbindung zum Praxisserver.");
    if (PQstatus(connection) != CONNECTION_OK) {
        std::string message = connectFailureMessage(connection, *address);
        PQfinish(connection);
        return message;
    }
    // Whatever the address says, the texts travel as UTF-8.
    PQsetClientEncoding(connection, "UTF8");
    // The server's notes ("table does not exist, skipping") are for administrators, not users.
    PQsetNoticeProcessor(
        connection, [](void*, const char*) {}, nullptr);
    return std::unique_ptr<ServerConnection>(new ServerConnection(connection, *address));
}

ServerConnection::ServerConnection(pg_conn* connection, ServerAddress address)
    : connection_(connection), address_(std::move(address)) {}

ServerConnection::~ServerConnection() {
    PQfinish(connection_);
}

ServerResult ServerConnection::exec(const char* sql, const std::vector<std::string>& parameters) {
    std::vector<const char*> values;
    values.reserve(parameters.size());
    for (const std::string& parameter : parameters)
        values.push_back(parameter.c_str());
    return ServerResult(PQexecParams(connection_, sql, static_cast<int>(values.size()), nullptr,
                                     values.data(), nullptr, nullptr, 0));
}

ServerResult ServerConnection::script(const char* sql) {
    return ServerResult(PQexec(connection_, sql));
}

std::string ServerConnection::copyIn(const char* copyStatement, const std::string& rows) {
    pg_result* started = PQexec(connection_, copyStatement);
    const bool copying = PQresultStatus(started) == PGRES_COPY_IN;
    const std::string refused = copying ? std::string() : trimmedMessage(PQresultErrorMessage(started));
    PQclear(started);
    if (!copying)
        return refused.empty() ? lastError() : refused;
    if (PQputCopyData(connection_, rows.data(), static_cast<int>(rows.size())) != 1 ||
        PQputCopyEnd(connection_, nullptr) != 1)
        return lastError();
    std::string failure;
    while (pg_result* result = PQgetResult(connection_)) {
        if (PQresultStatus(result) != PGRES_COMMAND_OK && failure.empty())
            failure = trimmedMessage(PQresultErrorMessage(result));
        PQclear(result);
    }
    return failure;
}

std::string ServerConnection::lastError() const {
    return trimmedMessage(PQerrorMessage(connection_));
}

bool ServerConnection::broken() const {
    return PQstatus(connection_) != CONNECTION_OK;
}

bool ServerConnection::listen(const char* channel) {
    return exec((std::string("LISTEN ") + channel).c_str()).ok();
}

int ServerConnection::socket() const {
    return PQsocket(connection_);
}

int ServerConnection::takeNotifications() {
    if (PQconsumeInput(connection_) == 0)
        return -1;
    int count = 0;
    while (PGnotify* notification = PQnotifies(connection_)) {
        ++count;
        PQfreemem(notification);
    }
    return count;
}

void appendCopyField(std::string& rows, std::string_view utf8) {
    for (const char c : utf8) {
        switch (c) {
        case '\\':
            rows += "\\\\";
            break;
        case '\t':
            rows += "\\t";
            break;
        case '\n':
            rows += "\\n";
            break;
        case '\r':
            rows += "\\r";
            break;
        default:
            rows += c;
        }
    }
}

} // namespace telvarin
