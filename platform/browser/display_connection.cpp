// The page's canvas cannot go away under the game as an X server can.

#include "platform/host.h"

namespace platform {

void WatchDisplayConnection(SDL_Window*) {}

bool DisplayLost() { return false; }

} // namespace platform
