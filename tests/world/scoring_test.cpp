#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "platform/crt.h"
#include "tests/world/world_fixture.h"
#include "world/blood.h"
#include "world/ground.h"
#include "world/play_state.h"
#include "world/scoring.h"
#include "world/world_update.h"

namespace {

class ScoringTest : public test::WorldTest {
protected:
    static DWORD Flying()
    {
        return static_cast<DWORD>(std::count_if(bloodDrops, bloodDrops + DROP_COUNT,
                                                [](const BloodDrop& d) { return d.state != 0; }));
    }
    // A click as the play loop makes it: 2 points, then the shot.
    static void Click(DWORD x, DWORD y)
    {
        score -= 2;
        HandleShot(x, y);
    }
};

TEST_F(ScoringTest, AFirstShotThatKillsGoesFromMinus2To10)
{
    Place(0, 100, 200, solidSprite.data());
    crt::srand(11);
    Click(120, 220);
    EXPECT_EQ(score, 10);
    EXPECT_EQ(peakScore, 10);
    EXPECT_EQ(kills, 1u);
    EXPECT_EQ(killStreak, 1u);
    EXPECT_EQ(messageKind, MESSAGE_NONE);
    EXPECT_EQ(creatures[0].state, CREATURE_RISING); // respawned at once
    // Eight sprayed drops, then one per sampled pixel of the opaque picture.
    test::ReferenceRand reference(11);
    reference.Skip(16);
    DWORD sampled = 0;
    for (DWORD i = reference.Next() & 15; i < SPRITE_PIXELS; i += (reference.Next() & 7) + 2) {
        ++sampled;
        reference.Skip(2);
    }
    EXPECT_EQ(Flying(), 8 + sampled);
    const BloodDrop& first = bloodDrops[1]; // the spray comes first, from the shot point
    EXPECT_EQ(first.x, 120 << 8);
    EXPECT_EQ(first.tailColor, DARK_BLOOD);
}

TEST_F(ScoringTest, ShotsInTheTopBandOrUnderTheGroundHitNothing)
{
    Place(0, 100, 0, solidSprite.data());
    Place(1, 300, 270, solidSprite.data());
    Click(120, 24);
    Click(320, 303); // 3 rows under the ground line
    EXPECT_EQ(kills, 0u);
    EXPECT_EQ(score, -4);
    EXPECT_EQ(Flying(), 0u);
    Click(120, 25);
    Click(320, 302);
    EXPECT_EQ(kills, 2u);
}

TEST_F(ScoringTest, The25thKillOfAStreakAddsTheKillerBonusAfterThePeak)
{
    killStreak = 24;
    score = 100;
    peakScore = 100;
    Place(0, 100, 200, solidSprite.data());
    Click(120, 220);
    EXPECT_EQ(score, 100 - 2 + 12 + 50);
    EXPECT_EQ(peakScore, 110);
    EXPECT_EQ(messageKind, MESSAGE_KILLER_BONUS);
    EXPECT_EQ(messageTimeLeft, 2000);
    EXPECT_EQ(messageColor, RGB(240, 240, 0));
    EXPECT_STREQ(messageText, "KILLER BONUS +50");

    killStreak = 74;
    Place(0, 100, 200, solidSprite.data());
    Click(120, 220);
    EXPECT_STREQ(messageText, "KILLER BONUS +150");
}

TEST_F(ScoringTest, OneShotKillsEveryCreatureUnderIt)
{
    killStreak = 24;
    Place(3, 100, 200, solidSprite.data());
    Place(7, 110, 210, solidSprite.data());
    Place(8, 300, 210, solidSprite.data());
    Click(120, 220);
    EXPECT_EQ(kills, 2u);
    EXPECT_EQ(killStreak, 26u);
    EXPECT_EQ(score, -2 + 12 + 50 + 12); // the bonus came with the first of the two
    EXPECT_EQ(peakScore, -2 + 12 + 50 + 12);
    EXPECT_EQ(creatures[8].x, 300u);
}

TEST_F(ScoringTest, AStainEarnsTheBloodBonusThreeTimesAtMost)
{
    for (int n = 0; n < 800; ++n) {
        bloodDrops[n % 2] = {DROP_FLYING, 1, 2, (40 + n % 2) << 8, 300 << 8, 0, 256};
        UpdateWorld(20);
    }
    EXPECT_EQ(stainDepth[40], 601u);
    EXPECT_EQ(stainDepth[41], 601u);
    EXPECT_EQ(score, 600);
    EXPECT_EQ(bloodBonusThreshold, 864u);
}

TEST_F(ScoringTest, ABloodBonusReplacesAKillerBonusMessage)
{
    killStreak = 24;
    Place(0, 100, 200, solidSprite.data());
    Click(120, 220);
    ASSERT_EQ(messageKind, MESSAGE_KILLER_BONUS);
    messageTimeLeft = 700;
    stainDepth[30] = 256;
    std::fill(bloodDrops, bloodDrops + DROP_COUNT, BloodDrop {});
    bloodDrops[5] = {DROP_FLYING, 1, 2, 30 << 8, 300 << 8, 0, 256};
    const LONG before = score;
    UpdateWorld(20);
    EXPECT_EQ(score, before + 200);
    EXPECT_EQ(bloodBonusThreshold, 384u);
    EXPECT_EQ(messageKind, MESSAGE_BLOOD_BONUS);
    EXPECT_EQ(messageTimeLeft, 2000);
    EXPECT_EQ(messageColor, RGB(127, 0, 0));
    EXPECT_STREQ(messageText, "BLOOD BONUS +200");
}

TEST_F(ScoringTest, AnEscapeCosts20AndEndsTheStreak)
{
    killStreak = 24;
    ChargeEscape();
    EXPECT_EQ(score, -20);
    EXPECT_EQ(killStreak, 0u);
}

} // namespace
