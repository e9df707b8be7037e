// The world list in a PostgreSQL database that several servers share. Each server keeps one
// connection, used by one request at a time, and sends every value apart from the statement's
// text. Two servers adding the same run at once are told apart by the tables' unique keys, never
// by a look-up before the insert. A lost connection makes the calls answer "unavailable" (the
// client is asked to come back) until it is made again: at once on the next call, then at most
// twice a second while the database stays away.

#include <libpq-fe.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "server/schema.h"
#include "server/storage.h"

namespace server {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto reconnectPause = std::chrono::milliseconds(500);
// Servers starting at once on a new database take the schema's steps one after the other.
constexpr char migrationLock[] = "SELECT pg_advisory_xact_lock(7142046)";

// The columns ReadEntry reads, in its order.
#define KG_ENTRY_COLUMNS "id, name, kills, peak_score, score, frames, listed, sha256"

// An entry and its rank: more kills first, among equal kills the older (smaller id) first. One
// statement sees one state of the list, so the rank agrees with the entry.
constexpr char entrySelect[] =
    "SELECT " KG_ENTRY_COLUMNS ", "
    "(SELECT COALESCE(SUM(runs), 0) FROM kill_counts WHERE kill_counts.kills > runs.kills) + "
    "(SELECT COUNT(*) FROM runs AS older WHERE older.kills = runs.kills AND older.id <= runs.id) "
    "FROM runs ";

// A page of the list and the list's length, in one statement so that they agree; a page past
// the end is one row of nulls beside the length.
constexpr char pageSelect[] =
    "SELECT page.*, total.runs FROM "
    "(SELECT COALESCE(SUM(runs), 0) AS runs FROM kill_counts) AS total LEFT JOIN LATERAL "
    "(SELECT " KG_ENTRY_COLUMNS " FROM runs ORDER BY kills DESC, id LIMIT $1 OFFSET $2) AS page "
    "ON true ORDER BY page.kills DESC, page.id";

constexpr char oldestSelect[] =
    "SELECT " KG_ENTRY_COLUMNS " FROM runs WHERE id > $1 ORDER BY id LIMIT $2";

struct FinishConnection {
    void operator()(PGconn* connection) const { PQfinish(connection); }
};
struct ClearResult {
    void operator()(PGresult* result) const { PQclear(result); }
};
using Connection = std::unique_ptr<PGconn, FinishConnection>;
using Result = std::unique_ptr<PGresult, ClearResult>;

// A statement's values: text, or binary for a journal's bytes.
struct Values {
    std::vector<std::string> texts;
    std::vector<int> binary;

    Values& Text(std::string text)
    {
        texts.push_back(std::move(text));
        binary.push_back(0);
        return *this;
    }
    Values& Number(std::int64_t value) { return Text(std::to_string(value)); }
    Values& Bytes(const std::string& bytes)
    {
        Text(bytes);
        binary.back() = 1;
        return *this;
    }
};

enum class Status {
    Done,
    Lost,     // the connection is gone; nothing more can be said
    Conflict, // a unique key already holds the value
    Refused,  // any other error
};

std::int64_t Number(const PGresult* result, int row, int column)
{
    return std::strtoll(PQgetvalue(result, row, column), nullptr, 10);
}

std::string Text(const PGresult* result, int row, int column)
{
    return {PQgetvalue(result, row, column),
            static_cast<std::size_t>(PQgetlength(result, row, column))};
}

Entry ReadEntry(const PGresult* result, int row)
{
    Entry entry;
    entry.id = Number(result, row, 0);
    entry.name = Text(result, row, 1);
    entry.kills = static_cast<std::uint32_t>(Number(result, row, 2));
    entry.peakScore = static_cast<std::int32_t>(Number(result, row, 3));
    entry.score = static_cast<std::int32_t>(Number(result, row, 4));
    entry.frames = static_cast<std::uint32_t>(Number(result, row, 5));
    entry.date = Number(result, row, 6);
    entry.sha256 = Text(result, row, 7);
    return entry;
}

// Connections lost, or refused while the database starts or stops.
bool ConnectionError(const std::string& state)
{
    return state.starts_with("08") || state == "57P01" || state == "57P02" || state == "57P03";
}

Connection Connect(const std::string& where, std::string& error)
{
    // The caller's own words come last, so that they override these defaults.
    const char* keys[] = {"connect_timeout", "application_name", "options", "dbname", nullptr};
    const char* values[] = {"5", "killglimbot-server", "-c statement_timeout=10000", where.c_str(),
                            nullptr};
    Connection connection(PQconnectdbParams(keys, values, 1));
    if (connection && PQstatus(connection.get()) == CONNECTION_OK) return connection;
    error = connection ? PQerrorMessage(connection.get()) : "out of memory";
    while (!error.empty() && error.back() == '\n') error.pop_back();
    return nullptr;
}

class PostgresStorage final : public Storage {
public:
    PostgresStorage(std::string where, Connection opened)
        : connectionString(std::move(where)), connection(std::move(opened))
    {
    }

