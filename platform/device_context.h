#pragma once
// What a device context taken from a surface (GetDC) draws on: the surface's pixels and the
// colours they index, and the text state the game sets on it.

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
};
