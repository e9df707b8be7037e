// The world list in one SQLite file: WAL, and every commit synced before it is answered, so an
// entry once answered survives a kill of the server or a power cut. One connection, used by one
// request at a time; every statement is prepared once, with its values bound, never pasted in.

#include <sqlite3.h>

#include <filesystem>
#include <map>
#include <mutex>

#include "server/schema.h"
#include "server/storage.h"

namespace server {
namespace {

constexpr char entryColumns[] =
    "id, name, kills, peak_score, score, frames, listed, sha256 FROM runs ";

struct CloseDatabase {
    void operator()(sqlite3* database) const { sqlite3_close_v2(database); }
};
struct FinalizeStatement {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Database = std::unique_ptr<sqlite3, CloseDatabase>;
using Statement = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

// A prepared statement in use: its values bound, then stepped, then reset for the next use.
class Use {
public:
    explicit Use(sqlite3_stmt* prepared) : statement(prepared) {}
    ~Use()
    {
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
    }
    Use(const Use&) = delete;
    Use& operator=(const Use&) = delete;

    Use& Bind(std::int64_t value)
    {
        sqlite3_bind_int64(statement, ++bound, value);
        return *this;
    }
    Use& Bind(const std::string& text)
    {
        sqlite3_bind_text(statement, ++bound, text.data(), static_cast<int>(text.size()),
                          SQLITE_STATIC);
        return *this;
    }
    Use& BindBlob(const std::string& bytes)
    {
        sqlite3_bind_blob(statement, ++bound, bytes.data(), static_cast<int>(bytes.size()),
                          SQLITE_STATIC);
        return *this;
    }
    // True for a row, false when done (or failed: see Failed()).
    bool Row()
    {
        result = sqlite3_step(statement);
        return result == SQLITE_ROW;
    }
    bool Done() { return !Row() && result == SQLITE_DONE; }
    // The last step neither gave a row nor reached the end.
    bool Failed() const { return result != SQLITE_ROW && result != SQLITE_DONE; }
    std::int64_t Integer(int column) const { return sqlite3_column_int64(statement, column); }
    std::string Text(int column) const
    {
        const auto* text = sqlite3_column_blob(statement, column);
        const int size = sqlite3_column_bytes(statement, column);
        return text == nullptr ? std::string {} : std::string(static_cast<const char*>(text), size);
    }

private:
    sqlite3_stmt* statement;
    int bound = 0;
    int result = SQLITE_OK;
};

Entry ReadEntry(const Use& row)
{
    Entry entry;
    entry.id = row.Integer(0);
    entry.name = row.Text(1);
    entry.kills = static_cast<std::uint32_t>(row.Integer(2));
    entry.peakScore = static_cast<std::int32_t>(row.Integer(3));
    entry.score = static_cast<std::int32_t>(row.Integer(4));
    entry.frames = static_cast<std::uint32_t>(row.Integer(5));
    entry.date = row.Integer(6);
    entry.sha256 = row.Text(7);
    return entry;
}

class SqliteStorage final : public Storage {
public:
    explicit SqliteStorage(Database opened) : database(std::move(opened)) {}

    Read<std::optional<Entry>> FindJournal(const std::string& sha256) override
    {
        std::lock_guard lock(mutex);
        return FindOne(std::string("SELECT ") + entryColumns + "WHERE sha256 = ?", sha256);
    }

    AddOutcome Add(const NewRun& run, Entry& entry) override
    {
        std::lock_guard lock(mutex);
        if (!Execute("BEGIN IMMEDIATE")) return AddOutcome::Failed;
        const AddOutcome outcome = AddInTransaction(run, entry);
        const bool kept = outcome == AddOutcome::Added ? Execute("COMMIT") : Execute("ROLLBACK");
        if (outcome == AddOutcome::Added && !kept) {
            Execute("ROLLBACK");
            return AddOutcome::Failed;
        }
        return outcome;
    }

    Read<std::optional<Entry>> Find(std::int64_t id) override
    {
        std::lock_guard lock(mutex);
        return FindOne(std::string("SELECT ") + entryColumns + "WHERE id = ?", id);
    }

