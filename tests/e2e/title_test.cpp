#include "platform/png.h"
#include "tests/e2e/game_run.h"

namespace {

using TitleTest = test::GameFolderTest;

std::vector<BYTE> Pixels(const char* file)
{
    const auto picture = platform::ReadIndexedPng(file);
    return picture ? picture->pixels : std::vector<BYTE>();
}

// The sound line of the title: the strip right of x 540 from row 16 to row 30.
std::vector<BYTE> SoundLine(const char* file)
{
    const std::vector<BYTE> pixels = Pixels(file);
    std::vector<BYTE> strip;
    for (std::size_t y = 16; y < 30 && !pixels.empty(); ++y) {
        strip.insert(strip.end(), pixels.begin() + static_cast<long>(y * 640 + 540),
                     pixels.begin() + static_cast<long>(y * 640 + 640));
    }
    return strip;
}

std::vector<BYTE> TitleWithArguments(std::vector<std::string> arguments, const char* name)
{
    arguments.insert(arguments.end(), {"--headless", "--script", "run.txt", "--screenshot",
                                       std::string("150:") + name});
    const test::GameResult run = test::RunGame(arguments);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    return SoundLine(name);
}

TEST_F(TitleTest, AKeySkipsToTheFinalPictureAndAClickLeavesNothing)
{
    WriteFile("run.txt", "1000 click\n3800 key 32\n4000 key 32\n4100 key 32\n4200 key 32\n");
    const test::GameResult run =
        test::RunGame({"--headless", "--script", "run.txt", "--report", "--screenshot",
                       "900:zoom.png", "--screenshot", "3500:final.png"});
    // Still on the title after the click: the play began with the key at 3800 and ran 200 ms.
    EXPECT_EQ(run.output, "{\"kills\": 0, \"peakScore\": 0, \"score\": 0, \"frames\": 10}\n");

    WriteFile("run.txt", "900 key 32\n4000 key 32\n4100 key 32\n4200 key 32\n");
    test::RunGame({"--headless", "--script", "run.txt", "--screenshot", "910:skipped.png"});
    EXPECT_EQ(Pixels("skipped.png"), Pixels("final.png"));
    EXPECT_NE(Pixels("zoom.png"), Pixels("final.png"));
    EXPECT_FALSE(Pixels("final.png").empty());
}

TEST_F(TitleTest, TheSoundLineFollowsTheCommandLineAndThePacks)
{
    WriteFile("run.txt", "100 key 32\n200 key 32\n300 key 32\n400 key 32\n");
    const auto normal = TitleWithArguments({}, "normal.png");
    const auto silent = TitleWithArguments({"sound", "off"}, "silent.png");
    std::filesystem::remove("SOUNDM.PCK");
    const auto low = TitleWithArguments({}, "low.png");
    std::filesystem::remove("SOUNDL.PCK");
    const auto none = TitleWithArguments({}, "none.png");
    EXPECT_NE(normal, low);
    EXPECT_NE(normal, silent);
    EXPECT_NE(low, silent);
    EXPECT_EQ(none, silent); // no packs: "no sound", as with an s in the command line
    EXPECT_EQ(ReadFile("debug.txt").find("Primary sound buffer"), std::string::npos);
}

} // namespace
