// The seam's answers on their way to the game: passed through, journalled, or replayed.

#include "platform/replay/seam.h"

#include "platform/backend.h"
#include "platform/backend/backend_interface.h"
#include "platform/kernel.h"
#include "platform/notice.h"
#include "platform/replay/session.h"

namespace platform::journal {
namespace {

std::unique_ptr<Recording> recording;
std::unique_ptr<Replay> replay;
StateDigestHook stateDigest = nullptr;
std::vector<std::string> notices;

RecordedMessage Recorded(const MSG& message)
{
    return {message.message, message.wParam, message.lParam};
}

} // namespace

std::unique_ptr<Recording>& CurrentRecording() { return recording; }
std::unique_ptr<Replay>& CurrentReplay() { return replay; }

// A replay may itself be recorded: the new journal holds the same answers with what this
// version of the game makes of them.
DWORD AnswerTime(DWORD live)
{
    const DWORD time = replay ? ReplayTime(*replay) : live;
    if (recording) recording->clock.Add(time);
    return time;
}

POINT AnswerCursor(POINT live)
{
    const POINT point = replay ? ReplayCursor(*replay) : live;
    if (recording) recording->cursor.Add(point);
    return point;
}

void NoticeAtFirstPump(const std::string& text) { notices.push_back(text); }

void DeliverPump(std::vector<MSG>& arrived, HWND inputWindow)
{
    if (!notices.empty()) {
        for (const std::string& notice : notices) Notice(notice);
        notices.clear();
    }
    if (replay) ReplayPump(*replay, arrived, inputWindow);
    if (!recording) return;
    const bool closeStarts = !recording->closing && AnswerClose(ClosingLive());
    if (arrived.empty() && !closeStarts) {
        recording->pumps.AddEmpty();
    } else {
        Pump pump {{}, closeStarts};
        for (const MSG& message : arrived) pump.messages.push_back(Recorded(message));
        recording->closing |= closeStarts;
        recording->pumps.Add(pump);
    }
    KeepUp(*recording, PumpTime());
}

bool AnswerWait(DWORD timeoutMs)
{
    if (replay) {
        ReplayWait(*replay);
        return false;
    }
    if (recording) return RecordedWait(*recording, timeoutMs);
    return CurrentBackend().WaitForInput(timeoutMs);
}

bool AnswerClose(bool live) { return replay ? replay->closing : live; }

WORD AnswerLanguage(WORD live) { return replay ? replay->journal.language : live; }

void FileOpened(HANDLE file, const char* name, DWORD access)
{
    if ((access & GENERIC_WRITE) != 0) return;
    if (replay) replay->files.Opened(file, name);
    if (recording) recording->files.Opened(file, name);
}

void FileRead(HANDLE file, const void* data, DWORD size)
{
    if (replay) replay->files.Read(file, data, size);
    if (recording) recording->files.Read(file, data, size);
}

void FileClosed(HANDLE file)
{
    if (replay) replay->files.Closed(file);
    if (recording) recording->files.Closed(file);
}

} // namespace platform::journal

namespace platform {

bool CloseRequested() { return journal::AnswerClose(ClosingLive()); }

void SetStateDigestHook(StateDigestHook hook) { journal::stateDigest = hook; }

void NoteFrame(DWORD frame)
{
    using namespace journal;
    if (recording) recording->frame = frame;
    if (replay) replay->frame = frame;
    if (frame % JOURNAL_FRAME_STEP != 0 || stateDigest == nullptr || (!recording && !replay))
        return;
    const std::uint64_t digest = stateDigest(false);
    if (replay) ReplayFrame(*replay, frame, digest);
    if (recording) recording->journal.frames.push_back({frame, digest});
}

void NoteFinalState()
{
    using namespace journal;
    const std::uint64_t digest = stateDigest != nullptr ? stateDigest(true) : 0;
    if (replay) replay->finalDigest = digest;
    if (recording) recording->journal.finalDigest = digest;
}

void NoteFact(const std::string& name, const std::string& value)
{
    using namespace journal;
    if (replay) ReplayFact(*replay, name, value);
    if (recording) recording->journal.facts.emplace_back(name, value);
}

} // namespace platform
