#include "world/world_digest.h"

#include <initializer_list>

#include "graphics/shared_surfaces.h"
#include "platform/replay/digest.h"
#include "world/blood.h"
#include "world/creatures.h"
#include "world/ground.h"
#include "world/pixel_target.h"
#include "world/play_state.h"

namespace {

// Which of the captured pictures a creature shows, so the digest holds no address.
std::uint64_t SpriteNumber(const BYTE* sprite)
{
    for (DWORD type = 0; type < CREATURE_TYPES; ++type) {
        if (creatureSprites[type] != nullptr && sprite == creatureSprites[type]) return type;
    }
    return sprite == nullptr ? CREATURE_TYPES + 1 : CREATURE_TYPES;
}

void AddColumns(platform::Digest& digest, const DWORD* columns)
{
    if (columns == nullptr) return;
    for (DWORD x = 0; x < GROUND_WIDTH; ++x) digest.AddWord(columns[x]);
}

void AddCreatures(platform::Digest& digest)
{
    if (creatures == nullptr) return;
    for (DWORD slot = 0; slot < CREATURE_COUNT; ++slot) {
        const Creature& creature = creatures[slot];
        for (std::uint64_t field :
             {std::uint64_t {creature.topRow}, std::uint64_t {creature.baseRow},
              std::uint64_t {creature.x}, std::uint64_t {creature.y},
              static_cast<std::uint64_t>(creature.state), SpriteNumber(creature.sprite)}) {
            digest.AddWord(field);
        }
    }
}

void AddDrops(platform::Digest& digest)
{
    if (bloodDrops == nullptr) return;
    for (DWORD k = 0; k < DROP_COUNT; ++k) {
        const BloodDrop& drop = bloodDrops[k];
        digest.AddWord(drop.state | drop.tailColor << 8 | drop.headColor << 16);
        for (LONG field : {drop.x, drop.y, drop.dx, drop.dy})
            digest.AddWord(static_cast<std::uint64_t>(field));
    }
    digest.AddWord(dropCursor);
}

void AddScores(platform::Digest& digest)
{
    for (LONG field : {score, peakScore, populationThreshold, messageTimeLeft})
        digest.AddWord(static_cast<std::uint64_t>(field));
    for (DWORD field :
         {kills, killStreak, messageKind, messageColor, bloodBonusThreshold, hudBlink})
        digest.AddWord(field);
    digest.Add(messageText, sizeof messageText);
}

void AddScene(platform::Digest& digest)
{
    if (sceneBackground == nullptr) return;
    const PixelTarget scene = LockPixels(sceneBackground);
    if (scene.pixels == nullptr) return;
    for (DWORD y = 0; y < scene.height; ++y)
        digest.Add(scene.pixels + static_cast<std::ptrdiff_t>(y) * scene.pitch, scene.width);
    UnlockPixels(sceneBackground, scene);
}

} // namespace

std::uint64_t WorldDigest()
{
    platform::Digest digest;
    AddColumns(digest, groundLine);
    AddColumns(digest, stainDepth);
    AddCreatures(digest);
    AddDrops(digest);
    AddScores(digest);
    AddScene(digest);
    return digest.Value();
}
