#include "server/postgres_link.h"

#include <cstdio>
#include <cstdlib>

namespace server {
namespace {

constexpr auto reconnectPause = std::chrono::milliseconds(500);

// Connections lost, or refused while the database starts or stops.
bool ConnectionError(const std::string& state)
{
    return state.starts_with("08") || state == "57P01" || state == "57P02" || state == "57P03";
}

std::string Message(PGconn* connection)
{
    std::string message = PQerrorMessage(connection);
    while (!message.empty() && message.back() == '\n') message.pop_back();
    return message;
}

bool Succeeded(const PgResult& result)
{
    const ExecStatusType status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
    return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
}

} // namespace

PgValues& PgValues::Text(std::string text)
{
    texts.push_back(std::move(text));
    binary.push_back(0);
    return *this;
}

PgValues& PgValues::Bytes(const std::string& bytes)
{
    Text(bytes);
    binary.back() = 1;
    return *this;
}

std::int64_t PgNumber(const PGresult* result, int row, int column)
{
    return std::strtoll(PQgetvalue(result, row, column), nullptr, 10);
}

std::string PgText(const PGresult* result, int row, int column)
{
    return {PQgetvalue(result, row, column),
            static_cast<std::size_t>(PQgetlength(result, row, column))};
}

bool PostgresLink::Open(const std::string& database, std::string& error)
{
    where = database;
    // The caller's own words come last, so that they override these defaults.
    const char* keys[] = {"connect_timeout", "application_name", "options", "dbname", nullptr};
    const char* values[] = {"5", "killglimbot-server", "-c statement_timeout=10000", where.c_str(),
                            nullptr};
    connection.reset(PQconnectdbParams(keys, values, 1));
    if (connection && PQstatus(connection.get()) == CONNECTION_OK) return true;
    error = connection ? Message(connection.get()) : "out of memory";
    connection.reset();
    return false;
}

PgStatus PostgresLink::Run(const std::string& sql, const PgValues& values, PgResult* rows,
                           int binaryRows)
{
    if (!connection) return PgStatus::Lost;
    std::vector<const char*> texts;
    std::vector<int> lengths;
    for (const std::string& text : values.texts) {
        texts.push_back(text.data());
        lengths.push_back(static_cast<int>(text.size()));
    }
    PgResult result(PQexecParams(connection.get(), sql.c_str(), static_cast<int>(texts.size()),
                                 nullptr, texts.data(), lengths.data(), values.binary.data(),
                                 binaryRows));
    if (Succeeded(result)) {
        if (rows != nullptr) *rows = std::move(result);
        return PgStatus::Done;
    }
    const char* field = result ? PQresultErrorField(result.get(), PG_DIAG_SQLSTATE) : nullptr;
    const std::string state = field != nullptr ? field : "";
    if (PQstatus(connection.get()) == CONNECTION_BAD || ConnectionError(state)) {
        Lose();
        return PgStatus::Lost;
    }
    if (state == "23505") return PgStatus::Conflict;
    std::fprintf(stderr, "killglimbot-server: the database refused a statement: %s\n",
                 Message(connection.get()).c_str());
    return PgStatus::Refused;
}

bool PostgresLink::Exec(const std::string& sql, std::string& error, PgResult* rows)
{
    PgResult result(PQexec(connection.get(), sql.c_str()));
    if (Succeeded(result)) {
        if (rows != nullptr) *rows = std::move(result);
        return true;
    }
    error = Message(connection.get());
    return false;
}

bool PostgresLink::Connected()
{
    if (connection) return true;
    if (Clock::now() < nextAttempt) return false;
    std::string error;
    if (!Open(where, error)) {
        nextAttempt = Clock::now() + reconnectPause;
        return false;
    }
    std::fprintf(stderr, "killglimbot-server: the database is back\n");
    return true;
}

void PostgresLink::Lose()
{
    std::fprintf(stderr, "killglimbot-server: lost the database: %s\n",
                 Message(connection.get()).c_str());
    connection.reset();
}

} // namespace server
