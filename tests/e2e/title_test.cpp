#include "platform/png.h"
#include "tests/e2e/game_run.h"

namespace {

using TitleTest = test::GameFolderTest;

std::vector<BYTE> Pixels(const std::string& file)
{
    const auto picture = platform::ReadIndexedPng(file.c_str());
    return picture ? picture->pixels : std::vector<BYTE>();
}

TEST_F(TitleTest, AKeySkipsToTheFinalPictureAndAClickLeavesNothing)
{
    WriteFile("run.txt", "1000 click\n3100 key 32\n3300 key 32\n3400 key 32\n");
    const test::GameResult run =
        test::RunGame({"--headless", "--script", "run.txt", "--report", "--screenshot",
                       "900:zoom.png", "--screenshot", "3050:final.png"});
    // Still on the title after the click: the play began with the key at 3100 and ran 200 ms.
    EXPECT_EQ(run.output, "{\"kills\": 0, \"peakScore\": 0, \"score\": 0, \"frames\": 10}\n");

    WriteFile("run.txt", "900 key 32\n1000 key 32\n1100 key 32\n1200 key 32\n");
    test::RunGame({"--headless", "--script", "run.txt", "--screenshot", "910:skipped.png"});
    EXPECT_EQ(Pixels("skipped.png"), Pixels("final.png"));
    EXPECT_NE(Pixels("zoom.png"), Pixels("final.png"));
    EXPECT_FALSE(Pixels("final.png").empty());
}

// The first start writes the settings; the sound line of the title (right of x 540, rows 16 to
// 30) follows the command line, the settings and the packs there are.
TEST_F(TitleTest, TheSoundLineFollowsTheCommandLineTheSettingsAndThePacks)
{
    WriteFile("run.txt", test::quickRun);
    const auto soundLine = [this](std::vector<std::string> arguments, const std::string& name) {
        arguments.insert(arguments.end(), {"--headless", "--script", "run.txt", "--screenshot",
                                           "150:" + name + ".png", "--wav", name + ".wav"});
        const test::GameResult run = test::RunGame(arguments);
        EXPECT_EQ(run.exitCode, 0) << run.errors;
        const std::vector<BYTE> pixels = Pixels(name + ".png");
        std::vector<BYTE> strip;
        for (std::size_t y = 16; y < 30 && !pixels.empty(); ++y)
            strip.insert(strip.end(), &pixels[y * 640 + 540], &pixels[y * 640 + 640]);
        return strip;
    };
    const auto normal = soundLine({}, "normal");
    const std::string settings = "home/.config/killglimbot/killglimbot.ini";
    EXPECT_NE(ReadFile(settings).find("\nvolume = 100\n"), std::string::npos);
    const auto silent = soundLine({"sound", "off"}, "silent");
    // No sound device starts, so no sound is written at all.
    EXPECT_FALSE(std::filesystem::exists("silent.wav"));
    WriteFile(settings, "sound = no\n");
    EXPECT_EQ(soundLine({}, "settings"), silent);
    WriteFile(settings, "");
    std::filesystem::remove("SOUNDM.PCK");
    const auto low = soundLine({}, "low");
    std::filesystem::remove("SOUNDL.PCK");
    EXPECT_EQ(soundLine({}, "none"), silent); // no packs: "no sound", as with an s
    EXPECT_EQ(ReadFile("debug.txt").find("Primary sound buffer"), std::string::npos);
    EXPECT_NE(normal, low);
    EXPECT_NE(normal, silent);
    EXPECT_NE(low, silent);
}

} // namespace