    Read<Page> Killers(std::uint64_t from, std::uint64_t count) override
    {
        std::lock_guard lock(mutex);
        // One read transaction: the total is the list's at the moment of the page.
        if (!Execute("BEGIN")) return std::nullopt;
        auto page = PageInTransaction(from, count);
        Execute("COMMIT");
        return page;
    }

    Read<std::vector<Entry>> Oldest(std::int64_t afterId, std::uint64_t count) override
    {
        std::lock_guard lock(mutex);
        std::vector<Entry> entries;
        Use use(
            Prepared(std::string("SELECT ") + entryColumns + "WHERE id > ? ORDER BY id LIMIT ?"));
        use.Bind(afterId).Bind(static_cast<std::int64_t>(count));
        while (use.Row()) entries.push_back(ReadEntry(use));
        if (use.Failed()) return std::nullopt;
        return entries;
    }

    Read<std::uint64_t> Count() override
    {
        std::lock_guard lock(mutex);
        return Total();
    }

    Read<std::optional<std::string>> Journal(std::int64_t id) override
    {
        std::lock_guard lock(mutex);
        Use use(Prepared("SELECT bytes FROM journals JOIN runs USING (sha256) WHERE id = ?"));
        use.Bind(id);
        if (use.Row()) return use.Text(0);
        if (use.Failed()) return std::nullopt;
        return std::optional<std::string> {};
    }

    bool Shared() const override { return false; }

private:
    Read<std::uint64_t> Total()
    {
        Use use(Prepared("SELECT COALESCE(SUM(runs), 0) FROM kill_counts"));
        if (!use.Row()) return std::nullopt;
        return static_cast<std::uint64_t>(use.Integer(0));
    }

    Read<Page> PageInTransaction(std::uint64_t from, std::uint64_t count)
    {
        Page page;
        {
            Use use(Prepared(std::string("SELECT ") + entryColumns
                             + "ORDER BY kills DESC, id LIMIT ? OFFSET ?"));
            use.Bind(static_cast<std::int64_t>(count)).Bind(static_cast<std::int64_t>(from));
            while (use.Row()) {
                page.entries.push_back(ReadEntry(use));
                page.entries.back().rank = static_cast<std::int64_t>(from + page.entries.size());
            }
            if (use.Failed()) return std::nullopt;
        }
        const auto total = Total();
        if (!total) return std::nullopt;
        page.total = *total;
        return page;
    }

    template <typename Key>
    Read<std::optional<Entry>> FindOne(const std::string& sql, const Key& key)
    {
        std::optional<Entry> entry;
        {
            Use use(Prepared(sql));
            use.Bind(key);
            if (!use.Row()) {
                if (use.Failed()) return std::nullopt;
                return std::optional<Entry> {};
            }
            entry = ReadEntry(use);
        }
        entry->rank = RankOf(*entry);
        return entry;
    }

    // More kills first; among equal kills the older entry, which has the smaller id, first.
    std::int64_t RankOf(const Entry& entry)
    {
        Use above(Prepared("SELECT COALESCE(SUM(runs), 0) FROM kill_counts WHERE kills > ?"));
        above.Bind(entry.kills);
        const std::int64_t better = above.Row() ? above.Integer(0) : 0;
        Use equal(Prepared("SELECT COUNT(*) FROM runs WHERE kills = ? AND id <= ?"));
        equal.Bind(entry.kills).Bind(entry.id);
        return better + (equal.Row() ? equal.Integer(0) : 0);
    }

