// The Killer List's table and its record file.

#include <cstring>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "platform/fault.h"
#include "platform/kernel.h"
#include "support/little_endian.h"
#include "tests/common/log_session.h"
#include "world/collect_file.h"
#include "world/killer_table.h"

namespace {
constexpr DWORD glim = FourCC("GLIM");

std::string Header(const char* id, DWORD count, DWORD size)
{
    std::string bytes(id, 4);
    bytes += std::string("\x00\x01\x00\x00", 4);
    for (DWORD value : {count, size}) {
        for (int i = 0; i < 4; ++i) bytes += static_cast<char>(value >> (8 * i));
    }
    return bytes;
}

// count records of size bytes, record j filled with the letter 'a' + j.
std::string Records(DWORD count, DWORD size)
{
    std::string bytes;
    for (DWORD j = 0; j < count; ++j) bytes += std::string(size, static_cast<char>('a' + j));
    return bytes;
}

class CollectTest : public test::LogSessionTest {
protected:
    DWORD Read(std::vector<char>& buffer, DWORD count = 10, DWORD size = 40)
    {
        header = {glim, 0, count, size};
        return ReadCollect("killer.dat", header, buffer.data());
    }
    CollectHeader header {};
};

TEST_F(CollectTest, AWrittenTableIs416BytesAndReadsBack)
{
    const std::string table = Records(10, 40);
    ASSERT_EQ(WriteCollect("killer.dat", {glim, 256, 10, 40}, table.data()), COLLECT_OK);
    const std::string file = ReadFile("killer.dat");
    EXPECT_EQ(file, Header("GLIM", 10, 40) + table);
    EXPECT_FALSE(std::filesystem::exists("killer.dat.new"));

    std::vector<char> buffer(400, 0);
    EXPECT_EQ(Read(buffer), COLLECT_OK);
    EXPECT_EQ(std::string(buffer.begin(), buffer.end()), table);
    EXPECT_EQ(header.version, 256u);
}

// Fewer or more records than the table holds, records of another size, a size no file holds.
TEST_F(CollectTest, WhatTheFileHoldsFillsTheSlotsItReaches)
{
    const struct {
        DWORD count, size, slots;
        DWORD recordsKept;
        std::string slotBytes; // 'z' where nothing was read
    } cases[] = {
        {3, 40, 10, 3, Records(3, 40) + std::string(280, 'z')},
        {12, 40, 10, 10, Records(10, 40)},
        {2, 44, 2, 2, Records(2, 40)},
        {2, 36, 2, 2, std::string(36, 'a') + "zzzz" + std::string(36, 'b') + "zzzz"},
        {10, 0xFFFFFF00, 10, 10, Records(1, 40) + std::string(360, 'z')},
    };
    for (const auto& c : cases) {
        const bool huge = c.size > 1000; // then the file holds one record of 40 bytes
        WriteFile("killer.dat", Header("GLIM", c.count, c.size)
                                    + Records(huge ? 1 : c.count, huge ? 40 : c.size));
        std::vector<char> buffer(c.slots * 40, 'z');
        EXPECT_EQ(Read(buffer, c.slots), COLLECT_OK);
        EXPECT_EQ(header.recordCount, c.recordsKept);
        EXPECT_EQ(header.recordSize, c.size);
        EXPECT_EQ(std::string(buffer.begin(), buffer.end()), c.slotBytes)
            << c.count << "x" << c.size;
    }
}

TEST_F(CollectTest, AWrongIdentifierOrAMissingFile)
{
    std::vector<char> buffer(400, 0);
    EXPECT_EQ(Read(buffer), COLLECT_E_OPEN);
    WriteFile("killer.dat", Header("GLOM", 10, 40) + Records(10, 40));
    EXPECT_EQ(Read(buffer), COLLECT_E_ID);
    EXPECT_EQ(buffer, std::vector<char>(400, 0));
    EXPECT_EQ(LogText(), "CollectError: Invalid Id\r\n");
}

TEST_F(CollectTest, AFailedOrInterruptedSaveKeepsTheOldFile)
{
    const std::string old = Header("GLIM", 10, 40) + Records(10, 40);
    WriteFile("killer.dat", old);
    const std::string table(400, 'n');
    platform::FailOperationWhen("WriteFile", ERROR_DISK_FULL,
                                [](DWORD bytes) { return bytes == 400; });
    EXPECT_EQ(WriteCollect("killer.dat", {glim, 256, 10, 40}, table.data()), COLLECT_E_OPEN);
    platform::ClearFailures();
    EXPECT_EQ(ReadFile("killer.dat"), old);
    EXPECT_FALSE(std::filesystem::exists("killer.dat.new"));
    EXPECT_EQ(LogText(), "CollectError: killer.dat Not Saved, Old File Kept\r\n");
    const pid_t child = fork();
    if (child == 0) {
        // The process dies between the header and the records.
        platform::FailOperationWhen("WriteFile", ERROR_DISK_FULL, [](DWORD bytes) -> bool {
            if (bytes == 400) _exit(0);
            return false;
        });
        WriteCollect("killer.dat", {glim, 256, 10, 40}, table.data());
        _exit(1);
    }
    int status = -1;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadFile("killer.dat"), old);
}

std::vector<KillerEntry> Table(std::vector<DWORD> kills)
{
    std::vector<KillerEntry> table(KILLER_COUNT, KillerEntry {});
    for (std::size_t i = 0; i < kills.size(); ++i) {
        table[i].kills = kills[i];
        table[i].name[0] = static_cast<char>('A' + i);
    }
    return table;
}

TEST(KillerTable, ARunGoesBelowTheEntriesItTies)
{
    std::vector<KillerEntry> table = Table({50, 40, 40, 30, 0, 0, 0, 0, 0, 7});
    const DWORD place = FindKillerPlace(table.data(), 40);
    ASSERT_EQ(place, 3u);
    MakeRoomForKiller(table.data(), place);
    EXPECT_EQ(table[3].kills, 30u); // keeps its old bytes until filled
    EXPECT_EQ(table[4].kills, 30u);
    EXPECT_EQ(table[4].name[0], 'D');
    EXPECT_EQ(table[9].name[0], 'I'); // the old last entry dropped out
}

TEST(KillerTable, RunsThatDoNotEnter)
{
    const std::vector<KillerEntry> full = Table({90, 80, 70, 60, 50, 40, 30, 20, 10, 5});
    EXPECT_EQ(FindKillerPlace(full.data(), 5), KILLER_COUNT);
    EXPECT_EQ(FindKillerPlace(full.data(), 6), 9u);
    const std::vector<KillerEntry> empty = Table({});
    EXPECT_EQ(FindKillerPlace(empty.data(), 0), KILLER_COUNT);
    EXPECT_EQ(FindKillerPlace(empty.data(), 1), 0u);
}

TEST(KillerTable, NamesFromAFileAreCutAndShownPrintable)
{
    std::vector<KillerEntry> table = Table({});
    std::memset(table[0].name, 'x', sizeof table[0].name); // no terminator at all
    std::strcpy(table[1].name, "Ki\x01ll\x7F"
                               "er\t");
    TerminateKillerNames(table.data());
    EXPECT_EQ(std::strlen(table[0].name), KILLER_NAME_LIMIT);
    char shown[32];
    PrintableName(table[1].name, shown);
    EXPECT_STREQ(shown, "Killer");
    PrintableName("Niccol\xF2", shown);
    EXPECT_STREQ(shown, "Niccol\xF2");
}

} // namespace
