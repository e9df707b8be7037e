#pragma once
// The sharp fit of the picture into the window on the processor: the screen scaled by its
// largest whole multiple with nearest neighbours, then smoothly (bilinear) to the picture's
// size. Only the window pixels on the seams between screen pixels mix two colours, so the
// picture stays crisp without the uneven pixel sizes of a plain nearest-neighbour fit.

#include <cstdint>
#include <vector>

#include "platform/present/frame_expand.h"

namespace platform::present {

// One axis: window pixel offset + x takes screen pixel first[x] and, weighted weight[x] / 256,
// screen pixel second[x].
struct BlendAxis {
    int offset = 0;
    std::vector<int> first;
    std::vector<int> second;
    std::vector<int> weight;
    // Per screen pixel i (and one past the end): the first window pixel whose second pixel is
    // i or later, and the first whose first pixel is.
    std::vector<int> reach;
    std::vector<int> leave;
};

// A screen axis of size pixels over length window pixels from offset.
BlendAxis SharpAxis(int size, int offset, int length);

struct Span {
    int begin;
    int end;
};
// The window pixels that read any of the screen pixels begin to end.
Span WindowSpan(const BlendAxis& axis, int begin, int end);

// Every window pixel that reads a pixel of the screen rectangle area, through colours.
void ExpandAreaSharp(const ScreenPixels& screen, const RECT& area, const std::uint32_t* colours,
                     const BlendAxis& across, const BlendAxis& down, const WindowPixels& window);

// a and b mixed byte by byte, b weighted weight / 256.
inline std::uint32_t Mix(std::uint32_t a, std::uint32_t b, std::uint32_t weight)
{
    const std::uint32_t keep = 256 - weight;
    const std::uint32_t low =
        (((a & 0x00FF00FFu) * keep + (b & 0x00FF00FFu) * weight) >> 8) & 0x00FF00FFu;
    const std::uint32_t high =
        (((a >> 8) & 0x00FF00FFu) * keep + ((b >> 8) & 0x00FF00FFu) * weight) & 0xFF00FF00u;
    return low | high;
}

} // namespace platform::present
