#include "shell/replays.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/folders.h"
#include "world/world_digest.h"

namespace {

// The player's file that decides play: the Killer List, read when the run ends.
constexpr char killerFile[] = "killer.dat";
constexpr char lastRunName[] = "last-run.kgr";
constexpr char previousRunName[] = "previous-run.kgr";

std::string replayFolder;
std::string replayWords;
// A replay that diverges says so when another version of the game recorded it.
std::string recordedVersion;
std::string runningVersion;

std::string VersionNote()
{
    if (recordedVersion == runningVersion) return {};
    return " (recorded by version " + recordedVersion + ", this is " + runningVersion + ")";
}

bool Replaying(const CommandLine& commandLine)
{
    return !commandLine.playPath.empty() || !commandLine.verifyPath.empty();
}

std::string JoinedArguments(int argc, const char* const* argv)
{
    std::string joined;
    for (int i = 1; i < argc; ++i) joined += (i > 1 ? " " : "") + std::string(argv[i]);
    return joined;
}

bool Refuse(const std::string& message, int exitStatus, int& status)
{
    std::fprintf(stderr, "killglimbot: %s\n", message.c_str());
    status = exitStatus;
    return false;
}

} // namespace

bool PrepareReplay(CommandLine& commandLine, int& status)
{
    const std::string& record = commandLine.recordPath;
    std::error_code ignored;
    if (!record.empty()
        && std::filesystem::exists(std::filesystem::symlink_status(record, ignored)))
        return Refuse(record + " already exists; a recording never replaces a file", 1, status);
    if (!Replaying(commandLine)) return true;
    // A replay brings its own words and input.
    if (!commandLine.gameCommandLine.empty()) {
        return Refuse("a replay runs with the recording's words, not '"
                          + commandLine.gameCommandLine + "'",
                      2, status);
    }
    if (!commandLine.backend.scriptPath.empty())
        return Refuse("a replay's input is the recording's, not a script", 2, status);
    const std::string& path =
        commandLine.verifyPath.empty() ? commandLine.playPath : commandLine.verifyPath;
    platform::Journal journal;
    std::string error;
    if (!platform::ReadJournalFile(path, journal, error)) return Refuse(error, 2, status);
    if (!platform::MakeReplayFolder(journal, replayFolder, error)) return Refuse(error, 1, status);
    // However the program ends from here on, the replay's folder goes with it.
    std::atexit([] { platform::RemoveReplayFolder(replayFolder); });
    commandLine.folders.saveFolder = replayFolder;
    replayWords = journal.commandLine;
    recordedVersion = journal.gameVersion;
    platform::StartReplay(std::move(journal), commandLine.verifyPath.empty());
    return true;
}

void StartJournal(CommandLine& commandLine, int argc, const char* const* argv,
                  const char* gameVersion)
{
    platform::SetStateDigestHook(WorldDigest);
    runningVersion = gameVersion;
    if (Replaying(commandLine)) commandLine.gameCommandLine = replayWords;
    if (Replaying(commandLine) && commandLine.recordPath.empty()) return;
    platform::RecordingOptions options;
    options.gameVersion = gameVersion;
    options.commandLine = commandLine.gameCommandLine;
    options.arguments = JoinedArguments(argc, argv);
    options.keptFiles = {killerFile};
    if (!commandLine.recordPath.empty())
        options.destinations.push_back({commandLine.recordPath, ""});
    // A replay's folders are temporary: recorded again, it goes to --record's file only.
    if (!Replaying(commandLine)) {
        options.destinations.push_back(
            {platform::UserFilePath(platform::UserFolder::State, lastRunName),
             platform::UserFilePath(platform::UserFolder::State, previousRunName)});
    }
    platform::StartRecording(options);
}

int FinishJournal(const CommandLine& commandLine, const platform::RunResult& result)
{
    std::vector<std::string> failures;
    platform::FinishRecording(result, failures);
    for (const std::string& failure : failures)
        std::fprintf(stderr, "killglimbot: %s\n", failure.c_str());
    if (!Replaying(commandLine)) return 0;
    const platform::ReplayOutcome outcome = platform::FinishReplay(result);
    if (commandLine.verifyPath.empty()) return 0;
    if (!outcome.dataDiffer.empty())
        std::printf("not verified: %s%s\n", outcome.dataDiffer.c_str(), VersionNote().c_str());
    else if (outcome.diverged)
        std::printf("not verified: the replay diverges at frame %u%s\n", outcome.frame,
                    VersionNote().c_str());
    else if (outcome.cutShort)
        std::printf("cut short at frame %u, %u.%03u s into the run: verified up to there\n",
                    outcome.cutFrame, outcome.cutTime / 1000, outcome.cutTime % 1000);
    else std::printf("verified\n");
    if (!outcome.dataDiffer.empty() || outcome.diverged) return 1;
    return outcome.cutShort ? VERIFIED_CUT_SHORT : 0;
}
