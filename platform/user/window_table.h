#pragma once
// Inside the platform layer: the windows the program made.

#include "platform/user.h"

namespace platform {

// The window that has the keyboard focus and receives input, or null.
HWND InputWindow();
// The class style of a live window (0 for none).
UINT ClassStyleOf(HWND window);
bool IsLiveWindow(HWND window);
WNDPROC WindowProcOf(HWND window);

// Painting: the part of a window that needs painting, empty when none does.
void InvalidateWindow(HWND window, const RECT& area);
// A window that needs painting, or null.
HWND WindowToPaint();
// The area to paint, which counts as painted from now on.
RECT TakeInvalidArea(HWND window);

} // namespace platform
