#pragma once
// The real server, started for a test on a free loopback port with a database of its own, and a
// small HTTP client to talk to it.

#include <sys/types.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace test {

struct Reply {
    int status = 0;                             // 0: no answer came
    std::map<std::string, std::string> headers; // names in lower case
    std::string body;
};

class ServerProcess {
public:
    // A folder of its own for the logs, and the list in `database`, or in a file in that folder
    // when none is given.
    explicit ServerProcess(std::string database = {});
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    // Starts the server with these options besides --listen and --database; false (with a
    // failure) when it does not come up.
    bool Start(const std::vector<std::string>& options = {});
    // Runs the server with these options to its end, for options it refuses; answers its exit
    // status, or -1 when it kept running.
    int RunToEnd(const std::vector<std::string>& options);
    // Sends `signal` and answers the exit status, or -1 when the server did not end in time.
    int Stop(int signal);
    bool Running();

    std::uint16_t port = 0;
    std::filesystem::path folder;
    std::string database;
    std::string Errors() const;

private:
    void Spawn(const std::vector<std::string>& options);
    pid_t pid = -1;
    int lastStatus = -1;
};

// A connection to the server (kept alive across requests, opened anew when it closes).
class Client {
public:
    explicit Client(std::uint16_t serverPort);
    ~Client();
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    Reply Send(const std::string& method, const std::string& target, const std::string& body = {},
               const std::map<std::string, std::string>& headers = {});
    Reply Get(const std::string& target) { return Send("GET", target); }
    Reply Post(const std::string& target, const std::string& body,
               const std::map<std::string, std::string>& headers = {})
    {
        return Send("POST", target, body, headers);
    }

private:
    bool Connect();
    std::uint16_t port;
    int fd = -1;
};

// Writes `bytes` on a new connection and answers everything the server sends back until it
// closes the connection or `seconds` pass.
std::string RawExchange(std::uint16_t port, const std::string& bytes, int seconds = 5);
// A connection open to the server, -1 when none could be made.
int OpenConnection(std::uint16_t port);

std::string ReadFile(const std::filesystem::path& path);
// A golden journal of tests/replays.
std::string Journal(const char* name);
// The journal of a headless run of the game from `script`, played in `folder`.
std::string Recorded(const std::string& script, const std::filesystem::path& folder);
// `count` runs with a kill, each with a start of its own: the sweep of tests/replays with its
// first shot moved by 1, 2, ... pixels, played in `folder`.
std::vector<std::string> DistinctRuns(std::size_t count, const std::filesystem::path& folder);

} // namespace test
