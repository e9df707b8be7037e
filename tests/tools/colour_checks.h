#pragma once
// Colour arithmetic the data tests share.

#include "tools/make_assets/art/palette.h"

namespace test {

// Perceived brightness, 0 to 255.
inline double Luminance(BYTE index)
{
    const PALETTEENTRY& c = art::GamePalette()[index];
    return 0.299 * c.peRed + 0.587 * c.peGreen + 0.114 * c.peBlue;
}

// The entry the platform maps a text colour to: nearest, lowest index on ties.
inline int NearestEntry(int r, int g, int b)
{
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < 256; ++i) {
        const PALETTEENTRY& c = art::GamePalette()[i];
        const int d = (c.peRed - r) * (c.peRed - r) + (c.peGreen - g) * (c.peGreen - g)
                      + (c.peBlue - b) * (c.peBlue - b);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

} // namespace test
