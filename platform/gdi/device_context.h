#pragma once
// What a device context taken from a surface (GetDC) draws on: the surface's pixels and the
// colours they index, and the text state the game sets on it.

#include <algorithm>

#include "platform/windef.h"

struct HFONT__;

struct HDC__ {
    BYTE* pixels; // pixel (x, y) at pixels + y * pitch + x, one palette index each
    LONG pitch;
    DWORD width;
    DWORD height;
    // The surface's palette, else the display's; null when neither has one.
    const PALETTEENTRY* palette;

    HFONT__* font = nullptr; // null: the stock system font
    COLORREF textColor = 0x000000;
    COLORREF backgroundColor = 0xFFFFFF;
    int backgroundMode = 2; // opaque
    // The bounds of every pixel drawn through this context, for the display's change tracking.
    RECT drawn {};

    // Widens drawn by a rectangle already clipped to the surface; empty ones add nothing.
    void NoteDrawn(LONG left, LONG top, LONG right, LONG bottom)
    {
        if (left >= right || top >= bottom) return;
        if (drawn.left >= drawn.right) {
            drawn = {left, top, right, bottom};
            return;
        }
        drawn = {std::min(drawn.left, left), std::min(drawn.top, top), std::max(drawn.right, right),
                 std::max(drawn.bottom, bottom)};
    }
};
