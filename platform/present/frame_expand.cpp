// Rows are expanded once and copied down for the further rows of a scaled pixel, so the work is
// one table look-up per screen pixel and plain stores for the rest.

#include "platform/present/frame_expand.h"

#include <algorithm>
#include <cstring>

namespace platform::present {
namespace {

template <int Scale>
void ExpandRow(const BYTE* source, int count, const std::uint32_t* colours, std::uint32_t* out)
{
    for (int i = 0; i < count; ++i) {
        const std::uint32_t colour = colours[source[i]];
        for (int k = 0; k < Scale; ++k) out[Scale * i + k] = colour;
    }
}

void ExpandRowAnyScale(const BYTE* source, int count, const std::uint32_t* colours, int scale,
                       std::uint32_t* out)
{
    for (int i = 0; i < count; ++i) std::fill_n(out + scale * i, scale, colours[source[i]]);
}

void ExpandRowSpread(const BYTE* source, int first, int end, const std::uint32_t* colours,
                     const Axis& across, std::uint32_t* row)
{
    for (int i = first; i < end; ++i) {
        const int to = across.start[static_cast<std::size_t>(i) + 1];
        std::fill(row + across.start[static_cast<std::size_t>(i)], row + to, colours[source[i]]);
    }
}

// Row of window pixels that screen column first starts on; the columns go up to end.
void ExpandRow(const BYTE* source, int first, int end, const std::uint32_t* colours,
               const Axis& across, std::uint32_t* row)
{
    std::uint32_t* out = row + across.start[static_cast<std::size_t>(first)];
    const int count = end - first;
    switch (across.scale) {
    case 0: ExpandRowSpread(source, first, end, colours, across, row); break;
    case 1: ExpandRow<1>(source + first, count, colours, out); break;
    case 2: ExpandRow<2>(source + first, count, colours, out); break;
    case 3: ExpandRow<3>(source + first, count, colours, out); break;
    default: ExpandRowAnyScale(source + first, count, colours, across.scale, out); break;
    }
}

} // namespace

Axis WholeAxis(int size, int offset, int scale)
{
    Axis axis {std::vector<int>(static_cast<std::size_t>(size) + 1), scale};
    for (int i = 0; i <= size; ++i) axis.start[static_cast<std::size_t>(i)] = offset + i * scale;
    return axis;
}

Axis SpreadAxis(int size, int offset, int length)
{
    if (length % size == 0) return WholeAxis(size, offset, length / size);
    Axis axis {std::vector<int>(static_cast<std::size_t>(size) + 1), 0};
    for (int i = 0; i <= size; ++i) {
        axis.start[static_cast<std::size_t>(i)] =
            offset + static_cast<int>(static_cast<long long>(i) * length / size);
    }
    return axis;
}

void ExpandArea(const ScreenPixels& screen, const RECT& area, const std::uint32_t* colours,
                const Axis& across, const Axis& down, const WindowPixels& window)
{
    const int first = across.start[static_cast<std::size_t>(area.left)];
    const auto width =
        static_cast<std::size_t>(across.start[static_cast<std::size_t>(area.right)] - first);
    for (LONG y = area.top; y < area.bottom; ++y) {
        const int top = down.start[static_cast<std::size_t>(y)];
        const int bottom = down.start[static_cast<std::size_t>(y) + 1];
        if (top == bottom) continue; // a row the window is too small to show
        std::uint32_t* row = window.pixels + static_cast<std::size_t>(top) * window.pitch;
        ExpandRow(screen.pixels + static_cast<std::size_t>(y) * screen.pitch,
                  static_cast<int>(area.left), static_cast<int>(area.right), colours, across, row);
        for (int copy = top + 1; copy < bottom; ++copy) {
            std::memcpy(window.pixels + static_cast<std::size_t>(copy) * window.pitch + first,
                        row + first, width * sizeof(std::uint32_t));
        }
    }
}

} // namespace platform::present
