// Starting blood drops: the spray at the shot point and the burst of a creature's picture.

#include "world/blood.h"

#include "platform/crt.h"
#include "world/creatures.h"

BloodDrop* bloodDrops = nullptr;
DWORD* stainDepth = nullptr;
DWORD dropCursor = 0;

namespace {

LONG RandomSpeed() { return (crt::rand() & 255) - 127; }

void StartDrop(BloodDrop& drop, DWORD x, DWORD y, BYTE tail, BYTE head)
{
    drop.x = static_cast<LONG>(x * 256);
    drop.y = static_cast<LONG>(y * 256);
    drop.dx = RandomSpeed();
    drop.dy = RandomSpeed();
    drop.tailColor = tail;
    drop.headColor = head;
    drop.state = DROP_FLYING;
}

// A burst pixel flies darker by four palette entries: the creature ramps run dark to light.
BYTE BurstHead(BYTE p) { return p > 4 ? static_cast<BYTE>(p - 4) : p; }

} // namespace

LONG AllocDrop()
{
    DWORD i = dropCursor + 1;
    for (DWORD probe = 0; probe < DROP_COUNT; ++probe, ++i) {
        if (i >= DROP_COUNT) i = 0;
        if (bloodDrops[i].state != DROP_FREE) continue;
        dropCursor = i;
        return static_cast<LONG>(i);
    }
    return -1;
}

void SprayBlood(DWORD x, DWORD y, DWORD count, BYTE colour)
{
    for (DWORD n = 0; n < count; ++n) {
        const LONG k = AllocDrop();
        if (k < 0) return;
        StartDrop(bloodDrops[k], x, y, colour, BRIGHT_BLOOD);
    }
}

void BurstSprite(DWORD x0, DWORD y0, const BYTE* sprite)
{
    for (DWORD i = crt::rand() & 15; i < SPRITE_PIXELS; i += (crt::rand() & 7) + 2) {
        const BYTE p = sprite[i];
        if (p == SPRITE_TRANSPARENT) continue;
        const LONG k = AllocDrop();
        if (k < 0) return;
        StartDrop(bloodDrops[k], x0 + i % SPRITE_SIZE, y0 + i / SPRITE_SIZE, p, BurstHead(p));
    }
}
