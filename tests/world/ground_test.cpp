#include "tests/world/world_fixture.h"

#include <utility>

namespace {

using namespace test;

class GroundTest : public WorldTest {};

TEST_F(GroundTest, TheGroundWalksFromRow240AndIsPaintedDownToRow455)
{
    stainDepth[17] = 99;
    creatures[4].state = CREATURE_SINKING;
    crt::srand(1235);
    ResetWorld();
    ReferenceRand reference {1235};
    std::uint32_t before = 240, last = 240 + (reference.Next() & 1), paintCalls = 0;
    ASSERT_EQ(groundLine[1], last);
    for (DWORD x = 2; x < GROUND_WIDTH; ++x) {
        const std::uint32_t next = ((reference.Next() & 7) + last + before - 3u) >> 1;
        ASSERT_EQ(groundLine[x], next) << "column " << x;
        before = std::exchange(last, next);
    }
    const Picture scene = Pixels(sceneBackground);
    for (DWORD x = 0; x < GROUND_WIDTH; ++x) {
        const DWORD ground = groundLine[x];
        paintCalls += 456 - ground; // one number per earth pixel
        EXPECT_EQ(scene[(ground - 1) * 640 + x], BACKDROP);
        EXPECT_EQ(scene[ground * 640 + x], 68);
        for (DWORD y = ground + 1; y <= 455; ++y) // darker by 0 or 1 a row, 74 at most
            ASSERT_LE(unsigned(scene[y * 640 + x] - scene[y * 640 + x - 640]), 1u);
        EXPECT_LE(scene[455 * 640 + x], 74);
        EXPECT_EQ(scene[456 * 640 + x], BACKDROP);
    }
    EXPECT_EQ(crt::rand(), ResultAfter(1235, 639 + paintCalls));
    EXPECT_EQ(stainDepth[17], 0u);
    EXPECT_EQ(creatures[4].state, CREATURE_INACTIVE);
}

TEST_F(GroundTest, GroundInTheBottomStripGetsOnePixelAndGroundOffTheSurfaceNone)
{
    std::fill_n(groundLine, GROUND_WIDTH, 470u);
    groundLine[3] = 455;
    groundLine[5] = 0xFFFFFFF0;
    Picture expected = blank;
    for (DWORD x = 0; x < GROUND_WIDTH; ++x) {
        if (x != 5) expected[groundLine[x] * 640 + x] = 68;
    }
    crt::srand(5);
    PaintGround();
    EXPECT_EQ(crt::rand(), ResultAfter(5, GROUND_WIDTH)); // one number per column
    EXPECT_EQ(Pixels(sceneBackground), expected);
    EXPECT_EQ(DeepestGround(3, 5), 470u);
    EXPECT_EQ(DeepestGround(3, 3), 0u);
}

} // namespace
