#pragma once

// One connection to a practice server, through PostgreSQL's own client library (libpq): it reads
// the address, a password from it or from ~/.pgpass, and does TLS and every system call itself.
// Messages are German, Windows-1252.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

struct pg_conn;
struct pg_result;

namespace telvarin {

// What an address names, for messages: never its password.
struct ServerAddress {
    std::string host; // "localhost" when the address names none
    std::string port;
    std::string database;
    std::string user;
    // "postgresql://user@host:port/database"
    std::string display() const;
};

// The parts of a "postgresql://" address; nothing when libpq cannot read it.
std::optional<ServerAddress> parseServerAddress(const std::string& uri);

// The outcome of a statement.
class ServerResult {
public:
    explicit ServerResult(pg_result* result = nullptr);
    ServerResult(ServerResult&& other) noexcept;
    ServerResult& operator=(ServerResult&& other) noexcept;
    ~ServerResult();

    bool ok() const;
    int rows() const;
    std::string_view text(int row, int column) const;
    std::int64_t number(int row, int column) const;
    bool isNull(int row, int column) const;
    // The five characters of the SQL state, empty when there is none.
    std::string sqlState() const;
    std::string error() const;

private:
    pg_result* result_;
};

class ServerConnection {
public:
    // Connects to uri; password (from the desktop's keyring) is used when the address gives none.
    static std::variant<std::unique_ptr<ServerConnection>, std::string>
    open(const std::string& uri, const std::string& password = {});
    ~ServerConnection();
    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;

    const ServerAddress& address() const { return address_; }

    ServerResult exec(const char* sql, const std::vector<std::string>& parameters = {});
    // Several statements without parameters, as one text.
    ServerResult script(const char* sql);
    // COPY table (columns) FROM STDIN with rows already in COPY's text format; empty when done,
    // else the server's reason.
    std::string copyIn(const char* copyStatement, const std::string& rows);
    // Why the last statement failed, as the server or the client library says it (UTF-8).
    std::string lastError() const;
    bool broken() const;

    // LISTEN channel; then socket() becomes readable when another connection notifies it.
    bool listen(const char* channel);
    int socket() const;
    // Reads what arrived; the number of notifications among it, -1 when the connection is gone.
    int takeNotifications();

private:
    ServerConnection(pg_conn* connection, ServerAddress address);
    pg_conn* connection_;
    ServerAddress address_;
};

// An escaped field of COPY's text format.
void appendCopyField(std::string& rows, std::string_view utf8);

} // namespace telvarin
