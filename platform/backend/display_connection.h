#pragma once
// Inside the platform layer: the connection to the display server under the game's window.
// When the server goes away, the X library would end the program on the spot and lose the
// Killer List; instead the program is asked to close, as on a close request, and from then on
// nothing waits for the dead server.

struct SDL_Window;

namespace platform {

// Starts watching the connection of the window's display (X11; other systems say so with a
// quit event of their own).
void WatchDisplayConnection(SDL_Window* window);
// True once the connection was lost: the window and the video system must then be left as
// they are, since taking them down would wait for answers that never come.
bool DisplayLost();

} // namespace platform
