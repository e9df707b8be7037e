#include "world/world_digest.h"

#include "tests/world/world_fixture.h"

namespace {

using WorldDigestTest = test::WorldTest;

void PutScenePixel(DWORD x, DWORD y, BYTE colour)
{
    DDSURFACEDESC desc {};
    LockSurface(sceneBackground, &desc);
    static_cast<BYTE*>(desc.lpSurface)[y * desc.lPitch + x] = colour;
    sceneBackground->Unlock(nullptr);
}

// Every part of the world the digest names moves it; what never decides play does not.
TEST_F(WorldDigestTest, EveryPartOfTheWorldCountsAndNothingElse)
{
    const std::uint64_t start = WorldDigest(true);
    EXPECT_EQ(WorldDigest(true), start);

    // A free drop's stale fields and the back surface (where the head-up text goes) do not count.
    bloodDrops[5].x = 12345;
    FillSurface(backSurface, 99);
    EXPECT_EQ(WorldDigest(true), start);

    void (*const changes[])() = {
        [] { bloodDrops[5].state = DROP_FLYING; },
        [] { creatures[3].state = CREATURE_RISING; },
        [] { groundLine[639] = 301; },
        [] { stainDepth[0] = 4; },
        [] { score = 1; },
        [] { kills = 1; },
        [] { messageText[31] = 'x'; },
        [] { dropCursor = 9; },
        [] { PutScenePixel(0, 479, 110); },
    };
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        TearDown();
        SetUp();
        changes[i]();
        EXPECT_NE(WorldDigest(true), start) << "change " << i;
    }
}

// Every 50 frames only the stained band of the scene is read: from the ground line down to a
// quarter of the stain depth, and one row more.
TEST_F(WorldDigestTest, AFramesDigestReadsTheSceneOnlyWhereStainsArePainted)
{
    stainDepth[10] = 40; // rows 300 to 311 of column 10
    const std::uint64_t start = WorldDigest(false);
    PutScenePixel(10, 299, 110);
    PutScenePixel(10, 312, 110);
    PutScenePixel(11, 302, 110);
    EXPECT_EQ(WorldDigest(false), start);
    EXPECT_NE(WorldDigest(true), start);
    PutScenePixel(10, 311, 120);
    EXPECT_NE(WorldDigest(false), start);
}

} // namespace
