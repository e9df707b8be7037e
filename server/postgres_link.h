#pragma once
// One connection to PostgreSQL that mends itself. A statement that finds the connection lost
// drops it; the next call makes it again, at once, then at most twice a second while the
// database stays away. Values always travel apart from the statement's text.

#include <libpq-fe.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace server {

struct ClearResult {
    void operator()(PGresult* result) const { PQclear(result); }
};
using PgResult = std::unique_ptr<PGresult, ClearResult>;

// A statement's values: text, or binary for a journal's bytes.
struct PgValues {
    std::vector<std::string> texts;
    std::vector<int> binary;

    PgValues& Text(std::string text);
    PgValues& Number(std::int64_t value) { return Text(std::to_string(value)); }
    PgValues& Bytes(const std::string& bytes);
};

enum class PgStatus {
    Done,
    Lost,     // the connection is gone; nothing more can be said
    Conflict, // a unique key already holds the value
    Refused,  // any other error, said on the standard error
};

std::int64_t PgNumber(const PGresult* result, int row, int column);
std::string PgText(const PGresult* result, int row, int column);

class PostgresLink {
public:
    // Connects to the database `where` names; false with the reason in `error`.
    bool Open(const std::string& where, std::string& error);
    // Runs one statement; its rows, when asked for, in `rows` (binary with `binaryRows`).
    PgStatus Run(const std::string& sql, const PgValues& values, PgResult* rows = nullptr,
                 int binaryRows = 0);
    // Runs statements without values (the schema's steps); false with the reason in `error`.
    bool Exec(const std::string& sql, std::string& error, PgResult* rows = nullptr);
    // True when connected, making the connection again when it was lost and may be tried.
    bool Connected();
    bool Lost() const { return !connection; }

    // Runs `read` (which answers none on failure); when it found the connection lost, makes it
    // again and runs `read` once more, since a database that restarted shows each old
    // connection lost only on its next use.
    template <typename Reading> auto Retried(Reading read) -> decltype(read())
    {
        if (!Connected()) return std::nullopt;
        auto answer = read();
        if (answer || !Lost() || !Connected()) return answer;
        return read();
    }

private:
    using Clock = std::chrono::steady_clock;
    struct Finish {
        void operator()(PGconn* made) const { PQfinish(made); }
    };

    void Lose();

    std::string where;
    std::unique_ptr<PGconn, Finish> connection;
    Clock::time_point nextAttempt;
};

} // namespace server
