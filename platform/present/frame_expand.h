#pragma once
// The screen's palette indices become window pixels in one pass: each index is looked up in a
// 256-entry colour table and written as a block of window pixels, straight into the memory the
// window shows.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/windef.h"

namespace platform::present {

// Where one axis of the screen lands in the window: screen pixel i covers window pixels
// start[i] up to start[i + 1]. Whole multiples give every pixel the same size.
struct Axis {
    std::vector<int> start; // screen size + 1 entries
    int scale = 0;          // the whole multiple, 0 when the sizes differ
};

// offset + i * scale for every i of a screen axis of size pixels.
Axis WholeAxis(int size, int offset, int scale);
// A screen axis of size pixels spread evenly over length window pixels from offset, nearest
// neighbour.
Axis SpreadAxis(int size, int offset, int length);

struct WindowPixels {
    std::uint32_t* pixels; // the window's top-left pixel
    std::size_t pitch;     // in pixels
};

struct ScreenPixels {
    const BYTE* pixels;
    std::size_t pitch; // in bytes
};

// Expands the screen rectangle area into the window through colours.
void ExpandArea(const ScreenPixels& screen, const RECT& area, const std::uint32_t* colours,
                const Axis& across, const Axis& down, const WindowPixels& window);

} // namespace platform::present
