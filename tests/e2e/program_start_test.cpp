#include "tests/e2e/game_run.h"

namespace {

using StartUpTest = test::GameFolderTest;

TEST_F(StartUpTest, TheLogOfAHeadlessRunStartsWithTheCatalogueAndEndsWithTheBanner)
{
    WriteFile("run.txt", test::quickRun);
    const test::GameResult run = test::RunGame({"--headless", "--script", "run.txt"});
    EXPECT_EQ(run.exitCode, 0);
    const std::string log = ReadFile("debug.txt");
    EXPECT_TRUE(log.starts_with("File errore caricato: versione 1.0\r\n")) << log;
    EXPECT_TRUE(log.ends_with("==== END ====\r\n")) << log;
    EXPECT_NE(run.errors.find("==== START ====\r\n"), std::string::npos);
}

TEST_F(StartUpTest, AMissingCatalogueIsSaidAndTheGameGoesOn)
{
    std::filesystem::remove("error.dat");
    WriteFile("run.txt", test::quickRun);
    const test::GameResult run = test::RunGame({"--headless", "--script", "run.txt"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(ReadFile("debug.txt").starts_with("Questo non è un file di errori valido\r\n"));
    EXPECT_NE(run.errors.find("SYSTEM ERROR (modulo error.dat) : "), std::string::npos);
}

TEST_F(StartUpTest, WithoutADisplayTheMessageNamesHeadless)
{
    const test::GameResult run =
        test::RunGame({}, {"DISPLAY=", "WAYLAND_DISPLAY=", "SDL_VIDEODRIVER="});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.errors.find("--headless"), std::string::npos);
}

// ALSA without a single device (an empty configuration) reports its errors while SDL probes
// it: they go to the log, and the terminal shows the game's own line alone.
TEST_F(StartUpTest, WithoutASoundCardTheTerminalShowsOneLine)
{
    WriteFile("empty.conf", "");
    const test::GameResult run = test::RunGameAsIs(
        {"--window", "--save", "."},
        {"SDL_VIDEODRIVER=offscreen", "SDL_AUDIODRIVER=alsa",
         "ALSA_CONFIG_PATH=" + (folder / "empty.conf").string(), "ASAN_OPTIONS=detect_leaks=0"},
        1500);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.errors.starts_with("killglimbot: no audio device, sound is mixed silently: "))
        << run.errors;
    EXPECT_EQ(run.errors.find('\n'), run.errors.size() - 1) << run.errors;
    EXPECT_NE(ReadFile("debug.txt").find("\r\nALSA: "), std::string::npos);
}

TEST_F(StartUpTest, AnOutputFileThatCannotBeCreatedStopsTheRunBeforeItStarts)
{
    WriteFile("run.txt", test::quickRun);
    for (const char* option : {"--wav", "--screenshot"}) {
        const std::string value = std::string(option) == "--wav" ? "none/out.wav" : "50:none/s.png";
        const test::GameResult run =
            test::RunGame({"--headless", "--script", "run.txt", option, value});
        EXPECT_EQ(run.exitCode, 1) << option;
        const std::string path = value.substr(value.find(':') + 1);
        const std::string message =
            "killglimbot: cannot create " + path + ": No such file or directory\n";
        EXPECT_EQ(run.errors, message);
        EXPECT_FALSE(std::filesystem::exists("debug.txt")) << option;
    }
}

TEST_F(StartUpTest, HelpListsEveryOption)
{
    const test::GameResult run = test::RunGame({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* option : {"--window", "--headless", "--script", "--screenshot", "--wav",
                               "--report", "--help", "--version"}) {
        EXPECT_NE(run.output.find(option), std::string::npos) << option;
    }
}

} // namespace