    Read<std::optional<Entry>> FindJournal(const std::string& sha256) override
    {
        std::lock_guard lock(mutex);
        return Retried([&] { return FindOne("WHERE sha256 = $1", Values().Text(sha256)); });
    }

    AddOutcome Add(const NewRun& run, Entry& entry) override
    {
        std::lock_guard lock(mutex);
        if (!Retried([&] { return Begin(); })) return AddOutcome::Unavailable;
        const Status inserted = Insert(run, entry);
        if (inserted == Status::Lost) return AddOutcome::Unavailable;
        if (inserted == Status::Done) {
            const Status committed = Run("COMMIT", {});
            if (committed == Status::Done) return AddOutcome::Added;
            return committed == Status::Lost ? AddOutcome::Unavailable : AddOutcome::Failed;
        }
        if (Run("ROLLBACK", {}) == Status::Lost) return AddOutcome::Unavailable;
        if (inserted == Status::Conflict) return Listed(run, entry);
        return AddOutcome::Failed;
    }

    Read<std::optional<Entry>> Find(std::int64_t id) override
    {
        std::lock_guard lock(mutex);
        return Retried([&] { return FindOne("WHERE id = $1", Values().Number(id)); });
    }

    Read<Page> Killers(std::uint64_t from, std::uint64_t count) override
    {
        std::lock_guard lock(mutex);
        return Retried([&]() -> Read<Page> {
            Result rows;
            const Values values = Values()
                                      .Number(static_cast<std::int64_t>(count))
                                      .Number(static_cast<std::int64_t>(from));
            if (Run(pageSelect, values, &rows) != Status::Done) return std::nullopt;
            Page page;
            page.total = static_cast<std::uint64_t>(Number(rows.get(), 0, 8));
            for (int row = 0; row < PQntuples(rows.get()) && !PQgetisnull(rows.get(), row, 0);
                 ++row) {
                page.entries.push_back(ReadEntry(rows.get(), row));
                page.entries.back().rank = static_cast<std::int64_t>(from + page.entries.size());
            }
            return page;
        });
    }

    Read<std::vector<Entry>> Oldest(std::int64_t afterId, std::uint64_t count) override
    {
        std::lock_guard lock(mutex);
        return Retried([&]() -> Read<std::vector<Entry>> {
            Result rows;
            if (Run(oldestSelect, Values().Number(afterId).Number(static_cast<std::int64_t>(count)),
                    &rows)
                != Status::Done)
                return std::nullopt;
            std::vector<Entry> entries;
            for (int row = 0; row < PQntuples(rows.get()); ++row)
                entries.push_back(ReadEntry(rows.get(), row));
            return entries;
        });
    }

