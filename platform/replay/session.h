#pragma once
// Inside the platform layer: the journal being recorded, or the one being replayed.

#include <memory>
#include <optional>

#include "platform/port/owned_file.h"
#include "platform/replay.h"
#include "platform/replay/blocks.h"
#include "platform/replay/file_digests.h"
#include "platform/replay/streams.h"

namespace platform::journal {

struct OpenDestination {
    std::string path;
    OwnedFile file;
};

struct Recording {
    // The facts of the start, then what the next block takes: the facts and frame digests noted
    // since the last one, the result and final digest at the end.
    Journal journal;
    ClockWriter clock;
    CursorWriter cursor;
    PumpWriter pumps;
    FileDigests files;
    bool closing = false;
    BlockWriter blocks;
    std::vector<OpenDestination> destinations;
    // On the backend's clock: when recording started, when the last block was written.
    DWORD startTime = 0;
    DWORD blockTime = 0;
    DWORD frame = 0; // composed so far
    std::size_t filesWritten = 0;
    std::uint64_t answersWritten = 0;
};

struct Replay {
    explicit Replay(Journal recorded)
        : journal(std::move(recorded)), clock(journal.clock), cursor(journal.cursor),
          pumps(journal.pumps)
    {
    }

    Journal journal;
    ClockReader clock;
    CursorReader cursor;
    PumpReader pumps;
    std::uint64_t pumpsDone = 0;
    FileDigests files;
    // Past the recording's end, or stopped by the viewer: the program closes as on a key.
    bool ranOut = false;
    bool stopped = false;
    bool closing = false;
    DWORD lastTime = 0;
    POINT lastCursor {};
    std::size_t nextFrame = 0;
    DWORD frame = 0;       // composed so far
    DWORD framesAtEnd = 0; // composed when the recording's answers ran out
    std::optional<DWORD> firstDifference;
    std::uint64_t finalDigest = 0;
    std::string dataDiffer;
    // Watching: the recorded clock is followed from base on, speed times as fast.
    bool paced = false;
    int speed = 1;
    std::optional<DWORD> baseRecorded;
    DWORD baseReal = 0;
};

std::unique_ptr<Recording>& CurrentRecording();
std::unique_ptr<Replay>& CurrentReplay();

// For the log, once the game has opened it and taken its first input.
void NoticeAtFirstPump(const std::string& text);

// Recording: a block when one is due by the backend's clock at `now`; a wait that writes the
// block due meanwhile.
void KeepUp(Recording& recording, DWORD now);
bool RecordedWait(Recording& recording, DWORD timeoutMs);

// Replaying: the next recorded answers.
DWORD ReplayTime(Replay& replay);
void ReplayWait(Replay& replay);
POINT ReplayCursor(Replay& replay);
void ReplayPump(Replay& replay, std::vector<MSG>& arrived, HWND inputWindow);
void ReplayFrame(Replay& replay, DWORD frame, std::uint64_t digest);
void ReplayFact(Replay& replay, const std::string& name, const std::string& value);

} // namespace platform::journal
