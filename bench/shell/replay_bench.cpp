// What replays cost: the journal's share of a composed frame while recording, and verifying a
// recorded minute of play against playing it headless.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "bench/shell/play_field.h"
#include "platform/backend.h"
#include "platform/backend/backend_interface.h"
#include "platform/replay.h"
#include "platform/replay/seam.h"
#include "platform/replay/streams.h"
#include "world/world_digest.h"

extern char** environ;

namespace {

// The play loop passes about once a millisecond: a frame of 20 ms is 20 clock reads, 20 cursor
// reads and 20 pumps, then the frame's note (a digest every 50th). The headless backend's clock
// moves a millisecond a pump, so a recording writes a block to its file every 50 frames, as a
// second of play does.
constexpr int passesPerFrame = 20;

void RecordFrame(DWORD frame)
{
    for (int pass = 0; pass < passesPerFrame; ++pass) {
        std::vector<MSG> arrived;
        platform::PumpBackend();
        platform::journal::DeliverPump(arrived, nullptr);
        benchmark::DoNotOptimize(platform::journal::AnswerCursor({320, 240}));
        benchmark::DoNotOptimize(platform::journal::AnswerTime(1000000 + frame * 20 + pass));
    }
    platform::NoteFrame(frame);
}

// A recording into a temporary file for as long as it lives.
class BenchRecording {
public:
    BenchRecording()
    {
        platform::SetStateDigestHook(WorldDigest);
        platform::StartRecording({"bench", "", "", {}, {{journal, journal + ".old"}}});
    }
    ~BenchRecording()
    {
        std::vector<std::string> failures;
        platform::FinishRecording({}, failures);
        std::filesystem::remove(journal);
        std::filesystem::remove(journal + ".old");
    }
    BenchRecording(const BenchRecording&) = delete;
    BenchRecording& operator=(const BenchRecording&) = delete;

private:
    std::string journal =
        std::filesystem::temp_directory_path() / ("bench-" + std::to_string(getpid()) + ".kgr");
};

// A frame's answers passing the seam, without a journal (0) and recorded (1), the world's
// digest every 50th frame and the block written every 50th included: the difference is what
// recording adds to each frame of play, to compare with BM_ComposeFrame.
void BM_JournalOneFrame(benchmark::State& state)
{
    static const bool headless = [] {
        platform::BackendOptions options;
        options.headless = true;
        std::string error;
        return platform::StartBackend(options, error);
    }();
    if (!headless) state.SkipWithError("no headless backend");
    PlayField field;
    std::optional<BenchRecording> recording;
    if (state.range(0) != 0) recording.emplace();
    DWORD frame = 0;
    for (auto _ : state) RecordFrame(++frame);
}
BENCHMARK(BM_JournalOneFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The digest taken every 50th frame (the stained band of the scene) and at the end (every
// pixel), over a field with every drop flying.
void BM_WorldDigest(benchmark::State& state)
{
    PlayField field;
    for (auto _ : state) benchmark::DoNotOptimize(WorldDigest(state.range(0) != 0));
}
BENCHMARK(BM_WorldDigest)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

int RunGame(std::vector<std::string> words)
{
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    int status = -1;
    if (posix_spawn(&child, KG_GAME_PATH, &actions, nullptr, argv.data(), environ) == 0)
        waitpid(child, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    return status;
}

// The recorded minute's length in milliseconds: from its first clock answer to its last.
double RecordedMilliseconds()
{
    std::ifstream in(KG_MINUTE_JOURNAL, std::ios::binary);
    const std::vector<std::uint8_t> bytes {std::istreambuf_iterator<char>(in),
                                           std::istreambuf_iterator<char>()};
    platform::Journal journal;
    std::string error;
    if (!platform::DecodeJournal(bytes, journal, error)) return 0;
    platform::journal::ClockReader clock(journal.clock);
    DWORD first = 0;
    DWORD last = 0;
    clock.Next(first);
    for (DWORD time = 0; clock.Next(time);) last = time;
    return last - first;
}

// Whole runs of the game program; "speed" is how many times faster than real time.
void TimeRuns(benchmark::State& state, const std::vector<std::string>& words)
{
    const double recorded = RecordedMilliseconds();
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (RunGame(words) != 0) state.SkipWithError("the game failed");
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["speed"] = recorded / 1000 / (seconds / static_cast<double>(state.iterations()));
    state.counters["journalBytes"] =
        static_cast<double>(std::filesystem::file_size(KG_MINUTE_JOURNAL));
}

void BM_VerifyMinute(benchmark::State& state)
{
    TimeRuns(state, {KG_GAME_PATH, "--verify", KG_MINUTE_JOURNAL});
}
BENCHMARK(BM_VerifyMinute)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

void BM_PlayMinuteHeadless(benchmark::State& state)
{
    const std::string save =
        std::filesystem::temp_directory_path() / ("bench-save-" + std::to_string(getpid()));
    TimeRuns(state, {KG_GAME_PATH, "--headless", "--script", KG_MINUTE_SCRIPT, "--save", save});
    std::filesystem::remove_all(save);
}
BENCHMARK(BM_PlayMinuteHeadless)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

} // namespace
