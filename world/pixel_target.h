#pragma once
// A locked surface as the world draws on it. The ground line is not bounded, so every write is
// held to the surface; a surface that could not be locked has no pixels and takes no writes, so
// the world goes on moving while nothing is drawn.

#include "platform/ddraw.h"

struct PixelTarget {
    BYTE* pixels; // null when the surface is not locked
    LONG pitch;
    DWORD width;
    DWORD height;
};

PixelTarget LockPixels(LPDIRECTDRAWSURFACE surface);
// Unlocks only a surface that LockPixels did lock.
void UnlockPixels(LPDIRECTDRAWSURFACE surface, const PixelTarget& target);

// Negative coordinates come in wrapped round to large unsigned values and are dropped as well.
inline void PutPixel(const PixelTarget& target, DWORD x, DWORD y, BYTE colour)
{
    if (target.pixels == nullptr || x >= target.width || y >= target.height) return;
    target.pixels[static_cast<std::ptrdiff_t>(y) * target.pitch + x] = colour;
}
