#pragma once
// Inside the platform layer: how the backends hand input to the message queue.

#include "platform/user.h"

namespace platform {

// A key going down or up: WM_SYSKEYDOWN for Alt, F10 and anything pressed with Alt held (the
// game never sees those as keys), WM_KEYDOWN otherwise.
void PostKey(DWORD virtualKey, bool down, bool altHeld);
// A key going down and up again.
void PostKeyPress(DWORD virtualKey);
void PostCharacter(char character);
// Moves the pointer (640 x 480 screen coordinates) and says so with WM_MOUSEMOVE.
void PostPointerMove(LONG x, LONG y);
// Where the pointer is, for the backends' own use (the game asks GetCursorPos).
POINT PointerPosition();
// A left button press at the pointer; a double click's second press arrives as
// WM_LBUTTONDBLCLK when the window's class asks for double clicks.
void PostLeftPress(bool secondOfDoubleClick);

} // namespace platform
