#include <sstream>

#include "support/little_endian.h"
#include "tests/e2e/game_run.h"

namespace {

using GameFlowTest = test::GameFolderTest;

// A key skips the title's animation, a second one leaves the title: the run's seed is 1000200.
const std::string leaveTitle = "100 key 32\n200 key 32\n";

// Clicks swept over the field above the ground until stopTime, one every 10 ms: the first
// glimbot is hit before long, and every later miss costs 2 points until the game is lost.
std::string SweepClicks(int from, int stopTime)
{
    std::ostringstream script;
    int step = 0;
    for (int time = from; time < stopTime; time += 10, ++step) {
        const int x = 24 + (step % 16) * 38;
        const int y = 180 + (step / 16 % 4) * 30;
        script << time << " move " << x << ' ' << y << '\n' << time + 1 << " click\n";
    }
    return script.str();
}

std::string KillerFileName(const std::string& file, int entry)
{
    return file.substr(16 + 40 * entry + 4, 32).c_str();
}

DWORD KillerFileKills(const std::string& file, int entry)
{
    return ReadLe32(reinterpret_cast<const BYTE*>(file.data()) + 16 + 40 * entry);
}

TEST_F(GameFlowTest, AKeyDuringPlayEndsTheRunWithoutTheGameOverScreen)
{
    WriteFile("run.txt", leaveTitle + "1190 key 32\n1191 key 32\n");
    const test::GameResult run = test::RunGame({"--headless", "--script", "run.txt", "--report"});
    EXPECT_EQ(run.exitCode, 0);
    // The loop starts at 200 ms; its frames come 20 ms apart from 220 ms on, and the key ends
    // it before the frame of 1200 ms.
    EXPECT_EQ(run.output, "{\"kills\": 0, \"peakScore\": 0, \"score\": 0, \"frames\": 49}\n");
    EXPECT_EQ(ReadFile("killer.dat").size(), 416u);
}

TEST_F(GameFlowTest, AMissBeforeTheFirstKillIsFlooredAtTheNextFrame)
{
    // Frames come at 220, 240, ... ms; a shot into the top strip hits nothing.
    WriteFile("miss.txt", leaveTitle + "800 move 320 12\n801 click\n802 key 32\n900 key 32\n");
    EXPECT_NE(test::RunGame({"--headless", "--script", "miss.txt", "--report"})
                  .output.find("\"score\": -2,"),
              std::string::npos);
    WriteFile("floor.txt", leaveTitle + "800 move 320 12\n801 click\n821 key 32\n900 key 32\n");
    EXPECT_NE(test::RunGame({"--headless", "--script", "floor.txt", "--report"})
                  .output.find("\"score\": 0,"),
              std::string::npos);
}

TEST_F(GameFlowTest, WithoutTheCreaturePackTheGlimbotsCanStillBeShot)
{
    std::filesystem::remove("GLIM.PCK");
    WriteFile("run.txt",
              leaveTitle + SweepClicks(300, 16000) + "16100 key 32\n16200 key 13\n16300 key 32\n");
    const test::GameResult run = test::RunGame({"--headless", "--script", "run.txt", "--report"});
    EXPECT_EQ(run.output.find("\"kills\": 0,"), std::string::npos) << run.output;
    EXPECT_NE(ReadFile("debug.txt").find("Pack Immagini non disponibile\r\n"), std::string::npos);
}

TEST_F(GameFlowTest, AWholeRoadFromTheTitleToTheKillerList)
{
    // Shoot until the game is lost, then leave the game-over screen, take the dialog's field,
    // type a name and close the dialog with Enter, and leave the list with a click.
    WriteFile("run.txt",
              "4000 key 32\n" + SweepClicks(4100, 20000)
                  + "20100 key 32\n20200 key 9\n20300 text Mario\n20400 key 13\n20500 click\n");
    const test::GameResult run =
        test::RunGame({"--headless", "--script", "run.txt", "--report", "--screenshot",
                       "20050:over.png", "--screenshot", "20350:dialog.png"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.output.find("\"kills\": "), std::string::npos);
    EXPECT_EQ(run.output.find("\"kills\": 0,"), std::string::npos) << run.output;
    const std::string file = ReadFile("killer.dat");
    ASSERT_EQ(file.size(), 416u);
    EXPECT_EQ(KillerFileName(file, 0), "Mario");
    EXPECT_GT(KillerFileKills(file, 0), 0u);

    // The next start remembers the list: a run without kills leaves it as it was.
    WriteFile("again.txt", leaveTitle + "300 key 32\n400 key 32\n");
    EXPECT_EQ(test::RunGame({"--headless", "--script", "again.txt"}).exitCode, 0);
    EXPECT_EQ(ReadFile("killer.dat"), file);
}

TEST_F(GameFlowTest, ClosingTheWindowInTheDialogKeepsTheNameTypedSoFar)
{
    WriteFile("run.txt", leaveTitle + SweepClicks(300, 16000)
                             + "16100 key 32\n16200 key 9\n16300 text Lu\n16400 close\n");
    EXPECT_EQ(test::RunGame({"--headless", "--script", "run.txt"}).exitCode, 0);
    EXPECT_EQ(KillerFileName(ReadFile("killer.dat"), 0), "Lu");
}

TEST_F(GameFlowTest, AFileThatIsNoKillerListIsKeptAside)
{
    const std::string foreign(416, 'x');
    WriteFile("killer.dat", foreign);
    WriteFile("run.txt", leaveTitle + "300 key 32\n400 key 32\n");
    EXPECT_EQ(test::RunGame({"--headless", "--script", "run.txt"}).exitCode, 0);
    EXPECT_EQ(ReadFile("killer.dat.bad"), foreign);
    EXPECT_TRUE(ReadFile("killer.dat").starts_with("GLIM"));
    EXPECT_NE(ReadFile("debug.txt").find("CollectError: Invalid Id\r\n"), std::string::npos);
}

} // namespace
