#include <gtest/gtest.h>

#include <vector>

#include "shell/command_line.h"

namespace {

bool Parse(std::vector<const char*> words, CommandLine& result, std::string& error)
{
    words.insert(words.begin(), "killglimbot");
    return ParseCommandLine(static_cast<int>(words.size()), words.data(), result, error);
}

TEST(CommandLineTest, PortOptionsAreTakenOutAndTheRestJoined)
{
    CommandLine result;
    std::string error;
    ASSERT_TRUE(Parse({"fast", "--headless", "--script", "run.txt", "--screenshot=4000:a.png",
                       "--screenshot", "10:b.png", "-x", "--wav=out.wav", "mode", "--report"},
                      result, error))
        << error;
    EXPECT_EQ(result.gameCommandLine, "fast -x mode");
    EXPECT_TRUE(result.backend.headless);
    EXPECT_TRUE(result.report);
    EXPECT_EQ(result.backend.scriptPath, "run.txt");
    EXPECT_EQ(result.backend.wavPath, "out.wav");
    ASSERT_EQ(result.backend.screenshots.size(), 2u);
    EXPECT_EQ(result.backend.screenshots[0].time, 4000u);
    EXPECT_EQ(result.backend.screenshots[1].path, "b.png");
    EXPECT_TRUE(result.backend.window.fullScreen);
    CommandLine windowed;
    ASSERT_TRUE(Parse({"--window"}, windowed, error));
    EXPECT_FALSE(windowed.backend.window.fullScreen);
    EXPECT_EQ(windowed.backend.window.windowScale, 2);
    ASSERT_TRUE(Parse({"--window=3"}, windowed, error));
    EXPECT_EQ(windowed.backend.window.windowScale, 3);
}

TEST(CommandLineTest, MistakesAreRefusedWithTheirOption)
{
    const std::pair<std::vector<const char*>, std::string> cases[] = {
        {{"--window=0"}, "--window=0"},
        {{"--window=x"}, "--window=x"},
        {{"--headless", "--script"}, "--script"},
        {{"--fast"}, "--fast"},
        {{"--headless", "--screenshot", "4000"}, "--screenshot"},
        {{"--headless", "--screenshot=x:a.png"}, "--screenshot=x:a.png"},
        {{"--report=yes"}, "--report=yes"},
    };
    for (const auto& [words, option] : cases) {
        CommandLine result;
        std::string error;
        EXPECT_FALSE(Parse(words, result, error)) << option;
        EXPECT_EQ(error, "bad option '" + option + "'");
    }
    CommandLine result;
    std::string error;
    EXPECT_FALSE(Parse({"--script", "run.txt"}, result, error));
    EXPECT_EQ(error, "--script, --screenshot and --wav go with --headless");
}

} // namespace

TEST(CommandLineTest, AReplayTakesItsWordsAndInputFromTheJournal)
{
    CommandLine verify;
    std::string error;
    ASSERT_TRUE(Parse({"--verify", "run.kgr", "--record", "again.kgr"}, verify, error)) << error;
    EXPECT_TRUE(verify.backend.headless); // verifying needs no display
    EXPECT_TRUE(verify.backend.replaying);
    EXPECT_EQ(verify.recordPath, "again.kgr");
    CommandLine play;
    ASSERT_TRUE(Parse({"--play=run.kgr", "--window"}, play, error)) << error;
    EXPECT_FALSE(play.backend.headless);
    EXPECT_EQ(play.playPath, "run.kgr");

    CommandLine both;
    EXPECT_FALSE(Parse({"--play", "a.kgr", "--verify", "b.kgr"}, both, error));
    EXPECT_EQ(error, "--play and --verify go alone");
}
