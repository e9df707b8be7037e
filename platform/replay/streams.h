#pragma once
// The journal's three sequences, each written and read in the order the game asked: the clock's
// answers (runs of equal steps), the cursor's answers (runs of equal positions) and the pumps
// (runs of empty pumps, then the messages one pump delivered).

#include <cstdint>
#include <span>
#include <vector>

#include "platform/replay/bytes.h"
#include "platform/user.h"

namespace platform::journal {

struct RecordedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const RecordedMessage&) const = default;
};

struct Pump {
    std::vector<RecordedMessage> messages;
    bool closeStarts = false; // the program is closing from this pump on
};

// The writers' Add is called a few thousand times a second while recording, so the common case
// (the run goes on) stays inline. Take moves the answers added since the last Take, encoded, into
// `bytes` and answers how many they are; the stream goes on, and the pieces taken one after the
// other read as one stream.
class ClockWriter {
public:
    void Add(DWORD time)
    {
        const std::int64_t next = static_cast<std::int32_t>(time - last);
        if (runLength > 0 && next != step) EndRun();
        step = next;
        ++runLength;
        last = time;
    }
    std::uint64_t Take(std::vector<std::uint8_t>& bytes);
    std::uint64_t Count() const { return count + runLength; }

private:
    void EndRun();

    ByteWriter done;
    DWORD last = 0;
    std::int64_t step = 0;
    std::uint64_t runLength = 0;
    std::uint64_t count = 0; // the answers before the run in progress
    std::uint64_t taken = 0;
};

// What the clock's and the cursor's readers share: runs of answers. Derived reads one run's
// head and sets runLeft.
template <typename Derived> class RunReader {
public:
    bool Failed() const { return in.Failed(); }
    // Reads the whole stream, answering how many answers it holds; false when damaged.
    bool Count(std::uint64_t& total)
    {
        total = 0;
        while (static_cast<Derived*>(this)->ReadRun()) {
            if (runLeft > ~std::uint64_t {0} - total) return false;
            total += runLeft;
        }
        return !in.Failed();
    }

protected:
    explicit RunReader(std::span<const std::uint8_t> bytes) : in(bytes) {}

    ByteReader in;
    std::uint64_t runLeft = 0;
};

class ClockReader : public RunReader<ClockReader> {
public:
    explicit ClockReader(std::span<const std::uint8_t> bytes) : RunReader(bytes) {}
    // False once the answers are used up or damaged (then Failed()).
    bool Next(DWORD& time);

private:
    friend class RunReader<ClockReader>;
    bool ReadRun();

    DWORD last = 0;
    std::int64_t step = 0;
};

class CursorWriter {
public:
    void Add(POINT point)
    {
        if (runLength > 0 && (point.x != current.x || point.y != current.y)) EndRun();
        current = point;
        ++runLength;
    }
    std::uint64_t Take(std::vector<std::uint8_t>& bytes);
    std::uint64_t Count() const { return count + runLength; }

private:
    void EndRun();

    ByteWriter done;
    POINT written {};
    POINT current {};
    std::uint64_t runLength = 0;
    std::uint64_t count = 0; // the answers before the run in progress
    std::uint64_t taken = 0;
};

class CursorReader : public RunReader<CursorReader> {
public:
    explicit CursorReader(std::span<const std::uint8_t> bytes) : RunReader(bytes) {}
    bool Next(POINT& point);

private:
    friend class RunReader<CursorReader>;
    bool ReadRun();

    POINT current {};
};

class PumpWriter {
public:
    void Add(const Pump& pump);
    void AddEmpty() { ++emptyRun; }
    // The empty pumps since the last one written are counted, not written: a reader takes the
    // pumps past the last one written as empty.
    std::uint64_t Take(std::vector<std::uint8_t>& bytes);
    std::uint64_t Count() const { return count + emptyRun; }

private:
    ByteWriter done;
    std::uint64_t emptyRun = 0;
    std::uint64_t count = 0; // the pumps before the empty run
    std::uint64_t taken = 0;
    POINT lastPoint {};
};

// Pumps after the last recorded one are empty.
class PumpReader {
public:
    explicit PumpReader(std::span<const std::uint8_t> bytes) : in(bytes) {}
    void Next(Pump& pump);
    bool Failed() const { return in.Failed(); }
    bool Count(std::uint64_t& total);

private:
    bool ReadRun();

    ByteReader in;
    bool runRead = false;
    std::uint64_t emptyLeft = 0;
    Pump waiting;
    POINT lastPoint {};
};

} // namespace platform::journal
