// On a desktop the game's window is its own: it chooses its size and full screen, and a wait
// for input is SDL's.

#include <SDL.h>

#include "platform/host.h"

namespace platform {

bool PageOwnsWindow() { return false; }

void PrepareVideo() {}

bool WaitForEvent(DWORD ms) { return SDL_WaitEventTimeout(nullptr, static_cast<int>(ms)) != 0; }

// A desktop's keyboard is always there.
void ShowTextEntry(bool) {}

} // namespace platform
