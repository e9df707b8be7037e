#include "server/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace server {
namespace {

struct Pipe {
    int read = -1;
    int write = -1;
    bool Open()
    {
        int ends[2];
        if (pipe2(ends, O_CLOEXEC) != 0) return false;
        read = ends[0];
        write = ends[1];
        return true;
    }
    void Close()
    {
        for (int* end : {&read, &write}) {
            if (*end >= 0) close(*end);
            *end = -1;
        }
    }
};

std::vector<char*> Pointers(const std::vector<std::string>& words)
{
    std::vector<char*> pointers;
    for (const std::string& word : words) pointers.push_back(const_cast<char*>(word.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

void Limit(int resource, std::size_t value)
{
    const rlimit limit {static_cast<rlim_t>(value), static_cast<rlim_t>(value)};
    setrlimit(resource, &limit);
}

// In the new process, before exec: only calls that are safe after a fork.
[[noreturn]] void BecomeChild(char* const* arguments, char* const* environment, Pipe& output,
                              Pipe& errors, const ChildLimits& limits)
{
    const int nothing = open("/dev/null", O_RDONLY);
    if (nothing < 0 || dup2(nothing, 0) < 0 || dup2(output.write, 1) < 0
        || dup2(errors.write, 2) < 0)
        _exit(127);
    setpgid(0, 0);
    // The soft processor limit sends SIGXCPU, which ends the program; the hard one a second
    // later kills it, should it catch the first.
    const rlimit cpu {static_cast<rlim_t>(limits.cpuSeconds),
                      static_cast<rlim_t>(limits.cpuSeconds + 1)};
    setrlimit(RLIMIT_CPU, &cpu);
    if (limits.addressSpaceBytes != 0) Limit(RLIMIT_AS, limits.addressSpaceBytes);
    Limit(RLIMIT_FSIZE, limits.fileBytes);
    Limit(RLIMIT_CORE, 0);
    execve(arguments[0], arguments, environment);
    _exit(127);
}

void Collect(int fd, std::string& into, std::size_t most, bool& open)
{
    char buffer[4096];
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got > 0) {
        const auto room = most - std::min(most, into.size());
        into.append(buffer, std::min(room, static_cast<std::size_t>(got)));
    } else if (got == 0 || (errno != EINTR && errno != EAGAIN)) {
        open = false;
    }
}

// Reads both outputs until the program closes them or the deadline passes.
bool ReadOutputs(Pipe& output, Pipe& errors, ChildResult& result, const ChildLimits& limits)
{
    const auto deadline = std::chrono::steady_clock::now() + limits.deadline;
    bool outputOpen = true;
    bool errorsOpen = true;
    while (outputOpen || errorsOpen) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd watched[2] = {{outputOpen ? output.read : -1, POLLIN, 0},
                             {errorsOpen ? errors.read : -1, POLLIN, 0}};
        if (poll(watched, 2, static_cast<int>(std::min<long long>(left.count(), 1000))) < 0
            && errno != EINTR)
            return false;
        if (watched[0].revents != 0)
            Collect(output.read, result.output, limits.outputBytes, outputOpen);
        if (watched[1].revents != 0)
            Collect(errors.read, result.errors, limits.outputBytes, errorsOpen);
    }
    return true;
}

} // namespace

ChildResult RunChild(const std::vector<std::string>& arguments,
                     const std::vector<std::string>& environment, const ChildLimits& limits)
{
    ChildResult result;
    Pipe output;
    Pipe errors;
    if (arguments.empty() || !output.Open() || !errors.Open()) {
        output.Close();
        errors.Close();
        return result;
    }
    const std::vector<char*> argv = Pointers(arguments);
    const std::vector<char*> envp = Pointers(environment);
    const pid_t pid = fork();
    if (pid == 0) BecomeChild(argv.data(), envp.data(), output, errors, limits);
    close(output.write);
    close(errors.write);
    output.write = errors.write = -1;
    if (pid > 0) {
        result.started = true;
        if (!ReadOutputs(output, errors, result, limits)) {
            result.overDeadline = true;
            kill(-pid, SIGKILL);
            kill(pid, SIGKILL);
        }
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        result.exited = WIFEXITED(status);
        result.status = result.exited ? WEXITSTATUS(status) : 0;
        result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    }
    output.Close();
    errors.Close();
    return result;
}

} // namespace server
