// Which parts of the primary surface were written since the presenter last looked, so that it
// sends only those. A frame of play writes a handful of rectangles; past a few dozen they fold
// into their bounding box, which keeps the bookkeeping of a write to a few comparisons.

#include <algorithm>
#include <utility>

#include "platform/ddraw/store.h"

namespace platform::ddraw {
namespace {

constexpr std::size_t mostRects = 32;

bool IsEmpty(const RECT& rect) { return rect.left >= rect.right || rect.top >= rect.bottom; }

bool Contains(const RECT& outer, const RECT& inner)
{
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right
           && outer.bottom >= inner.bottom;
}

RECT Clipped(const RECT& rect, const RECT& bounds)
{
    return {std::max(rect.left, bounds.left), std::max(rect.top, bounds.top),
            std::min(rect.right, bounds.right), std::min(rect.bottom, bounds.bottom)};
}

RECT Union(const RECT& a, const RECT& b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

} // namespace

void NoteChange(const SurfaceObject* surface, const RECT& area)
{
    Display& display = TheDisplay();
    if (surface != display.primary || display.changes.everything) return;
    const RECT written = Clipped(area, surface->Whole());
    if (IsEmpty(written)) return;
    std::vector<RECT>& rects = display.changes.rects;
    for (const RECT& rect : rects) {
        if (Contains(rect, written)) return;
    }
    if (rects.size() < mostRects) {
        rects.push_back(written);
        return;
    }
    RECT bounds = written;
    for (const RECT& rect : rects) bounds = Union(bounds, rect);
    rects.assign(1, bounds);
}

void NoteWholeChange()
{
    TheDisplay().changes.everything = true;
    TheDisplay().changes.rects.clear();
}

} // namespace platform::ddraw

namespace platform {

bool DisplayHasChanges()
{
    const DisplayChanges& collected = ddraw::TheDisplay().changes;
    return collected.everything || !collected.rects.empty();
}

void TakeDisplayChanges(DisplayChanges& changes)
{
    DisplayChanges& collected = ddraw::TheDisplay().changes;
    std::swap(changes, collected);
    collected.everything = false;
    collected.rects.clear();
}

} // namespace platform
