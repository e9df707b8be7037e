#include "platform/png.h"
#include "tests/e2e/game_run.h"

namespace {

using CursorTest = test::GameFolderTest;

// The pointer rests at (100, 100) during play; the still is taken before the run ends.
constexpr char pointedRun[] = "100 key 32\n200 key 32\n300 move 100 100\n500 key 32\n600 key 32\n";

// Every damage takes the same way (the damaged data's tests try them all): garbage stands for them.
TEST_F(CursorTest, ADamagedCursorPictureGivesAPlainCrossAndTheGameGoesOn)
{
    WriteFile("cursor.qvx", "QVx3 not a picture at all");
    WriteFile("run.txt", pointedRun);
    const test::GameResult run = test::RunGame(
        {"--data", ".", "--headless", "--script", "run.txt", "--screenshot", "450:shot.png"});
    EXPECT_EQ(run.exitCode, 0);
    const std::string log = ReadFile("debug.txt");
    EXPECT_NE(log.find("cursor.qvx non disponibile: mirino semplice\r\n"), std::string::npos);
    EXPECT_TRUE(log.ends_with("==== END ====\r\n")) << log;

    const auto shot = platform::ReadIndexedPng("shot.png");
    ASSERT_TRUE(shot.has_value());
    const auto at = [&](DWORD x, DWORD y) { return shot->pixels[y * shot->width + x]; };
    const BYTE red = 2;
    // Both bars through the aim point, out to the square's edges; the corners show the scene.
    for (DWORD offset : {0u, 11u, 12u, 13u, 23u}) {
        EXPECT_EQ(at(88 + offset, 100), red) << offset;
        EXPECT_EQ(at(100, 88 + offset), red) << offset;
    }
    EXPECT_NE(at(89, 89), red);
    EXPECT_NE(at(110, 110), red);
    EXPECT_NE(at(112, 100), red); // just past the square
}

} // namespace
