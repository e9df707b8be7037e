#pragma once
// Runs the game executable in the current folder and collects what it printed.

#include <string>
#include <vector>

#include "tests/common/test_support.h"

namespace test {

struct GameResult {
    int exitCode = -1;
    std::string output; // standard output
    std::string errors; // standard error: the debugger output
};

// Every run has the test's folder as its home, so nothing reaches the real player's folders.
// RunGame keeps the player's files in the current folder and shows the diagnostics; RunGameAsIs
// passes the arguments alone. stopAfterMs >= 0: the game is sent SIGTERM after that long.
GameResult RunGame(const std::vector<std::string>& arguments,
                   const std::vector<std::string>& environment = {}, int stopAfterMs = -1);
GameResult RunGameAsIs(const std::vector<std::string>& arguments,
                       const std::vector<std::string>& environment = {}, int stopAfterMs = -1);

// Keys that skip the title's zoom and leave the title: the run's seed is then 1000200.
inline const std::string leaveTitle = "100 key 32\n200 key 32\n";
// Keys that leave the title, end the run at once and leave the Killer List.
inline const std::string quickRun = leaveTitle + "300 key 32\n400 key 32\n";

// Clicks swept over the field above the ground from `from` until `until`, one every 10 ms: a
// glimbot falls before long, and every later miss costs 2 points until the game is lost.
std::string SweepClicks(int from, int until);

// A Killer List of ten named places, "Player0" to "Player9", with these kills.
std::string KillerFile(const std::vector<unsigned>& kills);

// A test in a fresh folder holding a copy of every data file the build generated.
class GameFolderTest : public TempFolderTest {
protected:
    void SetUp() override;
};

} // namespace test
