#pragma once
// Where the world list lives. The server asks through this interface only, so that another
// database (PostgreSQL, for several servers sharing one list) can stand behind it.

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

enum class AddOutcome {
    Added,   // the entry is on the disk
    Present, // these very bytes were listed already: the entry is theirs
    Copy,    // another listed run has the same start: the entry is that one
    Failed,  // the database could not take it; nothing was kept
};

class Storage {
public:
    virtual ~Storage() = default;

    // The run whose journal has this digest, or none.
    virtual std::optional<Entry> FindJournal(const std::string& sha256) = 0;
    // The listed run with this start, or none.
    virtual std::optional<Entry> FindStart(const std::string& start) = 0;
    // Lists the run in one transaction, durable on the disk before this returns Added; `entry`
    // is the new entry, or the one that was there (Present, Copy).
    virtual AddOutcome Add(const NewRun& run, Entry& entry) = 0;
    virtual std::optional<Entry> Find(std::int64_t id) = 0;
    // `count` entries from the rank `from` + 1 on, best first.
    virtual std::vector<Entry> Killers(std::uint64_t from, std::uint64_t count) = 0;
    virtual std::uint64_t Count() = 0;
    virtual std::optional<std::string> Journal(std::int64_t id) = 0;
};

// Opens the list at `where`: an SQLite file (made with its folder when missing). None, with the
// reason in `error`, when it cannot be opened or was made by a newer server.
std::unique_ptr<Storage> OpenStorage(const std::string& where, std::string& error);

} // namespace server
