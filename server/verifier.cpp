#include "server/verifier.h"

#include <signal.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "server/names.h"

namespace server {
namespace {

constexpr int verifiedStatus = 0;
constexpr int refusedStatus = 2; // the game refused the journal before replaying it

std::string LineOf(const std::string& text, std::size_t index)
{
    std::size_t at = 0;
    for (std::size_t i = 0; i < index && at != std::string::npos; ++i) {
        at = text.find('\n', at);
        if (at != std::string::npos) ++at;
    }
    if (at == std::string::npos || at >= text.size()) return {};
    return text.substr(at, text.find('\n', at) - at);
}

Verdict Refusal(std::string line)
{
    Verdict verdict;
    verdict.kind = Verdict::Kind::Refused;
    verdict.line = std::move(line);
    return verdict;
}

Verdict Failure(std::string line)
{
    Verdict verdict;
    verdict.line = std::move(line);
    return verdict;
}

// The report line: the result, the start, and the name typed if any.
bool ReadReport(const std::string& line, Verdict& verdict)
{
    const nlohmann::json report = nlohmann::json::parse(line, nullptr, false);
    if (!report.is_object()) return false;
    try {
        verdict.kills = report.at("kills").get<std::uint32_t>();
        verdict.peakScore = report.at("peakScore").get<std::int32_t>();
        verdict.score = report.at("score").get<std::int32_t>();
        verdict.frames = report.at("frames").get<std::uint32_t>();
        verdict.start = report.value("start", std::string {});
        if (report.contains("name")) verdict.typedName = report.at("name").get<std::string>();
    } catch (const nlohmann::json::exception&) {
        return false;
    }
    return true;
}

std::string SignalVerdict(const ChildResult& result)
{
    if (result.overDeadline || result.signal == SIGXCPU || result.signal == SIGKILL)
        return "not verified: the replay took more than the time it is allowed";
    return "not verified: the replay stopped with signal " + std::to_string(result.signal);
}

} // namespace

Verdict ReadVerdict(const ChildResult& result)
{
    if (!result.started) return Failure("the game could not be started");
    if (!result.exited) return Refusal(SignalVerdict(result));
    if (result.status == 127) return Failure("the game could not be started");
    if (result.status == refusedStatus) {
        std::string reason = LineOf(result.errors, 0);
        if (reason.starts_with("killglimbot: ")) reason.erase(0, 13);
        return Refusal(reason.empty() ? "not a journal the game reads" : reason);
    }
    const std::string line = LineOf(result.output, 1);
    if (line.empty()) return Refusal("not verified: the replay said nothing");
    if (result.status != verifiedStatus) return Refusal(line);
    Verdict verdict;
    verdict.kind = Verdict::Kind::Verified;
    verdict.line = line;
    if (!ReadReport(LineOf(result.output, 0), verdict) || verdict.start.empty())
        return Failure("the game's report could not be read (is it this server's game?)");
    return verdict;
}

bool Verifier::Start(const VerifierOptions& chosen, std::string& error)
{
    options = chosen;
    std::string pattern =
        (std::filesystem::temp_directory_path() / "killglimbot-server-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        error =
            "cannot make a scratch folder in " + std::filesystem::temp_directory_path().string();
        return false;
    }
    folder = pattern;
    for (std::size_t worker = 0; worker < options.workers; ++worker) {
        std::filesystem::create_directories(folder + "/" + std::to_string(worker));
        workers.emplace_back([this, worker] { Work(worker); });
    }
    return true;
}

Verifier::~Verifier()
{
    Drain();
    std::error_code ignored;
    if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
}

bool Verifier::Submit(std::string journal, Done done)
{
    {
        std::lock_guard lock(mutex);
        if (draining || queue.size() >= options.queueLength) return false;
        queue.push_back({std::move(journal), std::move(done)});
    }
    wake.notify_one();
    return true;
}

std::size_t Verifier::Waiting()
{
    std::lock_guard lock(mutex);
    return queue.size();
}

std::size_t Verifier::Running()
{
    std::lock_guard lock(mutex);
    return running;
}

std::size_t Verifier::RetryAfterSeconds()
{
    std::lock_guard lock(mutex);
    const double seconds = averageSeconds * static_cast<double>(queue.size() + 1)
                           / static_cast<double>(workers.size());
    return std::max<std::size_t>(1, static_cast<std::size_t>(seconds + 0.5));
}

void Verifier::Drain()
{
    {
        std::lock_guard lock(mutex);
        draining = true;
    }
    wake.notify_all();
    for (std::thread& worker : workers)
        if (worker.joinable()) worker.join();
}

void Verifier::Work(std::size_t worker)
{
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex);
            wake.wait(lock, [this] { return draining || !queue.empty(); });
            if (queue.empty()) return;
            job = std::move(queue.front());
            queue.pop_front();
            ++running;
        }
        Verdict verdict = Verify(worker, job.journal);
        {
            std::lock_guard lock(mutex);
            averageSeconds = 0.8 * averageSeconds + 0.2 * verdict.seconds;
            --running;
        }
        job.done(std::move(verdict));
    }
}

Verdict Verifier::Verify(std::size_t worker, const std::string& journal)
{
    const auto began = std::chrono::steady_clock::now();
    const std::string home = folder + "/" + std::to_string(worker);
    const std::string path = home + "/run.kgr";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(journal.data(), static_cast<std::streamsize>(journal.size()));
        if (!out.flush()) return Failure("the journal could not be handed to the game");
    }
    std::vector<std::string> arguments = {options.game, "--verify", path, "--report"};
    if (!options.gameData.empty()) arguments.insert(arguments.end(), {"--data", options.gameData});
    // The game's folders are the worker's own: nothing of the server's user is touched.
    const std::vector<std::string> environment = {"HOME=" + home,
                                                  "XDG_DATA_HOME=" + home + "/data",
                                                  "XDG_STATE_HOME=" + home + "/state",
                                                  "XDG_CONFIG_HOME=" + home + "/config",
                                                  "TMPDIR=" + home,
                                                  "PATH=/usr/bin:/bin",
                                                  "LC_ALL=C.UTF-8"};
    Verdict verdict = ReadVerdict(RunChild(arguments, environment, options.limits));
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    std::string unfit;
    if (verdict.typedName && !CheckName(*verdict.typedName, unfit))
        verdict = Refusal("the name typed in the run cannot be listed: " + unfit);
    verdict.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    return verdict;
}

} // namespace server
