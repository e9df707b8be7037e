// A wait hands control back to the browser, so the page stays alive while the game's loops
// wait for input or for their next frame; the page's input listeners end it early.

#include <SDL.h>

#include "platform/browser/page_names.h"
#include "platform/host.h"

namespace platform {

bool WaitForEvent(DWORD ms)
{
    kg_wait_for_page_input(ms);
    SDL_PumpEvents();
    return SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) == SDL_TRUE;
}

} // namespace platform
