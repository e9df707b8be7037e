#include "tests/server/server_process.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <thread>

namespace test {
namespace {

using Clock = std::chrono::steady_clock;

bool WriteAll(int fd, const std::string& bytes)
{
    for (std::size_t sent = 0; sent < bytes.size();) {
        const ssize_t wrote = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (wrote <= 0) return false;
        sent += static_cast<std::size_t>(wrote);
    }
    return true;
}

// Reads until `done` says the bytes so far are whole, the peer closes, or the deadline.
template <typename Done> std::string ReadUntil(int fd, Clock::time_point deadline, Done done)
{
    std::string got;
    char buffer[65536];
    while (!done(got)) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd watched {fd, POLLIN, 0};
        if (left <= 0 || poll(&watched, 1, static_cast<int>(left)) <= 0) break;
        const ssize_t read = recv(fd, buffer, sizeof buffer, 0);
        if (read <= 0) break;
        got.append(buffer, static_cast<std::size_t>(read));
    }
    return got;
}

std::string Lower(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// A whole reply: its head, and as many body bytes as its Content-Length says.
bool WholeReply(const std::string& bytes, Reply& reply, bool head)
{
    const std::size_t headEnd = bytes.find("\r\n\r\n");
    if (headEnd == std::string::npos) return false;
    reply = Reply {};
    std::size_t at = bytes.find("\r\n");
    reply.status = std::atoi(bytes.substr(9, 3).c_str());
    while (at < headEnd) {
        const std::size_t next = bytes.find("\r\n", at + 2);
        const std::string line = bytes.substr(at + 2, next - at - 2);
        const std::size_t colon = line.find(':');
        if (colon != std::string::npos)
            reply.headers[Lower(line.substr(0, colon))] =
                line.substr(line.find_first_not_of(' ', colon + 1));
        at = next;
    }
    std::size_t length = std::stoul(
        reply.headers.count("content-length") != 0 ? reply.headers["content-length"] : "0");
    if (head) length = 0;
    if (bytes.size() < headEnd + 4 + length) return false;
    reply.body = bytes.substr(headEnd + 4, length);
    return true;
}

} // namespace

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string Journal(const char* name) { return ReadFile(std::string(KG_REPLAYS_DIR "/") + name); }

std::string Recorded(const std::string& script, const std::filesystem::path& folder)
{
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "run.txt") << script;
    const std::string journal = (folder / "run.kgr").string();
    std::filesystem::remove(journal);
    const std::string play = std::string(KG_GAME_PATH) + " --headless --save " + folder.string()
                             + " --script " + (folder / "run.txt").string() + " --record " + journal
                             + " > /dev/null";
    EXPECT_EQ(std::system(play.c_str()), 0) << play;
    return ReadFile(journal);
}

std::vector<std::string> DistinctRuns(std::size_t count, const std::filesystem::path& folder)
{
    const std::string sweep = ReadFile(KG_REPLAYS_DIR "/sweep.txt");
    const std::string firstShot = "300 move 24 180\n";
    const std::size_t at = sweep.find(firstShot);
    EXPECT_NE(at, std::string::npos);
    std::vector<std::string> runs;
    for (std::size_t i = 1; i <= count && at != std::string::npos; ++i) {
        std::string script = sweep;
        script.replace(at, firstShot.size(), "300 move " + std::to_string(24 + i) + " 180\n");
        runs.push_back(Recorded(script, folder / std::to_string(i)));
    }
    return runs;
}

ServerProcess::ServerProcess(std::string where) : database(std::move(where))
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / "kg-server-test-XXXXXX").string();
    folder = mkdtemp(pattern.data());
    if (database.empty()) database = (folder / "world.sqlite").string();
}

ServerProcess::~ServerProcess()
{
    if (pid > 0) Stop(SIGKILL);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

void ServerProcess::Spawn(const std::vector<std::string>& options)
{
    std::vector<std::string> words = {KG_SERVER_PATH, "--listen", "127.0.0.1:0", "--database",
                                      database};
    words.insert(words.end(), options.begin(), options.end());
    const std::string errors = (folder / "errors.txt").string();
    const std::string log = (folder / "log.txt").string();
    std::filesystem::remove(errors);
    pid = fork();
    if (pid == 0) {
        const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        const int err = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(err, 2);
        // The verifiers' scratch folder goes with the test's, however the server ends.
        setenv("TMPDIR", folder.c_str(), 1);
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
}

int ServerProcess::RunToEnd(const std::vector<std::string>& options)
{
    Spawn(options);
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while (Clock::now() < deadline && Running())
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (pid <= 0) return lastStatus;
    Stop(SIGKILL);
    return -1;
}

bool ServerProcess::Start(const std::vector<std::string>& options)
{
    Spawn(options);
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while (Clock::now() < deadline && Running()) {
        const std::string said = Errors();
        const std::size_t at = said.find("http://127.0.0.1:");
        if (at != std::string::npos && said.find("/ (", at) != std::string::npos) {
            port = static_cast<std::uint16_t>(std::atoi(said.c_str() + at + 17));
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ADD_FAILURE() << "the server did not start: " << Errors();
    return false;
}

bool ServerProcess::Running()
{
    if (pid <= 0) return false;
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == 0) return true;
    lastStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    pid = -1;
    return false;
}

int ServerProcess::Stop(int signal)
{
    if (pid <= 0) return -1;
    kill(pid, signal);
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    int status = 0;
    while (Clock::now() < deadline) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            pid = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    pid = -1;
    return -1;
}

std::string ServerProcess::Errors() const { return ReadFile(folder / "errors.txt"); }

int OpenConnection(std::uint16_t port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

Client::Client(std::uint16_t serverPort) : port(serverPort) {}

Client::~Client()
{
    if (fd >= 0) close(fd);
}

bool Client::Connect()
{
    if (fd < 0) fd = OpenConnection(port);
    return fd >= 0;
}

Reply Client::Send(const std::string& method, const std::string& target, const std::string& body,
                   const std::map<std::string, std::string>& headers)
{
    std::string request = method + " " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n";
    for (const auto& [name, value] : headers) request += name + ": " + value + "\r\n";
    if (method == "POST" || !body.empty())
        request += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    request += "\r\n" + body;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!Connect() || !WriteAll(fd, request)) {
            if (fd >= 0) close(fd);
            fd = -1;
            continue;
        }
        Reply reply;
        const std::string got =
            ReadUntil(fd, Clock::now() + std::chrono::seconds(120), [&](const std::string& bytes) {
                return WholeReply(bytes, reply, method == "HEAD");
            });
        if (reply.status != 0 && WholeReply(got, reply, method == "HEAD")) {
            if (reply.headers["connection"] == "close") {
                close(fd);
                fd = -1;
            }
            return reply;
        }
        close(fd);
        fd = -1;
    }
    return {};
}

std::string RawExchange(std::uint16_t port, const std::string& bytes, int seconds)
{
    const int fd = OpenConnection(port);
    if (fd < 0) return {};
    WriteAll(fd, bytes);
    const std::string got = ReadUntil(fd, Clock::now() + std::chrono::seconds(seconds),
                                      [](const std::string&) { return false; });
    close(fd);
    return got;
}

} // namespace test
