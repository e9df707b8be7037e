#pragma once
// What a device context taken from a surface (GetDC) draws on. Text output fills in its own
// state later; the surface side gives the pixels and the colours they index.

#include "platform/windef.h"

struct HDC__ {
    BYTE* pixels; // pixel (x, y) at pixels + y * pitch + x, one palette index each
    LONG pitch;
    DWORD width;
    DWORD height;
    // The surface's palette, else the display's; null when neither has one.
    const PALETTEENTRY* palette;
};
