#include "support/little_endian.h"
#include "tests/e2e/game_run.h"

namespace {

using GameFlowTest = test::GameFolderTest;
using test::leaveTitle;
using test::SweepClicks;

std::string KillerFileName(const std::string& file, int entry)
{
    return file.substr(16 + 40 * entry + 4, 32).c_str();
}

TEST_F(GameFlowTest, AKeyEndsTheRunWithoutTheGameOverScreenAndAMissIsFlooredAtTheNextFrame)
{
    // The loop starts at 200 ms; its frames come 20 ms apart from 220 ms on, and the key ends
    // it before the frame of 1200 ms.
    WriteFile("run.txt", leaveTitle + "1190 key 32\n1191 key 32\n");
    // A shot into the top strip hits nothing; the frame after it floors the score at 0.
    WriteFile("miss.txt", leaveTitle + "800 move 320 12\n801 click\n802 key 32\n900 key 32\n");
    WriteFile("floor.txt", leaveTitle + "800 move 320 12\n801 click\n821 key 32\n900 key 32\n");
    const std::pair<const char*, const char*> runs[] = {
        {"run.txt", "{\"kills\": 0, \"peakScore\": 0, \"score\": 0, \"frames\": 49}\n"},
        {"miss.txt", "{\"kills\": 0, \"peakScore\": 0, \"score\": -2, \"frames\": 30}\n"},
        {"floor.txt", "{\"kills\": 0, \"peakScore\": 0, \"score\": 0, \"frames\": 31}\n"}};
    for (const auto& [script, report] : runs) {
        const test::GameResult run = test::RunGame({"--headless", "--script", script, "--report"});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.output, report) << script;
    }
    EXPECT_EQ(ReadFile("killer.dat").size(), 416u);
}

TEST_F(GameFlowTest, AWholeRoadFromTheTitleToTheKillerList)
{
    // Shoot until the game is lost, then leave the game-over screen, take the dialog's field,
    // type a name and close the dialog with Enter, and leave the list with a click.
    WriteFile("run.txt",
              leaveTitle + SweepClicks(300, 16000)
                  + "16100 key 32\n16200 key 9\n16300 text Mario\n16400 key 13\n16500 click\n");
    const test::GameResult run = test::RunGame({"--headless", "--script", "run.txt", "--report"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.output.find("\"kills\": "), std::string::npos);
    EXPECT_EQ(run.output.find("\"kills\": 0,"), std::string::npos) << run.output;
    const std::string file = ReadFile("killer.dat");
    ASSERT_EQ(file.size(), 416u);
    EXPECT_EQ(KillerFileName(file, 0), "Mario");
    EXPECT_GT(ReadLe32(reinterpret_cast<const BYTE*>(file.data()) + 16), 0u);

    // The next start remembers the list: a run without kills leaves it as it was.
    WriteFile("again.txt", test::quickRun);
    EXPECT_EQ(test::RunGame({"--headless", "--script", "again.txt"}).exitCode, 0);
    EXPECT_EQ(ReadFile("killer.dat"), file);
}

// The run ranks tenth, behind nine players of a thousand kills.
TEST_F(GameFlowTest, WithoutTheCreaturePackGlimbotsFallAndAClosedDialogKeepsTheNameSoFar)
{
    std::filesystem::remove("GLIM.PCK");
    std::vector<unsigned> kills(10, 1000);
    kills[9] = 0;
    WriteFile("killer.dat", test::KillerFile(kills));
    WriteFile("run.txt", leaveTitle + SweepClicks(300, 16000)
                             + "16100 key 32\n16200 key 9\n16300 text Lu\n16400 close\n");
    const test::GameResult run = test::RunGame({"--headless", "--script", "run.txt", "--report"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output.find("\"kills\": 0,"), std::string::npos) << run.output;
    EXPECT_NE(ReadFile("debug.txt").find("Pack Immagini non disponibile\r\n"), std::string::npos);
    EXPECT_EQ(KillerFileName(ReadFile("killer.dat"), 9), "Lu");
}

TEST_F(GameFlowTest, AFileThatIsNoKillerListIsKeptAside)
{
    const std::string foreign(416, 'x');
    WriteFile("killer.dat", foreign);
    WriteFile("run.txt", test::quickRun);
    EXPECT_EQ(test::RunGame({"--headless", "--script", "run.txt"}).exitCode, 0);
    EXPECT_EQ(ReadFile("killer.dat.bad"), foreign);
    EXPECT_TRUE(ReadFile("killer.dat").starts_with("GLIM"));
    EXPECT_NE(ReadFile("debug.txt").find("CollectError: Invalid Id\r\n"), std::string::npos);
}

} // namespace
