#pragma once
// Installed fonts matched by family name and turned into coverage bitmaps: the ground the text
// output is built on, and the lettering of the data generator.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/windef.h"

namespace platform {

// One line of text as 8-bit coverage (0 = no ink, 255 = full ink), one byte per pixel.
struct TextCoverage {
    int width = 0;              // covers the pen's whole advance and any ink that overhangs it
    int height = 0;             // the font's cell height
    int originX = 0;            // column where the pen starts (ink may lie left of it)
    int ascent = 0;             // rows from the top of the cell to the baseline
    int advance = 0;            // how far the pen moved, in pixels
    std::vector<BYTE> coverage; // width x height, top row first
};

class RasterFont {
public:
    // The installed face closest to family and weight (100 to 900; 400 normal, 700 bold), sized
    // so that its cell (ascent plus descent) is cellHeight pixels. A missing family falls back
    // to the closest installed one; answers null only when no font is installed at all.
    static std::unique_ptr<RasterFont> Open(const char* family, int cellHeight, int weight);

    virtual ~RasterFont() = default;

    virtual const std::string& FamilyName() const = 0; // the face actually used
    virtual int CellHeight() const = 0;
    virtual int Ascent() const = 0;
    virtual int Advance(std::string_view text) const = 0;
    virtual TextCoverage Render(std::string_view text) const = 0;
};

} // namespace platform
