// The world list's SQLite storage: the game's ranking, journals kept once, copies found, and a
// schema that only moves forward.

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <fstream>

#include "server/storage.h"
#include "tests/server/server_process.h"

namespace {

using namespace server;

class StorageTest : public ::testing::Test {
protected:
    void SetUp() override { storage = Open(); }

    std::unique_ptr<Storage> Open()
    {
        std::string error;
        auto opened = OpenStorage(place.database.string(), error);
        EXPECT_TRUE(opened) << error;
        return opened;
    }

    // A run of `kills` whose journal and start are told apart by `tag`.
    static NewRun Run(std::uint32_t kills, const std::string& tag)
    {
        return {"journal " + tag, "sha " + tag, "start " + tag, "name " + tag, kills, 10, 5, 300,
                1'700'000'000};
    }

    Entry Add(const NewRun& run, AddOutcome expected = AddOutcome::Added)
    {
        Entry entry;
        EXPECT_EQ(storage->Add(run, entry), expected);
        return entry;
    }

    test::ServerProcess place; // only its folder
    std::unique_ptr<Storage> storage;
};

TEST_F(StorageTest, RanksMoreKillsFirstAndTheOlderAmongEquals)
{
    Add(Run(40, "a"));
    Add(Run(50, "b"));
    Add(Run(40, "c"));
    const Entry added = Add(Run(40, "d"));
    EXPECT_EQ(added.rank, 4); // below the two older 40s and the 50
    Add(Run(30, "e"));
    std::vector<std::string> names;
    for (const Entry& entry : storage->Killers(0, 100)) names.push_back(entry.name);
    EXPECT_EQ(names, (std::vector<std::string> {"name b", "name a", "name c", "name d", "name e"}));
    const auto page = storage->Killers(2, 2);
    ASSERT_EQ(page.size(), 2u);
    EXPECT_EQ(page[0].name, "name c");
    EXPECT_EQ(page[0].rank, 3);
    EXPECT_EQ(storage->Find(page[1].id)->rank, 4);
    EXPECT_TRUE(storage->Killers(5, 100).empty());
    EXPECT_EQ(storage->Count(), 5u);
    EXPECT_EQ(storage->Find(1)->name, "name a");
    EXPECT_FALSE(storage->Find(6));
}

TEST_F(StorageTest, KeepsEachJournalOnceAndRefusesCopies)
{
    const Entry first = Add(Run(3, "a"));
    EXPECT_EQ(*storage->Journal(first.id), "journal a");
    EXPECT_EQ(storage->FindJournal("sha a")->id, first.id);
    EXPECT_EQ(Add(Run(3, "a"), AddOutcome::Present).id, first.id);
    NewRun copy = Run(9, "b");
    copy.start = "start a";
    EXPECT_EQ(Add(copy, AddOutcome::Copy).id, first.id);
    EXPECT_FALSE(storage->FindJournal("sha b"));
    EXPECT_EQ(storage->Count(), 1u);
}

TEST_F(StorageTest, WhatWasAnsweredIsThereAfterReopening)
{
    const Entry added = Add(Run(7, "a"));
    storage.reset();
    storage = Open();
    const auto again = storage->Find(added.id);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->name, "name a");
    EXPECT_EQ(again->kills, 7u);
    EXPECT_EQ(again->date, 1'700'000'000);
}

TEST_F(StorageTest, NamesAreTextNeverSql)
{
    NewRun run = Run(1, "a");
    run.name = "Robert'); DROP TABLE runs;--";
    const Entry entry = Add(run);
    EXPECT_EQ(storage->Find(entry.id)->name, run.name);
    EXPECT_EQ(storage->Count(), 1u);
}

TEST_F(StorageTest, ADatabaseOfANewerServerOrNoDatabaseIsRefused)
{
    storage.reset();
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(place.database.c_str(), &raw), SQLITE_OK);
    sqlite3_exec(raw, "PRAGMA user_version = 99", nullptr, nullptr, nullptr);
    sqlite3_close(raw);
    std::string error;
    EXPECT_FALSE(OpenStorage(place.database.string(), error));
    EXPECT_NE(error.find("newer server"), std::string::npos) << error;
    test::ServerProcess other;
    std::ofstream(other.database) << std::string(4096, 'x');
    EXPECT_FALSE(OpenStorage(other.database.string(), error));
    EXPECT_FALSE(OpenStorage("postgresql://localhost/world", error));
}

} // namespace
