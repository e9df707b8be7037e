#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "platform/replay.h"
#include "platform/replay/blocks.h"
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
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(writer.Take(bytes), times.size());
    EXPECT_EQ(ReadClock(bytes), times);
    EXPECT_LT(bytes.size(), 24u);
    std::uint64_t counted = 0;
    EXPECT_TRUE(ClockReader(bytes).Count(counted));
    EXPECT_EQ(counted, times.size());
    // Runs of every length round the short-run limit read back as they were written.
    for (DWORD length = 1; length < 40; ++length) {
        std::vector<DWORD> run;
        for (DWORD i = 0; i < length; ++i) run.push_back(100 + 2 * i);
        run.push_back(5);
        ClockWriter runs;
        for (DWORD time : run) runs.Add(time);
        std::vector<std::uint8_t> runBytes;
        runs.Take(runBytes);
        EXPECT_EQ(ReadClock(runBytes), run) << length;
    }

    // Taken in pieces, a run cut in the middle goes on in the next piece.
    ClockWriter pieces;
    std::vector<std::uint8_t> joined;
    for (std::size_t i = 0; i < times.size(); ++i) {
        pieces.Add(times[i]);
        if (i % 100 != 99) continue;
        std::vector<std::uint8_t> piece;
        pieces.Take(piece);
        joined.insert(joined.end(), piece.begin(), piece.end());
    }
    std::vector<std::uint8_t> last;
    EXPECT_EQ(pieces.Take(last), times.size() % 100);
    joined.insert(joined.end(), last.begin(), last.end());
    EXPECT_EQ(ReadClock(joined), times);
}

TEST(ReplayStreams, CursorAndPumpsComeBackAsRecorded)
{
    const std::vector<POINT> points {{320, 240}, {320, 240}, {0, 479}, {-5, 70000}, {12, 12}};
    CursorWriter cursorWriter;
    std::vector<std::uint8_t> cursorBytes;
    for (POINT point : points) {
        cursorWriter.Add(point);
        std::vector<std::uint8_t> piece;
        cursorWriter.Take(piece); // every answer a piece of its own
        cursorBytes.insert(cursorBytes.end(), piece.begin(), piece.end());
    }
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
    std::vector<std::uint8_t> pumpBytes;
    EXPECT_EQ(pumpWriter.Take(pumpBytes), pumps.size() + 1);
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
    journal.clockCount = clock.Take(journal.clock);
    journal.cursorCount = cursor.Take(journal.cursor);
    journal.pumpCount = pumps.Take(journal.pumps) + 5;
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

// A journal as a recording writes it: the start, three blocks of a hundred clock answers, and
// the end. Answers where each block ends.
std::vector<std::size_t> WriteInBlocks(std::vector<std::uint8_t>& bytes)
{
    BlockWriter writer;
    bytes = writer.Header();
    std::vector<std::size_t> ends;
    const auto add = [&](const std::vector<std::uint8_t>& block) {
        bytes.insert(bytes.end(), block.begin(), block.end());
        ends.push_back(bytes.size());
    };
    add(writer.StartBlock(SmallJournal()));
    ClockWriter clock;
    for (DWORD block = 1; block <= 4; ++block) {
        for (DWORD t = 0; t < 100; ++t) clock.Add(block * 1000 + t * (block % 2 + 1));
        Journal part;
        part.clockCount = clock.Take(part.clock);
        part.frames = {{block * 50, block}};
        part.lastBlockTime = block * 1000;
        part.lastBlockFrames = block * 50 + 7;
        part.result = {1, 2, 3, 4};
        add(writer.RunBlock(part, block == 4 ? BlockKind::End : BlockKind::Run));
    }
    return ends;
}

TEST(ReplayJournal, ACutKeepsItsWholeBlocksAndAFlippedBitOrAMissingBlockNamesItsBlock)
{
    std::vector<std::uint8_t> bytes;
    const std::vector<std::size_t> ends = WriteInBlocks(bytes);
    Journal journal;
    std::string error;
    ASSERT_TRUE(DecodeJournal(bytes, journal, error)) << error;
    EXPECT_FALSE(journal.cutShort);
    EXPECT_EQ(journal.clockCount, 400u);
    EXPECT_EQ(journal.result, (RunResult {1, 2, 3, 4}));

    for (std::size_t size = 0; size < bytes.size(); ++size) {
        const std::span<const std::uint8_t> cut(bytes.data(), size);
        const std::size_t whole = std::upper_bound(ends.begin(), ends.end(), size) - ends.begin();
        if (whole == 0) {
            EXPECT_FALSE(DecodeJournal(cut, journal, error)) << size;
            continue;
        }
        ASSERT_TRUE(DecodeJournal(cut, journal, error)) << size << ": " << error;
        EXPECT_TRUE(journal.cutShort);
        EXPECT_EQ(journal.clockCount, 100 * (whole - 1)) << size;
        EXPECT_EQ(journal.frames.size(), whole - 1);
        EXPECT_EQ(journal.lastBlockFrames, whole == 1 ? 0 : (whole - 1) * 50 + 7);
    }
    // What a power cut leaves of blocks never written: zeros after the last whole one.
    std::vector<std::uint8_t> zeros(bytes.begin(), bytes.begin() + ends[2]);
    zeros.resize(zeros.size() + 300);
    ASSERT_TRUE(DecodeJournal(zeros, journal, error)) << error;
    EXPECT_EQ(journal.clockCount, 200u);

    // A block left out breaks the chain of checksums, though each block is whole.
    std::vector<std::uint8_t> missing(bytes.begin(), bytes.begin() + ends[1]);
    missing.insert(missing.end(), bytes.begin() + ends[2], bytes.end());
    EXPECT_FALSE(DecodeJournal(missing, journal, error));
    EXPECT_EQ(error, "damaged: block 3 does not match its checksum");

    for (std::size_t bit = JOURNAL_HEADER_SIZE * 8; bit < bytes.size() * 8; ++bit) {
        std::vector<std::uint8_t> damaged = bytes;
        damaged[bit / 8] ^= static_cast<std::uint8_t>(1 << (bit % 8));
        const std::size_t block =
            std::upper_bound(ends.begin(), ends.end(), bit / 8) - ends.begin();
        EXPECT_FALSE(DecodeJournal(damaged, journal, error)) << "bit " << bit;
        EXPECT_TRUE(error.starts_with("damaged: block " + std::to_string(block + 1) + " "))
            << "bit " << bit << ": " << error;
    }
}

TEST(ReplayJournal, ANewerFormatAStrangerAndCountsThatDisagreeAreRefusedWithTheirReason)
{
    std::vector<std::uint8_t> bytes = EncodeJournal(SmallJournal());
    std::string error;
    bytes[8] = JOURNAL_FORMAT_VERSION + 1;
    EXPECT_TRUE(Refused(bytes, error));
    EXPECT_EQ(error, "made by a newer game: format version 3, this game reads up to 2");
    const std::string text = "# a script\n100 key 32\n";
    EXPECT_TRUE(Refused({text.begin(), text.end()}, error));
    EXPECT_EQ(error, "not a replay journal");

    // Sealed with a right checksum, counts that lie are still found out, without acting on them.
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
    std::vector<std::uint8_t> huge = EncodeJournal(SmallJournal());
    huge[14] = 0xFF; // the game version's length, now a varint far beyond the file
    huge[15] = 0xFF;
    EXPECT_TRUE(Refused(huge, error));
}

} // namespace
