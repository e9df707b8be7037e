// Recording: the journal goes to its files in blocks while the run goes on, at least once every
// JOURNAL_BLOCK_MS of the backend's clock and at every change of screen, so that a run that
// never ended (killed, crashed, a full disk, a power cut) keeps all but its last moments. A
// change of screen and the end sync the files.

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <optional>

#include "platform/backend/backend_interface.h"
#include "platform/folders.h"
#include "platform/notice.h"
#include "platform/port/system_errors.h"
#include "platform/replay/seam.h"
#include "platform/replay/session.h"
#include "platform/resources.h"

namespace platform {
namespace {

using journal::CurrentRecording;
using journal::OpenDestination;
using journal::Recording;

// A file the player had at start, as the game's file calls would find it.
KeptFile KeepFile(const std::string& name)
{
    int ignored = 0;
    auto bytes = ReadWholeFile(PathForReading(name.c_str()), JOURNAL_MOST_BYTES, ignored);
    if (!bytes) return {name, false, {}};
    return {name, true, std::string(bytes->begin(), bytes->end())};
}

std::string ErrorText(int err)
{
    std::string reason = SystemErrorText(ErrorFromErrno(err));
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r')) reason.pop_back();
    return reason;
}

// The journal there before, ended or cut short, is kept under the previous name first. A new
// journal never replaces a file; the last run's is written over in place.
std::optional<OwnedFile> Open(const JournalDestination& destination, int& error)
{
    const bool replaces = !destination.previousPath.empty();
    if (replaces && !RenameFile(destination.path, destination.previousPath, true, false, error)
        && error != ENOENT)
        return std::nullopt;
    auto file = OwnedFile::Open(destination.path, O_WRONLY | O_CREAT | (replaces ? 0 : O_EXCL),
                                FileLock::Alone, error);
    if (file && replaces && !file->Empty()) {
        error = file->Error();
        return std::nullopt;
    }
    return file;
}

// A destination that fails is closed and dropped: it keeps the blocks written before.
void Drop(const OpenDestination& destination, std::vector<std::string>& notes)
{
    notes.push_back("Cannot write the replay " + destination.path + ": "
                    + ErrorText(destination.file.Error())
                    + "; it ends with the blocks written before\r\n");
}

void Put(Recording& recording, const std::vector<std::uint8_t>& bytes,
         std::vector<std::string>& notes)
{
    std::erase_if(recording.destinations, [&](OpenDestination& destination) {
        std::size_t written = 0;
        if (destination.file.Write(bytes, written)) return false;
        Drop(destination, notes);
        return true;
    });
}

void Sync(Recording& recording, std::vector<std::string>& notes)
{
    std::erase_if(recording.destinations, [&](OpenDestination& destination) {
        if (destination.file.Sync()) return false;
        Drop(destination, notes);
        return true;
    });
}

std::uint64_t Answers(const Recording& recording)
{
    return recording.clock.Count() + recording.cursor.Count() + recording.pumps.Count();
}

bool Pending(const Recording& recording) { return Answers(recording) != recording.answersWritten; }

// What was recorded since the last block, as the next block.
void WriteBlock(Recording& recording, journal::BlockKind kind, std::vector<std::string>& notes)
{
    Journal part;
    Journal& taken = recording.journal;
    part.facts = std::exchange(taken.facts, {});
    part.frames = std::exchange(taken.frames, {});
    const std::vector<FileDigest>& files = recording.files.Files();
    part.filesRead.assign(files.begin() + static_cast<std::ptrdiff_t>(recording.filesWritten),
                          files.end());
    recording.filesWritten = files.size();
    part.clockCount = recording.clock.Take(part.clock);
    part.cursorCount = recording.cursor.Take(part.cursor);
    part.pumpCount = recording.pumps.Take(part.pumps);
    recording.blockTime = CurrentBackend().Now();
    part.lastBlockTime = recording.blockTime - recording.startTime;
    part.lastBlockFrames = recording.frame;
    part.result = taken.result;
    part.finalDigest = taken.finalDigest;
    Put(recording, recording.blocks.RunBlock(part, kind), notes);
    recording.answersWritten = Answers(recording);
}

void Tell(const std::vector<std::string>& notes)
{
    for (const std::string& note : notes) Notice(note);
}

} // namespace

namespace journal {

void KeepUp(Recording& recording, DWORD now)
{
    if (now - recording.blockTime < JOURNAL_BLOCK_MS) return;
    std::vector<std::string> notes;
    WriteBlock(recording, BlockKind::Run, notes);
    Tell(notes);
}

// A long wait does not keep what was recorded off the disk: it ends at the next block's time at
// the latest, and the block is written (the game's loop then pumps and waits again).
bool RecordedWait(Recording& recording, DWORD timeoutMs)
{
    Backend& backend = CurrentBackend();
    if (!Pending(recording)) return backend.WaitForInput(timeoutMs);
    const DWORD sinceBlock = backend.Now() - recording.blockTime;
    const DWORD untilBlock = sinceBlock < JOURNAL_BLOCK_MS ? JOURNAL_BLOCK_MS - sinceBlock : 0;
    const bool input = backend.WaitForInput(std::min(timeoutMs, untilBlock));
    KeepUp(recording, backend.Now());
    return input;
}

} // namespace journal

void StartRecording(const RecordingOptions& options)
{
    auto recording = std::make_unique<Recording>();
    Journal& journal = recording->journal;
    journal.gameVersion = options.gameVersion;
    journal.commandLine = options.commandLine;
    journal.arguments = options.arguments;
    journal.language = journal::AnswerLanguage(UserLanguage());
    for (const std::string& name : options.keptFiles) journal.keptFiles.push_back(KeepFile(name));
    for (const JournalDestination& destination : options.destinations) {
        int error = 0;
        std::optional<OwnedFile> file = Open(destination, error);
        if (!file) {
            journal::NoticeAtFirstPump("Cannot record this run to " + destination.path + ": "
                                       + ErrorText(error) + "\r\n");
            continue;
        }
        journal::NoticeAtFirstPump("This run is recorded to " + destination.path + "\r\n");
        recording->destinations.push_back({destination.path, std::move(*file)});
    }
    std::vector<std::string> notes;
    std::vector<std::uint8_t> start = recording->blocks.Header();
    const std::vector<std::uint8_t> block = recording->blocks.StartBlock(journal);
    start.insert(start.end(), block.begin(), block.end());
    Put(*recording, start, notes);
    for (const std::string& note : notes) journal::NoticeAtFirstPump(note);
    recording->startTime = recording->blockTime = CurrentBackend().Now();
    CurrentRecording().reset();
    if (!recording->destinations.empty()) CurrentRecording() = std::move(recording);
}

void FinishRecording(const RunResult& result, std::vector<std::string>& notes)
{
    std::unique_ptr<Recording> recording = std::move(CurrentRecording());
    if (!recording) return;
    recording->journal.result = result;
    WriteBlock(*recording, journal::BlockKind::End, notes);
    Sync(*recording, notes);
}

void NoteScreenChange()
{
    Recording* recording = CurrentRecording().get();
    if (recording == nullptr) return;
    std::vector<std::string> notes;
    if (Pending(*recording)) WriteBlock(*recording, journal::BlockKind::Run, notes);
    Sync(*recording, notes);
    Tell(notes);
}

} // namespace platform
