// The system pointer's display counter, as the platform keeps it per program.

#include "platform/user.h"

namespace {

int showCount = 0;

} // namespace

int ShowCursor(BOOL show)
{
    showCount += show ? 1 : -1;
    return showCount;
}

namespace platform {

int CursorShowCount() { return showCount; }

} // namespace platform
