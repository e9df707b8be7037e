#include <gtest/gtest.h>

#include "graphics/shared_surfaces.h"
#include "platform/crt.h"
#include "platform/fault.h"
#include "tests/world/world_fixture.h"
#include "world/blood.h"
#include "world/ground.h"

namespace {

using test::BACKDROP;
using test::ReferenceRand;
using test::ResultAfter;

class GroundTest : public test::WorldTest {};

TEST_F(GroundTest, TheGroundLineWalksFromRow240WithUnsignedHalving)
{
    constexpr std::uint32_t seed = 1234;
    stainDepth[17] = 99;
    creatures[4].state = CREATURE_SINKING;
    crt::srand(seed);
    ResetWorld();

    ReferenceRand reference(seed);
    std::uint32_t before = 240;
    std::uint32_t last = 240 + (reference.Next() & 1);
    EXPECT_EQ(groundLine[0], 240u);
    ASSERT_EQ(groundLine[1], last);
    std::uint64_t paintCalls = 0;
    for (DWORD x = 2; x < GROUND_WIDTH; ++x) {
        const std::uint32_t next =
            (static_cast<std::uint32_t>(reference.Next() & 7) + last + before - 3u) >> 1;
        ASSERT_EQ(groundLine[x], next) << "column " << x;
        before = last;
        last = next;
    }
    for (DWORD x = 0; x < GROUND_WIDTH; ++x)
        paintCalls += groundLine[x] < 456 ? 456 - groundLine[x] : 1;
    // The painting drew one number per ground pixel, after the 639 of the line.
    EXPECT_EQ(crt::rand(), ResultAfter(seed, 639 + paintCalls));
    EXPECT_EQ(stainDepth[17], 0u);
    EXPECT_EQ(creatures[4].state, CREATURE_INACTIVE);
}

TEST_F(GroundTest, EarthIsANoisyGradientFromTheGroundRowToRow455)
{
    crt::srand(77);
    ResetWorld();
    for (DWORD x = 0; x < GROUND_WIDTH; x += 13) {
        const DWORD ground = groundLine[x];
        EXPECT_EQ(Pixel(sceneBackground, x, ground - 1), BACKDROP);
        EXPECT_EQ(Pixel(sceneBackground, x, ground), 68);
        BYTE previous = 68;
        for (DWORD y = ground; y <= 455; ++y) {
            const BYTE p = Pixel(sceneBackground, x, y);
            ASSERT_GE(p, previous);
            ASSERT_LE(p, 74);
            previous = p;
        }
        EXPECT_EQ(Pixel(sceneBackground, x, 456), BACKDROP);
        EXPECT_EQ(Pixel(sceneBackground, x, 479), BACKDROP);
    }
}

TEST_F(GroundTest, GroundInTheBottomStripGetsOnePixelAndGroundOffTheSurfaceNone)
{
    FlatGround(470);
    groundLine[3] = 455;
    groundLine[4] = 456;
    groundLine[5] = 0xFFFFFFF0; // far below the surface
    const std::vector<BYTE> before = Pixels(sceneBackground);
    crt::srand(5);
    PaintGround();

    EXPECT_EQ(crt::rand(), ResultAfter(5, GROUND_WIDTH)); // one number per column
    std::vector<BYTE> expected = before;
    for (DWORD x = 0; x < GROUND_WIDTH; ++x) {
        if (x != 5) expected[groundLine[x] * 640 + x] = 68;
    }
    EXPECT_EQ(Pixels(sceneBackground), expected);
}

TEST_F(GroundTest, AnUnlockableSceneGetsNoEarthButTheSameNumbersAreDrawn)
{
    FlatGround(400);
    platform::FailOperation("Lock", DDERR_SURFACEBUSY);
    crt::srand(9);
    PaintGround();
    EXPECT_EQ(crt::rand(), ResultAfter(9, GROUND_WIDTH * 56));
    EXPECT_EQ(Pixel(sceneBackground, 10, 400), BACKDROP);
}

TEST_F(GroundTest, DeepestGroundTakesTheLargestRowOfTheRange)
{
    groundLine[10] = 320;
    groundLine[11] = 350;
    groundLine[639] = 360;
    EXPECT_EQ(DeepestGround(10, 11), 320u);
    EXPECT_EQ(DeepestGround(0, 48), 350u);
    EXPECT_EQ(DeepestGround(11, 11), 0u);
    EXPECT_EQ(DeepestGround(12, 11), 0u);
    EXPECT_EQ(DeepestGround(600, 700), 360u); // the range ends with the screen
}

} // namespace
