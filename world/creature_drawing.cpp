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
    const DWORD rowsOnSurface = std::min(SPRITE_SIZE, target.height - y);
    // Rows of each column above its ground; a column at or under the ground shows nothing.
    BYTE shown[SPRITE_SIZE] = {};
    DWORD rows = 0;
    for (DWORD c = 0; c < columns; ++c) {
        const auto aboveGround = static_cast<LONG>(groundLine[x + c] - y);
        if (aboveGround <= 0) continue;
        shown[c] = static_cast<BYTE>(std::min(static_cast<DWORD>(aboveGround), rowsOnSurface));
        rows = std::max<DWORD>(rows, shown[c]);
    }
    // Row by row, so that a whole row is one run of blends.
    for (DWORD r = 0; r < rows; ++r) {
        const BYTE* in = sprite + r * SPRITE_SIZE;
        BYTE* out = target.pixels + static_cast<std::ptrdiff_t>(y + r) * target.pitch + x;
        for (DWORD c = 0; c < columns; ++c) {
            const BYTE p = in[c];
            const BYTE kept = out[c];
            out[c] = ((r < shown[c]) & (p != SPRITE_TRANSPARENT)) ? p : kept;
        }
    }
}
