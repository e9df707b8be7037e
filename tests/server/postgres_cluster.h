#pragma once
// A PostgreSQL of a test's own: made by initdb in a temporary folder, run by an unprivileged
// user (PostgreSQL refuses to run as root), reached on a Unix socket in that folder only, and
// stopped with its folder removed at the end, whether the test passed or not.

#include <filesystem>
#include <string>

namespace test {

class PostgresCluster {
public:
    PostgresCluster();
    ~PostgresCluster();
    PostgresCluster(const PostgresCluster&) = delete;
    PostgresCluster& operator=(const PostgresCluster&) = delete;

    // True when PostgreSQL's programs are installed.
    static bool Installed();
    // Makes the cluster and starts it; false, with a failure, when it does not come up.
    bool Create();
    bool Start();
    // A fast stop: its connections are cut.
    bool Stop();
    // The words a server connects with.
    std::string Connection() const;

private:
    bool Run(const std::string& command) const;
    std::string PgCtl(const std::string& arguments) const;
    std::filesystem::path folder;
    bool running = false;
};

} // namespace test
