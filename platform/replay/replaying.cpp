// Replaying: the recorded answers in the order the game asks for them. Past the recording's
// end the program is closing, the clock moves a millisecond an answer and the cursor stays.

#include "platform/backend/backend_interface.h"
#include "platform/host.h"
#include "platform/replay/session.h"

namespace platform::journal {
namespace {

constexpr int fastSpeed = 4;

void RunOut(Replay& replay)
{
    if (!replay.stopped && !replay.ranOut) {
        replay.ranOut = true;
        replay.framesAtEnd = replay.frame;
    }
    replay.closing = true;
}

// Watching, an answer waits until the real clock has caught up with the recorded one.
void Pace(Replay& replay, DWORD recorded)
{
    if (!replay.paced) return;
    if (!replay.baseRecorded) {
        replay.baseRecorded = recorded;
        replay.baseReal = BootClock();
    }
    const DWORD due = (recorded - *replay.baseRecorded) / static_cast<DWORD>(replay.speed);
    const DWORD waited = BootClock() - replay.baseReal;
    if (due > waited) SleepFor(due - waited);
}

// The watcher's own keys: Escape stops watching, F changes the speed.
void Steer(Replay& replay, const std::vector<MSG>& live)
{
    for (const MSG& message : live) {
        if (message.message != WM_KEYDOWN) continue;
        if (message.wParam == VK_ESCAPE) replay.stopped = true;
        if (message.wParam == 'F') {
            replay.speed = replay.speed == 1 ? fastSpeed : 1;
            replay.baseRecorded.reset();
        }
    }
    if (ClosingLive()) replay.stopped = true;
}

MSG ToMessage(HWND window, const RecordedMessage& message, POINT cursor)
{
    return MSG {window,         message.message,        message.wParam,
                message.lParam, CurrentBackend().Now(), cursor};
}

} // namespace

DWORD ReplayTime(Replay& replay)
{
    DWORD time = 0;
    if (replay.stopped || replay.ranOut || !replay.clock.Next(time)) {
        RunOut(replay);
        return ++replay.lastTime;
    }
    Pace(replay, time);
    replay.lastTime = time;
    return time;
}

// In the recording the wait ended when the next answer's time came, or a little before.
void ReplayWait(Replay& replay)
{
    if (replay.stopped || replay.ranOut) return;
    ClockReader ahead = replay.clock;
    DWORD next = 0;
    if (ahead.Next(next)) Pace(replay, next);
}

POINT ReplayCursor(Replay& replay)
{
    POINT point {};
    if (replay.stopped || replay.ranOut || !replay.cursor.Next(point)) RunOut(replay);
    else replay.lastCursor = point;
    return replay.lastCursor;
}

void ReplayPump(Replay& replay, std::vector<MSG>& arrived, HWND inputWindow)
{
    Steer(replay, arrived);
    arrived.clear();
    if (replay.stopped || replay.ranOut || replay.pumpsDone == replay.journal.pumpCount) {
        RunOut(replay);
        // As a closing program's pumps do: a key press for the window that takes input.
        if (inputWindow == nullptr) return;
        for (UINT message : {WM_KEYDOWN, WM_KEYUP}) {
            arrived.push_back(ToMessage(
                inputWindow,
                {message, VK_ESCAPE, message == WM_KEYDOWN ? 1 : static_cast<LPARAM>(0xC0000001)},
                replay.lastCursor));
        }
        return;
    }
    ++replay.pumpsDone;
    Pump pump;
    replay.pumps.Next(pump);
    replay.closing |= pump.closeStarts;
    for (const RecordedMessage& message : pump.messages)
        arrived.push_back(ToMessage(inputWindow, message, replay.lastCursor));
}

void ReplayFrame(Replay& replay, DWORD frame, std::uint64_t digest)
{
    // A journal cut short knows nothing of the frames after its last block.
    if (replay.journal.cutShort && frame > replay.journal.lastBlockFrames) return;
    const std::vector<FrameDigest>& recorded = replay.journal.frames;
    while (replay.nextFrame < recorded.size() && recorded[replay.nextFrame].frame < frame)
        ++replay.nextFrame;
    const bool same = replay.nextFrame < recorded.size()
                      && recorded[replay.nextFrame].frame == frame
                      && recorded[replay.nextFrame].digest == digest;
    if (!same && !replay.firstDifference) replay.firstDifference = frame;
}

void ReplayFact(Replay& replay, const std::string& name, const std::string& value)
{
    for (const auto& [recordedName, recordedValue] : replay.journal.facts) {
        if (recordedName != name || recordedValue == value) continue;
        if (replay.dataDiffer.empty())
            replay.dataDiffer =
                "the " + name + " is " + value + ", the recording's " + recordedValue;
    }
}

} // namespace platform::journal
