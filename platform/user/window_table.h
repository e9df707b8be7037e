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

} // namespace platform
