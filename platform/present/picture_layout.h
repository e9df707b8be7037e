#pragma once
// Where the game's picture sits in the window, and where a point of the window falls on it.

#include "platform/screen.h"

namespace platform::present {

// integer: the largest whole multiple, black borders round it; fit: the largest picture of the
// screen's shape (whole multiples sharp, then a smooth fit); stretch: the whole window.
enum class Scaling { Integer, Fit, Stretch };

struct Area {
    int x;
    int y;
    int width;
    int height;
};

struct Size {
    int width;
    int height;
};

// The game's screen, which every window shows scaled.
inline constexpr Size SCREEN {SCREEN_WIDTH, SCREEN_HEIGHT};

// The picture's place in an output of the given size. A window too small for the screen's own
// size gets the fit.
Area PictureArea(Size output, Size screen, Scaling scaling);

// The largest whole multiple of the screen that fits in the picture (at least 1).
int WholeMultiple(Area picture, Size screen);

struct Point {
    int x;
    int y;
};
// A point held to the screen's edges.
Point HeldToScreen(Size screen, long long x, long long y);
// The screen pixel under an output point, held to the screen.
Point ScreenPoint(Area picture, Size screen, Point output);

} // namespace platform::present
