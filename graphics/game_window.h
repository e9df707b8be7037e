#pragma once
// The display device's window: its class and the full-screen pop-up window the game draws in.

#include "graphics/display_device.h"
#include "platform/user.h"

// The new, shown window made from the parameters, or null.
HWND RegisterAndCreateWindow(const WindowParams& params);
// Creates the window, covers the screen with it from the top-left corner and gives it the
// keyboard focus; answers the handle (also kept in the record), which may be null.
HWND CreateGameWindow(DisplayDevice& device);
