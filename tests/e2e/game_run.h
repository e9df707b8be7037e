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

// stopAfterMs >= 0: the game is sent SIGTERM after that many milliseconds.
GameResult RunGame(const std::vector<std::string>& arguments,
                   const std::vector<std::string>& environment = {}, int stopAfterMs = -1);

// A test in a fresh folder holding a copy of every data file the build generated.
class GameFolderTest : public TempFolderTest {
protected:
    void SetUp() override;
};

} // namespace test
