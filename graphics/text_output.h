#pragma once
// The game's two ways of writing text on a surface's device context: plain, and with a black
// drop shadow. The caller selects the font, the colour and the background mode.

#include "platform/gdi.h"

BOOL PrintText(HDC dc, LONG x, LONG y, const char* text);

// The shadow in black at (x + offset, y + offset) first, then the text in the context's colour,
// which is left as it was found. Answers the second drawing's result.
BOOL PrintShadowText(HDC dc, LONG x, LONG y, const char* text, LONG offset);
