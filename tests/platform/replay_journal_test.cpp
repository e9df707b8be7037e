#include <gtest/gtest.h>

#include <cstring>

#include "platform/replay.h"
#include "platform/replay/digest.h"
#include "platform/replay/streams.h"

namespace {

using namespace platform;
using namespace platform::journal;

std::vector<DWORD> ReadClock(const std::vector<std::uint8_t>& bytes)
{
    ClockReader reader(bytes);
    std::vector<DWORD> times;
    for (DWORD time = 0; reader.Next(time);) times.push_back(time);
    EXPECT_FALSE(reader.Failed());
    return times;
}

TEST(ReplayStreams, TheClockComesBackAsRecordedAndItsRunsStaySmall)
{
    std::vector<DWORD> times;
    for (DWORD t = 0xFFFFFF00; t != 0x200; ++t) times.push_back(t); // wraps round
    times.insert(times.end(), {0x200, 0x200, 0x1F0, 0x5000, 0x5001, 7});
    ClockWriter writer;
    for (DWORD time : times) writer.Add(time);
    EXPECT_EQ(writer.Count(), times.size());
    EXPECT_EQ(ReadClock(writer.Bytes()), times);
    EXPECT_LT(writer.Bytes().size(), 24u);

    std::uint64_t counted = 0;
    EXPECT_TRUE(ClockReader(writer.Bytes()).Count(counted));
    EXPECT_EQ(counted, times.size());
    // Runs of every length round the short-run limit read back as they were written.
    for (DWORD length = 1; length < 40; ++length) {
        std::vector<DWORD> run;
        for (DWORD i = 0; i < length; ++i) run.push_back(100 + 2 * i);
        run.push_back(5);
        ClockWriter runs;
        for (DWORD time : run) runs.Add(time);
        EXPECT_EQ(ReadClock(runs.Bytes()), run) << length;
    }
}

TEST(ReplayStreams, CursorAndPumpsComeBackAsRecorded)
{
    const std::vector<POINT> points {{320, 240}, {320, 240}, {0, 479}, {-5, 70000}, {12, 12}};
    CursorWriter cursorWriter;
    for (POINT point : points) cursorWriter.Add(point);
    const std::vector<std::uint8_t> cursorBytes = cursorWriter.Bytes();
    CursorReader cursorReader(cursorBytes);
    for (POINT expected : points) {
        POINT point {};
        ASSERT_TRUE(cursorReader.Next(point));
        EXPECT_EQ(point.x, expected.x);
        EXPECT_EQ(point.y, expected.y);
    }
    POINT beyond {};
    EXPECT_FALSE(cursorReader.Next(beyond));

    const std::vector<Pump> pumps {
        {},
        {{{WM_MOUSEMOVE, 0, 0x00F00140}, {WM_LBUTTONDOWN, 1, 0x00F00140}}, false},
        {},
        {},
        {{{WM_KEYDOWN, VK_ESCAPE, 1}, {WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0000001)}},
         true},
        {{{WM_CHAR, 'a', 1}, {0x1234, 99, -7}, {WM_MOUSEMOVE, 0, 0x7FFF8000}}, false},
    };
    PumpWriter pumpWriter;
    for (const Pump& pump : pumps) pumpWriter.Add(pump);
    pumpWriter.Add({});
    EXPECT_EQ(pumpWriter.Count(), pumps.size() + 1);
    const std::vector<std::uint8_t> pumpBytes = pumpWriter.Bytes();
    PumpReader pumpReader(pumpBytes);
    for (const Pump& expected : pumps) {
        Pump pump;
        pumpReader.Next(pump);
        EXPECT_EQ(pump.messages, expected.messages);
        EXPECT_EQ(pump.closeStarts, expected.closeStarts);
    }
    Pump after;
    pumpReader.Next(after);
    EXPECT_TRUE(after.messages.empty());
    EXPECT_FALSE(pumpReader.Failed());
}

TEST(ReplayDigest, TheSameBytesInAnyPiecesGiveTheSameDigest)
{
    std::vector<std::uint8_t> bytes(1000);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
    const std::uint64_t whole = DigestOf(bytes.data(), bytes.size());
    Digest pieces;
    for (std::size_t at = 0, size = 1; at < bytes.size(); at += size, size = size % 37 + 3)
        pieces.Add(bytes.data() + at, std::min(size, bytes.size() - at));
    EXPECT_EQ(pieces.Value(), whole);
    bytes[999] ^= 1;
    EXPECT_NE(DigestOf(bytes.data(), bytes.size()), whole);
    EXPECT_NE(DigestOf(bytes.data(), 999), DigestOf(bytes.data(), 1000));
}

