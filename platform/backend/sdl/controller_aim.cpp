#include "platform/backend/sdl/controller_aim.h"

#include <algorithm>
#include <cmath>

namespace platform {

Motion CrosshairMotion(int x, int y, int speed, DWORD elapsedMs)
{
    const double length = std::hypot(static_cast<double>(x), static_cast<double>(y));
    if (length <= STICK_DEAD_ZONE) return {0.0, 0.0};
    const double deflection =
        std::min(1.0, (length - STICK_DEAD_ZONE) / (STICK_FULL - STICK_DEAD_ZONE));
    const double pixels = speed * deflection * deflection * elapsedMs / 1000.0;
    return {pixels * x / length, pixels * y / length};
}

} // namespace platform
