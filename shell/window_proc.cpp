#include "shell/window_proc.h"

#include "platform/gdi.h"
#include "shell/input_state.h"

DWORD lastKey = 0;
BOOL clickPending = FALSE;
BOOL paintBlack = FALSE;

namespace {

// The screen's picture comes from the display; the window itself paints only black, and only
// while the name dialog is open.
void PaintWindow(HWND window)
{
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    if (paintBlack)
        FillRect(paint.hdc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EndPaint(window, &paint);
}

} // namespace

LRESULT GameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_PAINT: PaintWindow(window); return 1;
    case WM_ERASEBKGND: return 1;
    case WM_ACTIVATEAPP: return 0;
    case WM_KEYDOWN: lastKey = static_cast<DWORD>(wParam); return 1;
    case WM_LBUTTONDOWN:
        clickPending = TRUE;
        return DefWindowProcA(window, message, wParam, lParam);
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void PumpUntilKey(bool clicksCount)
{
    const auto done = [clicksCount] { return lastKey != 0 || (clicksCount && clickPending); };
    while (!done()) {
        PumpMessages();
        if (!done()) WaitMessage();
    }
}
