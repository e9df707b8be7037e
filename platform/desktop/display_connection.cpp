#include "platform/host.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include "platform/notice.h"

namespace platform {
namespace {

bool lost = false;

// Called by the X library once its connection failed, instead of ending the program; the
// library then answers every later call at once.
void OnConnectionLost(Display*, void*)
{
    if (lost) return;
    lost = true;
    Notice("The connection to the display was lost; the game ends\r\n");
}

// The X library's own first step on a failed connection would end the program itself; this
// one returns, so that the window's connection goes on to OnConnectionLost.
int OnConnectionError(Display*) { return 0; }

} // namespace

void WatchDisplayConnection(SDL_Window* window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return;
    XSetIOErrorHandler(OnConnectionError);
    XSetIOErrorExitHandler(info.info.x11.display, OnConnectionLost, nullptr);
}

bool DisplayLost() { return lost; }

} // namespace platform
