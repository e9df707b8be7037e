#include "platform/replay/streams.h"

#include <limits>

namespace platform::journal {
namespace {

// A clock run's header: the step and, when short, the run's length in the low four bits.
constexpr std::uint64_t shortRunLimit = 15;

// Adds a run's length to a total, failing on a total no game could have asked for.
bool AddRun(std::uint64_t& total, std::uint64_t length)
{
    if (length > std::numeric_limits<std::uint64_t>::max() - total) return false;
    total += length;
    return true;
}

// The messages the backends post, each with what is usual in its lParam, so that a key or a
// click costs a byte or two. Anything else is kept whole.
struct MessageKind {
    UINT message;
    bool point; // lParam holds the pointer's position
    LPARAM usualParam;
};

constexpr MessageKind messageKinds[] = {
    {0, false, 0},
    {WM_MOUSEMOVE, true, 0},
    {WM_LBUTTONDOWN, true, 0},
    {WM_LBUTTONUP, true, 0},
    {WM_LBUTTONDBLCLK, true, 0},
    {WM_KEYDOWN, false, 1},
    {WM_KEYUP, false, static_cast<LPARAM>(0xC0000001)},
    {WM_SYSKEYDOWN, false, 1},
    {WM_SYSKEYUP, false, static_cast<LPARAM>(0xC0000001)},
    {WM_CHAR, false, 1},
};
constexpr std::size_t kindCount = sizeof messageKinds / sizeof messageKinds[0];

LPARAM PointParam(POINT point)
{
    return static_cast<LPARAM>((static_cast<DWORD>(static_cast<WORD>(point.y)) << 16)
                               | static_cast<WORD>(point.x));
}

POINT PointOf(LPARAM param)
{
    return {static_cast<short>(param & 0xFFFF), static_cast<short>((param >> 16) & 0xFFFF)};
}

std::size_t KindOf(const RecordedMessage& message)
{
    for (std::size_t kind = 1; kind < kindCount; ++kind) {
        const MessageKind& known = messageKinds[kind];
        if (known.message != message.message) continue;
        if (!known.point || PointParam(PointOf(message.lParam)) == message.lParam) return kind;
    }
    return 0;
}

void WriteMessage(ByteWriter& out, const RecordedMessage& message, POINT& lastPoint)
{
    const std::size_t kind = KindOf(message);
    out.Varint(kind);
    if (kind == 0) out.Varint(message.message);
    out.Varint(message.wParam);
    if (messageKinds[kind].point) {
        const POINT point = PointOf(message.lParam);
        out.Signed(point.x - lastPoint.x);
        out.Signed(point.y - lastPoint.y);
        lastPoint = point;
    } else {
        out.Signed(message.lParam - messageKinds[kind].usualParam);
    }
}

RecordedMessage ReadMessage(ByteReader& in, POINT& lastPoint)
{
    const std::uint64_t kind = in.Varint();
    if (kind >= kindCount) {
        in.Fail();
        return {};
    }
    RecordedMessage message {messageKinds[kind].message, 0, 0};
    if (kind == 0) message.message = static_cast<UINT>(in.Varint());
    message.wParam = static_cast<WPARAM>(in.Varint());
    if (messageKinds[kind].point) {
        lastPoint.x = static_cast<LONG>(WrappingAdd(lastPoint.x, in.Signed()));
        lastPoint.y = static_cast<LONG>(WrappingAdd(lastPoint.y, in.Signed()));
        message.lParam = PointParam(lastPoint);
    } else {
        message.lParam =
            static_cast<LPARAM>(WrappingAdd(messageKinds[kind].usualParam, in.Signed()));
    }
    return message;
}

// Moves what `done` holds into `bytes`, and the count of answers since the last take.
std::uint64_t TakeDone(ByteWriter& done, std::uint64_t count, std::uint64_t& taken,
                       std::vector<std::uint8_t>& bytes)
{
    bytes = std::move(done.bytes);
    done.bytes.clear();
    const std::uint64_t answers = count - taken;
    taken = count;
    return answers;
}

} // namespace

void ClockWriter::EndRun()
{
    const std::uint64_t extra = runLength - 1;
    done.Varint((Zigzag(step) << 4) | std::min(extra, shortRunLimit));
    if (extra >= shortRunLimit) done.Varint(extra - shortRunLimit);
    count += runLength;
    runLength = 0;
}

// A run cut here goes on as a new run of the same step.
std::uint64_t ClockWriter::Take(std::vector<std::uint8_t>& bytes)
{
    if (runLength > 0) EndRun();
    return TakeDone(done, count, taken, bytes);
}

bool ClockReader::ReadRun()
{
    if (in.AtEnd() || in.Failed()) return false;
    const std::uint64_t header = in.Varint();
    step = Unzigzag(header >> 4);
    runLeft = (header & shortRunLimit) + 1;
    if ((header & shortRunLimit) == shortRunLimit) runLeft += in.Varint();
    return !in.Failed() && runLeft != 0;
}

bool ClockReader::Next(DWORD& time)
{
    if (runLeft == 0 && !ReadRun()) return false;
    --runLeft;
    last = static_cast<DWORD>(last + static_cast<DWORD>(step));
    time = last;
    return true;
}

void CursorWriter::EndRun()
{
    done.Signed(std::int64_t {current.x} - written.x);
    done.Signed(std::int64_t {current.y} - written.y);
    done.Varint(runLength - 1);
    written = current;
    count += runLength;
    runLength = 0;
}

// A run cut here goes on as a run that moves by nothing.
std::uint64_t CursorWriter::Take(std::vector<std::uint8_t>& bytes)
{
    if (runLength > 0) EndRun();
    return TakeDone(done, count, taken, bytes);
}

bool CursorReader::ReadRun()
{
    if (in.AtEnd() || in.Failed()) return false;
    current.x = static_cast<LONG>(WrappingAdd(current.x, in.Signed()));
    current.y = static_cast<LONG>(WrappingAdd(current.y, in.Signed()));
    runLeft = in.Varint() + 1;
    return !in.Failed() && runLeft != 0;
}

bool CursorReader::Next(POINT& point)
{
    if (runLeft == 0 && !ReadRun()) return false;
    --runLeft;
    point = current;
    return true;
}

void PumpWriter::Add(const Pump& pump)
{
    if (pump.messages.empty() && !pump.closeStarts) {
        AddEmpty();
        return;
    }
    count += emptyRun + 1;
    done.Varint(emptyRun);
    done.Varint((std::uint64_t {pump.messages.size()} << 1) | (pump.closeStarts ? 1 : 0));
    for (const RecordedMessage& message : pump.messages) WriteMessage(done, message, lastPoint);
    emptyRun = 0;
}

std::uint64_t PumpWriter::Take(std::vector<std::uint8_t>& bytes)
{
    return TakeDone(done, Count(), taken, bytes);
}

bool PumpReader::ReadRun()
{
    if (in.AtEnd() || in.Failed()) return false;
    emptyLeft = in.Varint();
    // A damaged count ends with the bytes: every message takes at least two.
    const std::uint64_t header = in.Varint();
    waiting.closeStarts = (header & 1) != 0;
    waiting.messages.clear();
    for (std::uint64_t i = 0; i < (header >> 1) && !in.Failed(); ++i)
        waiting.messages.push_back(ReadMessage(in, lastPoint));
    return !in.Failed();
}

void PumpReader::Next(Pump& pump)
{
    pump = Pump {};
    if (!runRead) {
        runRead = ReadRun();
        if (!runRead) return;
    }
    if (emptyLeft > 0) {
        --emptyLeft;
        return;
    }
    pump = std::move(waiting);
    runRead = false;
}

bool PumpReader::Count(std::uint64_t& total)
{
    total = 0;
    while (ReadRun()) {
        if (!AddRun(total, emptyLeft) || !AddRun(total, 1)) return false;
    }
    return !in.Failed();
}

} // namespace platform::journal
