#pragma once
// Runs another program to its end under limits: processor time and address space (setrlimit),
// the size of the files it writes, a wall-clock deadline and a cap on what it prints. Whatever
// the program does, the caller gets an answer.

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

namespace server {

struct ChildLimits {
    std::size_t cpuSeconds = 60;
    std::size_t addressSpaceBytes = 0; // 0: none
    std::size_t fileBytes = std::size_t {256} << 20;
    std::size_t outputBytes = 64 * 1024; // of each of its outputs; the rest is read and dropped
    std::chrono::milliseconds deadline {120000};
};

struct ChildResult {
    bool started = false;
    bool exited = false; // else killed by `signal`
    int status = 0;
    int signal = 0;
    bool overDeadline = false; // killed for it
    std::string output;
    std::string errors;
};

// `arguments[0]` is the program's path; `environment` is all it gets.
ChildResult RunChild(const std::vector<std::string>& arguments,
                     const std::vector<std::string>& environment, const ChildLimits& limits);

} // namespace server
