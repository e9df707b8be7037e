#pragma once
// Inside the platform layer: SDL's key codes as the platform's virtual-key codes.

#include <SDL.h>

#include "platform/windef.h"

namespace platform {

// The virtual-key code of a key, or 0 for a key the platform has no code for.
DWORD VirtualKeyFromSdl(SDL_Keycode key);

} // namespace platform