    AddOutcome AddInTransaction(const NewRun& run, Entry& entry)
    {
        const auto present =
            FindOne(std::string("SELECT ") + entryColumns + "WHERE sha256 = ?", run.sha256);
        if (!present) return AddOutcome::Failed;
        if (*present) {
            entry = **present;
            return AddOutcome::Present;
        }
        const auto copied =
            FindOne(std::string("SELECT ") + entryColumns + "WHERE start = ?", run.start);
        if (!copied) return AddOutcome::Failed;
        if (*copied) {
            entry = **copied;
            return AddOutcome::Copy;
        }
        if (!Use(Prepared("INSERT INTO journals (sha256, bytes) VALUES (?, ?)"))
                 .Bind(run.sha256)
                 .BindBlob(run.journal)
                 .Done())
            return AddOutcome::Failed;
        Use insert(Prepared("INSERT INTO runs (sha256, start, name, kills, peak_score, score, "
                            "frames, listed) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
        insert.Bind(run.sha256).Bind(run.start).Bind(run.name).Bind(run.kills);
        insert.Bind(run.peakScore).Bind(run.score).Bind(run.frames).Bind(run.date);
        if (!insert.Done()) return AddOutcome::Failed;
        const std::int64_t id = sqlite3_last_insert_rowid(database.get());
        if (!Use(Prepared("INSERT INTO kill_counts (kills, runs) VALUES (?, 1) "
                          "ON CONFLICT (kills) DO UPDATE SET runs = runs + 1"))
                 .Bind(run.kills)
                 .Done())
            return AddOutcome::Failed;
        const auto added = FindOne(std::string("SELECT ") + entryColumns + "WHERE id = ?", id);
        if (!added || !*added) return AddOutcome::Failed;
        entry = **added;
        return AddOutcome::Added;
    }

    sqlite3_stmt* Prepared(const std::string& sql)
    {
        auto& statement = statements[sql];
        if (!statement) {
            sqlite3_stmt* made = nullptr;
            sqlite3_prepare_v3(database.get(), sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &made,
                               nullptr);
            statement.reset(made);
        }
        return statement.get();
    }

    bool Execute(const char* sql)
    {
        return sqlite3_exec(database.get(), sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    }

    std::mutex mutex;
    Database database;
    std::map<std::string, Statement> statements;
};

bool Run(sqlite3* database, const std::string& sql, std::string& error)
{
    char* message = nullptr;
    if (sqlite3_exec(database, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK) return true;
    error = message != nullptr ? message : sqlite3_errmsg(database);
    sqlite3_free(message);
    return false;
}

int UserVersion(sqlite3* database)
{
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(database, "PRAGMA user_version", -1, &statement, nullptr);
    const int version = statement != nullptr && sqlite3_step(statement) == SQLITE_ROW
                            ? sqlite3_column_int(statement, 0)
                            : -1;
    sqlite3_finalize(statement);
    return version;
}

// Takes the steps of the schema the database lacks, each in its own transaction.
bool Migrate(sqlite3* database, std::string& error)
{
    const int version = UserVersion(database);
    if (version < 0) {
        error = sqlite3_errmsg(database);
        return false;
    }
    if (version > schemaVersion) {
        error = NewerSchema(version);
        return false;
    }
    for (int step = version; step < schemaVersion; ++step) {
        const std::string sql = std::string("BEGIN IMMEDIATE; ") + schemaSteps[step].sqlite
                                + "; PRAGMA user_version = " + std::to_string(step + 1)
                                + "; COMMIT;";
        if (!Run(database, sql, error)) {
            Run(database, "ROLLBACK", error);
            return false;
        }
    }
    return true;
}

} // namespace

std::unique_ptr<Storage> OpenSqliteStorage(const std::string& where, std::string& error)
{
    const std::filesystem::path folder = std::filesystem::path(where).parent_path();
    std::error_code ignored;
    if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
    sqlite3* opened = nullptr;
    const int result =
        sqlite3_open_v2(where.c_str(), &opened,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    Database database(opened);
    if (result != SQLITE_OK) {
        error = opened != nullptr ? sqlite3_errmsg(opened) : sqlite3_errstr(result);
        return nullptr;
    }
    sqlite3_busy_timeout(database.get(), 5000);
    sqlite3_extended_result_codes(database.get(), 1);
    // WAL with a full sync at every commit: a commit is on the disk before it returns.
    const bool ready = Run(database.get(), "PRAGMA journal_mode = WAL", error)
                       && Run(database.get(), "PRAGMA synchronous = FULL", error)
                       && Run(database.get(), "PRAGMA foreign_keys = ON", error)
                       && Migrate(database.get(), error);
    if (!ready) return nullptr;
    return std::make_unique<SqliteStorage>(std::move(database));
}

} // namespace server
