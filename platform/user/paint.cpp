// Painting a window. The game's window covers the screen, so its context draws on what the
// screen shows.

#include "platform/ddraw/store.h"
#include "platform/user/window_table.h"

HDC BeginPaint(HWND window, PAINTSTRUCT* paint)
{
    if (paint == nullptr || !platform::IsLiveWindow(window)) return nullptr;
    *paint = PAINTSTRUCT {};
    paint->rcPaint = platform::TakeInvalidArea(window);
    IDirectDrawSurface* screen = platform::ddraw::TheDisplay().primary;
    if (screen != nullptr && screen->GetDC(&paint->hdc) != DD_OK) paint->hdc = nullptr;
    return paint->hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* paint)
{
    IDirectDrawSurface* screen = platform::ddraw::TheDisplay().primary;
    if (paint != nullptr && paint->hdc != nullptr && screen != nullptr)
        screen->ReleaseDC(paint->hdc);
    return TRUE;
}
