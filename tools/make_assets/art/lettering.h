#pragma once
// Words set in an installed font and painted into pictures: plain labels, and the bold
// outlined lettering of titles.

#include <string_view>

#include "platform/font_raster.h"
#include "tools/make_assets/art/paint.h"

namespace art {

// Fonts opened once and kept; the program stops with a message on a machine without fonts.
const platform::RasterFont& CachedFont(const char* family, int weight, int cellHeight);
// The fonts the pictures are lettered in.
const platform::RasterFont& LabelFont(int cellHeight);   // bold sans, small texts
const platform::RasterFont& DisplayFont(int cellHeight); // heavy sans, titles

// A coverage mask (1 where ink covers half a pixel or more) as a keyed picture: the text's
// cell, or, when width and height are given, its ink stretched or squeezed to that size.
Picture TextMask(const platform::RasterFont& font, std::string_view text, int width = 0,
                 int height = 0);

// Plain text with its cell's top-left corner at (x, y), drawn solid like the game's own texts.
void DrawLabel(Picture& picture, const platform::RasterFont& font, std::string_view text, int x,
               int y, BYTE index);
// Same, centred on column cx.
void DrawCentredLabel(Picture& picture, const platform::RasterFont& font, std::string_view text,
                      int cx, int y, BYTE index);

struct LetteringStyle {
    Ramp fill; // top of the letters light, bottom dark
    BYTE innerOutline;
    BYTE outerOutline;
    int outerWidth = 1; // rings of the outer outline
    int shadowOffset = 0;
    BYTE shadow = BLACK;
};

// Outlined, shaded lettering from a mask, its top-left corner at (x, y). The outlines add
// outerWidth + 1 pixels around the mask, the shadow shadowOffset more to the lower right.
void DrawLettering(Picture& picture, const Picture& mask, int x, int y,
                   const LetteringStyle& style);

} // namespace art
