// The run's start: a digest of the random seed and of every answer of the seam (clock, cursor,
// messages) in the ten seconds of the run's own clock after the seeding, or until play ends
// when that comes first (a screen that waits for a key asks no clock, so its messages would
// otherwise count however long it waits).

#include "platform/replay/run_start.h"

#include <optional>

#include "platform/replay.h"
#include "platform/replay/digest.h"

namespace platform::journal {
namespace {

constexpr DWORD startLength = 10000; // milliseconds

struct RunStart {
    Digest digest;
    std::optional<DWORD> seedTime; // the clock's answer that gave the seed
    bool seeded = false;
    bool over = false;
};

RunStart start;

bool Counting() { return start.seeded && !start.over; }

} // namespace

void StartSeeded(unsigned int seed)
{
    start = RunStart {};
    start.seeded = true;
    start.digest.AddWord(seed);
}

void StartTime(DWORD time)
{
    if (!Counting()) return;
    if (!start.seedTime) start.seedTime = time;
    if (time - *start.seedTime >= startLength) {
        start.over = true;
        return;
    }
    start.digest.AddWord(time);
}

void StartCursor(POINT point)
{
    if (!Counting()) return;
    start.digest.AddWord(static_cast<std::uint32_t>(point.x));
    start.digest.AddWord(static_cast<std::uint32_t>(point.y));
}

void StartPump(const std::vector<MSG>& messages)
{
    if (!Counting()) return;
    start.digest.AddWord(messages.size());
    for (const MSG& message : messages) {
        start.digest.AddWord(message.message);
        start.digest.AddWord(message.wParam);
        start.digest.AddWord(static_cast<std::uint64_t>(message.lParam));
    }
}

void StartPlayEnded() { start.over = true; }

} // namespace platform::journal

namespace platform {

std::optional<std::uint64_t> RunStartDigest()
{
    if (!journal::start.seeded) return std::nullopt;
    return journal::start.digest.Value();
}

} // namespace platform
