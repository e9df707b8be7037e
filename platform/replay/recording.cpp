// Recording: the journal goes to its files in blocks while the run goes on, at least once every
// JOURNAL_BLOCK_MS of the backend's clock and at every change of screen, so that a run that
// never ended (killed, crashed, a full disk, a power cut) keeps all but its last moments. The
// writes go through the file calls; a change of screen and the end sync them.

#include <algorithm>
#include <fstream>
#include <iterator>

#include "platform/backend/backend_interface.h"
#include "platform/folders.h"
#include "platform/host.h"
#include "platform/kernel.h"
#include "platform/notice.h"
#include "platform/replay/seam.h"
#include "platform/replay/session.h"
#include "platform/resources.h"

namespace platform {
namespace {

using journal::CurrentRecording;
using journal::OpenDestination;
using journal::Recording;

KeptFile KeepFile(const std::string& name)
{
    KeptFile kept {name, false, {}};
    std::ifstream in(PathForReading(name.c_str()), std::ios::binary);
    if (!in) return kept;
    kept.present = true;
    kept.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return kept;
}

std::string LastErrorText()
{
    char text[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   GetLastError(), LANG_USER_DEFAULT, text, sizeof text, nullptr);
    std::string reason(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r')) reason.pop_back();
    return reason;
}

// The file calls place a name without a folder among the player's files; a journal's path is
// taken as the player gave it.
std::string AsGiven(const std::string& path)
{
    return path.find('/') == std::string::npos ? "./" + path : path;
}

// The journal there before, ended or cut short, is kept under the previous name first.
HANDLE Open(const JournalDestination& destination)
{
    const std::string path = AsGiven(destination.path);
    if (!destination.previousPath.empty()
        && !MoveFileExA(path.c_str(), AsGiven(destination.previousPath).c_str(),
                        MOVEFILE_REPLACE_EXISTING)
        && GetLastError() != ERROR_FILE_NOT_FOUND) {
        return INVALID_HANDLE_VALUE;
    }
    return CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                       destination.previousPath.empty() ? CREATE_NEW : CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// A destination that fails is closed and dropped: it keeps the blocks written before.
void Drop(OpenDestination& destination, std::vector<std::string>& notes)
{
    notes.push_back("Cannot write the replay " + destination.path + ": " + LastErrorText()
                    + "; it ends with the blocks written before\r\n");
    CloseHandle(destination.file);
}

void Put(Recording& recording, const std::vector<std::uint8_t>& bytes,
         std::vector<std::string>& notes)
{
    const auto size = static_cast<DWORD>(bytes.size());
    std::erase_if(recording.destinations, [&](OpenDestination& destination) {
        DWORD written = 0;
        if (WriteFile(destination.file, bytes.data(), size, &written, nullptr) && written == size)
            return false;
        Drop(destination, notes);
        return true;
    });
}

void Sync(Recording& recording, std::vector<std::string>& notes)
{
    std::erase_if(recording.destinations, [&](OpenDestination& destination) {
        if (FlushFileBuffers(destination.file)) return false;
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
    // The kernel keeps a written block; the browser's storage is told of each.
    KeepWrittenFiles();
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
        const HANDLE file = Open(destination);
        if (file == INVALID_HANDLE_VALUE) {
            journal::NoticeAtFirstPump("Cannot record this run to " + destination.path + ": "
                                       + LastErrorText() + "\r\n");
            continue;
        }
        journal::NoticeAtFirstPump("This run is recorded to " + destination.path + "\r\n");
        recording->destinations.push_back({destination.path, file});
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
    for (OpenDestination& destination : recording->destinations) CloseHandle(destination.file);
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
