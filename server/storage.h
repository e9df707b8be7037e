#pragma once
// Where the world list lives: an SQLite file for one server, or a PostgreSQL database that
// several servers share. The server asks through this interface only.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace server {

struct Entry {
    std::int64_t id = 0;
    std::int64_t rank = 0; // 1 for the best
    std::string name;      // UTF-8
    std::uint32_t kills = 0;
    std::int32_t peakScore = 0;
    std::int32_t score = 0;
    std::uint32_t frames = 0;
    std::int64_t date = 0; // when it was listed, seconds since 1970 (UTC)
    std::string sha256;    // of its journal
};

// A verified run to list.
struct NewRun {
    std::string journal; // its bytes
    std::string sha256;  // of those bytes
    std::string start;   // the run's start, which a copy of it shares
    std::string name;
    std::uint32_t kills = 0;
    std::int32_t peakScore = 0;
    std::int32_t score = 0;
    std::uint32_t frames = 0;
    std::int64_t date = 0;
};

// A page of the list, and the length of the whole list at the same moment.
struct Page {
    std::vector<Entry> entries;
    std::uint64_t total = 0;
};

enum class AddOutcome {
    Added,       // the entry is on the disk
    Present,     // these very bytes were listed already: the entry is theirs
    Copy,        // another listed run has the same start: the entry is that one
    Failed,      // the database refused it; nothing was kept
    Unavailable, // the database could not be reached; nothing was kept, try again later
};

// A read's answer, or none when the database could not be reached: the server then asks the
// client to come back, rather than answer a list that would be wrong.
template <typename T> using Read = std::optional<T>;

class Storage {
public:
    virtual ~Storage() = default;

    // The run whose journal has this digest, or none.
    virtual Read<std::optional<Entry>> FindJournal(const std::string& sha256) = 0;
    // Lists the run in one transaction, durable on the disk before this returns Added; `entry`
    // is the new entry, or the one that was there (Present, Copy). Two servers adding the same
    // run at once make one entry: the database's unique keys decide which one is Added.
    virtual AddOutcome Add(const NewRun& run, Entry& entry) = 0;
    virtual Read<std::optional<Entry>> Find(std::int64_t id) = 0;
    // `count` entries from the rank `from` + 1 on, best first.
    virtual Read<Page> Killers(std::uint64_t from, std::uint64_t count) = 0;
    // `count` entries with ids above `afterId`, oldest first; their ranks are left 0.
    virtual Read<std::vector<Entry>> Oldest(std::int64_t afterId, std::uint64_t count) = 0;
    virtual Read<std::uint64_t> Count() = 0;
    virtual Read<std::optional<std::string>> Journal(std::int64_t id) = 0;
    // True when other servers may change the list behind this one's back.
    virtual bool Shared() const = 0;
};

// The list in an SQLite file, made with its folder when missing.
std::unique_ptr<Storage> OpenSqliteStorage(const std::string& path, std::string& error);
// The list in the PostgreSQL database that `connection` names (a URI or "key=value" words),
// its tables made when missing.
std::unique_ptr<Storage> OpenPostgresStorage(const std::string& connection, std::string& error);

// True when `where` names a PostgreSQL database rather than a file: "postgresql://...",
// "postgres://..." or "key=value" words such as "host=/run/postgresql dbname=world".
bool IsPostgres(const std::string& where);

// "the database FILE", or "the PostgreSQL database NAME on HOST": a PostgreSQL database is named
// by its name and host only, since its connection words may hold a password.
std::string StorageName(const std::string& where);

// Opens the list at `where`, whichever kind it is. None, with the reason in `error`, when it
// cannot be opened or was made by a newer server.
std::unique_ptr<Storage> OpenStorage(const std::string& where, std::string& error);

} // namespace server
