#include <gtest/gtest.h>

#include "graphics/shared_surfaces.h"
#include "platform/crt.h"
#include "platform/fault.h"
#include "tests/world/world_fixture.h"
#include "world/blood.h"
#include "world/ground.h"
#include "world/play_state.h"
#include "world/world_update.h"

namespace {

using test::BACKDROP;
using test::ReferenceRand;
using test::ResultAfter;

class BloodTest : public test::WorldTest {
protected:
    static BloodDrop& Fly(DWORD k, LONG x, LONG y, LONG dx, LONG dy)
    {
        bloodDrops[k] = {DROP_FLYING, 11, 12, x, y, dx, dy};
        return bloodDrops[k];
    }
    // One drop falling straight into column c, one tick from landing.
    static void LandOne(DWORD c)
    {
        Fly(0, static_cast<LONG>(c) << 8, static_cast<LONG>(groundLine[c]) << 8, 0, 256);
        UpdateWorld(20);
    }
};

TEST_F(BloodTest, TheSearchStartsAfterTheSlotHandedOutLastAndWraps)
{
    dropCursor = 599;
    EXPECT_EQ(AllocDrop(), 0);
    EXPECT_EQ(AllocDrop(), 1); // slot 0 is left free, but the search moved past it
    EXPECT_EQ(bloodDrops[0].state, DROP_FREE);
    FillDrops({0, 598});
    dropCursor = 598;
    EXPECT_EQ(AllocDrop(), 0);
    EXPECT_EQ(AllocDrop(), 598);
    FillDrops();
    EXPECT_EQ(AllocDrop(), -1);
    EXPECT_EQ(dropCursor, 598u);
}

TEST_F(BloodTest, ASprayStartsDropsWithRandomSpeedsUntilTheTableIsFull)
{
    FillDrops({10, 20, 30});
    dropCursor = 15;
    crt::srand(42);
    SprayBlood(100, 200, 8, DARK_BLOOD);

    ReferenceRand reference(42);
    for (DWORD k : {20u, 30u, 10u}) {
        const BloodDrop& d = bloodDrops[k];
        EXPECT_EQ(d.state, DROP_FLYING);
        EXPECT_EQ(d.x, 100 << 8);
        EXPECT_EQ(d.y, 200 << 8);
        EXPECT_EQ(d.dx, (reference.Next() & 255) - 127);
        EXPECT_EQ(d.dy, (reference.Next() & 255) - 127);
        EXPECT_EQ(d.tailColor, DARK_BLOOD);
        EXPECT_EQ(d.headColor, BRIGHT_BLOOD);
    }
    EXPECT_EQ(crt::rand(), reference.Next());
}

TEST_F(BloodTest, ABurstSamplesOpaquePixelsAndStopsAtTheFirstWithoutASlot)
{
    std::vector<BYTE> sprite(SPRITE_PIXELS, SPRITE_TRANSPARENT);
    for (DWORD i = 0; i < SPRITE_PIXELS; i += 2) sprite[i] = static_cast<BYTE>(3 + i % 200);
    FillDrops({1, 2});
    dropCursor = 0;
    crt::srand(8);
    BurstSprite(50, 60, sprite.data());

    // Walk the sprite as the rules do: start offset, then per opaque pixel dx, dy; then a step.
    ReferenceRand reference(8);
    DWORD i = reference.Next() & 15;
    DWORD started = 0;
    for (;; i += (reference.Next() & 7) + 2) {
        if (sprite[i] == SPRITE_TRANSPARENT) continue;
        if (started == 2) break; // the third opaque pixel finds no slot
        const BloodDrop& d = bloodDrops[1 + started++];
        EXPECT_EQ(d.x, static_cast<LONG>(50 + i % 48) << 8);
        EXPECT_EQ(d.y, static_cast<LONG>(60 + i / 48) << 8);
        EXPECT_EQ(d.dx, (reference.Next() & 255) - 127);
        EXPECT_EQ(d.dy, (reference.Next() & 255) - 127);
        EXPECT_EQ(d.tailColor, sprite[i]);
        EXPECT_EQ(d.headColor, sprite[i] > 4 ? sprite[i] - 4 : sprite[i]);
    }
    EXPECT_EQ(crt::rand(), reference.Next());

    FillDrops();
    crt::srand(8);
    std::vector<BYTE> opaque(SPRITE_PIXELS, 3);
    BurstSprite(50, 60, opaque.data());
    EXPECT_EQ(crt::rand(), ResultAfter(8, 1)); // only the start offset was drawn
}

TEST_F(BloodTest, ADropDrawsTailAndHeadAndFallsWithAQuarterOfTheTick)
{
    BloodDrop& d = Fly(7, (100 << 8) + 200, 150 << 8, 100, -40);
    UpdateWorld(37);
    EXPECT_EQ(Pixel(backSurface, 100, 150), 11);
    EXPECT_EQ(d.x, (100 << 8) + 300);
    EXPECT_EQ(d.y, (150 << 8) - 40);
    EXPECT_EQ(d.dy, -40 + 9);
    EXPECT_EQ(Pixel(backSurface, 101, 149), 12);
    EXPECT_EQ(d.state, DROP_FLYING);
}

TEST_F(BloodTest, DropsLeavingTheFieldVanishAtOnce)
{
    Fly(0, 100 << 8, (24 << 8) + 10, 0, -20);  // climbs above row 24
    Fly(1, 10, 200 << 8, -20, 0);              // crosses the left edge
    Fly(2, (639 << 8) + 250, 200 << 8, 20, 0); // crosses the right edge
    Fly(3, 100 << 8, (24 << 8) + 30, 0, -20);  // still at row 24
    UpdateWorld(20);
    EXPECT_EQ(bloodDrops[0].state, DROP_FREE);
    EXPECT_EQ(bloodDrops[1].state, DROP_FREE);
    EXPECT_EQ(bloodDrops[2].state, DROP_FREE);
    EXPECT_EQ(bloodDrops[3].state, DROP_FLYING);
    UpdateWorld(20);
    EXPECT_EQ(bloodDrops[3].state, DROP_FREE); // it does not fall back
}

TEST_F(BloodTest, ALandedDropStainsTwoRowsUnderTheSurface)
{
    groundLine[200] = 310;
    LandOne(200);
    EXPECT_EQ(bloodDrops[0].state, DROP_FREE);
    EXPECT_EQ(stainDepth[200], 4u);
    EXPECT_EQ(Pixel(sceneBackground, 200, 311), DARK_BLOOD);
    EXPECT_EQ(Pixel(sceneBackground, 200, 312), BRIGHT_BLOOD);
    EXPECT_EQ(Pixel(sceneBackground, 200, 310), BACKDROP);
    EXPECT_EQ(Pixel(backSurface, 200, 311), BACKDROP); // the head is not drawn on landing
}

TEST_F(BloodTest, AStainStopsGrowingAt601After366Drops)
{
    for (int n = 1; n <= 365; ++n) LandOne(50);
    EXPECT_LT(stainDepth[50], 601u);
    LandOne(50);
    EXPECT_EQ(stainDepth[50], 601u);
    LandOne(50);
    EXPECT_EQ(stainDepth[50], 601u);
    EXPECT_EQ(Pixel(sceneBackground, 50, 300 + 150), DARK_BLOOD);
    EXPECT_EQ(Pixel(sceneBackground, 50, 300 + 151), BRIGHT_BLOOD);
    for (DWORD y = 301; y < 452; ++y) ASSERT_NE(Pixel(sceneBackground, 50, y), BACKDROP);
}

TEST_F(BloodTest, DeepGroundAndStrayDropsStayInsideTheSurfaces)
{
    groundLine[20] = 470; // the stain's rows lie beyond the last row
    stainDepth[20] = 600;
    const std::vector<BYTE> scene = Pixels(sceneBackground);
    LandOne(20);
    EXPECT_EQ(stainDepth[20], 601u);
    EXPECT_EQ(Pixels(sceneBackground), scene);

    FlatGround(0x7FFFFFF0); // drops fall on past the last row
    Fly(2, 300 << 8, 479 << 8, 0, 256);
    bloodDrops[3] = {DROP_FLYING, 11, 12, -5 << 8, 100 << 8, 0, 0}; // its tail is off the side
    std::vector<BYTE> expected = Pixels(backSurface);
    expected[479 * 640 + 300] = 11;
    UpdateWorld(20);
    UpdateWorld(20);
    EXPECT_EQ(bloodDrops[2].state, DROP_FLYING);
    EXPECT_EQ(bloodDrops[3].state, DROP_FREE);
    EXPECT_EQ(Pixels(backSurface), expected);
}

TEST_F(BloodTest, AnUnlockableSceneStillDeepensTheStain)
{
    Fly(0, 80 << 8, 300 << 8, 0, 256);
    platform::FailOperation("Lock", DDERR_SURFACEBUSY, 1, 1); // the scene's lock fails
    UpdateWorld(20);
    EXPECT_EQ(stainDepth[80], 4u);
    EXPECT_EQ(bloodDrops[0].state, DROP_FREE);
    EXPECT_EQ(Pixel(sceneBackground, 80, 301), BACKDROP);
}

} // namespace
