// Text and filled rectangles on a surface's device context.

#include <algorithm>
#include <utility>

#include "platform/gdi/device_context.h"
#include "platform/gdi/gdi_objects.h"

namespace {

using platform::gdi::Glyph;

// Fills the part of the rectangle that lies on the surface.
void FillClipped(HDC__& dc, LONG left, LONG top, LONG right, LONG bottom, BYTE index)
{
    left = std::max<LONG>(left, 0);
    top = std::max<LONG>(top, 0);
    right = std::min(right, static_cast<LONG>(dc.width));
    bottom = std::min(bottom, static_cast<LONG>(dc.height));
    dc.NoteDrawn(left, top, right, bottom);
    for (LONG y = top; y < bottom; ++y)
        std::fill(dc.pixels + y * dc.pitch + left, dc.pixels + y * dc.pitch + right, index);
}

// The glyph's ink within the surface: the rows and columns that fall outside are left out
// once per glyph, not tested pixel by pixel.
void DrawGlyph(HDC__& dc, const Glyph& glyph, int cellHeight, LONG left, LONG top, BYTE index)
{
    const LONG firstRow = std::max<LONG>(0, -top);
    const LONG endRow = std::min<LONG>(cellHeight, static_cast<LONG>(dc.height) - top);
    const LONG firstColumn = std::max<LONG>(0, -left);
    const LONG endColumn = std::min<LONG>(glyph.width, static_cast<LONG>(dc.width) - left);
    dc.NoteDrawn(left + firstColumn, top + firstRow, left + endColumn, top + endRow);
    for (LONG row = firstRow; row < endRow; ++row) {
        BYTE* line = dc.pixels + (top + row) * dc.pitch + left;
        const BYTE* ink = glyph.ink.data() + row * glyph.width;
        for (LONG column = firstColumn; column < endColumn; ++column) {
            if (ink[column]) line[column] = index;
        }
    }
}

LONG TextWidth(HFONT__& font, LPCSTR text, int length)
{
    LONG width = 0;
    for (int i = 0; i < length; ++i) width += font.GlyphOf(static_cast<BYTE>(text[i])).advance;
    return width;
}

} // namespace

COLORREF SetTextColor(HDC dc, COLORREF colour)
{
    if (dc == nullptr) return 0xFFFFFFFF;
    return std::exchange(dc->textColor, colour);
}

COLORREF SetBkColor(HDC dc, COLORREF colour)
{
    if (dc == nullptr) return 0xFFFFFFFF;
    return std::exchange(dc->backgroundColor, colour);
}

int SetBkMode(HDC dc, int mode)
{
    if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    return std::exchange(dc->backgroundMode, mode);
}

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length)
{
    if (dc == nullptr || (text == nullptr && length > 0) || length < 0) return FALSE;
    HFONT__& font = platform::gdi::FontOf(*dc);
    const int cellHeight = font.CellHeight();
    if (dc->backgroundMode == OPAQUE) {
        FillClipped(*dc, x, y, x + TextWidth(font, text, length), y + cellHeight,
                    platform::gdi::NearestIndex(dc->palette, dc->backgroundColor));
    }
    const BYTE index = platform::gdi::NearestIndex(dc->palette, dc->textColor);
    LONG pen = x;
    for (int i = 0; i < length; ++i) {
        const Glyph& glyph = font.GlyphOf(static_cast<BYTE>(text[i]));
        DrawGlyph(*dc, glyph, cellHeight, pen - glyph.originX, y, index);
        pen += glyph.advance;
    }
    return TRUE;
}

BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int length, SIZE* size)
{
    if (dc == nullptr || size == nullptr || (text == nullptr && length > 0) || length < 0)
        return FALSE;
    HFONT__& font = platform::gdi::FontOf(*dc);
    *size = {TextWidth(font, text, length), font.CellHeight()};
    return TRUE;
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush)
{
    if (dc == nullptr || rect == nullptr || brush == nullptr) return 0;
    FillClipped(
        *dc, rect->left, rect->top, rect->right, rect->bottom,
        platform::gdi::NearestIndex(dc->palette, reinterpret_cast<HBRUSH__*>(brush)->colour));
    return 1;
}
