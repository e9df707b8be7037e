#include <gtest/gtest.h>

#include <algorithm>

#include "graphics/shared_surfaces.h"
#include "graphics/surfaces.h"
#include "platform/crt.h"
#include "platform/fault.h"
#include "support/memory.h"
#include "tests/world/world_fixture.h"
#include "world/blood.h"
#include "world/ground.h"
#include "world/pixel_target.h"
#include "world/play_state.h"
#include "world/scoring.h"
#include "world/world_update.h"

namespace {

using test::BACKDROP;
using test::ReferenceRand;
using test::ResultAfter;

class CreatureTest : public test::WorldTest {};

// What a spawn must give after seed, by the rules: type, rise (type 2 only), x, pop sound.
struct ExpectedSpawn {
    DWORD type, rise, x, pop;
};
ExpectedSpawn Predict(ReferenceRand& reference)
{
    ExpectedSpawn spawn {};
    spawn.type = reference.Next() & 3;
    spawn.rise = spawn.type == 2 ? (reference.Next() & 63) + 64 : 48;
    spawn.x = reference.Next() % 592;
    spawn.pop = reference.Next() % 5;
    return spawn;
}

// A seed whose first spawn has the type asked for.
std::uint32_t SeedForType(DWORD type)
{
    for (std::uint32_t seed = 1;; ++seed) {
        if ((ReferenceRand(seed).Next() & 3) == type) return seed;
    }
}

TEST_F(CreatureTest, ASpawnRisesFromFiveRowsUnderTheDeepestGroundWithItsPop)
{
    for (BYTE*& sprite : creatureSprites) sprite = static_cast<BYTE*>(MemAlloc(SPRITE_PIXELS));
    for (DWORD x = 0; x < GROUND_WIDTH; ++x) groundLine[x] = 250 + x % 61;
    for (DWORD type : {0u, 2u}) {
        const std::uint32_t seed = SeedForType(type);
        ReferenceRand reference(seed);
        const ExpectedSpawn expected = Predict(reference);
        for (DWORD k = 0; k < POP_SOUND_COUNT; ++k) popSounds[k] = nullptr;
        LPDIRECTSOUNDBUFFER pop = MakePop(expected.pop);

        crt::srand(seed);
        SpawnCreature(creatures[3]);
        const Creature& c = creatures[3];
        const DWORD base =
            *std::max_element(groundLine + expected.x, groundLine + expected.x + 48) + 5;
        EXPECT_EQ(c.state, CREATURE_RISING);
        EXPECT_EQ(c.x, expected.x);
        EXPECT_EQ(c.baseRow, base);
        EXPECT_EQ(c.y, base);
        EXPECT_EQ(c.topRow, base - expected.rise);
        EXPECT_EQ(c.sprite, creatureSprites[type]);
        EXPECT_TRUE(Playing(pop));
        EXPECT_EQ(crt::rand(), reference.Next()); // no call more, none less
    }
}

TEST_F(CreatureTest, AStandardCreatureRises49TicksSinks50AndEscapes)
{
    const std::uint32_t seed = SeedForType(0);
    crt::srand(seed);
    SpawnCreature(creatures[0]);
    const Creature before = creatures[0];
    ASSERT_EQ(before.topRow, before.baseRow - 48);
    score = 30;
    killStreak = 24;

    for (int tick = 1; tick <= 48; ++tick) StepCreature(creatures[0]);
    EXPECT_EQ(creatures[0].state, CREATURE_RISING);
    StepCreature(creatures[0]);
    EXPECT_EQ(creatures[0].state, CREATURE_SINKING);
    EXPECT_EQ(creatures[0].y, before.topRow - 1);
    for (int tick = 1; tick <= 49; ++tick) StepCreature(creatures[0]);
    EXPECT_EQ(creatures[0].y, before.baseRow);
    EXPECT_EQ(score, 30);

    ReferenceRand reference(seed);
    Predict(reference);
    const ExpectedSpawn respawn = Predict(reference);
    LPDIRECTSOUNDBUFFER pop = MakePop(respawn.pop);
    StepCreature(creatures[0]);
    EXPECT_EQ(score, 10);
    EXPECT_EQ(killStreak, 0u);
    EXPECT_EQ(creatures[0].state, CREATURE_RISING);
    EXPECT_EQ(creatures[0].x, respawn.x);
    EXPECT_EQ(creatures[0].y, creatures[0].baseRow);
    EXPECT_TRUE(Playing(pop));
}

TEST_F(CreatureTest, TheHitBoxLeavesOutItsLeftColumnAndTopRow)
{
    const Creature& c = Place(0, 100, 200, solidSprite.data());
    EXPECT_FALSE(CreatureContains(c, 100, 230));
    EXPECT_FALSE(CreatureContains(c, 120, 200));
    EXPECT_TRUE(CreatureContains(c, 101, 201));
    EXPECT_TRUE(CreatureContains(c, 147, 247));
    EXPECT_FALSE(CreatureContains(c, 148, 230));
    EXPECT_FALSE(CreatureContains(c, 120, 248));
}

TEST_F(CreatureTest, CreaturesJoinAfter16_40_76KillsAndNoneBeyondTen)
{
    crt::srand(3);
    creatures[0].state = CREATURE_RISING;
    const LONG steps[] = {40, 76, 130, 211, 332, 514, 787, 1196, 1810};
    for (DWORD n = 0; n < 9; ++n) {
        AddCreature();
        EXPECT_EQ(populationThreshold, steps[n]);
        EXPECT_NE(creatures[n + 1].state, CREATURE_INACTIVE);
    }
    crt::srand(3);
    AddCreature(); // all ten slots live: the step is taken, nobody spawns
    EXPECT_EQ(populationThreshold, 1810 + 905 + 16);
    EXPECT_EQ(crt::rand(), ResultAfter(3, 0));
}

TEST_F(CreatureTest, ACreatureShowsOnlyAboveTheGroundOfEachColumn)
{
    std::vector<BYTE> sprite(SPRITE_PIXELS, 150);
    sprite[5 * 48 + 1] = SPRITE_TRANSPARENT;
    groundLine[101] = 210; // 10 rows of column 1 above ground
    groundLine[102] = 200; // column 2 entirely underground
    groundLine[103] = 248; // column 3 just fully above
    const PixelTarget frame = LockPixels(backSurface);
    DrawCreature(frame, 100, 200, sprite.data());
    UnlockPixels(backSurface, frame);

    EXPECT_EQ(Pixel(backSurface, 101, 200), 150);
    EXPECT_EQ(Pixel(backSurface, 101, 205), BACKDROP); // transparent
    EXPECT_EQ(Pixel(backSurface, 101, 209), 150);
    EXPECT_EQ(Pixel(backSurface, 101, 210), BACKDROP);
    EXPECT_EQ(Pixel(backSurface, 102, 200), BACKDROP);
    EXPECT_EQ(Pixel(backSurface, 103, 247), 150);
    EXPECT_EQ(Pixel(backSurface, 103, 248), BACKDROP);
    EXPECT_EQ(Pixel(backSurface, 100, 199), BACKDROP);
}

TEST_F(CreatureTest, DrawingStaysOnTheSurfaceWhateverTheGroundSays)
{
    FlatGround(0x7FFFFFF0); // ground far below the surface: every row is open air
    const std::vector<BYTE> before = Pixels(backSurface);
    const PixelTarget frame = LockPixels(backSurface);
    DrawCreature(frame, 600, 470, solidSprite.data());
    DrawCreature(frame, 600, 480, solidSprite.data());
    UnlockPixels(backSurface, frame);
    std::vector<BYTE> expected = before;
    for (DWORD y = 470; y < 480; ++y) {
        for (DWORD x = 600; x < 640; ++x) expected[y * 640 + x] = 150;
    }
    EXPECT_EQ(Pixels(backSurface), expected);
}

TEST_F(CreatureTest, OverlappingCreaturesDrawInSlotOrder)
{
    std::vector<BYTE> other(SPRITE_PIXELS, 160);
    Place(2, 100, 200, solidSprite.data());
    Place(5, 110, 200, other.data());
    UpdateWorld(20);
    EXPECT_EQ(Pixel(backSurface, 105, 210), 150);
    EXPECT_EQ(Pixel(backSurface, 120, 210), 160);
    EXPECT_EQ(creatures[2].y, 199u); // drawn first, then moved
}

TEST_F(CreatureTest, WithoutPicturesACreatureIsABlockThatStillBursts)
{
    crt::srand(SeedForType(1));
    SpawnCreature(creatures[0]);
    ASSERT_NE(creatures[0].sprite, nullptr);
    for (int tick = 0; tick < 49; ++tick) UpdateWorld(20);
    const DWORD x = creatures[0].x;
    const DWORD y = creatures[0].y; // one row above the top row
    UpdateWorld(20);
    const BYTE block = Pixel(backSurface, x + 20, y + 20);
    EXPECT_NE(block, BACKDROP);
    EXPECT_EQ(Pixel(backSurface, x + 47, y), block);
    EXPECT_EQ(Pixel(backSurface, x, y + 47), BACKDROP); // under the ground line

    HandleShot(x + 20, y + 20);
    EXPECT_EQ(kills, 1u);
    EXPECT_GT(std::count_if(bloodDrops, bloodDrops + DROP_COUNT,
                            [&](const BloodDrop& d) { return d.tailColor == block; }),
              300);
}

TEST_F(CreatureTest, ASpriteIsCapturedRowByRowWithoutThePitch)
{
    LPDIRECTDRAWSURFACE picture = CreateSystemSurface(48, 48);
    const PixelTarget locked = LockPixels(picture);
    ASSERT_GT(locked.pitch, 48);
    for (DWORD y = 0; y < 48; ++y) {
        for (DWORD x = 0; x < 48; ++x) PutPixel(locked, x, y, static_cast<BYTE>(x + y));
    }
    UnlockPixels(picture, locked);

    BitmapRef image {};
    EXPECT_EQ(CaptureSprite(&image, picture), 1u);
    EXPECT_EQ(image.width, 48u);
    EXPECT_EQ(image.height, 48u);
    EXPECT_EQ(image.pitch, 48u);
    ASSERT_NE(image.address, nullptr);
    EXPECT_EQ(image.address[47 * 48 + 40], 87);
    MemFree(image.address);

    platform::FailOperation("Lock", DDERR_SURFACEBUSY);
    EXPECT_EQ(CaptureSprite(&image, picture), 1u);
    EXPECT_EQ(image.address, nullptr);
}

TEST_F(CreatureTest, AnUnlockableFrameSkipsDrawingButCreaturesMoveOn)
{
    Place(0, 100, 200, solidSprite.data());
    platform::FailOperation("Lock", DDERR_SURFACEBUSY);
    UpdateWorld(20);
    EXPECT_EQ(creatures[0].y, 199u);
    EXPECT_EQ(Pixel(backSurface, 120, 220), BACKDROP);
}

} // namespace
