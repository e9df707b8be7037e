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

// A test in a fresh folder holding a copy of every data file the build generated.
class GameFolderTest : public TempFolderTest {
protected:
    void SetUp() override;
};

} // namespace test
