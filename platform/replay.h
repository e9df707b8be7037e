#pragma once
// Replays: a journal of everything the platform answered a run (the clock, the messages of each
// pump, the cursor, the facts fixed at start), written in blocks while the run goes on and ended
// with the run's result and a digest of the world, so that the run can be watched again or
// verified bit for bit, and a run that never ended still can be up to its last block.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/windef.h"

namespace platform {

inline constexpr std::uint16_t JOURNAL_FORMAT_VERSION = 2;
// A block is written at least this often while the run goes on, in the backend's milliseconds,
// and at every change of screen.
inline constexpr DWORD JOURNAL_BLOCK_MS = 1000;
// The world's digest is kept every this many composed frames.
inline constexpr DWORD JOURNAL_FRAME_STEP = 50;
// Runs are counted in answers: three days of play at a thousand pumps a second stay below this,
// and a journal that claims more (a few bytes can) would keep a replay busy for hours.
inline constexpr std::uint64_t JOURNAL_MOST_ANSWERS = std::uint64_t {1} << 28;
// A journal of an hour of play is a few megabytes; a longer file is not read.
inline constexpr std::uint64_t JOURNAL_MOST_BYTES = std::uint64_t {64} << 20;

struct RunResult {
    DWORD kills = 0;
    LONG peakScore = 0;
    LONG score = 0;
    DWORD frames = 0;
    bool operator==(const RunResult&) const = default;
};

struct FileDigest {
    std::string name;
    std::uint64_t size = 0;
    std::uint64_t digest = 0;
    bool operator==(const FileDigest&) const = default;
};

// A file of the player's as it was at start ("absent" when there was none).
struct KeptFile {
    std::string name;
    bool present = false;
    std::string bytes;
};

struct FrameDigest {
    DWORD frame = 0;
    std::uint64_t digest = 0;
};

struct Journal {
    std::string gameVersion;
    std::string commandLine; // the game's own words
    std::string arguments;   // the program's words as given, for whoever reads a report
    WORD language = 0;       // of the dialogs
    std::vector<std::pair<std::string, std::string>> facts; // noted by the game at start
    std::vector<FileDigest> filesRead;
    std::vector<KeptFile> keptFiles;
    std::uint64_t clockCount = 0;
    std::vector<std::uint8_t> clock;
    std::uint64_t cursorCount = 0;
    std::vector<std::uint8_t> cursor;
    std::uint64_t pumpCount = 0;
    std::vector<std::uint8_t> pumps;
    std::vector<FrameDigest> frames;
    RunResult result;
    std::uint64_t finalDigest = 0;
    // Where the run stood at its last block: milliseconds since recording started, frames
    // composed.
    DWORD lastBlockTime = 0;
    DWORD lastBlockFrames = 0;
    // The program stopped before the journal's end (killed, crashed, out of room): the answers
    // end with its last whole block, and there is no result or final digest.
    bool cutShort = false;
};

// The journal in the current format, a cut-short one without its end.
std::vector<std::uint8_t> EncodeJournal(const Journal& journal);
// Never trusts a size or a count. False with a one-line reason (not a journal, a newer format,
// truncated, damaged) when the bytes are not a journal of a format this game reads; a journal
// cut short after its first block is read up to its last whole block.
bool DecodeJournal(std::span<const std::uint8_t> bytes, Journal& journal, std::string& error);

// Where a journal goes, written as the run goes on.
struct JournalDestination {
    std::string path;
    // Empty: an existing file is never replaced. Else the file there is first kept under this
    // name, whether its run ended or not.
    std::string previousPath;
};

struct RecordingOptions {
    std::string gameVersion;
    std::string commandLine;
    std::string arguments;
    // The player's files that decide play, journalled as they are at start.
    std::vector<std::string> keptFiles;
    std::vector<JournalDestination> destinations;
};

// Journals this run from now on. The log is told where; a destination that cannot be written
// is dropped, said once in the log, and the run goes on, unrecorded when none is left. What a
// dropped destination holds stays there, cut short.
void StartRecording(const RecordingOptions& options);
// Ends the journal with the run's result at every destination left; failures go to notes.
void FinishRecording(const RunResult& result, std::vector<std::string>& notes);
// A new screen starts: the journal so far goes to the disk.
void NoteScreenChange();

bool ReadJournalFile(const std::string& path, Journal& journal, std::string& error);

struct ReplayOutcome {
    std::string dataDiffer; // empty, or what differs from the recording's data and facts
    bool diverged = false;
    DWORD frame = 0; // the first frame whose world differs
    // A journal cut short that replayed to its end: where that end was.
    bool cutShort = false;
    DWORD cutTime = 0;
    DWORD cutFrame = 0;
};

// From now on the seam answers from the journal; paced, at the recording's own speed (F makes
// it four times faster, Escape stops watching), else as fast as the game asks.
void StartReplay(Journal journal, bool paced);
ReplayOutcome FinishReplay(const RunResult& result);
// A new temporary folder holding the journal's kept files, to be the replayed run's save folder.
bool MakeReplayFolder(const Journal& journal, std::string& folder, std::string& error);
void RemoveReplayFolder(const std::string& folder);

// The game's side of the seam: the digest of its world, and the moments it is taken. Every
// pixel counts at the end; a frame's digest may keep to the pixels play can have changed.
using StateDigestHook = std::uint64_t (*)(bool everyPixel);
void SetStateDigestHook(StateDigestHook hook);
// Called after every composed frame; every JOURNAL_FRAME_STEP-th frame's digest is journalled
// or, replaying, compared.
void NoteFrame(DWORD frame);
// Called when play ends, while the world still stands: its digest ends the journal.
void NoteFinalState();
// A fact fixed at start that decides play (the sound level): journalled, or compared.
void NoteFact(const std::string& name, const std::string& value);

// The run's start: a digest of its random seed and of every answer (clock, cursor, messages) in
// the ten seconds of its clock after the seeding (or until play ends), the same whether the run is
// played, recorded or replayed. A run replayed from a copy of a journal with another ending has the
// same start. None before the seeding.
std::optional<std::uint64_t> RunStartDigest();

} // namespace platform
