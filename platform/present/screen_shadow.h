#pragma once
// A copy of the palette indices the window last received. The play loop copies its whole field
// to the screen every frame while only the creatures and the blood move, so the written areas
// are compared with what was sent, tile by tile, and only tiles that differ are sent again.

#include <vector>

#include "platform/ddraw.h"

namespace platform::present {

class ScreenShadow {
public:
    static constexpr LONG tileWidth = 32;
    static constexpr LONG tileHeight = 8;

    // The tiles of changes whose pixels differ from the copy, as rectangles (runs of tiles
    // merged across and down), into out; the copy takes their new pixels. Everything, or a
    // screen of another size, gives the whole screen.
    void Refine(const DisplayView& view, const DisplayChanges& changes, std::vector<RECT>& out);

private:
    bool TakeTile(const DisplayView& view, LONG column, LONG row);
    void MarkTiles(const RECT& rect);
    static void AddRun(std::vector<RECT>& out, RECT run);

    DWORD width = 0;
    DWORD height = 0;
    std::vector<BYTE> shown;
    std::vector<bool> marked;
};

} // namespace platform::present
