// A creature drawn coming out of the earth: each column of its picture shows only above the
// ground line of that screen column.

#include <algorithm>

#include "world/creatures.h"
#include "world/ground.h"

void DrawCreature(const PixelTarget& target, DWORD x, DWORD y, const BYTE* sprite)
{
    if (target.pixels == nullptr || y >= target.height) return;
    const DWORD columnEnd = std::min(GROUND_WIDTH, target.width);
    if (x >= columnEnd) return;
    const DWORD columns = std::min(SPRITE_SIZE, columnEnd - x);
    const DWORD rowsOnSurface = target.height - y;
    BYTE* const top = target.pixels + static_cast<std::ptrdiff_t>(y) * target.pitch + x;
    for (DWORD c = 0; c < columns; ++c) {
        const auto aboveGround = static_cast<LONG>(groundLine[x + c] - y);
        if (aboveGround <= 0) continue;
        const DWORD rows = std::min({static_cast<DWORD>(aboveGround), SPRITE_SIZE, rowsOnSurface});
        for (DWORD r = 0; r < rows; ++r) {
            const BYTE p = sprite[r * SPRITE_SIZE + c];
            if (p != SPRITE_TRANSPARENT) top[static_cast<std::ptrdiff_t>(r) * target.pitch + c] = p;
        }
    }
}
