#pragma once
// The glimbots: ten slots of creatures that rise out of the ground, sink back and, unhurt, escape
// into it; their four pictures; the pop sounds of their arrival.

#include "graphics/image_format.h"
#include "platform/ddraw.h"
#include "platform/dsound.h"
#include "platform/windef.h"
#include "world/pixel_target.h"

inline constexpr DWORD CREATURE_COUNT = 10;
inline constexpr DWORD SPRITE_SIZE = 48; // a creature's box and picture are 48 x 48
inline constexpr DWORD SPRITE_PIXELS = SPRITE_SIZE * SPRITE_SIZE;
inline constexpr BYTE SPRITE_TRANSPARENT = 255;
inline constexpr DWORD CREATURE_TYPES = 4;
inline constexpr DWORD POP_SOUND_COUNT = 5;

// Creature::state
inline constexpr LONG CREATURE_INACTIVE = -1;
inline constexpr LONG CREATURE_RISING = 0;
inline constexpr LONG CREATURE_SINKING = 1;

struct Creature {
    DWORD topRow;  // the row the box's top rises to; above it the creature turns
    DWORD baseRow; // where it starts and what it must pass again to escape
    DWORD x;       // left column of the box
    DWORD y;       // top row of the box
    LONG state;
    const BYTE* sprite; // 48 x 48 palette indices, rows of 48 bytes
};

extern Creature* creatures;
// Pixel arrays captured from the image pack, by creature type; null when the pack is missing.
extern BYTE* creatureSprites[CREATURE_TYPES];
extern LPDIRECTSOUNDBUFFER popSounds[POP_SOUND_COUNT];

// A new rising creature at a random place, announced by a pop sound.
void SpawnCreature(Creature& creature);
// One frame tick of motion; a creature that passes its base row again escapes.
void StepCreature(Creature& creature);
// The box without its left column and top row.
bool CreatureContains(const Creature& creature, DWORD px, DWORD py);
// One more creature, in the first free slot if there is one; the next step comes later.
void AddCreature();

// The sprite with its top-left corner at (x, y); columns and rows at or below the ground stay
// hidden.
void DrawCreature(const PixelTarget& target, DWORD x, DWORD y, const BYTE* sprite);

// The surface's pixels into a new array (the caller frees it with MemFree); pitch = width.
DWORD CaptureSprite(BitmapRef* image, LPDIRECTDRAWSURFACE surface);
