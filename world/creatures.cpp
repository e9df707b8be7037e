// Spawning, motion, the hit box and the growing population of glimbots.

#include "world/creatures.h"

#include <array>

#include "platform/crt.h"
#include "world/ground.h"
#include "world/play_state.h"
#include "world/scoring.h"

Creature* creatures = nullptr;
BYTE* creatureSprites[CREATURE_TYPES] = {};
LPDIRECTSOUNDBUFFER popSounds[POP_SOUND_COUNT] = {};

namespace {

constexpr DWORD STANDARD_RISE = 48;
constexpr DWORD FLOATER_TYPE = 2; // rises higher, so it floats clear of the ground at its top
constexpr DWORD LAST_BOX_COLUMN = 591;
// The base row lies this far under the deepest ground below the box, out of sight.
constexpr DWORD BASE_DEPTH = 5;
constexpr LONG POPULATION_STEP = 16;

// Without the image pack a creature is a plain block of one creature green, so the game stays
// playable and a kill still bursts into drops of that hue.
constexpr BYTE MISSING_SPRITE_COLOUR = 138;
constexpr std::array<BYTE, SPRITE_PIXELS> missingSprite = [] {
    std::array<BYTE, SPRITE_PIXELS> block {};
    block.fill(MISSING_SPRITE_COLOUR);
    return block;
}();

const BYTE* SpriteOfType(DWORD type)
{
    return creatureSprites[type] != nullptr ? creatureSprites[type] : missingSprite.data();
}

} // namespace

void SpawnCreature(Creature& creature)
{
    const DWORD type = crt::rand() & 3;
    creature.state = CREATURE_RISING;
    DWORD rise = STANDARD_RISE;
    if (type == FLOATER_TYPE) rise = (crt::rand() & 63) + 64;
    creature.x = crt::rand() % (LAST_BOX_COLUMN + 1);
    creature.baseRow = DeepestGround(creature.x, creature.x + SPRITE_SIZE) + BASE_DEPTH;
    creature.y = creature.baseRow;
    creature.topRow = creature.baseRow - rise;
    creature.sprite = SpriteOfType(type);
    // A pop still sounding is not stopped: it plays on from where it is.
    if (LPDIRECTSOUNDBUFFER pop = popSounds[crt::rand() % POP_SOUND_COUNT]) pop->Play(0, 0, 0);
}

void StepCreature(Creature& creature)
{
    if (creature.state == CREATURE_RISING) {
        --creature.y;
        if (creature.y < creature.topRow) creature.state = CREATURE_SINKING;
        return;
    }
    ++creature.y;
    if (creature.y <= creature.baseRow) return;
    creature.state = CREATURE_INACTIVE;
    SpawnCreature(creature);
    ChargeEscape();
}

bool CreatureContains(const Creature& creature, DWORD px, DWORD py)
{
    return px > creature.x && py > creature.y && px < creature.x + SPRITE_SIZE
           && py < creature.y + SPRITE_SIZE;
}

void AddCreature()
{
    populationThreshold = populationThreshold + populationThreshold / 2 + POPULATION_STEP;
    for (DWORD slot = 0; slot < CREATURE_COUNT; ++slot) {
        if (creatures[slot].state != CREATURE_INACTIVE) continue;
        SpawnCreature(creatures[slot]);
        return;
    }
}
