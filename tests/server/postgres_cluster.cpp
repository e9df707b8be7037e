#include "tests/server/postgres_cluster.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <gtest/gtest.h>

namespace test {
namespace {

const std::string binaries = "/usr/lib/postgresql/15/bin/";

// Root runs PostgreSQL's programs as nobody.
std::string AsOwner(const std::string& command)
{
    return geteuid() == 0 ? "runuser -u nobody -- " + command : command;
}

} // namespace

PostgresCluster::PostgresCluster()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kg-postgres-XXXXXX").string();
    folder = mkdtemp(pattern.data());
    if (geteuid() != 0) return;
    const passwd* nobody = getpwnam("nobody");
    if (nobody == nullptr || chown(folder.c_str(), nobody->pw_uid, nobody->pw_gid) != 0)
        ADD_FAILURE() << "cannot give " << folder << " to nobody";
}

PostgresCluster::~PostgresCluster()
{
    if (running) Run(PgCtl("-m immediate -w stop"));
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

bool PostgresCluster::Installed() { return access((binaries + "initdb").c_str(), X_OK) == 0; }

bool PostgresCluster::Create()
{
    // No syncs: a test's cluster need not outlive a power cut, and it is made in a second.
    if (!Run(binaries + "initdb -D " + (folder / "data").string()
             + " -A trust -U postgres -E UTF8 --no-sync --no-instructions"))
        return false;
    // A test that crashes or is killed runs no destructor: a watcher in a session of its own
    // (out of reach of a signal to the test's group) stops the cluster once the test is gone.
    const std::string watcher = "setsid sh -c 'while kill -0 " + std::to_string(getpid())
                                + " 2>/dev/null; do sleep 1; done; "
                                + AsOwner(PgCtl("-m immediate stop")) + "; rm -rf "
                                + folder.string() + "' < /dev/null > /dev/null 2>&1 &";
    if (std::system(watcher.c_str()) != 0) ADD_FAILURE() << watcher;
    return Start();
}

bool PostgresCluster::Start()
{
    running = Run(PgCtl("-l " + (folder / "log.txt").string() + " -w -t 30 -o \"-k "
                        + folder.string() + " -c listen_addresses='' -c fsync=off\" start"));
    EXPECT_TRUE(running) << "PostgreSQL did not start in " << folder;
    return running;
}

bool PostgresCluster::Stop()
{
    const bool stopped = Run(PgCtl("-m fast -w -t 30 stop"));
    running = !stopped;
    return stopped;
}

std::string PostgresCluster::PgCtl(const std::string& arguments) const
{
    return binaries + "pg_ctl -D " + (folder / "data").string() + " " + arguments;
}

std::string PostgresCluster::Connection() const
{
    return "host=" + folder.string() + " dbname=postgres user=postgres";
}

bool PostgresCluster::Run(const std::string& command) const
{
    const std::string line =
        AsOwner(command) + " >> " + (folder / "commands.txt").string() + " 2>&1";
    const bool ran = std::system(line.c_str()) == 0;
    EXPECT_TRUE(ran) << line;
    return ran;
}

} // namespace test