Journal SmallJournal()
{
    Journal journal;
    journal.gameVersion = "1.2.3";
    journal.commandLine = "s";
    journal.arguments = "--headless --record x.kgr s";
    journal.language = 1040;
    journal.facts = {{"sound level", "0"}};
    journal.filesRead = {{"title.qvx", 1234, 0x1122334455667788}, {"error.dat", 0, 0}};
    journal.keptFiles = {{"killer.dat", true, std::string("\0\1KILLER", 8)}, {"other", false, ""}};
    ClockWriter clock;
    CursorWriter cursor;
    PumpWriter pumps;
    for (DWORD t = 1000000; t < 1000400; t += 1 + t % 3) {
        clock.Add(t);
        cursor.Add({static_cast<LONG>(t % 640), 240});
        pumps.Add(t % 50 == 0 ? Pump {{{WM_KEYDOWN, 'F', 1}}, false} : Pump {});
    }
    journal.clock = clock.Bytes();
    journal.clockCount = clock.Count();
    journal.cursor = cursor.Bytes();
    journal.cursorCount = cursor.Count();
    journal.pumps = pumps.Bytes();
    journal.pumpCount = pumps.Count() + 5;
    journal.frames = {{50, 1}, {100, 0xFFFFFFFFFFFFFFFF}};
    journal.result = {7, 30, -4, 123};
    journal.finalDigest = 0xABCDEF;
    return journal;
}

TEST(ReplayJournal, AJournalReadsBackWhole)
{
    const Journal written = SmallJournal();
    Journal read;
    std::string error;
    ASSERT_TRUE(DecodeJournal(EncodeJournal(written), read, error)) << error;
    EXPECT_EQ(read.gameVersion, written.gameVersion);
    EXPECT_EQ(read.commandLine, written.commandLine);
    EXPECT_EQ(read.arguments, written.arguments);
    EXPECT_EQ(read.language, written.language);
    EXPECT_EQ(read.facts, written.facts);
    EXPECT_EQ(read.filesRead, written.filesRead);
    ASSERT_EQ(read.keptFiles.size(), 2u);
    EXPECT_EQ(read.keptFiles[0].bytes, written.keptFiles[0].bytes);
    EXPECT_FALSE(read.keptFiles[1].present);
    EXPECT_EQ(read.clock, written.clock);
    EXPECT_EQ(read.cursor, written.cursor);
    EXPECT_EQ(read.pumps, written.pumps);
    EXPECT_EQ(read.pumpCount, written.pumpCount);
    ASSERT_EQ(read.frames.size(), 2u);
    EXPECT_EQ(read.frames[1].frame, 100u);
    EXPECT_EQ(read.frames[1].digest, 0xFFFFFFFFFFFFFFFF);
    EXPECT_EQ(read.result, written.result);
    EXPECT_EQ(read.finalDigest, written.finalDigest);
}

bool Refused(const std::vector<std::uint8_t>& bytes, std::string& error)
{
    Journal journal;
    return !DecodeJournal(bytes, journal, error) && !error.empty();
}

TEST(ReplayJournal, EveryFlippedBitAndEveryTruncationIsRefused)
{
    const std::vector<std::uint8_t> bytes = EncodeJournal(SmallJournal());
    std::string error;
    for (std::size_t bit = 0; bit < bytes.size() * 8; ++bit) {
        std::vector<std::uint8_t> damaged = bytes;
        damaged[bit / 8] ^= static_cast<std::uint8_t>(1 << (bit % 8));
        EXPECT_TRUE(Refused(damaged, error)) << "bit " << bit;
    }
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + size);
        ASSERT_TRUE(Refused(cut, error)) << "size " << size;
        if (size >= 8) {
            EXPECT_TRUE(error.starts_with("truncated")) << size << ": " << error;
        }
    }
}

TEST(ReplayJournal, ANewerFormatAndAStrangerAreRefusedWithTheirReason)
{
    std::vector<std::uint8_t> bytes = EncodeJournal(SmallJournal());
    std::string error;
    bytes[8] = JOURNAL_FORMAT_VERSION + 1;
    EXPECT_TRUE(Refused(bytes, error));
    EXPECT_EQ(error, "made by a newer game: format version 2, this game reads up to 1");
    const std::string text = "# a script\n100 key 32\n";
    EXPECT_TRUE(Refused({text.begin(), text.end()}, error));
    EXPECT_EQ(error, "not a replay journal");
}

// Sealed with a right checksum, counts that lie are still found out, without acting on them.
TEST(ReplayJournal, CountsThatDisagreeWithTheirRecordsAreRefused)
{
    std::string error;
    for (auto lie :
         {+[](Journal& j) { j.clockCount += 1; },
          +[](Journal& j) { j.cursorCount = 0xFFFFFFFFFFFF; }, +[](Journal& j) { j.pumpCount = 1; },
          +[](Journal& j) { j.clock.push_back(0x80); },
          +[](Journal& j) { j.pumps.push_back(0x7F); }}) {
        Journal journal = SmallJournal();
        lie(journal);
        EXPECT_TRUE(Refused(EncodeJournal(journal), error));
        EXPECT_EQ(error, "damaged: its records do not fit together");
    }
    // Counts that agree but claim a run no replay could finish in reasonable time.
    Journal endless = SmallJournal();
    endless.pumpCount = JOURNAL_MOST_ANSWERS + 1;
    EXPECT_TRUE(Refused(EncodeJournal(endless), error));
    EXPECT_EQ(error, "damaged: it claims a run longer than any played");
    // A text whose length runs past the end of the file.
    std::vector<std::uint8_t> bytes = EncodeJournal(SmallJournal());
    std::vector<std::uint8_t> huge = bytes;
    huge[14] = 0xFF; // the game version's length, now a varint far beyond the file
    huge[15] = 0xFF;
    EXPECT_TRUE(Refused(huge, error));
}

} // namespace
