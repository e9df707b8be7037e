// One frame tick of the world: the creature pass and the drop pass draw on the back surface in
// one lock; the stain pass paints landed blood into the scene background.

#include "world/world_update.h"

#include "graphics/shared_surfaces.h"
#include "world/blood.h"
#include "world/creatures.h"
#include "world/ground.h"
#include "world/pixel_target.h"
#include "world/play_state.h"
#include "world/scoring.h"

namespace {

// Drops vanish above this row and beyond the screen's sides.
constexpr LONG PLAY_FIELD_TOP = 24;
constexpr LONG LAST_COLUMN = 639;
constexpr DWORD STAIN_LIMIT = 800;
constexpr DWORD STAIN_SLOWDOWN = 200;

// Drawing shows a creature where it was before this tick's move.
void CreaturePass(const PixelTarget& frame)
{
    for (DWORD slot = 0; slot < CREATURE_COUNT; ++slot) {
        Creature& creature = creatures[slot];
        if (creature.state == CREATURE_INACTIVE) continue;
        DrawCreature(frame, creature.x, creature.y, creature.sprite);
        StepCreature(creature);
    }
}

// Two's complement sums, as the fixed-point motion has always wrapped.
LONG Wrapped(LONG a, LONG b)
{
    return static_cast<LONG>(static_cast<DWORD>(a) + static_cast<DWORD>(b));
}

// Answers whether a drop landed. Gravity is a quarter of the tick's milliseconds; the motion
// itself is per tick.
bool DropPass(const PixelTarget& frame, DWORD elapsed)
{
    bool landed = false;
    for (DWORD k = 0; k < DROP_COUNT; ++k) {
        BloodDrop& drop = bloodDrops[k];
        if (drop.state == DROP_FREE) continue;
        PutPixel(frame, static_cast<DWORD>(drop.x >> 8), static_cast<DWORD>(drop.y >> 8),
                 drop.tailColor);
        drop.x = Wrapped(drop.x, drop.dx);
        drop.y = Wrapped(drop.y, drop.dy);
        drop.dy = Wrapped(drop.dy, static_cast<LONG>(elapsed >> 2));
        const LONG nx = drop.x >> 8;
        const LONG ny = drop.y >> 8;
        if (nx < 0 || ny < PLAY_FIELD_TOP || nx > LAST_COLUMN) {
            drop.state = DROP_FREE;
        } else if (static_cast<DWORD>(ny) > groundLine[nx]) {
            drop.state = DROP_LANDED;
            landed = true;
        } else {
            PutPixel(frame, static_cast<DWORD>(nx), static_cast<DWORD>(ny), drop.headColor);
        }
    }
    return landed;
}

// Each landed drop deepens its column's stain by less the deeper it already is. When the scene
// cannot be locked the stains still deepen, unpainted this once.
void StainPass()
{
    const PixelTarget scene = LockPixels(sceneBackground);
    for (DWORD k = 0; k < DROP_COUNT; ++k) {
        BloodDrop& drop = bloodDrops[k];
        if (drop.state != DROP_LANDED) continue;
        const auto c = static_cast<DWORD>(drop.x >> 8);
        const DWORD s = stainDepth[c] += (STAIN_LIMIT - stainDepth[c]) / STAIN_SLOWDOWN;
        const DWORD r = groundLine[c] + s / 4;
        PutPixel(scene, c, r, DARK_BLOOD);
        PutPixel(scene, c, r + 1, BRIGHT_BLOOD);
        drop.state = DROP_FREE;
        if (s > bloodBonusThreshold) AwardBloodBonus();
    }
    UnlockPixels(sceneBackground, scene);
}

} // namespace

void UpdateWorld(DWORD elapsed)
{
    const PixelTarget frame = LockPixels(backSurface);
    CreaturePass(frame);
    const bool landed = DropPass(frame, elapsed);
    UnlockPixels(backSurface, frame);
    if (landed) StainPass();
}
