// The rules that turn shots, kills, escapes and stains into points and bonus messages.

#include "world/scoring.h"

#include <cstring>

#include "platform/user.h"
#include "world/blood.h"
#include "world/creatures.h"
#include "world/ground.h"
#include "world/play_state.h"

namespace {

constexpr LONG KILL_POINTS = 12;
constexpr LONG ESCAPE_COST = 20;
constexpr DWORD SHOT_DROPS = 8;
constexpr DWORD KILLER_STREAK = 25;
constexpr DWORD KILLER_BONUS_STEP = 50;
constexpr LONG BLOOD_BONUS_POINTS = 200;
constexpr LONG MESSAGE_LIFETIME = 2000; // milliseconds
// Rows down to the top band take no shots, nor do rows 3 or more under the ground line.
constexpr DWORD TOP_BAND_LAST_ROW = 24;
constexpr DWORD SHOT_GROUND_DEPTH = 3;

void RaiseMessage(DWORD kind, COLORREF colour)
{
    messageKind = kind;
    messageTimeLeft = MESSAGE_LIFETIME;
    messageColor = colour;
}

void AwardKillerBonus()
{
    const DWORD bonus = (killStreak / KILLER_STREAK) * KILLER_BONUS_STEP;
    score += static_cast<LONG>(bonus);
    RaiseMessage(MESSAGE_KILLER_BONUS, RGB(240, 240, 0));
    wsprintfA(messageText, "KILLER BONUS +%u", bonus);
}

void KillCreature(Creature& creature, DWORD x, DWORD y)
{
    SprayBlood(x, y, SHOT_DROPS, DARK_BLOOD);
    BurstSprite(creature.x, creature.y, creature.sprite);
    score += KILL_POINTS;
    if (peakScore < score) peakScore = score;
    ++kills;
    if (++killStreak % KILLER_STREAK == 0) AwardKillerBonus();
    creature.state = CREATURE_INACTIVE;
    SpawnCreature(creature);
}

} // namespace

void HandleShot(DWORD x, DWORD y)
{
    if (x >= GROUND_WIDTH) return;
    if (y >= groundLine[x] + SHOT_GROUND_DEPTH || y <= TOP_BAND_LAST_ROW) return;
    for (DWORD slot = 0; slot < CREATURE_COUNT; ++slot) {
        Creature& creature = creatures[slot];
        if (creature.state != CREATURE_INACTIVE && CreatureContains(creature, x, y))
            KillCreature(creature, x, y);
    }
}

void AwardBloodBonus()
{
    bloodBonusThreshold += bloodBonusThreshold / 2;
    score += BLOOD_BONUS_POINTS;
    std::strcpy(messageText, "BLOOD BONUS +200");
    RaiseMessage(MESSAGE_BLOOD_BONUS, RGB(127, 0, 0));
}

void ChargeEscape()
{
    killStreak = 0;
    score -= ESCAPE_COST;
}
