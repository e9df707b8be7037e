#pragma once
// Blood: drops that fly from a kill under gravity, and the stains that landed drops soak into
// the earth below the ground line.

#include "platform/windef.h"

// BloodDrop::state; a drop is landed only between the drop pass and the stain pass of a frame.
inline constexpr BYTE DROP_FREE = 0;
inline constexpr BYTE DROP_FLYING = 1;
inline constexpr BYTE DROP_LANDED = 2;

inline constexpr DWORD DROP_COUNT = 600;
// Palette indices: the tail of shot drops and the upper stain pixel; the head of shot drops
// and the lower stain pixel.
inline constexpr BYTE DARK_BLOOD = 110;
inline constexpr BYTE BRIGHT_BLOOD = 120;

// Positions in 1/256 pixel, speeds in 1/256 pixel per frame tick, y growing downwards.
struct BloodDrop {
    BYTE state;
    BYTE tailColor; // written at the old position before the drop moves
    BYTE headColor; // written at the new position
    LONG x;
    LONG y;
    LONG dx;
    LONG dy;
};
static_assert(sizeof(BloodDrop) == 20);

extern BloodDrop* bloodDrops;
// Per screen column, in quarter rows under the ground line.
extern DWORD* stainDepth;
// The drop slot handed out last; kept from run to run.
extern DWORD dropCursor;

// A free slot, searched from the one after the slot handed out last; -1 when all fly. The slot
// is not marked.
LONG AllocDrop();
// Up to count drops from the point (x, y), each with a random speed.
void SprayBlood(DWORD x, DWORD y, DWORD count, BYTE colour);
// A sample of the sprite's opaque pixels flies apart from the box at (x0, y0); it stops at the
// first pixel that finds no free slot.
void BurstSprite(DWORD x0, DWORD y0, const BYTE* sprite);
