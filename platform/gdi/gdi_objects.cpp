// Fonts, brushes, stock objects and selection into device contexts.

#include "platform/gdi/gdi_objects.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/gdi/device_context.h"

namespace platform::gdi {
namespace {

std::vector<std::unique_ptr<GdiObject>> liveObjects;

HBRUSH__ whiteBrush {RGB(255, 255, 255)};
HBRUSH__ blackBrush {RGB(0, 0, 0)};

std::unique_ptr<HFONT__> MakeFont(const LOGFONTA& record)
{
    // The platform's default cell height for a record that asks for none.
    constexpr LONG defaultHeight = 16;
    const LONG height = record.lfHeight == 0 ? defaultHeight : std::abs(record.lfHeight);
    const LONG weight = record.lfWeight == 0 ? FW_NORMAL : record.lfWeight;
    const std::string face(record.lfFaceName, strnlen(record.lfFaceName, LF_FACESIZE));
    auto font = std::make_unique<HFONT__>();
    font->raster = RasterFont::Open(face.c_str(), height, weight);
    return font;
}

HFONT__& SystemFont()
{
    static const std::unique_ptr<HFONT__> font = [] {
        LOGFONTA record {};
        record.lfHeight = 16;
        record.lfWeight = FW_BOLD;
        std::copy_n("System", 7, record.lfFaceName);
        return MakeFont(record);
    }();
    return *font;
}

// A font or brush that exists: made and not yet deleted, or a stock object.
GdiObject* FindObject(HGDIOBJ object)
{
    if (object == &SystemFont()) return &SystemFont();
    if (object == &whiteBrush || object == &blackBrush) return static_cast<HBRUSH__*>(object);
    for (const auto& live : liveObjects) {
        if (live.get() == object) return live.get();
    }
    return nullptr;
}

Glyph RenderGlyph(const RasterFont& raster, BYTE character)
{
    // The one-byte character set is Latin-1: its code points are the byte values.
    std::string utf8;
    if (character < 0x80) utf8 = static_cast<char>(character);
    else
        utf8 = {static_cast<char>(0xC0 | (character >> 6)),
                static_cast<char>(0x80 | (character & 0x3F))};
    const TextCoverage coverage = raster.Render(utf8);
    Glyph glyph {coverage.originX, coverage.width, coverage.advance, {}};
    glyph.ink.reserve(coverage.coverage.size());
    for (BYTE level : coverage.coverage) glyph.ink.push_back(level >= 128 ? 1 : 0);
    return glyph;
}

} // namespace

HFONT__& FontOf(const HDC__& dc)
{
    GdiObject* font = FindObject(dc.font);
    return font != nullptr ? static_cast<HFONT__&>(*font) : SystemFont();
}

BYTE NearestIndex(const PALETTEENTRY* palette, COLORREF colour)
{
    const int red = colour & 0xFF;
    const int green = (colour >> 8) & 0xFF;
    const int blue = (colour >> 16) & 0xFF;
    if (palette == nullptr) return static_cast<BYTE>((red * 30 + green * 59 + blue * 11) / 100);
    int best = 0;
    int bestDistance = 3 * 256 * 256;
    for (int i = 0; i < 256; ++i) {
        const int dr = palette[i].peRed - red;
        const int dg = palette[i].peGreen - green;
        const int db = palette[i].peBlue - blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return static_cast<BYTE>(best);
}

} // namespace platform::gdi

const platform::gdi::Glyph& HFONT__::GlyphOf(BYTE character)
{
    if (!glyphs[character]) {
        glyphs[character] =
            raster ? platform::gdi::RenderGlyph(*raster, character) : platform::gdi::Glyph {};
    }
    return *glyphs[character];
}

HFONT CreateFontIndirectA(const LOGFONTA* font)
{
    if (font == nullptr) return nullptr;
    auto made = platform::gdi::MakeFont(*font);
    HFONT handle = made.get();
    platform::gdi::liveObjects.push_back(std::move(made));
    return handle;
}

HBRUSH CreateSolidBrush(COLORREF colour)
{
    auto made = std::make_unique<HBRUSH__>(colour);
    HBRUSH handle = made.get();
    platform::gdi::liveObjects.push_back(std::move(made));
    return handle;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object)
{
    platform::gdi::GdiObject* selected = platform::gdi::FindObject(object);
    if (dc == nullptr || selected == nullptr
        || selected->kind != platform::gdi::GdiObject::Kind::Font) {
        return nullptr;
    }
    HGDIOBJ previous = &platform::gdi::FontOf(*dc);
    dc->font = static_cast<HFONT__*>(selected);
    return previous;
}

BOOL DeleteObject(HGDIOBJ object)
{
    const auto removed = std::erase_if(platform::gdi::liveObjects,
                                       [object](const auto& live) { return live.get() == object; });
    return removed > 0 ? TRUE : FALSE;
}

HGDIOBJ GetStockObject(int object)
{
    switch (object) {
    case WHITE_BRUSH: return &platform::gdi::whiteBrush;
    case BLACK_BRUSH: return &platform::gdi::blackBrush;
    case SYSTEM_FONT: return &platform::gdi::SystemFont();
    default: return nullptr;
    }
}
