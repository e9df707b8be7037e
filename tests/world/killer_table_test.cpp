#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "world/killer_table.h"

namespace {

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
