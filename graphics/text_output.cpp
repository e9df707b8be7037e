#include "graphics/text_output.h"

#include <cstring>

namespace {

int Length(const char* text) { return static_cast<int>(std::strlen(text)); }

} // namespace

BOOL PrintText(HDC dc, LONG x, LONG y, const char* text)
{
    return TextOutA(dc, x, y, text, Length(text));
}

BOOL PrintShadowText(HDC dc, LONG x, LONG y, const char* text, LONG offset)
{
    const COLORREF kept = SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, x + offset, y + offset, text, Length(text));
    SetTextColor(dc, kept);
    return TextOutA(dc, x, y, text, Length(text));
}
