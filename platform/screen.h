#pragma once
// The game's screen: the display mode it sets, and what every window and the page's canvas show,
// scaled.

namespace platform {

inline constexpr int SCREEN_WIDTH = 640;
inline constexpr int SCREEN_HEIGHT = 480;

} // namespace platform
