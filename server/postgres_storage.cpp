// The world list in a PostgreSQL database that several servers share. Each server keeps one
// connection that mends itself, used by one request at a time. Two servers adding the same run
// at once are told apart by the tables' unique keys, never by a look-up before the insert. While
// the connection is lost the calls answer "unavailable", and the client is asked to come back.

#include <mutex>

#include "server/postgres_link.h"
#include "server/schema.h"
#include "server/storage.h"

namespace server {
namespace {

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

Entry ReadEntry(const PGresult* result, int row)
{
    Entry entry;
    entry.id = PgNumber(result, row, 0);
    entry.name = PgText(result, row, 1);
    entry.kills = static_cast<std::uint32_t>(PgNumber(result, row, 2));
    entry.peakScore = static_cast<std::int32_t>(PgNumber(result, row, 3));
    entry.score = static_cast<std::int32_t>(PgNumber(result, row, 4));
    entry.frames = static_cast<std::uint32_t>(PgNumber(result, row, 5));
    entry.date = PgNumber(result, row, 6);
    entry.sha256 = PgText(result, row, 7);
    return entry;
}

class PostgresStorage final : public Storage {
public:
    explicit PostgresStorage(PostgresLink opened) : link(std::move(opened)) {}

    Read<std::optional<Entry>> FindJournal(const std::string& sha256) override
    {
        std::lock_guard lock(mutex);
        return link.Retried([&] { return FindOne("WHERE sha256 = $1", PgValues().Text(sha256)); });
    }

    AddOutcome Add(const NewRun& run, Entry& entry) override
    {
        std::lock_guard lock(mutex);
        if (!link.Retried([&] { return Begin(); })) return AddOutcome::Unavailable;
        const PgStatus inserted = Insert(run, entry);
        if (inserted == PgStatus::Lost) return AddOutcome::Unavailable;
        if (inserted == PgStatus::Done) {
            const PgStatus committed = link.Run("COMMIT", {});
            if (committed == PgStatus::Done) return AddOutcome::Added;
            return committed == PgStatus::Lost ? AddOutcome::Unavailable : AddOutcome::Failed;
        }
        if (link.Run("ROLLBACK", {}) == PgStatus::Lost) return AddOutcome::Unavailable;
        if (inserted == PgStatus::Conflict) return Listed(run, entry);
        return AddOutcome::Failed;
    }

    Read<std::optional<Entry>> Find(std::int64_t id) override
    {
        std::lock_guard lock(mutex);
        return link.Retried([&] { return FindOne("WHERE id = $1", PgValues().Number(id)); });
    }

