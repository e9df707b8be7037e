#pragma once
// Inside the platform layer: the objects behind font and brush handles.

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "platform/font_raster.h"
#include "platform/gdi.h"

namespace platform::gdi {

struct GdiObject {
    enum class Kind { Font, Brush };
    explicit GdiObject(Kind objectKind) : kind(objectKind) {}
    virtual ~GdiObject() = default;
    Kind kind;
};

// One character of a font, drawn solid: the pixels its glyph covers at least half.
struct Glyph {
    int originX = 0; // columns of ink left of the pen
    int width = 0;
    int advance = 0;
    std::vector<BYTE> ink; // width x the font's cell height, 1 where drawn
};

} // namespace platform::gdi

struct HFONT__ : platform::gdi::GdiObject {
    HFONT__() : GdiObject(Kind::Font) {}

    // The glyph of one character, rendered the first time it is asked for.
    const platform::gdi::Glyph& GlyphOf(BYTE character);
    int CellHeight() const { return raster ? raster->CellHeight() : 0; }

    std::unique_ptr<platform::RasterFont> raster; // null when no font is installed at all
    std::array<std::optional<platform::gdi::Glyph>, 256> glyphs;
};

struct HBRUSH__ : platform::gdi::GdiObject {
    explicit HBRUSH__(COLORREF brushColour) : GdiObject(Kind::Brush), colour(brushColour) {}
    COLORREF colour;
};

namespace platform::gdi {

// The font a context draws with: its selected one while that is alive, else the system font.
HFONT__& FontOf(const HDC__& dc);

// The palette index nearest to a colour (lowest index on ties); without a palette, the grey
// level of the colour.
BYTE NearestIndex(const PALETTEENTRY* palette, COLORREF colour);

} // namespace platform::gdi
