// Where a run reads and writes on the player's machine: the data only read, the player's files
// in their own folders, or said once when a folder cannot be made.

#include <sys/stat.h>

#include <map>

#include "tests/e2e/game_run.h"

namespace {

namespace fs = std::filesystem;

using PlayerFilesTest = test::GameFolderTest;

// Each file of a folder with its size and time of change.
std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> Listing(const fs::path& folder)
{
    std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> listing;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        listing[entry.path().string()] = {entry.is_regular_file() ? entry.file_size() : 0,
                                          entry.last_write_time()};
    return listing;
}

class PlayerFoldersTest : public PlayerFilesTest {
protected:
    // The generated data moves into its own folder, apart from the player's.
    void SetUp() override
    {
        PlayerFilesTest::SetUp();
        fs::create_directory("data");
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.is_regular_file()) fs::rename(entry.path(), "data" / entry.path().filename());
        }
        WriteFile("run.txt", test::quickRun);
    }
};

TEST_F(PlayerFoldersTest, ARunKeepsItsFilesInThePlayersFoldersAndOnlyReadsTheData)
{
    const auto dataBefore = Listing("data");
    const test::GameResult run =
        test::RunGameAsIs({"--data", "data", "--headless", "--script", "run.txt"},
                          {"XDG_DATA_HOME=" + (folder / "keep").string()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.errors, "") << "a player's terminal shows only real errors";
    fs::permissions("data", fs::perms::owner_all);
    EXPECT_EQ(Listing("data"), dataBefore);
    EXPECT_EQ(ReadFile("keep/killglimbot/killer.dat").size(), 416u);
    EXPECT_TRUE(ReadFile("home/.local/state/killglimbot/debug.txt").ends_with("==== END ====\r\n"));
    EXPECT_EQ(fs::status("keep/killglimbot").permissions(), fs::perms::owner_all);
    EXPECT_EQ(fs::status("home/.local/state/killglimbot").permissions(), fs::perms::owner_all);
}

// The Killer List's folder and the log's cannot be made: each is said once, the log goes to the
// temporary folder, and the game plays on.
TEST_F(PlayerFoldersTest, FoldersThatCannotBeMadeAreSaidOnceAndTheGamePlaysOn)
{
    WriteFile("blocked", "a file where the folders would go");
    fs::create_directory("tmp");
    const test::GameResult run = test::RunGameAsIs(
        {"--data", "data", "--headless", "--script", "run.txt", "--report"},
        {"XDG_DATA_HOME=" + (folder / "blocked").string(),
         "XDG_STATE_HOME=" + (folder / "blocked").string(), "TMPDIR=" + (folder / "tmp").string()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.output.find("\"frames\""), std::string::npos);
    const std::string said = "cannot use the folder " + (folder / "blocked/killglimbot").string();
    EXPECT_NE(run.errors.find(said), std::string::npos) << run.errors;
    EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 2) << "each said once";
    const std::string log = ReadFile("tmp/debug.txt");
    EXPECT_NE(log.find(said), std::string::npos) << log;
    EXPECT_TRUE(log.ends_with("==== END ====\r\n"));
    EXPECT_FALSE(fs::exists("data/killer.dat"));
}

} // namespace
