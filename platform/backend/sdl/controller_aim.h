#pragma once
// Inside the platform layer: how a controller's stick moves the crosshair. A small dead zone
// keeps a resting stick still; past it the speed grows with the square of the deflection, so
// small pushes aim finely and a full push crosses the screen quickly.

#include "platform/windef.h"

namespace platform {

inline constexpr int STICK_FULL = 32767;
inline constexpr int STICK_DEAD_ZONE = 8000;

struct Motion {
    double x;
    double y;
};

// Screen pixels the crosshair moves in elapsedMs with the stick at (x, y), each from -32768 to
// 32767; speed is pixels a second at full deflection.
Motion CrosshairMotion(int x, int y, int speed, DWORD elapsedMs);

} // namespace platform
