// Replaying a journal file: reading it, a save folder of its own for the replayed run, and what
// the replay found at the end.

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/kernel.h"
#include "platform/replay/session.h"

namespace platform {
namespace {

using journal::CurrentReplay;

// A file the recording read must give the same bytes now. One the replay could not read at all
// may be missing, or held open by another game: the file calls share nothing.
std::string FirstFileDiffering(const std::vector<FileDigest>& recorded,
                               const std::vector<FileDigest>& replayed)
{
    for (const FileDigest& file : recorded) {
        bool same = false;
        bool read = false;
        for (const FileDigest& now : replayed) {
            same |= now == file;
            read |= now.name == file.name;
        }
        if (!read) return "the data file " + file.name + " could not be read (missing, or in use)";
        if (!same) return "the data file " + file.name + " differs from the recording's";
    }
    return {};
}

// Answers the recording holds that the replay never asked for.
bool AnswersLeft(journal::Replay& replay)
{
    DWORD time = 0;
    POINT point {};
    return replay.pumpsDone < replay.journal.pumpCount || replay.clock.Next(time)
           || replay.cursor.Next(point);
}

} // namespace

bool ReadJournalFile(const std::string& path, Journal& journal, std::string& error)
{
    // Never more than a journal can be: the name may be a device without end.
    int err = 0;
    const auto bytes = ReadWholeFile(path, JOURNAL_MOST_BYTES, err);
    if (!bytes) {
        error =
            err == EFBIG ? path + " is too large to be a replay journal" : "cannot read " + path;
        return false;
    }
    if (DecodeJournal(*bytes, journal, error)) return true;
    error = path + " is " + error;
    return false;
}

void StartReplay(Journal journal, bool paced)
{
    CurrentReplay() = std::make_unique<journal::Replay>(std::move(journal));
    CurrentReplay()->paced = paced;
}

ReplayOutcome FinishReplay(const RunResult& result)
{
    std::unique_ptr<journal::Replay> replay = std::move(CurrentReplay());
    ReplayOutcome outcome;
    if (!replay) return outcome;
    const Journal& recorded = replay->journal;
    outcome.dataDiffer = FirstFileDiffering(recorded.filesRead, replay->files.Files());
    if (outcome.dataDiffer.empty()) outcome.dataDiffer = replay->dataDiffer;
    if (recorded.cutShort) {
        // Replayed to the cut, it must stand where the recording stood at its last block.
        outcome.cutShort = true;
        outcome.cutTime = recorded.lastBlockTime;
        outcome.cutFrame = recorded.lastBlockFrames;
        const bool sameCut = replay->ranOut && replay->framesAtEnd == recorded.lastBlockFrames;
        outcome.diverged = replay->firstDifference || !sameCut || AnswersLeft(*replay);
        outcome.frame =
            replay->firstDifference.value_or(replay->ranOut ? replay->framesAtEnd : result.frames);
        return outcome;
    }
    const bool sameEnd = result == recorded.result && replay->finalDigest == recorded.finalDigest;
    outcome.diverged =
        replay->firstDifference || !sameEnd || replay->ranOut || AnswersLeft(*replay);
    outcome.frame = replay->firstDifference.value_or(result.frames);
    return outcome;
}

bool MakeReplayFolder(const Journal& journal, std::string& folder, std::string& error)
{
    char base[MAX_PATH];
    if (GetTempPathA(sizeof base, base) == 0) std::strcpy(base, "/tmp/");
    std::string pattern = std::string(base) + "killglimbot-replay-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        error = "cannot make a folder for the replay in " + std::string(base);
        return false;
    }
    folder = pattern;
    for (const KeptFile& file : journal.keptFiles) {
        // A name from the file never leaves the folder.
        if (file.name.empty() || file.name.find('/') != std::string::npos || file.name == "."
            || file.name == "..") {
            error = "the replay names a file it may not: " + file.name;
            RemoveReplayFolder(folder);
            return false;
        }
        if (!file.present) continue;
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(file.bytes.data());
        int err = 0;
        if (!WriteWholeFile(folder + "/" + file.name, {bytes, file.bytes.size()}, err)) {
            error = "cannot write " + folder + "/" + file.name;
            RemoveReplayFolder(folder);
            return false;
        }
    }
    return true;
}

void RemoveReplayFolder(const std::string& folder)
{
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

} // namespace platform
