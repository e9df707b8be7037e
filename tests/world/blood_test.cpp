#include "tests/world/world_fixture.h"

namespace {

using namespace test;
using Row = std::vector<int>;

Row Of(const BloodDrop& d) { return {d.x, d.y, d.dx, d.dy, d.tailColor, d.headColor}; }

class BloodTest : public WorldTest {
protected:
    static void LandOne(DWORD c) // a drop falling straight into column c, one tick from landing
    {
        Fly(0, static_cast<LONG>(c) << 8, static_cast<LONG>(groundLine[c]) << 8, 0, 256);
        UpdateWorld(20);
    }
    static void FillDrops(std::vector<DWORD> freeSlots = {})
    {
        for (DWORD k = 0; k < DROP_COUNT; ++k) Fly(k, 0, 30 << 8, 0, 0);
        for (DWORD k : freeSlots) bloodDrops[k].state = DROP_FREE;
    }
};

TEST_F(BloodTest, TheSearchStartsAfterTheSlotHandedOutLastAndWraps)
{
    dropCursor = 599;
    EXPECT_EQ(AllocDrop(), 0);
    EXPECT_EQ(AllocDrop(), 1); // slot 0 is not marked, but the search moved past it
    FillDrops({598});
    EXPECT_EQ(AllocDrop(), 598);
    FillDrops();
    EXPECT_EQ(AllocDrop(), -1);
    EXPECT_EQ(dropCursor, 598u);
}

TEST_F(BloodTest, ABurstStopsAtTheFirstOpaquePixelWithoutASlot)
{
    std::vector<BYTE> sprite(SPRITE_PIXELS, SPRITE_TRANSPARENT);
    for (DWORD i = 0; i < SPRITE_PIXELS; i += 2) sprite[i] = static_cast<BYTE>(3 + i % 200);
    FillDrops({1, 2, 3});
    crt::srand(8);
    SprayBlood(10, 20, 1, DARK_BLOOD);
    BurstSprite(50, 60, sprite.data());
    ReferenceRand r {8};
    EXPECT_EQ(Of(bloodDrops[1]),
              Row({10 << 8, 20 << 8, r.Speed(), r.Speed(), DARK_BLOOD, BRIGHT_BLOOD}));
    DWORD started = 0;
    for (DWORD i = r.Next() & 15;; i += (r.Next() & 7) + 2) {
        if (sprite[i] == SPRITE_TRANSPARENT) continue;
        if (++started == 3) break; // the third opaque pixel finds no slot
        const int p = sprite[i];
        EXPECT_EQ(Of(bloodDrops[1 + started]), Row({int(50 + i % 48) << 8, int(60 + i / 48) << 8,
                                                    r.Speed(), r.Speed(), p, p > 4 ? p - 4 : p}));
    }
    EXPECT_EQ(crt::rand(), r.Next());
}

TEST_F(BloodTest, DropsDrawTailAndHeadFallAndVanishAtTheFieldsEdges)
{
    const BloodDrop& d = Fly(7, (100 << 8) + 200, 150 << 8, 100, -40);
    Fly(0, 100 << 8, (24 << 8) + 10, 0, -20);  // climbs above row 24
    Fly(1, 10, 200 << 8, -20, 0);              // crosses the left edge
    Fly(2, (639 << 8) + 250, 200 << 8, 20, 0); // crosses the right edge
    Fly(3, 200 << 8, (24 << 8) + 30, 0, -20);  // still on row 24
    UpdateWorld(37);
    EXPECT_EQ(Pixel(backSurface, 100, 150), 11);
    EXPECT_EQ(Pixel(backSurface, 101, 149), 12);
    EXPECT_EQ(d.dy, -40 + 9);
    EXPECT_EQ(bloodDrops[0].state + bloodDrops[1].state + bloodDrops[2].state, DROP_FREE);
    EXPECT_EQ(bloodDrops[3].state, DROP_FLYING);
    UpdateWorld(20);
    EXPECT_EQ(bloodDrops[3].state, DROP_FREE); // it does not fall back
}

TEST_F(BloodTest, LandedDropsStainDeeperUpTo601After366)
{
    LandOne(50);
    EXPECT_EQ(stainDepth[50], 4u);
    EXPECT_EQ(bloodDrops[0].state, DROP_FREE);
    EXPECT_EQ(Pixel(backSurface, 50, 301), BACKDROP); // no head where it lands
    for (int n = 2; n <= 365; ++n) LandOne(50);
    EXPECT_LT(stainDepth[50], 601u);
    LandOne(50);
    LandOne(50);
    EXPECT_EQ(stainDepth[50], 601u);
    Picture expected = blank; // an unbroken streak, 110 above 120 at its bottom
    for (DWORD y = 301; y <= 450; ++y) expected[y * 640 + 50] = DARK_BLOOD;
    expected[451 * 640 + 50] = BRIGHT_BLOOD;
    EXPECT_EQ(Pixels(sceneBackground), expected);
}

TEST_F(BloodTest, DeepGroundAndStrayDropsStayInsideTheSurfaces)
{
    groundLine[20] = 470; // the stain's rows lie past the last row
    stainDepth[20] = 600;
    LandOne(20);
    EXPECT_EQ(stainDepth[20], 601u);
    EXPECT_EQ(Pixels(sceneBackground), blank);
    std::fill_n(groundLine, GROUND_WIDTH, 0x7FFFFFF0u); // drops fall on past the last row
    Fly(2, 300 << 8, 479 << 8, 0, 256);
    Fly(3, -5 << 8, 100 << 8, 0, 0); // its tail is off the side
    Picture expected = Pixels(backSurface);
    expected[479 * 640 + 300] = 11;
    UpdateWorld(20);
    UpdateWorld(20);
    EXPECT_EQ(bloodDrops[2].state, DROP_FLYING);
    EXPECT_EQ(bloodDrops[3].state, DROP_FREE);
    EXPECT_EQ(Pixels(backSurface), expected);
}

} // namespace
