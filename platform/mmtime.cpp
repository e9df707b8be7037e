// timeGetTime counts from the machine's start, as the game's title skip expects a clock far
// past zero.

#include <ctime>

#include "platform/mmtime.h"

DWORD timeGetTime()
{
    timespec now {};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const auto ms = static_cast<unsigned long long>(now.tv_sec) * 1000ULL
                    + static_cast<unsigned long long>(now.tv_nsec) / 1000000ULL;
    return static_cast<DWORD>(ms);
}
