// The HUD texts. A new message enters as two copies far apart that slide together during its
// first second; in its second second it stands centred and blinks.

#include "world/hud.h"

#include <algorithm>
#include <cstring>

#include "graphics/game_fonts.h"
#include "graphics/shared_surfaces.h"
#include "graphics/text_output.h"
#include "platform/user.h"
#include "world/play_state.h"

namespace {

constexpr LONG HUD_ROW = 458;
constexpr LONG KILLS_COLUMN = 160;
constexpr LONG SCORE_COLUMN = 425;
constexpr LONG SHADOW_OFFSET = 2;
constexpr LONG MESSAGE_ROW = 100;
constexpr LONG SCREEN_CENTRE = 320;
constexpr DWORD BLINK_PERIOD = 8;
constexpr DWORD LAST_HIDDEN_TICK = 2; // ticks 0 to 2 of each period hide a blinking message
constexpr LONG STEADY_TIME = 1000;    // the message blinks once less than this is left
constexpr COLORREF WHITE = RGB(255, 255, 255);
constexpr COLORREF KILLER_RED = RGB(255, 0, 0);
constexpr COLORREF MESSAGE_SHADOW = RGB(0, 63, 91);

void DrawNumber(HDC dc, LONG x, LONG value)
{
    char text[16];
    wsprintfA(text, "%d", value);
    PrintShadowText(dc, x, HUD_ROW, text, SHADOW_OFFSET);
}

// The two copies stand 2 x d apart: d is 100 for a new message and reaches 0 after a second.
void DrawMessage(HDC dc)
{
    SelectObject(dc, bigFont);
    SIZE extent {};
    GetTextExtentPoint32A(dc, messageText, static_cast<int>(std::strlen(messageText)), &extent);
    const LONG x0 = SCREEN_CENTRE - extent.cx / 2;
    const LONG d = std::max(messageTimeLeft / 10 - 100, 0);
    SetTextColor(dc, MESSAGE_SHADOW);
    PrintText(dc, x0 - d + SHADOW_OFFSET, MESSAGE_ROW + SHADOW_OFFSET, messageText);
    SetTextColor(dc, messageColor);
    PrintText(dc, x0 + d, MESSAGE_ROW, messageText);
}

} // namespace

void DrawHud()
{
    HDC dc = nullptr;
    if (backSurface == nullptr || backSurface->GetDC(&dc) != DD_OK) return;
    const HGDIOBJ keptFont = SelectObject(dc, hudFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, messageKind == MESSAGE_KILLER_BONUS ? KILLER_RED : WHITE);
    DrawNumber(dc, KILLS_COLUMN, static_cast<LONG>(kills));
    SetTextColor(dc, WHITE);
    DrawNumber(dc, SCORE_COLUMN, score);
    if (++hudBlink == BLINK_PERIOD) hudBlink = 0;
    if (messageKind != MESSAGE_NONE
        && (hudBlink > LAST_HIDDEN_TICK || messageTimeLeft > STEADY_TIME))
        DrawMessage(dc);
    SelectObject(dc, keptFont);
    backSurface->ReleaseDC(dc);
}