    Read<std::uint64_t> Count() override
    {
        std::lock_guard lock(mutex);
        return Retried([&]() -> Read<std::uint64_t> {
            Result rows;
            if (Run("SELECT COALESCE(SUM(runs), 0) FROM kill_counts", {}, &rows) != Status::Done)
                return std::nullopt;
            return static_cast<std::uint64_t>(Number(rows.get(), 0, 0));
        });
    }

    Read<std::optional<std::string>> Journal(std::int64_t id) override
    {
        std::lock_guard lock(mutex);
        return Retried([&]() -> Read<std::optional<std::string>> {
            Result rows;
            if (Run("SELECT bytes FROM journals JOIN runs USING (sha256) WHERE id = $1",
                    Values().Number(id), &rows, 1)
                != Status::Done)
                return std::nullopt;
            if (PQntuples(rows.get()) == 0) return std::optional<std::string> {};
            return Text(rows.get(), 0, 0);
        });
    }

    bool Shared() const override { return true; }

private:
    // Runs `read`; when it finds the connection lost, makes it again and runs `read` once more,
    // since a database that restarted shows each old connection lost only on its next use.
    template <typename Reading> auto Retried(Reading read) -> decltype(read())
    {
        if (!Connected()) return std::nullopt;
        auto answer = read();
        if (answer || connection || !Connected()) return answer;
        return read();
    }

    Read<bool> Begin()
    {
        if (Run("BEGIN", {}) != Status::Done) return std::nullopt;
        return true;
    }

    Read<std::optional<Entry>> FindOne(const std::string& where, const Values& values)
    {
        Result rows;
        if (Run(entrySelect + where, values, &rows) != Status::Done) return std::nullopt;
        if (PQntuples(rows.get()) == 0) return std::optional<Entry> {};
        Entry entry = ReadEntry(rows.get(), 0);
        entry.rank = Number(rows.get(), 0, 8);
        return entry;
    }

    Status Insert(const NewRun& run, Entry& entry)
    {
        Status status = Run("INSERT INTO journals (sha256, bytes) VALUES ($1, $2)",
                            Values().Text(run.sha256).Bytes(run.journal));
        if (status != Status::Done) return status;
        Result added;
        status = Run("INSERT INTO runs (sha256, start, name, kills, peak_score, score, frames, "
                     "listed) VALUES ($1, $2, $3, $4, $5, $6, $7, $8) RETURNING id",
                     Values()
                         .Text(run.sha256)
                         .Text(run.start)
                         .Text(run.name)
                         .Number(run.kills)
                         .Number(run.peakScore)
                         .Number(run.score)
                         .Number(run.frames)
                         .Number(run.date),
                     &added);
        if (status != Status::Done) return status;
        status = Run("INSERT INTO kill_counts (kills, runs) VALUES ($1, 1) ON CONFLICT (kills) "
                     "DO UPDATE SET runs = kill_counts.runs + 1",
                     Values().Number(run.kills));
        if (status != Status::Done) return status;
        const auto found = FindOne("WHERE id = $1", Values().Number(Number(added.get(), 0, 0)));
        if (!found || !*found) return connection ? Status::Refused : Status::Lost;
        entry = **found;
        return Status::Done;
    }

    // After a unique key refused the run: the entry that holds its journal or its start.
    AddOutcome Listed(const NewRun& run, Entry& entry)
    {
        const auto present = FindOne("WHERE sha256 = $1", Values().Text(run.sha256));
        if (present && *present) {
            entry = **present;
            return AddOutcome::Present;
        }
        const auto copied = FindOne("WHERE start = $1", Values().Text(run.start));
        if (copied && *copied) {
            entry = **copied;
            return AddOutcome::Copy;
        }
        return connection ? AddOutcome::Failed : AddOutcome::Unavailable;
    }

