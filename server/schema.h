#pragma once
// The list's schema as steps, each written for both databases side by side so that they stay
// the same tables: a database holds the number of the steps it has taken. A step is never
// changed once released: a change is a new step.

#include <iterator>
#include <string>

namespace server {

struct SchemaStep {
    const char* sqlite;
    const char* postgres;
};

inline constexpr SchemaStep schemaSteps[] = {
    {R"(CREATE TABLE journals (sha256 TEXT PRIMARY KEY, bytes BLOB NOT NULL) WITHOUT ROWID;
        CREATE TABLE runs (
            id INTEGER PRIMARY KEY AUTOINCREMENT,
            sha256 TEXT NOT NULL UNIQUE REFERENCES journals (sha256),
            start TEXT NOT NULL UNIQUE,
            name TEXT NOT NULL,
            kills INTEGER NOT NULL CHECK (kills > 0),
            peak_score INTEGER NOT NULL,
            score INTEGER NOT NULL,
            frames INTEGER NOT NULL,
            listed INTEGER NOT NULL);
        CREATE INDEX runs_by_rank ON runs (kills DESC, id);
        CREATE TABLE kill_counts (kills INTEGER PRIMARY KEY, runs INTEGER NOT NULL);)",
     R"(CREATE TABLE journals (sha256 TEXT PRIMARY KEY, bytes BYTEA NOT NULL);
        CREATE TABLE runs (
            id BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
            sha256 TEXT NOT NULL UNIQUE REFERENCES journals (sha256),
            start TEXT NOT NULL UNIQUE,
            name TEXT NOT NULL,
            kills BIGINT NOT NULL CHECK (kills > 0),
            peak_score BIGINT NOT NULL,
            score BIGINT NOT NULL,
            frames BIGINT NOT NULL,
            listed BIGINT NOT NULL);
        CREATE INDEX runs_by_rank ON runs (kills DESC, id);
        CREATE TABLE kill_counts (kills BIGINT PRIMARY KEY, runs BIGINT NOT NULL);)"},
};
inline constexpr int schemaVersion = static_cast<int>(std::size(schemaSteps));

// Why a database whose schema is at `version`, past this server's, is not opened.
inline std::string NewerSchema(int version)
{
    return "its schema is version " + std::to_string(version) + ", made by a newer server (this "
           + "one knows up to " + std::to_string(schemaVersion) + ")";
}

} // namespace server
