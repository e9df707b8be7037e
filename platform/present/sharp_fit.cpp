#include "platform/present/sharp_fit.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform::present {

BlendAxis SharpAxis(int size, int offset, int length)
{
    BlendAxis axis;
    axis.offset = offset;
    const int whole = std::max(1, length / size);
    const int scaled = whole * size; // the whole-multiple picture sampled smoothly
    for (int x = 0; x < length; ++x) {
        const double at = std::clamp((x + 0.5) * scaled / length - 0.5, 0.0, scaled - 1.0);
        const auto left = static_cast<int>(at);
        const int right = std::min(left + 1, scaled - 1);
        axis.first.push_back(left / whole);
        axis.second.push_back(right / whole);
        // Inside one screen pixel both neighbours are the same colour: nothing to mix.
        const int weight = static_cast<int>(std::lround((at - left) * 256));
        axis.weight.push_back(left / whole == right / whole ? 0 : weight);
    }
    for (int i = 0; i <= size; ++i) {
        const auto reach = std::lower_bound(axis.second.begin(), axis.second.end(), i);
        const auto leave = std::lower_bound(axis.first.begin(), axis.first.end(), i);
        axis.reach.push_back(static_cast<int>(reach - axis.second.begin()));
        axis.leave.push_back(static_cast<int>(leave - axis.first.begin()));
    }
    return axis;
}

Span WindowSpan(const BlendAxis& axis, int begin, int end)
{
    return {axis.offset + axis.reach[static_cast<std::size_t>(begin)],
            axis.offset + axis.leave[static_cast<std::size_t>(end)]};
}

namespace {

// One window row of the span, from screen rows upper and lower mixed by rowWeight.
void ExpandRowSharp(const BYTE* upper, const BYTE* lower, std::uint32_t rowWeight,
                    const std::uint32_t* colours, const BlendAxis& across, Span columns,
                    std::uint32_t* out)
{
    for (int x = columns.begin; x < columns.end; ++x) {
        const auto column = static_cast<std::size_t>(x - across.offset);
        const int left = across.first[column];
        const int right = across.second[column];
        const auto weight = static_cast<std::uint32_t>(across.weight[column]);
        // Most window pixels lie inside one screen pixel: one look-up, nothing to mix.
        const auto sample = [&](const BYTE* line) {
            return weight == 0 ? colours[line[left]]
                               : Mix(colours[line[left]], colours[line[right]], weight);
        };
        const std::uint32_t top = sample(upper);
        out[x] = rowWeight == 0 ? top : Mix(top, sample(lower), rowWeight);
    }
}

} // namespace

void ExpandAreaSharp(const ScreenPixels& screen, const RECT& area, const std::uint32_t* colours,
                     const BlendAxis& across, const BlendAxis& down, const WindowPixels& window)
{
    const Span columns = WindowSpan(across, area.left, area.right);
    const Span rows = WindowSpan(down, area.top, area.bottom);
    const auto width = static_cast<std::size_t>(std::max(0, columns.end - columns.begin));
    for (int y = rows.begin; y < rows.end; ++y) {
        const auto row = static_cast<std::size_t>(y - down.offset);
        std::uint32_t* out = window.pixels + static_cast<std::size_t>(y) * window.pitch;
        // A row inside the same screen row as the one above is that row again.
        if (y > rows.begin && down.weight[row] == 0 && down.weight[row - 1] == 0
            && down.first[row] == down.first[row - 1]) {
            std::memcpy(out + columns.begin, out - window.pitch + columns.begin,
                        width * sizeof(std::uint32_t));
            continue;
        }
        ExpandRowSharp(screen.pixels + static_cast<std::size_t>(down.first[row]) * screen.pitch,
                       screen.pixels + static_cast<std::size_t>(down.second[row]) * screen.pitch,
                       static_cast<std::uint32_t>(down.weight[row]), colours, across, columns, out);
    }
}

} // namespace platform::present
