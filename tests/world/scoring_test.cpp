#include "tests/world/world_fixture.h"

namespace {

using namespace test;

class ScoringTest : public WorldTest {
protected:
    static void Click(DWORD x, DWORD y) // as the play loop does: 2 points, then the shot
    {
        score -= 2;
        HandleShot(x, y);
    }
};

TEST_F(ScoringTest, ShotsInTheTopBandOrThreeRowsUnderTheGroundHitNothingAKillScores12)
{
    Place(0, 100, 0, solid.data());
    Place(1, 300, 270, solid.data());
    Click(120, 24);
    Click(320, 303);
    EXPECT_EQ(kills, 0u);
    EXPECT_EQ(score, -4);
    Click(120, 25);
    EXPECT_EQ(std::vector<LONG>({score, peakScore, LONG(kills), LONG(killStreak)}),
              std::vector<LONG>({6, 6, 1, 1}));
    EXPECT_EQ(messageKind, MESSAGE_NONE);
    EXPECT_EQ(creatures[0].y, 305u); // respawned at once, on the flat ground
    Click(320, 302);
    EXPECT_EQ(kills, 2u);
}

TEST_F(ScoringTest, The25thKillOfAStreakAddsTheKillerBonusAfterThePeak)
{
    killStreak = 24;
    score = peakScore = 100;
    Place(0, 100, 200, solid.data());
    Click(120, 220);
    EXPECT_EQ(score, 100 - 2 + 12 + 50);
    EXPECT_EQ(peakScore, 110);
    EXPECT_EQ(std::vector<LONG>({LONG(messageKind), messageTimeLeft, LONG(messageColor)}),
              std::vector<LONG>({MESSAGE_KILLER_BONUS, 2000, RGB(240, 240, 0)}));
    EXPECT_STREQ(messageText, "KILLER BONUS +50");
    killStreak = 74;
    Place(0, 100, 200, solid.data());
    Click(120, 220);
    EXPECT_STREQ(messageText, "KILLER BONUS +150");
}

TEST_F(ScoringTest, OneShotKillsEveryCreatureUnderIt)
{
    killStreak = 24;
    Place(3, 100, 200, solid.data());
    Place(7, 110, 210, solid.data());
    Place(8, 300, 210, solid.data());
    Click(120, 220);
    EXPECT_EQ(kills + killStreak, 2u + 26);
    EXPECT_EQ(score, -2 + 12 + 50 + 12); // the bonus came with the first of the two
    EXPECT_EQ(peakScore, score);
    EXPECT_EQ(creatures[8].x, 300u);
}

TEST_F(ScoringTest, StainsEarnTheBloodBonusThreeTimesAtMost)
{
    for (int n = 0; n < 800; ++n) {
        Fly(n % 2, (40 + n % 2) << 8, 300 << 8, 0, 256);
        UpdateWorld(20);
    }
    EXPECT_EQ(stainDepth[40] + stainDepth[41], 2u * 601);
    EXPECT_EQ(score, 600);
    EXPECT_EQ(bloodBonusThreshold, 864u);
}

TEST_F(ScoringTest, ABloodBonusReplacesAKillerBonusMessage)
{
    // A stain as deep as the threshold earns nothing yet.
    stainDepth[31] = 254;
    Fly(5, 31 << 8, 300 << 8, 0, 256);
    UpdateWorld(20);
    EXPECT_EQ(stainDepth[31], bloodBonusThreshold);
    EXPECT_EQ(score, 0);
    messageKind = MESSAGE_KILLER_BONUS;
    messageTimeLeft = 700;
    stainDepth[30] = 256;
    Fly(5, 30 << 8, 300 << 8, 0, 256);
    UpdateWorld(20);
    EXPECT_EQ(score, 200);
    EXPECT_EQ(bloodBonusThreshold, 384u);
    EXPECT_EQ(std::vector<LONG>({LONG(messageKind), messageTimeLeft, LONG(messageColor)}),
              std::vector<LONG>({MESSAGE_BLOOD_BONUS, 2000, RGB(127, 0, 0)}));
    EXPECT_STREQ(messageText, "BLOOD BONUS +200");
}

} // namespace
