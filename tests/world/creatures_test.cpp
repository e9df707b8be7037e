#include "tests/world/world_fixture.h"

namespace {

using namespace test;
using Row = std::vector<DWORD>;

class CreatureTest : public WorldTest {};

// By the rules: type, rise height (drawn for type 2 only), x, pop sound.
Row Predict(ReferenceRand& r)
{
    const DWORD type = r.Next() & 3;
    const DWORD rise = type == 2 ? (r.Next() & 63) + 64 : 48;
    const DWORD x = r.Next() % 592;
    return {type, rise, x, static_cast<DWORD>(r.Next() % 5)};
}
std::uint32_t SeedForType(DWORD type)
{
    std::uint32_t seed = 1;
    while ((ReferenceRand {seed}.Next() & 3) != type) ++seed;
    return seed;
}

TEST_F(CreatureTest, AStandardCreatureRises49TicksSinks50AndEscapesWithAPop)
{
    for (DWORD x = 0; x < GROUND_WIDTH; ++x) groundLine[x] = 250 + x % 61;
    const std::uint32_t seed = SeedForType(0);
    ReferenceRand reference {seed};
    const Row first = Predict(reference), respawn = Predict(reference);
    LPDIRECTSOUNDBUFFER pop = MakePop(first[3]);
    crt::srand(seed);
    SpawnCreature(creatures[0]);
    const Creature start = creatures[0];
    const DWORD base = *std::max_element(groundLine + first[2], groundLine + first[2] + 48) + 5;
    EXPECT_EQ(Row({start.x, start.y, start.baseRow, start.topRow}),
              Row({first[2], base, base, base - 48}));
    EXPECT_TRUE(Playing(pop));
    score = 30;
    killStreak = 24;
    for (int tick = 1; tick <= 48; ++tick) StepCreature(creatures[0]);
    EXPECT_EQ(creatures[0].state, CREATURE_RISING);
    StepCreature(creatures[0]);
    EXPECT_EQ(Row({DWORD(creatures[0].state), creatures[0].y}), Row({1, base - 49}));
    for (int tick = 1; tick <= 49; ++tick) StepCreature(creatures[0]);
    EXPECT_EQ(score, 30);
    pop->Stop();
    MakePop(respawn[3]);
    StepCreature(creatures[0]); // the 50th sinking tick passes the base row
    EXPECT_EQ(Row({DWORD(score), killStreak, DWORD(creatures[0].state), creatures[0].x}),
              Row({10, 0, 0, respawn[2]}));
    EXPECT_TRUE(Playing(popSounds[respawn[3]]));
    EXPECT_EQ(crt::rand(), reference.Next()); // no call more, none less
}

TEST_F(CreatureTest, AType2CreatureRises64To127Rows)
{
    ReferenceRand reference {SeedForType(2)};
    crt::srand(SeedForType(2));
    SpawnCreature(creatures[0]);
    EXPECT_EQ(creatures[0].baseRow - creatures[0].topRow, Predict(reference)[1]);
}

TEST_F(CreatureTest, TheHitBoxLeavesOutItsLeftColumnAndTopRow)
{
    const Creature& c = Place(0, 100, 200, solid.data());
    EXPECT_FALSE(CreatureContains(c, 100, 230) || CreatureContains(c, 120, 200));
    EXPECT_TRUE(CreatureContains(c, 101, 201) && CreatureContains(c, 147, 247));
    EXPECT_FALSE(CreatureContains(c, 148, 230) || CreatureContains(c, 120, 248));
}

TEST_F(CreatureTest, CreaturesJoinAfter16_40_76KillsAndNoneBeyondTen)
{
    creatures[0].state = CREATURE_RISING;
    for (LONG step : {40, 76, 130, 211, 332, 514, 787, 1196, 1810}) {
        AddCreature();
        EXPECT_EQ(populationThreshold, step);
    }
    EXPECT_NE(creatures[9].state, CREATURE_INACTIVE);
    crt::srand(3);
    AddCreature();
    EXPECT_EQ(populationThreshold, 1810 + 905 + 16);
    EXPECT_EQ(crt::rand(), ResultAfter(3, 0)); // nobody spawned
}

TEST_F(CreatureTest, CreaturesShowAboveTheGroundOnlyAndInSlotOrder)
{
    std::vector<BYTE> other(SPRITE_PIXELS, 160);
    other[5 * 48 + 1] = SPRITE_TRANSPARENT;
    groundLine[111] = 210; // 10 rows of the upper creature's column 1 show
    groundLine[112] = 200; // its column 2 is underground
    groundLine[113] = 248; // its column 3 shows whole
    Place(2, 100, 200, solid.data());
    Place(5, 110, 200, other.data());
    UpdateWorld(20);
    const Picture f = Pixels(backSurface);
    auto at = [&](DWORD x, DWORD y) { return f[y * 640 + x]; };
    EXPECT_EQ(Picture({at(105, 210), at(120, 210), at(111, 205), at(111, 209), at(111, 210)}),
              Picture({150, 160, 150, 160, BACKDROP})); // slot 2 shows through a hole
    EXPECT_EQ(Picture({at(112, 200), at(113, 247), at(113, 248)}),
              Picture({BACKDROP, 160, BACKDROP}));
    EXPECT_EQ(creatures[2].y, 199u); // drawn, then moved
}

TEST_F(CreatureTest, WithoutPicturesACreatureIsABlockThatBursts)
{
    crt::srand(SeedForType(1));
    SpawnCreature(creatures[0]);
    for (int tick = 0; tick < 50; ++tick) UpdateWorld(20);
    const DWORD x = creatures[0].x, y = creatures[0].y - 1; // drawn before its last move
    const BYTE block = Pixel(backSurface, x + 20, y + 20);
    EXPECT_NE(block, BACKDROP);
    EXPECT_EQ(Pixel(backSurface, x + 47, y), block);
    EXPECT_EQ(Pixel(backSurface, x, y + 47), BACKDROP); // under the ground line
    HandleShot(x + 20, y + 20);
    EXPECT_GT(std::count_if(bloodDrops, bloodDrops + DROP_COUNT,
                            [&](const BloodDrop& d) { return d.tailColor == block; }),
              300);
}

TEST_F(CreatureTest, AnUnlockableSurfaceIsSkippedWhileTheWorldMovesOn)
{
    Place(0, 100, 200, solid.data());
    Fly(0, 80 << 8, 300 << 8, 0, 256);
    platform::FailOperation("Lock", DDERR_SURFACEBUSY, 2);
    UpdateWorld(20);
    EXPECT_EQ(creatures[0].y, 199u);
    EXPECT_EQ(stainDepth[80], 4u);
    EXPECT_TRUE(Pixels(backSurface) == blank && Pixels(sceneBackground) == blank);
    BitmapRef image {};
    platform::FailOperation("Lock", DDERR_SURFACEBUSY);
    EXPECT_EQ(CaptureSprite(&image, backSurface), 1u);
    EXPECT_EQ(image.address, nullptr);
}

} // namespace
