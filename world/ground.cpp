// The run's ground: a random walk of rows around the middle of the screen, painted as a noisy
// earth gradient that darkens with depth.

#include "world/ground.h"

#include <algorithm>

#include "graphics/shared_surfaces.h"
#include "platform/crt.h"
#include "world/blood.h"
#include "world/creatures.h"
#include "world/pixel_target.h"

DWORD* groundLine = nullptr;

namespace {

constexpr DWORD GROUND_START_ROW = 240;
// The earth's colours in 8.8 fixed point: palette index 68 at the surface, 74 at most.
constexpr DWORD EARTH_TOP = 68 << 8;
constexpr DWORD EARTH_DEEPEST = 74 << 8;
// The bottom strip from row 456 on keeps the background picture.
constexpr DWORD LAST_EARTH_ROW = 455;

void MakeGroundLine()
{
    groundLine[0] = GROUND_START_ROW;
    groundLine[1] = GROUND_START_ROW + (crt::rand() & 1);
    for (DWORD x = 2; x < GROUND_WIDTH; ++x) {
        const auto step = static_cast<DWORD>(crt::rand() & 7);
        groundLine[x] = (step + groundLine[x - 1] + groundLine[x - 2] - 3) >> 1;
    }
}

// A column whose ground lies in the bottom strip still gets its one pixel at the ground row.
void PaintEarthColumn(const PixelTarget& scene, DWORD x)
{
    DWORD colour = EARTH_TOP;
    for (DWORD y = groundLine[x];; ++y) {
        PutPixel(scene, x, y, static_cast<BYTE>(colour >> 8));
        colour = std::min(colour + static_cast<DWORD>(crt::rand() & 15), EARTH_DEEPEST);
        if (y >= LAST_EARTH_ROW) break;
    }
}

} // namespace

void PaintGround()
{
    const PixelTarget scene = LockPixels(sceneBackground);
    for (DWORD x = 0; x < GROUND_WIDTH; ++x) PaintEarthColumn(scene, x);
    UnlockPixels(sceneBackground, scene);
}

void ResetWorld()
{
    std::fill_n(stainDepth, GROUND_WIDTH, 0u);
    MakeGroundLine();
    PaintGround();
    for (DWORD slot = 0; slot < CREATURE_COUNT; ++slot) creatures[slot].state = CREATURE_INACTIVE;
}

DWORD DeepestGround(DWORD first, DWORD end)
{
    DWORD deepest = 0;
    for (DWORD i = first; i < std::min(end, GROUND_WIDTH); ++i)
        deepest = std::max(deepest, groundLine[i]);
    return deepest;
}