    Read<Page> Killers(std::uint64_t from, std::uint64_t count) override
    {
        std::lock_guard lock(mutex);
        return link.Retried([&]() -> Read<Page> {
            PgResult rows;
            const PgValues values = PgValues()
                                        .Number(static_cast<std::int64_t>(count))
                                        .Number(static_cast<std::int64_t>(from));
            if (link.Run(pageSelect, values, &rows) != PgStatus::Done) return std::nullopt;
            Page page;
            page.total = static_cast<std::uint64_t>(PgNumber(rows.get(), 0, 8));
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
        return link.Retried([&]() -> Read<std::vector<Entry>> {
            PgResult rows;
            if (link.Run(oldestSelect,
                         PgValues().Number(afterId).Number(static_cast<std::int64_t>(count)), &rows)
                != PgStatus::Done)
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
        return link.Retried([&]() -> Read<std::uint64_t> {
            PgResult rows;
            if (link.Run("SELECT COALESCE(SUM(runs), 0) FROM kill_counts", {}, &rows)
                != PgStatus::Done)
                return std::nullopt;
            return static_cast<std::uint64_t>(PgNumber(rows.get(), 0, 0));
        });
    }

    Read<std::optional<std::string>> Journal(std::int64_t id) override
    {
        std::lock_guard lock(mutex);
        return link.Retried([&]() -> Read<std::optional<std::string>> {
            PgResult rows;
            if (link.Run("SELECT bytes FROM journals JOIN runs USING (sha256) WHERE id = $1",
                         PgValues().Number(id), &rows, 1)
                != PgStatus::Done)
                return std::nullopt;
            if (PQntuples(rows.get()) == 0) return std::optional<std::string> {};
            return PgText(rows.get(), 0, 0);
        });
    }

    bool Shared() const override { return true; }

private:
    Read<bool> Begin()
    {
        if (link.Run("BEGIN", {}) != PgStatus::Done) return std::nullopt;
        return true;
    }

    Read<std::optional<Entry>> FindOne(const std::string& where, const PgValues& values)
    {
        PgResult rows;
        if (link.Run(entrySelect + where, values, &rows) != PgStatus::Done) return std::nullopt;
        if (PQntuples(rows.get()) == 0) return std::optional<Entry> {};
        Entry entry = ReadEntry(rows.get(), 0);
        entry.rank = PgNumber(rows.get(), 0, 8);
        return entry;
    }

    PgStatus Insert(const NewRun& run, Entry& entry)
    {
        PgStatus status = link.Run("INSERT INTO journals (sha256, bytes) VALUES ($1, $2)",
                                   PgValues().Text(run.sha256).Bytes(run.journal));
        if (status != PgStatus::Done) return status;
        PgResult added;
        status =
            link.Run("INSERT INTO runs (sha256, start, name, kills, peak_score, score, frames, "
                     "listed) VALUES ($1, $2, $3, $4, $5, $6, $7, $8) RETURNING id",
                     PgValues()
                         .Text(run.sha256)
                         .Text(run.start)
                         .Text(run.name)
                         .Number(run.kills)
                         .Number(run.peakScore)
                         .Number(run.score)
                         .Number(run.frames)
                         .Number(run.date),
                     &added);
        if (status != PgStatus::Done) return status;
        status =
            link.Run("INSERT INTO kill_counts (kills, runs) VALUES ($1, 1) ON CONFLICT (kills) "
                     "DO UPDATE SET runs = kill_counts.runs + 1",
                     PgValues().Number(run.kills));
        if (status != PgStatus::Done) return status;
        const auto found = FindOne("WHERE id = $1", PgValues().Number(PgNumber(added.get(), 0, 0)));
        if (!found || !*found) return link.Lost() ? PgStatus::Lost : PgStatus::Refused;
        entry = **found;
        return PgStatus::Done;
    }

    // After a unique key refused the run: the entry that holds its journal or its start.
    AddOutcome Listed(const NewRun& run, Entry& entry)
    {
        const auto present = FindOne("WHERE sha256 = $1", PgValues().Text(run.sha256));
        if (present && *present) {
            entry = **present;
            return AddOutcome::Present;
        }
        const auto copied = FindOne("WHERE start = $1", PgValues().Text(run.start));
        if (copied && *copied) {
            entry = **copied;
            return AddOutcome::Copy;
        }
        return link.Lost() ? AddOutcome::Unavailable : AddOutcome::Failed;
    }

    std::mutex mutex;
    PostgresLink link;
};

// Takes the schema's steps the database lacks, in one transaction: PostgreSQL's changes to
// tables are transactional, so a server stopped halfway leaves the database as it was.
bool MigrateInTransaction(PostgresLink& link, std::string& error)
{
    PgResult rows;
    if (!link.Exec(migrationLock, error)
        || !link.Exec("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)", error)
        || !link.Exec("SELECT COALESCE(MAX(version), 0) FROM schema_version", error, &rows))
        return false;
    const int version = static_cast<int>(PgNumber(rows.get(), 0, 0));
    if (version > schemaVersion) {
        error = NewerSchema(version);
        return false;
    }
    for (int step = version; step < schemaVersion; ++step)
        if (!link.Exec(schemaSteps[step].postgres, error)) return false;
    return version == schemaVersion
           || (link.Exec("DELETE FROM schema_version", error)
               && link.Exec("INSERT INTO schema_version VALUES (" + std::to_string(schemaVersion)
                                + ")",
                            error));
}

bool Migrate(PostgresLink& link, std::string& error)
{
    if (!link.Exec("BEGIN", error)) return false;
    if (MigrateInTransaction(link, error)) return link.Exec("COMMIT", error);
    std::string ignored;
    link.Exec("ROLLBACK", ignored);
    return false;
}

} // namespace

std::unique_ptr<Storage> OpenPostgresStorage(const std::string& where, std::string& error)
{
    PostgresLink link;
    if (!link.Open(where, error) || !Migrate(link, error)) return nullptr;
    return std::make_unique<PostgresStorage>(std::move(link));
}

} // namespace server
