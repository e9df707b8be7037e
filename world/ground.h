#pragma once
// The ground line: in every screen column, the row where the earth begins. Rows at or below it
// are ground, rows above it open air. It is made anew at the start of each run and then stays.

#include "platform/windef.h"

inline constexpr DWORD GROUND_WIDTH = 640;

extern DWORD* groundLine;

// A new ground line, no stains, the earth painted into the scene background, no creatures.
void ResetWorld();
// Paints the earth under the current ground line into the scene background.
void PaintGround();
// The deepest ground row of columns first to end - 1; 0 for an empty range.
DWORD DeepestGround(DWORD first, DWORD end);
