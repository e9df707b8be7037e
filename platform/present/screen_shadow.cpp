#include "platform/present/screen_shadow.h"

#include <algorithm>
#include <cstring>

namespace platform::present {

void ScreenShadow::Refine(const DisplayView& view, const DisplayChanges& changes,
                          std::vector<RECT>& out)
{
    out.clear();
    const LONG columns = (static_cast<LONG>(view.width) + tileWidth - 1) / tileWidth;
    const LONG rows = (static_cast<LONG>(view.height) + tileHeight - 1) / tileHeight;
    const RECT whole {0, 0, static_cast<LONG>(view.width), static_cast<LONG>(view.height)};
    if (changes.everything || view.width != width || view.height != height) {
        width = view.width;
        height = view.height;
        shown.resize(static_cast<std::size_t>(width) * height);
        marked.assign(static_cast<std::size_t>(columns * rows), true);
        for (LONG row = 0; row < rows; ++row) {
            for (LONG column = 0; column < columns; ++column) TakeTile(view, column, row);
        }
        out.push_back(whole);
        return;
    }
    marked.assign(static_cast<std::size_t>(columns * rows), false);
    for (const RECT& rect : changes.rects) MarkTiles(rect);
    for (LONG row = 0; row < rows; ++row) {
        LONG runStart = -1;
        for (LONG column = 0; column <= columns; ++column) {
            const bool dirty = column < columns
                               && marked[static_cast<std::size_t>(row * columns + column)]
                               && TakeTile(view, column, row);
            if (dirty && runStart < 0) runStart = column;
            if (dirty || runStart < 0) continue;
            AddRun(out, {runStart * tileWidth, row * tileHeight,
                         std::min(column * tileWidth, whole.right),
                         std::min((row + 1) * tileHeight, whole.bottom)});
            runStart = -1;
        }
    }
}

void ScreenShadow::MarkTiles(const RECT& rect)
{
    const LONG columns = (static_cast<LONG>(width) + tileWidth - 1) / tileWidth;
    for (LONG row = rect.top / tileHeight; row <= (rect.bottom - 1) / tileHeight; ++row) {
        for (LONG column = rect.left / tileWidth; column <= (rect.right - 1) / tileWidth; ++column)
            marked[static_cast<std::size_t>(row * columns + column)] = true;
    }
}

// Copies the tile into the shadow; answers whether it differed.
bool ScreenShadow::TakeTile(const DisplayView& view, LONG column, LONG row)
{
    const LONG left = column * tileWidth;
    const auto count = static_cast<std::size_t>(std::min<LONG>(tileWidth, width - left));
    const LONG bottom = std::min<LONG>((row + 1) * tileHeight, height);
    bool differs = false;
    for (LONG y = row * tileHeight; y < bottom; ++y) {
        const BYTE* from = view.pixels + static_cast<std::size_t>(y) * view.pitch + left;
        BYTE* to = shown.data() + static_cast<std::size_t>(y) * width + left;
        if (std::memcmp(from, to, count) == 0) continue;
        std::memcpy(to, from, count);
        differs = true;
    }
    return differs;
}

// A run directly under an earlier one of the same columns lengthens it.
void ScreenShadow::AddRun(std::vector<RECT>& out, RECT run)
{
    for (RECT& rect : out) {
        if (rect.left == run.left && rect.right == run.right && rect.bottom == run.top) {
            rect.bottom = run.bottom;
            return;
        }
    }
    out.push_back(run);
}

} // namespace platform::present
