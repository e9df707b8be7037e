#pragma once
// Proves runs with the game itself: each journal is replayed by `killglimbot --verify FILE
// --report` in a process of its own, under processor-time and memory limits, at most as many at
// once as there are workers, the rest waiting in a queue of bounded length. A journal that
// crashes or hangs the game's code costs one child process, never the server.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "server/child_process.h"

namespace server {

struct Verdict {
    enum class Kind {
        Verified, // the replay matched its journal to the end
        Refused,  // it did not, or the journal is no whole run: `line` says why
        Failed,   // the game could not be run: the server's fault, not the journal's
    };
    Kind kind = Kind::Failed;
    std::string line; // what --verify said, or why there is no answer
    std::uint32_t kills = 0;
    std::int32_t peakScore = 0;
    std::int32_t score = 0;
    std::uint32_t frames = 0;
    std::string start;                    // the run's start
    std::optional<std::string> typedName; // UTF-8; none when the run entered no name dialog
    double seconds = 0;                   // the verification's wall time
};

struct VerifierOptions {
    std::string game; // the game's executable
    std::string gameData;
    std::size_t workers = 1;
    std::size_t queueLength = 64;
    ChildLimits limits;
};

class Verifier {
public:
    using Done = std::function<void(Verdict)>;

    // False, with the reason, when the workers' folders cannot be made.
    bool Start(const VerifierOptions& options, std::string& error);
    ~Verifier();

    // Queues the journal; `done` is called on a worker's thread. False when the queue is full
    // or the verifier is draining.
    bool Submit(std::string journal, Done done);
    // Verifications queued and not yet started; under way.
    std::size_t Waiting();
    std::size_t Running();
    // Takes no more, finishes every verification submitted, and stops the workers.
    void Drain();
    // The seconds until a place in the queue is likely free.
    std::size_t RetryAfterSeconds();

private:
    struct Job {
        std::string journal;
        Done done;
    };

    void Work(std::size_t worker);
    Verdict Verify(std::size_t worker, const std::string& journal);

    VerifierOptions options;
    std::string folder; // the workers' scratch folders are inside
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<Job> queue;
    bool draining = false;
    std::size_t running = 0;
    double averageSeconds = 1;
    std::vector<std::thread> workers;
};

// The verdict that `killglimbot --verify FILE --report` answered with `result`.
Verdict ReadVerdict(const ChildResult& result);

} // namespace server