    // Runs one statement; its rows, when asked for, in `rows` (binary with `binaryRows`).
    Status Run(const std::string& sql, const Values& values, Result* rows = nullptr,
               int binaryRows = 0)
    {
        if (!connection) return Status::Lost;
        std::vector<const char*> texts;
        std::vector<int> lengths;
        for (const std::string& text : values.texts) {
            texts.push_back(text.data());
            lengths.push_back(static_cast<int>(text.size()));
        }
        Result result(PQexecParams(connection.get(), sql.c_str(), static_cast<int>(texts.size()),
                                   nullptr, texts.data(), lengths.data(), values.binary.data(),
                                   binaryRows));
        const ExecStatusType status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
        if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) {
            if (rows != nullptr) *rows = std::move(result);
            return Status::Done;
        }
        const char* field = result ? PQresultErrorField(result.get(), PG_DIAG_SQLSTATE) : nullptr;
        const std::string state = field != nullptr ? field : "";
        if (PQstatus(connection.get()) == CONNECTION_BAD || ConnectionError(state)) {
            Lose(PQerrorMessage(connection.get()));
            return Status::Lost;
        }
        if (state == "23505") return Status::Conflict;
        std::fprintf(stderr, "killglimbot-server: the database refused a statement: %s",
                     PQerrorMessage(connection.get()));
        return Status::Refused;
    }

    void Lose(const std::string& why)
    {
        std::fprintf(stderr, "killglimbot-server: lost the database: %s", why.c_str());
        connection.reset();
    }

    bool Connected()
    {
        if (connection) return true;
        if (Clock::now() < nextAttempt) return false;
        std::string error;
        connection = Connect(connectionString, error);
        if (!connection) {
            nextAttempt = Clock::now() + reconnectPause;
            return false;
        }
        std::fprintf(stderr, "killglimbot-server: the database is back\n");
        return true;
    }

    std::mutex mutex;
    std::string connectionString;
    Connection connection;
    Clock::time_point nextAttempt;
};

bool Exec(PGconn* connection, const std::string& sql, std::string& error, Result* rows = nullptr)
{
    Result result(PQexec(connection, sql.c_str()));
    const ExecStatusType status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) {
        if (rows != nullptr) *rows = std::move(result);
        return true;
    }
    error = PQerrorMessage(connection);
    while (!error.empty() && error.back() == '\n') error.pop_back();
    return false;
}

// Takes the schema's steps the database lacks, in one transaction: PostgreSQL's changes to
// tables are transactional, so a server stopped halfway leaves the database as it was.
bool MigrateInTransaction(PGconn* connection, std::string& error)
{
    Result rows;
    if (!Exec(connection, migrationLock, error)
        || !Exec(connection, "CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)",
                 error)
        || !Exec(connection, "SELECT COALESCE(MAX(version), 0) FROM schema_version", error, &rows))
        return false;
    const int version = static_cast<int>(Number(rows.get(), 0, 0));
    if (version > schemaVersion) {
        error = NewerSchema(version);
        return false;
    }
    for (int step = version; step < schemaVersion; ++step)
        if (!Exec(connection, schemaSteps[step].postgres, error)) return false;
    return version == schemaVersion
           || (Exec(connection, "DELETE FROM schema_version", error)
               && Exec(connection,
                       "INSERT INTO schema_version VALUES (" + std::to_string(schemaVersion) + ")",
                       error));
}

bool Migrate(PGconn* connection, std::string& error)
{
    if (!Exec(connection, "BEGIN", error)) return false;
    if (MigrateInTransaction(connection, error)) return Exec(connection, "COMMIT", error);
    std::string ignored;
    Exec(connection, "ROLLBACK", ignored);
    return false;
}

} // namespace

std::unique_ptr<Storage> OpenPostgresStorage(const std::string& where, std::string& error)
{
    Connection connection = Connect(where, error);
    if (!connection || !Migrate(connection.get(), error)) return nullptr;
    return std::make_unique<PostgresStorage>(where, std::move(connection));
}

} // namespace server
