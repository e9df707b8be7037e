// In the browser the page scales the picture and offers full screen: the canvas keeps the
// screen's own size.

#include <SDL.h>

#include "platform/host.h"

namespace platform {

bool PageOwnsWindow() { return true; }

// Only the canvas's keys are the game's: the page's own fields keep theirs.
void PrepareVideo() { SDL_SetHint(SDL_HINT_EMSCRIPTEN_KEYBOARD_ELEMENT, "#canvas"); }

} // namespace platform
